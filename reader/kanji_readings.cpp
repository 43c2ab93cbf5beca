#include "kanji_readings.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace lexiv::reader {
namespace {

constexpr std::string_view kMagic = "LXKYOMI1";
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kRecordSize = 8;

std::uint32_t ReadU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t ReadU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
void AppendU32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}
void AppendU16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

}  // namespace

KanjiReadings::~KanjiReadings() { Unmap(); }

void KanjiReadings::Unmap() {
  if (mapping_ != nullptr) ::munmap(mapping_, mappingSize_);
  mapping_ = nullptr;
  mappingSize_ = 0;
  records_ = nullptr;
  texts_ = nullptr;
  count_ = 0;
}

int KanjiReadings::Open(const std::string& path) {
  Unmap();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  void* mapping = MAP_FAILED;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
    mapping = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (mapping == MAP_FAILED) return -1;
  const std::size_t size = static_cast<std::size_t>(info.st_size);
  if (Adopt(std::string_view(static_cast<const char*>(mapping), size)) != 0) {
    ::munmap(mapping, size);
    return -1;
  }
  mapping_ = mapping;
  mappingSize_ = size;
  return 0;
}

int KanjiReadings::Adopt(std::string_view bytes) {
  Unmap();
  if (bytes.size() < kHeaderSize || bytes.substr(0, kMagic.size()) != kMagic) return -1;
  const auto* base = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::uint64_t count = ReadU32(base + 8);
  const std::uint64_t textSize = ReadU32(base + 12);
  if (kHeaderSize + count * kRecordSize + textSize != bytes.size()) return -1;
  const unsigned char* records = base + kHeaderSize;
  // Checked once here, so that a lookup can trust every record it meets.
  for (std::uint64_t i = 0; i < count; ++i) {
    const unsigned char* record = records + i * kRecordSize;
    if (i > 0 && ReadU16(record) <= ReadU16(record - kRecordSize)) return -1;
    if (static_cast<std::uint64_t>(ReadU32(record + 4)) + ReadU16(record + 2) > textSize) return -1;
  }
  records_ = records;
  texts_ = reinterpret_cast<const char*>(records + count * kRecordSize);
  count_ = static_cast<std::size_t>(count);
  return 0;
}

std::string_view KanjiReadings::Find(std::uint16_t code) const {
  std::size_t low = 0;
  std::size_t high = count_;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const unsigned char* record = records_ + middle * kRecordSize;
    const std::uint16_t found = ReadU16(record);
    if (found == code) return std::string_view(texts_ + ReadU32(record + 4), ReadU16(record + 2));
    if (found < code) low = middle + 1; else high = middle;
  }
  return {};
}

std::string KanjiReadings::Build(std::vector<std::pair<std::uint16_t, std::string>> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  entries.erase(std::unique(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first == b.first; }),
                entries.end());
  std::string records;
  std::string texts;
  for (const auto& [code, text] : entries) {
    const std::size_t length = std::min<std::size_t>(text.size(), std::numeric_limits<std::uint16_t>::max());
    AppendU16(records, code);
    AppendU16(records, static_cast<std::uint16_t>(length));
    AppendU32(records, static_cast<std::uint32_t>(texts.size()));
    texts.append(text, 0, length);
  }
  std::string out(kMagic);
  AppendU32(out, static_cast<std::uint32_t>(entries.size()));
  AppendU32(out, static_cast<std::uint32_t>(texts.size()));
  return out + records + texts;
}

}  // namespace lexiv::reader
