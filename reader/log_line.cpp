#include "log_line.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "program_text.h"

namespace lexiv::reader {

LogLine& LogLine::Text(const char* sjis) {
  line_ += '\t';
  line_ += sjis == nullptr ? std::string("(null)") : LogText(sjis);
  return *this;
}

LogLine& LogLine::Decimal(std::intptr_t value) {
  line_ += '\t';
  line_ += std::to_string(value);
  return *this;
}

LogLine& LogLine::Hex(std::intptr_t value) {
  char buffer[32];
  if (value < 0)
    std::snprintf(buffer, sizeof buffer, "-0x%jX", static_cast<std::uintmax_t>(-static_cast<std::intmax_t>(value)));
  else
    std::snprintf(buffer, sizeof buffer, "0x%jX", static_cast<std::uintmax_t>(value));
  line_ += '\t';
  line_ += buffer;
  return *this;
}

std::string LogPath() {
  const char* path = std::getenv("VOXA_LOG");
  return path != nullptr ? std::string(path) : std::string();
}

void AppendLog(const LogLine& line) {
  const std::string path = LogPath();
  if (path.empty()) return;
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  const std::string text = line.str() + '\n';
  const ssize_t written = ::write(fd, text.data(), text.size());
  (void)written;
  ::close(fd);
}

}  // namespace lexiv::reader
