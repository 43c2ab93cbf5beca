#include "platform/services/registry_hive.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/services/shift_jis_text.h"
#include "platform/services/whole_file.h"

namespace lexiv::platform {
namespace {

// A hive is a small settings file; anything larger is not one of ours and is left alone.
constexpr std::size_t kMaxHiveFileBytes = 16 * 1024 * 1024;

bool SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b, std::size_t components) {
  if (a.size() < components || b.size() < components) return false;
  for (std::size_t i = 0; i < components; ++i)
    if (!SjisEqualIgnoringCase(a[i], b[i])) return false;
  return true;
}

bool IsBlankEntry(const HiveEntry& entry) {
  return !entry.value && entry.text.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

RegistryHive::RegistryHive(std::string rootName, std::string fileSystemPath)
    : rootName_(std::move(rootName)), fileSystemPath_(std::move(fileSystemPath)), document_(NewHiveDocument(rootName_)) {}

RegistryHive::FileIdentity RegistryHive::CurrentIdentity() const {
  FileIdentity identity;
  struct stat info {};
  if (::stat(fileSystemPath_.c_str(), &info) != 0) return identity;
  identity.exists = true;
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  identity.size = static_cast<std::uint64_t>(info.st_size);
  identity.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return identity;
}

bool RegistryHive::ChangedOnDisk() const { return !(CurrentIdentity() == loadedIdentity_); }

LONG RegistryHive::Load() {
  document_ = NewHiveDocument(rootName_);
  dirty_ = false;
  readable_ = false;
  loadedIdentity_ = CurrentIdentity();
  std::string text;
  int error = ReadWholeFile(fileSystemPath_, kMaxHiveFileBytes, text);
  if (error == ENOENT) {
    readable_ = true;
    problem_.clear();
    return ERROR_SUCCESS;
  }
  if (error != 0) {
    problem_ = fileSystemPath_ + ": cannot be read (" + std::strerror(error) + "); it is left as it is";
    return ERROR_REGISTRY_IO_FAILED;
  }
  if (ParseHiveText(text, rootName_, document_) != 0) {
    document_ = NewHiveDocument(rootName_);
    problem_ = fileSystemPath_ + ": not a REGEDIT4 file; it is left as it is";
    return ERROR_REGISTRY_CORRUPT;
  }
  readable_ = true;
  problem_.clear();
  return ERROR_SUCCESS;
}

bool RegistryHive::Matches(const HiveSection& section, const std::vector<std::string>& keyPath) const {
  return section.keyPath && section.keyPath->size() == keyPath.size() &&
         SamePath(*section.keyPath, keyPath, keyPath.size());
}

bool RegistryHive::KeyExists(const std::vector<std::string>& keyPath) const {
  if (keyPath.empty()) return true;
  for (const HiveSection& section : document_.sections)
    if (section.keyPath && SamePath(*section.keyPath, keyPath, keyPath.size())) return true;
  return false;
}

void RegistryHive::EndLastLine() {
  HiveSection& last = document_.sections.back();
  std::string& text = last.entries.empty() ? last.headerText : last.entries.back().text;
  if (!text.empty() && text.back() != '\n') text += document_.lineEnding;
}

HiveSection* RegistryHive::AddSection(const std::vector<std::string>& keyPath) {
  HiveSection section;
  if (!SectionHeaderLine(rootName_, keyPath, document_.lineEnding, section.headerText)) return nullptr;
  section.keyPath = keyPath;
  EndLastLine();
  HiveSection& last = document_.sections.back();
  bool endsBlank = last.entries.empty() ? last.headerText.empty() : IsBlankEntry(last.entries.back());
  if (!endsBlank) last.entries.push_back({document_.lineEnding, std::nullopt, false});
  document_.sections.push_back(std::move(section));
  dirty_ = true;
  return &document_.sections.back();
}

bool RegistryHive::CreateKey(const std::vector<std::string>& keyPath) {
  if (!readable_ || KeyExists(keyPath)) return false;
  return AddSection(keyPath) != nullptr;
}

const RegistryValue* RegistryHive::FindValue(const std::vector<std::string>& keyPath, std::string_view name) const {
  const RegistryValue* found = nullptr;
  for (const HiveSection& section : document_.sections) {
    if (!Matches(section, keyPath)) continue;
    for (const HiveEntry& entry : section.entries)
      if (entry.value && SjisEqualIgnoringCase(entry.value->name, name)) found = &*entry.value;
  }
  return found;
}

void RegistryHive::SetValue(const std::vector<std::string>& keyPath, RegistryValue value) {
  if (!readable_) return;
  HiveEntry* found = nullptr;
  HiveSection* home = nullptr;
  for (HiveSection& section : document_.sections) {
    if (!Matches(section, keyPath)) continue;
    home = &section;
    for (HiveEntry& entry : section.entries)
      if (entry.value && SjisEqualIgnoringCase(entry.value->name, value.name)) found = &entry;
  }
  if (found != nullptr) {
    dirty_ = true;
    value.name = found->value->name;  // the spelling already in the file stays
    found->value = std::move(value);
    found->rewritten = true;
    return;
  }
  // A key that exists only as the parent of other keys, or not yet, gets its own section.
  if (home == nullptr && (home = AddSection(keyPath)) == nullptr) return;
  EndLastLine();
  // New values go after the section's last non-blank line, so the blank separator stays.
  auto insertAt = home->entries.end();
  while (insertAt != home->entries.begin() && IsBlankEntry(*(insertAt - 1))) --insertAt;
  home->entries.insert(insertAt, HiveEntry{std::string(), std::move(value), true});
  dirty_ = true;
}

bool RegistryHive::DeleteValue(const std::vector<std::string>& keyPath, std::string_view name) {
  if (!readable_) return false;
  bool deleted = false;
  for (HiveSection& section : document_.sections) {
    if (!Matches(section, keyPath)) continue;
    std::erase_if(section.entries, [&](const HiveEntry& entry) {
      bool match = entry.value && SjisEqualIgnoringCase(entry.value->name, name);
      deleted = deleted || match;
      return match;
    });
  }
  dirty_ = dirty_ || deleted;
  return deleted;
}

LONG RegistryHive::Save() {
  if (!readable_) return ERROR_REGISTRY_CORRUPT;
  if (!dirty_) return ERROR_SUCCESS;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(fileSystemPath_).parent_path(), ignored);
  std::string text = HiveText(document_);
  int error = WriteFileAtomically(fileSystemPath_, text);
  if (error != 0) return error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED : ERROR_WRITE_FAULT;
  // Reparse what was written so that rewritten values keep their new text from now on.
  ParseHiveText(text, rootName_, document_);
  dirty_ = false;
  loadedIdentity_ = CurrentIdentity();
  return ERROR_SUCCESS;
}

}  // namespace lexiv::platform
