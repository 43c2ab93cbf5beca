// The sample program of the platform tests on the terminal driver, for the end-to-end test and
// for trying the driver by hand. Usage: terminal_demo [pid-file]
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
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
  const int code = RunMessageLoop();
  return code < 0 ? 0 : code;
}
