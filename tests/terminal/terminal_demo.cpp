// The sample program of the platform tests on the terminal driver, for the end-to-end tests and
// for trying the driver by hand. Usage: terminal_demo [pid-file [--start PROGRAM ARGS...]]
// With --start, the program is started (StartProgram) once the window is up: a platform program
// then borrows this terminal when neither tmux nor a desktop is there.
#include <unistd.h>

#include <cstdio>
#include <string>

#include <vector>

#include "platform/core/idle.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/services/process_launcher.h"
#include "platform/terminal/terminal_driver.h"
#include "sample_program.h"

int main(int argc, char** argv) {
  using namespace lexiv::platform;
  TerminalDriver driver;
  std::string error;
  if (driver.Start(&error) != 0) {
    std::fprintf(stderr, "terminal_demo: %s\n", error.c_str());
    return 2;
  }
  if (argc > 1) {
    if (std::FILE* f = std::fopen(argv[1], "w")) {
      std::fprintf(f, "%d\n", static_cast<int>(getpid()));
      std::fclose(f);
    }
  }
  UiThread ui{driver};
  lexiv::testing::SampleFrame frame;
  if (!frame.CreateSample()) return 1;
  ShowWindow(frame.hwnd(), SW_MAXIMIZE);
  std::vector<std::string> start;
  if (argc > 3 && std::string(argv[2]) == "--start") start.assign(argv + 3, argv + argc);
  IdleHandler startOnce([&start] {
    if (start.empty()) return;
    const std::vector<std::string> program = std::move(start);
    start.clear();
    StartProgram(program);
  });
  const int code = RunMessageLoop();
  return code < 0 ? 0 : code;
}
