#include "engine/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

namespace lexiv {

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(std::exchange(other.size_, 0)), held_(std::move(other.held_)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    size_ = std::exchange(other.size_, 0);
    held_ = std::move(other.held_);
  }
  return *this;
}

bool ReadOnlyFile::Open(const std::string& path) {
  Close();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = st.st_size;
  return true;
}

void ReadOnlyFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
  held_.reset();
}

std::int64_t ReadOnlyFile::ReadAt(std::int64_t offset, void* buffer, std::size_t length) const {
  if (fd_ < 0 || offset < 0 || offset > size_) return -1;
  if (held_) {
    auto available = static_cast<std::size_t>(size_ - offset);
    std::size_t n = length < available ? length : available;
    if (n > 0) std::memcpy(buffer, held_.get() + offset, n);
    return static_cast<std::int64_t>(n);
  }
  std::size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < length) {
    ssize_t n = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<std::int64_t>(done);
}

bool ReadOnlyFile::HoldInMemory() {
  if (held_) return true;
  if (fd_ < 0) return false;
  auto bytes = static_cast<std::size_t>(size_);
  std::unique_ptr<unsigned char[]> whole(new (std::nothrow) unsigned char[bytes > 0 ? bytes : 1]);
  if (!whole || ReadAt(0, whole.get(), bytes) != size_) return false;
  held_ = std::move(whole);
  return true;
}

}  // namespace lexiv
