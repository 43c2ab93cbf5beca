#include "app/command_line.h"

#include "platform/services/shift_jis_text.h"

namespace lexiv {

CommandLineOptions ParseCommandLine(std::string_view commandLine) {
  CommandLineOptions options;
  std::size_t bytePos = 0;
  while (bytePos < commandLine.size()) {
    const std::string_view rest = commandLine.substr(bytePos);
    if (rest == "/APP") options.suppressAnnouncement = true;
    if (rest == "/MINIMIZE") options.minimize = true;
    while (bytePos < commandLine.size() && commandLine[bytePos] != ' ')
      bytePos += platform::SjisCharBytesAt(commandLine, bytePos);
    if (bytePos < commandLine.size()) ++bytePos;
  }
  return options;
}

std::string JoinCommandLine(int argc, const char* const* argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) line += ' ';
    line += argv[i];
  }
  return line;
}

}  // namespace lexiv
