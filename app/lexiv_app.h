// The application object: start-up in its order (speech bridge, directories and settings, the
// reader's settings, the display state, the main window and its dictionary, showing the window)
// and shutdown in its order (the settings saved and the goodbye said only after a complete start,
// then the speech bridge released). A failed start tells the user when the window or dictionary
// could not be had, saves nothing and says no goodbye.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/application_state.h"
#include "app/main_frame.h"
#include "app/yomigo_doc.h"

namespace lexiv {

inline constexpr char kDictionaryFailureMessage[] = "辞書の初期化に失敗しました。\n国語辞典を終了します。";

class LexivApp {
 public:
  // executablePath: where the running program lies (its directory is the product directory).
  explicit LexivApp(std::string executablePath);
  ~LexivApp();
  LexivApp(const LexivApp&) = delete;
  LexivApp& operator=(const LexivApp&) = delete;

  // 0 when the main window is shown and the message loop may run, -1 when the start failed.
  int Start(std::string_view commandLine);
  // Runs once; also after a failed start.
  void Shutdown();
  // Start, the message loop, Shutdown; the process's exit status.
  int Run(std::string_view commandLine);

  ApplicationState& state() { return state_; }
  CMainFrame* mainFrame() { return frame_.get(); }

 private:
  std::string executablePath_;
  ApplicationState state_;
  std::unique_ptr<CYOMIGODoc> document_;
  std::unique_ptr<CMainFrame> frame_;
  bool speechBound_ = false;
  bool shutDown_ = false;
};

}  // namespace lexiv
