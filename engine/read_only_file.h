// A dictionary file held open read-only for the life of the engine. Reads name their offset
// (pread), so no operation depends on a file position left behind by another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lexiv {

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;

  // Opens the file and records its size. Returns false when it cannot be opened or is not a
  // regular file.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  // Size when opened; the dictionary is read-only while the program runs.
  std::int64_t Size() const { return size_; }
  // Reads up to length bytes at offset; returns the number of bytes read, or -1 on an error or an
  // offset outside the file.
  std::int64_t ReadAt(std::int64_t offset, void* buffer, std::size_t length) const;

 private:
  int fd_ = -1;
  std::int64_t size_ = 0;
};

}  // namespace lexiv
