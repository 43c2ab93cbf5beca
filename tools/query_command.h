// lexiv-query: command-line search and entry display over a dictionary directory. The whole
// command lives here so that tests can run it in-process; query_main.cpp only wires the streams.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace lexiv {

// Where the command reads its keys (batch mode) and writes its output and errors. The program
// gives it its file descriptors (tools/query_descriptors.h), which keeps the C++ streams and
// their locale set-up out of a process that scripts start once per word; tests give it streams.
class QueryStreams {
 public:
  virtual ~QueryStreams() = default;
  // The next line of input without its line feed; false at the end of the input.
  virtual bool ReadLine(std::string& line) = 0;
  // Whether a line can be read now, without waiting for the writer.
  virtual bool InputReady() = 0;
  virtual void Write(std::string_view bytes) = 0;
  // Sends what was written so far on its way.
  virtual void Flush() = 0;
  virtual void WriteError(std::string_view message) = 0;
};

// Exit statuses: 0 success, 1 a usage error, 2 a missing or unreadable dictionary.
// defaultDictDir is used when --dict is not given.
int RunQuery(const std::vector<std::string>& args, const std::string& defaultDictDir, QueryStreams& streams);
// The same over C++ streams.
int RunQuery(const std::vector<std::string>& args, const std::string& defaultDictDir, std::istream& in,
             std::ostream& out, std::ostream& err);

}  // namespace lexiv
