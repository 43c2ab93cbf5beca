#include "tools/query_descriptors.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace lexiv {
namespace {

constexpr std::size_t kChunkBytes = 1 << 16;

// Writes all of bytes to fd; false on an error.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool DescriptorStreams::Fill() {
  if (inputEnded_) return false;
  input_.erase(0, inputPos_);
  inputPos_ = 0;
  std::size_t had = input_.size();
  input_.resize(had + kChunkBytes);
  ssize_t n;
  do {
    n = ::read(in_, input_.data() + had, kChunkBytes);
  } while (n < 0 && errno == EINTR);
  input_.resize(had + (n > 0 ? static_cast<std::size_t>(n) : 0));
  if (n <= 0) inputEnded_ = true;
  return n > 0;
}

bool DescriptorStreams::ReadLine(std::string& line) {
  for (;;) {
    std::size_t end = input_.find('\n', inputPos_);
    if (end != std::string::npos) {
      line.assign(input_, inputPos_, end - inputPos_);
      inputPos_ = end + 1;
      return true;
    }
    if (!Fill()) break;
  }
  // A last line without a line feed is still a line.
  if (inputPos_ >= input_.size()) return false;
  line.assign(input_, inputPos_, std::string::npos);
  inputPos_ = input_.size();
  return true;
}

bool DescriptorStreams::InputReady() {
  if (input_.find('\n', inputPos_) != std::string::npos || inputEnded_) return true;
  pollfd p{in_, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0;
}

void DescriptorStreams::Write(std::string_view bytes) {
  output_ += bytes;
  if (output_.size() >= kChunkBytes) Flush();
}

void DescriptorStreams::Flush() {
  if (!outputFailed_ && !output_.empty() && !WriteAll(out_, output_)) outputFailed_ = true;
  output_.clear();
}

void DescriptorStreams::WriteError(std::string_view message) { WriteAll(err_, message); }

}  // namespace lexiv
