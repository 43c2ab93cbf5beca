// lexiv-pane-lookup --session DIR --pane %N --key KEY --command 100|101: run by the dictionary's
// bindings in tmux's root key table when a hot key is pressed in a pane (hook/pane_lookup.h).
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hook/pane_lookup.h"
#include "platform/core/ui_thread.h"
#include "platform/headless/headless_driver.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto parsed = lexiv::hook::ParsePaneLookupArguments(arguments);
  if (!parsed) {
    std::fputs("usage: lexiv-pane-lookup --session DIR --pane %N --key KEY --command 100|101\n", stderr);
    return 2;
  }
  // tmux hands over UTF-8 and counts cells as the C library does in a UTF-8 locale.
  std::setlocale(LC_CTYPE, "C.UTF-8");
  setenv("LEXIV_SESSION_DIR", parsed->sessionDir.c_str(), 1);
  lexiv::platform::HeadlessDriver driver;
  lexiv::platform::UiThread ui{driver};
  return lexiv::hook::RunPaneLookup(*parsed);
}
