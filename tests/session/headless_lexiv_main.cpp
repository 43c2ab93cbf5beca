// The dictionary program as its own process on the headless driver, for the
// tests and benchmarks in which other programs of the session talk to it: it
// joins the session of LEXIV_SESSION_DIR, starts as lexiv does (so it loads the
// reader beside it and speaks to VOXA_LOG), writes its main window's handle to
// the file named by --ready, and serves the session until it is ended.
//
//   lexiv-headless [--ready FILE] [--as PATH] [COMMAND LINE...]
//
// --as: the program's path as it believes it (its directory is the product
// directory, where LEXIV.INI is read); by default the real one. Exit status 1
// when the start fails (for example a copy already runs, which is then brought
// forward), 2 for a usage error.
#include <cstring>
#include <string>

#include "app/directory_record.h"
#include "app/lexiv_app.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/headless/headless_driver.h"
#include "platform/services/whole_file.h"

int main(int argc, char **argv) {
  using namespace lexiv;
  std::string ready, as = RunningExecutablePath(), commandLine = "lexiv";
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--ready") == 0 && hasValue) {
      ready = argv[++i];
    } else if (std::strcmp(argv[i], "--as") == 0 && hasValue) {
      as = argv[++i];
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      return 2;
    } else {
      commandLine += std::string(" ") + argv[i];
    }
  }
  platform::HeadlessDriver driver;
  driver.ServeSessionWhenIdle(true);
  platform::UiThread ui{driver};
  platform::JoinSession("lexiv");
  LexivApp app(as);
  if (app.Start(commandLine) != 0) {
    app.Shutdown();
    return 1;
  }
  if (!ready.empty() &&
      platform::WriteFileAtomically(
          ready, std::to_string(app.mainFrame()->hwnd().value) + "\n") != 0)
    return 2;
  platform::RunMessageLoop();
  app.Shutdown();
  return 0;
}
