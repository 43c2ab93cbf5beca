#include "engine/dictionary_engine.h"

#include <cstring>
#include <new>

namespace lexiv {
namespace {

constexpr const char* kFirstLevelNames[kIndexCount] = {"ANKF.ID1", "ANKR.ID1", "KNJF.ID1", "KNJR.ID1"};
constexpr const char* kDictionaryName = "YOMIGO.DIC";
constexpr std::size_t kFirstLevelHeaderBytes = 256;
constexpr std::int64_t kMaxTableBytes = 16000;
// Paths are held to what a 256-byte buffer with its terminating NUL holds.
constexpr std::size_t kMaxPathBytes = 255;

std::int16_t ReadInt16(const unsigned char* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }

bool JoinPath(const std::string& directory, std::string_view name, std::string& path) {
  if (directory.size() + name.size() > kMaxPathBytes) return false;
  path.assign(directory);
  path.append(name);
  return true;
}

// Reads the header of a first-level index file into descriptor and checks that the file holds
// the table it describes (the table is read later, by DictionaryEngine::ReadTable). A header
// that gives a negative entry count or key length cannot describe a table and is refused; so is
// a second-level name that is empty or reaches outside the dictionary directory.
int LoadFirstLevel(const std::string& path, ReadOnlyFile& file, IndexDescriptor& descriptor) {
  if (!file.Open(path)) return -1;
  unsigned char header[kFirstLevelHeaderBytes];
  if (file.ReadAt(0, header, sizeof header) != static_cast<std::int64_t>(sizeof header)) return -1;
  std::int16_t entryCount = ReadInt16(header + 0);
  std::int16_t keyLength = ReadInt16(header + 6);
  if (entryCount < 0 || keyLength < 0) return -1;

  char name[sizeof descriptor.secondLevelName] = {};
  std::memcpy(name, header + 8, sizeof name - 1);
  if (name[0] == '\0' || std::strchr(name, '/') != nullptr) return -1;

  std::int64_t tableBytes = std::int64_t{entryCount} * (std::int64_t{keyLength} + 4);
  if (tableBytes > kMaxTableBytes) tableBytes = kMaxTableBytes;
  if (file.Size() - static_cast<std::int64_t>(kFirstLevelHeaderBytes) < tableBytes) return -1;

  descriptor.entryCount = entryCount;
  descriptor.keyLength = keyLength;
  descriptor.tableBytes = tableBytes;
  descriptor.tableRead = false;
  std::memcpy(descriptor.secondLevelName, name, sizeof name);
  return 0;
}

}  // namespace

int DictionaryEngine::OpenDictionary(std::string_view directory) {
  bool allLoaded = true;
  for (const IndexDescriptor& d : indexes_) allLoaded = allLoaded && d.entryCount > 0;
  if (allLoaded) return 1;

  // A partial earlier load is done again from the start; a failed open leaves nothing behind, so
  // the engine is either wholly loaded or not at all.
  CloseDictionary();
  std::string dir(directory);
  if (dir.empty() || dir.back() != '/') dir.push_back('/');
  std::string path;
  for (int i = 0; i < kIndexCount; ++i) {
    if (!JoinPath(dir, kFirstLevelNames[i], path) || LoadFirstLevel(path, firstLevel_[i], indexes_[i]) != 0 ||
        !JoinPath(dir, indexes_[i].secondLevelName, path) || !secondLevel_[i].Open(path)) {
      CloseDictionary();
      return -1;
    }
  }
  if (!JoinPath(dir, kDictionaryName, path) || !dictionary_.Open(path)) {
    CloseDictionary();
    return -1;
  }
  return 0;
}

void DictionaryEngine::CloseDictionary() {
  // The ranges may point into held files about to be freed.
  for (IndexRange& range : ranges_) range.ForgetHeldRanges();
  for (int i = 0; i < kIndexCount; ++i) {
    indexes_[i] = IndexDescriptor();
    firstLevel_[i].Close();
    secondLevel_[i].Close();
    holdTried_[i] = false;
    searchesBeforeHold_[i] = 0;
  }
  dictionary_.Close();
}

bool DictionaryEngine::AnyIndexLoaded() const {
  for (const IndexDescriptor& d : indexes_)
    if (d.entryCount != -1) return true;
  return false;
}

bool DictionaryEngine::ReadTable(int index) const {
  IndexDescriptor& d = indexes_[index];
  if (d.tableRead || d.entryCount < 0) return d.tableRead;
  std::vector<unsigned char> table;
  try {
    table.resize(static_cast<std::size_t>(d.tableBytes));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (d.tableBytes > 0 &&
      firstLevel_[index].ReadAt(kFirstLevelHeaderBytes, table.data(), table.size()) != d.tableBytes)
    return false;
  d.table = std::move(table);
  d.tableRead = true;
  firstLevel_[index].Close();
  return true;
}

const IndexDescriptor& DictionaryEngine::Descriptor(int index) const {
  ReadTable(index);
  return indexes_[index];
}

const ReadOnlyFile& DictionaryEngine::SecondLevel(int index) const {
  // A file that cannot be held is read from the disk as before.
  if (holdInMemory_ && !holdTried_[index] && secondLevel_[index].IsOpen() &&
      searchesBeforeHold_[index]++ >= holdAfterSearches_) {
    holdTried_[index] = true;
    secondLevel_[index].HoldInMemory();
  }
  return secondLevel_[index];
}

std::int64_t DictionaryEngine::AddressableEntries(int index) const {
  const IndexDescriptor& d = indexes_[index];
  if (d.entryCount <= 0 || !ReadTable(index)) return 0;
  auto complete = static_cast<std::int64_t>(d.table.size() / 8);
  return d.entryCount < complete ? d.entryCount : complete;
}

}  // namespace lexiv
