// lexiv-query: command-line search and entry display over a dictionary directory. The whole
// command lives here so that tests can run it in-process; query_main.cpp only wires the streams.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lexiv {

// Exit statuses: 0 success, 1 a usage error, 2 a missing or unreadable dictionary.
// defaultDictDir is used when --dict is not given.
int RunQuery(const std::vector<std::string>& args, const std::string& defaultDictDir, std::istream& in,
             std::ostream& out, std::ostream& err);

}  // namespace lexiv
