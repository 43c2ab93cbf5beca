// The application object: start-up in its order (the single-instance test, speech bridge,
// directories and settings, the hot keys, the hook library, the reader's settings, the display
// state, the main window and its dictionary, publishing the window to other programs and
// installing the hook, showing the window) and shutdown in its order (the hook removed, the
// settings saved and the goodbye said only after a complete start, the speech bridge released,
// the shared block let go). A failed start tells the user when the block, window or dictionary
// could not be had, saves nothing and says no goodbye; a copy that finds another running brings
// that one forward and ends without a word.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/application_state.h"
#include "app/main_frame.h"
#include "app/yomigo_doc.h"
#include "lookup/hook_binding.h"
#include "lookup/process_block.h"
#include "lookup/tmux_key_bindings.h"

namespace lexiv {

inline constexpr char kStartFailureMessage[] = "国語辞典の起動に失敗しました。\n国語辞典を終了します。";
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
  const lookup::HookBinding& hookBinding() const { return hook_; }

 private:
  void BindTmuxKeys();

  std::string executablePath_;
  ApplicationState state_;
  std::unique_ptr<CYOMIGODoc> document_;
  std::unique_ptr<CMainFrame> frame_;
  lookup::ProcessBlock processBlock_;
  lookup::HookBinding hook_;
  // Inside tmux: the hot keys for the panes that run none of our programs.
  lookup::TmuxKeyBindings tmuxKeys_;
  bool speechBound_ = false;
  bool shutDown_ = false;
};

}  // namespace lexiv
