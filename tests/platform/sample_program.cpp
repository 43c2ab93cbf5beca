#include "sample_program.h"

#include "platform/core/accelerators.h"
#include "platform/core/drop_target.h"
#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/messages.h"
#include "platform/core/string_table.h"
#include "platform/core/timers.h"
#include "platform/core/window_functions.h"
#include "platform/services/clipboard.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::testing {

class SampleLabel : public Window {
 public:
  std::string_view ClassName() const override { return "SampleLabel"; }
};

// Shows the characters typed into it; Backspace removes the last one.
class SamplePad : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "SamplePad"; }

 private:
  LRESULT OnChar(WPARAM wParam, LPARAM) {
    std::string text = WindowText(hwnd());
    if (wParam == 0x08) {
      // Remove the last character, both bytes of a double-byte one.
      std::size_t last = 0;
      for (std::size_t i = 0; i < text.size(); i += SjisCharBytesAt(text, i)) last = i;
      text.resize(last);
    } else if (wParam >= 0x20) {
      text += static_cast<char>(wParam);
    }
    SetWindowText(hwnd(), text.c_str());
    return 0;
  }
};

class SampleDropTarget : public DropTarget {
 public:
  explicit SampleDropTarget(HWND label) : label_(label) {}
  DWORD DragEnter(const DataObject& data, DWORD allowed) override {
    return data.Has(CF_TEXT) && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }
  DWORD Drop(const DataObject& data, DWORD effect) override {
    SetWindowText(label_, data.Get(CF_TEXT).c_str());
    return effect;
  }

 private:
  HWND label_;
};

const MessageMap& SamplePad::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<SamplePad>(Window::ClassMessageMap()).On(WM_CHAR, &SamplePad::OnChar);
  return map;
}

const MessageMap& SampleFrame::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<SampleFrame>(FrameWindow::ClassMessageMap())
                                    .On(WM_TIMER, &SampleFrame::OnTimer)
                                    .On(WM_SETFOCUS, &SampleFrame::OnSetFocus)
                                    .On(WM_DESTROY, &SampleFrame::OnDestroy)
                                    .OnCommand(kCmdGreet, &SampleFrame::OnGreet)
                                    .OnUpdateCommand(kCmdGreet, &SampleFrame::OnUpdateGreet)
                                    .OnCommand(kCmdClear, &SampleFrame::OnClear)
                                    .OnCommand(kCmdLock, &SampleFrame::OnLock)
                                    .OnUpdateCommand(kCmdLock, &SampleFrame::OnUpdateLock)
                                    .OnCommand(kCmdTimer, &SampleFrame::OnTimerCommand)
                                    .OnCommand(kCmdExit, &SampleFrame::OnExit)
                                    .OnCommand(kCmdCopy, &SampleFrame::OnCopy)
                                    .OnCommand(kCmdWait, &SampleFrame::OnWait);
  return map;
}

SampleFrame::SampleFrame() = default;
SampleFrame::~SampleFrame() {
  if (hwnd()) DestroyWindow(hwnd());
}

HWND SampleFrame::label() const { return label_->hwnd(); }
HWND SampleFrame::pad() const { return pad_->hwnd(); }
HWND SampleFrame::status() const { return status_->hwnd(); }

