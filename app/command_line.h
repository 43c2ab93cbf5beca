// The program's two options: "/APP" (started by another program: no first announcement) and
// "/MINIMIZE" (start minimised). Each token's start is compared with the whole rest of the command
// line, byte for byte and with case, so an option counts only as the very last token.
#pragma once

#include <string>
#include <string_view>

namespace lexiv {

struct CommandLineOptions {
  bool suppressAnnouncement = false;  // "/APP"
  bool minimize = false;              // "/MINIMIZE"
};

CommandLineOptions ParseCommandLine(std::string_view commandLine);
// The arguments joined by single spaces, as one command line.
std::string JoinCommandLine(int argc, const char* const* argv);

}  // namespace lexiv
