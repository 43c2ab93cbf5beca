// The entry points of libbrixusr.so. Calls are written to the VOXA_LOG log like the screen
// reader's, except the polling BrixStatus and BrixGetStatus.
#include "brixusr.h"

#include <map>
#include <string>

#include "braille_display.h"
#include "log_line.h"
#include "program_text.h"

using lexiv::reader::AppendLog;
using lexiv::reader::LogLine;

namespace {

struct BrailleState {
  lexiv::reader::BrailleDisplay display;
  std::string commandFile;       // the program's braille command file
  std::string roundCommandFile;
  std::map<int, int> status;
};

BrailleState& State() {
  static BrailleState state;
  return state;
}

}  // namespace

#define BRIX_EXPORT extern "C" __attribute__((visibility("default")))

BRIX_EXPORT int CallEvents(int event) {
  AppendLog(LogLine("CallEvents").Decimal(event));
  return 0;
}

BRIX_EXPORT int SetEventBrlCommand(const char* commandFilePath) {
  AppendLog(LogLine("SetEventBrlCommand").Text(commandFilePath));
  State().commandFile = commandFilePath != nullptr ? commandFilePath : "";
  return 0;
}

BRIX_EXPORT int SetEventRoundCommand(const char* commandFilePath) {
  AppendLog(LogLine("SetEventRoundCommand").Text(commandFilePath));
  State().roundCommandFile = commandFilePath != nullptr ? commandFilePath : "";
  return 0;
}

BRIX_EXPORT int BrixStatus(void) { return State().display.Open() ? 1 : 0; }

BRIX_EXPORT int BrixSendCommand(const char* command) {
  AppendLog(LogLine("BrixSendCommand").Text(command));
  return 0;
}

BRIX_EXPORT int BrixGetStatus(int kind) {
  const auto it = State().status.find(kind);
  return it == State().status.end() ? 0 : it->second;
}

BRIX_EXPORT int BrixSetStatus(int kind, int value) {
  AppendLog(LogLine("BrixSetStatus").Hex(kind).Hex(value));
  int& slot = State().status[kind];
  const int previous = slot;
  slot = value;
  return previous;
}

// Not part of the driver's interface: the command file kept, for whoever asks (its length; the
// path cut to fit at a character boundary and terminated).
BRIX_EXPORT int BrixGetCommandFile(char* buffer, int bufferSize) {
  const std::string& path = State().commandFile;
  if (buffer == nullptr || bufferSize <= 0) return static_cast<int>(path.size());
  std::size_t length = 0;
  while (length < path.size()) {
    const std::size_t next = length + static_cast<std::size_t>(lexiv::reader::ShiftJisCharLength(std::string_view(path).substr(length)));
    if (next + 1 > static_cast<std::size_t>(bufferSize)) break;
    length = next;
  }
  path.copy(buffer, length);
  buffer[length] = '\0';
  return static_cast<int>(path.size());
}

// Not part of the driver's interface: the screen-reader stand-in hands over what it says.
BRIX_EXPORT int BrixShowText(const char* text) {
  if (text != nullptr) State().display.Show(text);
  return 0;
}
