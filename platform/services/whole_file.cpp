#include "platform/services/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lexiv::platform {
namespace {

bool interruptBeforeRename = false;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int Close() {
    int result = 0;
    if (fd_ >= 0) result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

int WriteAll(int fd, std::string_view contents) {
  std::size_t written = 0;
  while (written < contents.size()) {
    ssize_t n = ::write(fd, contents.data() + written, contents.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    written += static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

void InterruptAtomicWritesBeforeRename(bool interrupt) { interruptBeforeRename = interrupt; }

int WriteFileAtomically(const std::string& fileSystemPath, std::string_view contents) {
  std::string directory = DirectoryOf(fileSystemPath);
  std::string name = fileSystemPath.substr(fileSystemPath.rfind('/') + 1);
  std::string temporaryPath = directory + "/." + name + ".tmp-XXXXXX";

  mode_t mode = 0644;
  struct stat existing {};
  if (::stat(fileSystemPath.c_str(), &existing) == 0) mode = existing.st_mode & 07777;

  FileDescriptor file(::mkstemp(temporaryPath.data()));
  if (file.get() < 0) return errno;
  auto fail = [&](int error) {
    file.Close();
    ::unlink(temporaryPath.c_str());
    return error;
  };
  if (int error = WriteAll(file.get(), contents)) return fail(error);
  if (::fchmod(file.get(), mode) != 0) return fail(errno);
  if (::fsync(file.get()) != 0) return fail(errno);
  if (file.Close() != 0) return fail(errno);
  if (interruptBeforeRename) return ECANCELED;
  if (::rename(temporaryPath.c_str(), fileSystemPath.c_str()) != 0) {
    int error = errno;
    ::unlink(temporaryPath.c_str());
    return error;
  }
  // The rename itself is durable only once the directory is flushed.
  FileDescriptor directoryHandle(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directoryHandle.get() >= 0) ::fsync(directoryHandle.get());
  return 0;
}

int ReadWholeFile(const std::string& fileSystemPath, std::size_t maxBytes, std::string& contents) {
  FileDescriptor file(::open(fileSystemPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return errno;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  std::string result;
  char chunk[16384];
  for (;;) {
    ssize_t n = ::read(file.get(), chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    if (result.size() + static_cast<std::size_t>(n) > maxBytes) return EFBIG;
    result.append(chunk, static_cast<std::size_t>(n));
  }
  contents = std::move(result);
  return 0;
}

}  // namespace lexiv::platform
