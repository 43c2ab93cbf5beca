#include "views/search_box.h"

#include "access/speech.h"
#include "platform/controls/control_colors.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "views/caption_bar.h"
#include "views/title_view.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

std::string ReadingAnnouncement(const std::string& text) {
  std::string words = "読み方";
  words += access::kPhraseSeparator;
  return words + text;
}

}  // namespace

const MessageMap& CSearchBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CSearchBox>(EditControl::ClassMessageMap())
                                    .On(WM_SEARCHBOX_ENTER, &CSearchBox::OnEnter)
                                    .On(WM_SEARCHBOX_ESCAPE, &CSearchBox::OnEscape)
                                    .On(WM_RBUTTONDOWN, &CSearchBox::OnRightButtonDown)
                                    .On(WM_SETFOCUS, &CSearchBox::OnSetFocus)
                                    .On(WM_CTLCOLOREDIT, &CSearchBox::OnControlColor);
  return map;
}

void CSearchBox::SelectAll() {
  SendMessage(hwnd(), EM_SETSEL, 0, -1);
  SendMessage(hwnd(), EM_SCROLLCARET, 0, 0);
}

void CSearchBox::RunEnterAction() {
  const std::string text = WindowText(hwnd());
  if (text.empty()) {
    MessageBeep(0xFFFFFFFF);
    return;
  }
  CTitleView* list = frame_.TitleView();
  if (list == nullptr) return;
  // With hits the focus is in the list by now; otherwise the list has said why, and the box
  // says what it holds once that has been heard.
  if (list->ShowSearchResults(text, 0, 1) == 0) return;
  SelectAll();
  access::WaitSpeechEnd(hwnd());
  access::SpeakNow(ReadingAnnouncement(text));
}

void CSearchBox::RunEscapeAction() {
  if (CTitleView* list = frame_.TitleView())
    list->ReturnToMeaning();
  else
    frame_.Exit();
}

bool CSearchBox::PreTranslateMessage(Msg& msg) {
  if (msg.message == WM_KEYDOWN && msg.hwnd == hwnd()) {
    switch (msg.wParam) {
      case VK_ESCAPE:
        SendMessage(hwnd(), WM_SEARCHBOX_ESCAPE, 0, 0);
        return true;
      case VK_RETURN:
        SendMessage(hwnd(), WM_SEARCHBOX_ENTER, 0, 0);
        return true;
      case 'V':
        if (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0) {
          SendMessage(hwnd(), WM_PASTE, 0, 0);
          return true;
        }
        break;
      default:
        break;
    }
  }
  return EditControl::PreTranslateMessage(msg);
}

LRESULT CSearchBox::OnEnter(WPARAM, LPARAM) {
  RunEnterAction();
  return 0;
}

LRESULT CSearchBox::OnEscape(WPARAM, LPARAM) {
  RunEscapeAction();
  return 0;
}

LRESULT CSearchBox::OnRightButtonDown(WPARAM, LPARAM) {
  RunEscapeAction();
  return 0;
}

LRESULT CSearchBox::OnSetFocus(WPARAM, LPARAM) {
  const HWND main = frame_.MainWindow();
  if (!main || !IsWindow(main)) return Default();
  const LRESULT result = Default();
  SelectAll();
  if (CCaptionBar* caption = frame_.CaptionBar()) caption->RefreshCaptions();
  FrameFlags& flags = frame_.Flags();
  if (flags.activation == 1) {
    // Right after a start asked to stay quiet the box says nothing, and the next pane to gain
    // the focus still counts as the first.
    if (frame_.SuppressAnnouncement()) {
      frame_.SuppressAnnouncement() = 0;
      return result;
    }
    if (GetForegroundWindow() != main) SetForegroundWindow(main);
    flags.activation = 0;
  }
  frame_.Speech().PostSpeech(ReadingAnnouncement(WindowText(hwnd())), 0, 0);
  return result;
}

LRESULT CSearchBox::OnControlColor(WPARAM wParam, LPARAM lParam) {
  auto* colors = reinterpret_cast<ControlColors*>(wParam);
  if (colors == nullptr || HwndFromParam(lParam) != hwnd()) return 0;
  const ColorPair scheme = frame_.Display().ControlColors();
  colors->text = scheme.text;
  colors->background = scheme.background;
  return 1;
}

}  // namespace lexiv
