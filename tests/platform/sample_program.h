// A small program on the platform for scenario tests: a frame with a menu bar, an accelerator
// table, a status line showing command prompts, a label whose text the commands change, and a
// pad that shows what is typed into it. Text dropped on the frame goes into the label. Closing
// the frame ends the program (WM_QUIT).
#pragma once

#include <memory>

#include "platform/core/frame_window.h"
#include "platform/win_types.h"

namespace lexiv::testing {

using namespace lexiv::platform;

enum SampleCommand : UINT {
  kCmdGreet = 100,      // 操作 > 挨拶 (Ctrl+G): the label says こんにちは
  kCmdClear = 101,      // 操作 > 消去 (Ctrl+Shift+F11): the label is emptied
  kCmdUnhandled = 102,  // 操作 > 未実装: no handler, so always gray
  kCmdLock = 103,       // 操作 > 固定 (F2): toggles the lock; while locked 挨拶 is gray
  kCmdTimer = 110,      // 表示 > 時計 (F5): after 500 ms the label says 時間です
  kCmdExit = 111,       // 操作 > 終了: closes the frame
  kCmdCopy = 104,       // 操作 > コピー (Ctrl+C): the label's text to the clipboard
  kCmdWait = 112,       // 表示 > 待機 (F6): a busy wait of a second that a key-down ends early
};

class SampleLabel;
class SamplePad;
class SampleDropTarget;

class SampleFrame : public FrameWindow {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  SampleFrame();
  ~SampleFrame() override;
  // Creates the windows, the menu, the accelerators and the prompts; shows and focuses the pad.
  bool CreateSample();

  HWND label() const;
  HWND pad() const;
  HWND status() const;
  bool locked() const { return locked_; }

 private:
  LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
  void OnGreet();
  void OnUpdateGreet(CommandUI& ui);
  void OnClear();
  void OnLock();
  void OnUpdateLock(CommandUI& ui);
  void OnTimerCommand();
  void OnExit();
  void OnCopy();
  void OnWait();

  std::unique_ptr<SampleLabel> label_;
  std::unique_ptr<SamplePad> pad_;
  std::unique_ptr<Window> status_;
  std::unique_ptr<SampleDropTarget> dropTarget_;
  bool locked_ = false;
};

}  // namespace lexiv::testing
