// The call log named by VOXA_LOG: one UTF-8 line per call, Name<TAB>argument<TAB>...
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexiv::reader {

class LogLine {
 public:
  explicit LogLine(std::string_view name) : line_(name) {}
  LogLine& Text(const char* sjis);  // a null text is written as (null)
  LogLine& Decimal(std::intptr_t value);
  LogLine& Hex(std::intptr_t value);  // status kinds and values: 0x20002
  const std::string& str() const { return line_; }

 private:
  std::string line_;
};

// The file VOXA_LOG names, or empty: looked up on every call, so a test may change it.
std::string LogPath();
inline bool Logging() { return !LogPath().empty(); }
// Appends the line and a line feed with one write, so lines from two libraries never mix.
// Failures are ignored: the log must never disturb the program.
void AppendLog(const LogLine& line);

}  // namespace lexiv::reader
