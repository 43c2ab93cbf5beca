// One hive: a registry root kept in one file, loaded whole and written whole.
//
// A hive whose file does not exist is empty and is created by its first save. A hive whose file
// exists but cannot be read, or is not a REGEDIT4 file, is unreadable: it shows no keys, refuses
// every change and is never written, so a file we do not understand is never replaced by less.
// Saving goes through an atomic replacement (see whole_file.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services/registry_format.h"
#include "platform/services/registry_types.h"

namespace lexiv::platform {

class RegistryHive {
 public:
  RegistryHive(std::string rootName, std::string fileSystemPath);

  // Reads the file afresh, dropping what is in memory. Returns ERROR_SUCCESS (also for a missing
  // file), ERROR_REGISTRY_IO_FAILED when it cannot be read, ERROR_REGISTRY_CORRUPT when it is not
  // a hive file; after an error the hive is unreadable.
  LONG Load();
  // Whether the file is no longer the one loaded or saved last (another program changed it).
  bool ChangedOnDisk() const;

  bool readable() const { return readable_; }
  bool dirty() const { return dirty_; }
  // Why the hive is unreadable, for the user; empty when it is readable.
  const std::string& problem() const { return problem_; }
  const std::string& fileSystemPath() const { return fileSystemPath_; }

  // Keys exist when a section names them or a key below them (the root always exists).
  bool KeyExists(const std::vector<std::string>& keyPath) const;
  // Creates the key's section when the key does not exist yet; returns whether it did.
  bool CreateKey(const std::vector<std::string>& keyPath);
  // The value, or null; names compare without case. When a value appears more than once, the
  // last one counts, as it would when the file is imported.
  const RegistryValue* FindValue(const std::vector<std::string>& keyPath, std::string_view name) const;
  void SetValue(const std::vector<std::string>& keyPath, RegistryValue value);
  // Removes every line of the value; returns whether there was one.
  bool DeleteValue(const std::vector<std::string>& keyPath, std::string_view name);

  // Writes the hive when it has changes, creating its directory if needed. Returns
  // ERROR_SUCCESS, ERROR_REGISTRY_CORRUPT for an unreadable hive (nothing is written),
  // ERROR_ACCESS_DENIED or ERROR_WRITE_FAULT; after a failure the changes stay in memory.
  LONG Save();

 private:
  struct FileIdentity {
    bool exists = false;
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
  };
  FileIdentity CurrentIdentity() const;
  bool Matches(const HiveSection& section, const std::vector<std::string>& keyPath) const;
  // Appends a section for the key after a blank line; null when the key cannot be written.
  HiveSection* AddSection(const std::vector<std::string>& keyPath);
  // Gives the file's last line its ending before anything is added after it.
  void EndLastLine();

  std::string rootName_;
  std::string fileSystemPath_;
  HiveDocument document_;
  FileIdentity loadedIdentity_;
  bool readable_ = true;
  bool dirty_ = false;
  std::string problem_;
};

}  // namespace lexiv::platform