bool SampleFrame::CreateSample() {
  const HMENU operations = CreatePopupMenu();
  AppendMenu(operations, MF_STRING, kCmdGreet, "挨拶(&G)\tCtrl+G");
  AppendMenu(operations, MF_STRING, kCmdClear, "消去(&C)\tCtrl+Shift+F11");
  AppendMenu(operations, MF_STRING, kCmdCopy, "コピー(&P)\tCtrl+C");
  AppendMenu(operations, MF_SEPARATOR, 0, nullptr);
  AppendMenu(operations, MF_STRING, kCmdUnhandled, "未実装(&U)");
  AppendMenu(operations, MF_STRING, kCmdLock, "固定(&L)\tF2");
  AppendMenu(operations, MF_SEPARATOR, 0, nullptr);
  AppendMenu(operations, MF_STRING, kCmdExit, "終了(&X)");
  const HMENU view = CreatePopupMenu();
  AppendMenu(view, MF_STRING, kCmdTimer, "時計(&T)\tF5");
  AppendMenu(view, MF_STRING, kCmdWait, "待機(&W)\tF6");
  const HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, ToWParam(operations), "操作(&F)");
  AppendMenu(bar, MF_POPUP, ToWParam(view), "表示(&V)");

  SetString(kCmdGreet, "挨拶します\n挨拶");
  SetString(kCmdClear, "表示を消します\n消去");
  SetString(kCmdLock, "挨拶を固定します\n固定");
  SetString(kCmdTimer, "半秒後に時刻を知らせます\n時計");

  CreateParams frame;
  frame.text = "見本";
  frame.style = WS_OVERLAPPEDWINDOW;
  frame.rect = RECT{0, 0, 400, 300};
  frame.menu = bar;
  if (!Create(frame)) return false;

  label_ = std::make_unique<SampleLabel>();
  pad_ = std::make_unique<SamplePad>();
  status_ = std::make_unique<Window>();
  CreateParams child;
  child.style = WS_CHILD | WS_VISIBLE;
  child.parent = hwnd();
  child.id = 1;
  child.rect = RECT{0, 0, 400, 20};
  if (!label_->Create(child)) return false;
  child.id = 2;
  child.rect = RECT{0, 20, 400, 260};
  if (!pad_->Create(child)) return false;
  child.id = 3;
  child.className = "SampleStatus";
  child.rect = RECT{0, 260, 400, 280};
  if (!status_->Create(child)) return false;
  SetMessageBar(status_->hwnd());

  const ACCEL keys[] = {
      {FVIRTKEY | FCONTROL, 'G', kCmdGreet},
      {FVIRTKEY | FCONTROL | FSHIFT, VK_F11, kCmdClear},
      {FVIRTKEY, VK_F2, kCmdLock},
      {FVIRTKEY, VK_F5, kCmdTimer},
      {FVIRTKEY | FCONTROL, 'C', kCmdCopy},
      {FVIRTKEY, VK_F6, kCmdWait},
  };
  SetAccelerators(CreateAcceleratorTable(keys, 6));
  dropTarget_ = std::make_unique<SampleDropTarget>(label_->hwnd());
  RegisterDragDrop(hwnd(), dropTarget_.get());
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetFocus(pad_->hwnd());
  return true;
}

LRESULT SampleFrame::OnSetFocus(WPARAM, LPARAM) {
  SetFocus(pad_->hwnd());
  return 0;
}

LRESULT SampleFrame::OnDestroy(WPARAM, LPARAM) {
  PostQuitMessage(0);
  return Default();
}

LRESULT SampleFrame::OnTimer(WPARAM wParam, LPARAM) {
  if (wParam != 1) return Default();
  KillTimer(hwnd(), 1);
  SetWindowText(label(), "時間です");
  return 0;
}

void SampleFrame::OnGreet() { SetWindowText(label(), "こんにちは"); }
void SampleFrame::OnUpdateGreet(CommandUI& ui) { ui.Enable(!locked_); }
void SampleFrame::OnClear() { SetWindowText(label(), ""); }
void SampleFrame::OnLock() { locked_ = !locked_; }
void SampleFrame::OnUpdateLock(CommandUI& ui) { ui.SetCheck(locked_ ? 1 : 0); }
void SampleFrame::OnTimerCommand() { SetTimer(hwnd(), 1, 500); }
void SampleFrame::OnCopy() {
  if (!OpenClipboard(hwnd())) return;
  EmptyClipboard();
  SetClipboardData(CF_TEXT, WindowText(label()));
  CloseClipboard();
}
// Waits as the program waits for speech: polling the queue, stopping at a waiting key-down.
void SampleFrame::OnWait() {
  const DWORD start = GetTickCount();
  for (;;) {
    Msg msg;
    if (PeekMessage(&msg, hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) {
      SetWindowText(label(), ("中断 " + std::to_string(GetTickCount() - start)).c_str());
      return;
    }
    if (GetTickCount() - start >= 1000) {
      SetWindowText(label(), "待機終了");
      return;
    }
  }
}

void SampleFrame::OnExit() { PostMessage(hwnd(), WM_CLOSE, 0, 0); }

}  // namespace lexiv::testing
