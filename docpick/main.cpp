// docpick: the manual viewer on the terminal.
#include <cstdio>
#include <string>

#include "docpick/docpick_form.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/terminal/terminal_driver.h"

int main() {
  using namespace lexiv;
  platform::TerminalDriver driver;
  std::string error;
  if (driver.Start(&error) != 0) {
    std::fprintf(stderr, "docpick: %s\n", error.c_str());
    return 2;
  }
  platform::UiThread ui{driver};
  // Opening a manual in the editor starts it in the session, beside us.
  platform::JoinSession("docpick");
  docpick::DocpickForm form;
  if (form.Start() != 0) return 1;
  return platform::RunMessageLoop();
}
