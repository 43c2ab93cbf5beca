// A dictionary file held open read-only for the life of the engine. Reads name their offset
// (pread), so no operation depends on a file position left behind by another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

  // Reads the whole file into memory, so that later reads are copies from memory and Bytes()
  // can be read in place: for a caller about to make many reads all over the file. False (and
  // nothing held) when the file cannot be read whole or memory runs out; reads then go to the
  // file as before. Held bytes are freed by Close.
  bool HoldInMemory();
  // The whole file when held in memory (Size() bytes), else nullptr.
  const unsigned char* Bytes() const { return held_.get(); }

 private:
  int fd_ = -1;
  std::int64_t size_ = 0;
  std::unique_ptr<unsigned char[]> held_;
};

}  // namespace lexiv
