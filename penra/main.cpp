// penra: a small talking text editor on the terminal.
#include <cstdio>
#include <string>
#include <vector>

#include "penra/editor_voice.h"
#include "penra/editor_window.h"
#include "penra/penra_options.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/services/shift_jis_text.h"
#include "platform/terminal/terminal_driver.h"

int main(int argc, char** argv) {
  using namespace lexiv;
  std::vector<std::string> arguments;
  // Arguments arrive in the file system's spelling; the program works in its own.
  for (int i = 1; i < argc; ++i) arguments.push_back(platform::ProgramName(argv[i]));
  const penra::PenraOptions options = penra::ParsePenraArguments(arguments);

  platform::TerminalDriver driver;
  std::string error;
  if (driver.Start(&error) != 0) {
    std::fprintf(stderr, "penra: %s\n", error.c_str());
    return 2;
  }
  platform::UiThread ui{driver};
  // In the session, the dictionary's hot keys reach the editor through the hook it installs.
  platform::JoinSession("penra");
  penra::ScreenReaderVoice voice;
  penra::EditorWindow editor(options, voice);
  if (!editor.Open()) {
    std::fprintf(stderr, "penra: the window cannot be made\n");
    return 2;
  }
  const int result = platform::RunMessageLoop();
  return result < 0 ? 0 : result;
}
