// lexiv: the talking dictionary on the terminal.
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/directory_record.h"
#include "app/lexiv_app.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/terminal/terminal_driver.h"

int main(int argc, char** argv) {
  using namespace lexiv;
  platform::TerminalDriver driver;
  std::string error;
  if (driver.Start(&error) != 0) {
    std::fprintf(stderr, "lexiv: %s\n", error.c_str());
    return 2;
  }
  platform::UiThread ui{driver};
  // Lookups from other programs, single instance and the hook all work through the session; a
  // program that cannot join one says why in its log and works on alone.
  platform::JoinSession("lexiv");
  LexivApp app(RunningExecutablePath());
  return app.Run(JoinCommandLine(argc, argv));
}
