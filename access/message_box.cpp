#include "access/message_box.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "access/base_dialog.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/static_control.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/font.h"
#include "platform/core/messages.h"
#include "platform/core/timers.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/services/text_positions.h"

namespace lexiv::access {

using namespace lexiv::platform;

namespace {

// One button of a set: its label and the answer it gives (0: none).
struct SetButton {
  const char* label;
  int answer;
};

struct ButtonSet {
  std::array<SetButton, 3> buttons;  // a null label: the button is hidden
  bool closeItemEnabled;
  int escapeAnswer;  // 0: Escape does nothing
};

const ButtonSet& ButtonSetOf(UINT type) {
  static const ButtonSet kSets[] = {
      {{{{"OK", IDOK}, {nullptr, 0}, {nullptr, 0}}}, false, IDOK},
      {{{{"OK", IDOK}, {"キャンセル", IDCANCEL}, {nullptr, 0}}}, true, IDCANCEL},
      {{{{"中止(&A)", IDABORT}, {"再試行(&R)", IDRETRY}, {"無視(&I)", IDIGNORE}}}, false, 0},
      {{{{"はい(&Y)", IDYES}, {"いいえ(&N)", IDNO}, {"キャンセル", IDCANCEL}}}, true, IDCANCEL},
      {{{{"はい(&Y)", IDYES}, {"いいえ(&N)", IDNO}, {nullptr, 0}}}, false, IDNO},
      {{{{"再試行(&R)", IDRETRY}, {"キャンセル", IDCANCEL}, {nullptr, 0}}}, true, IDCANCEL},
  };
  // Any other set shows a lone OK button; it answers IDOK, so the box can always be left.
  static const ButtonSet kOther{{{{"OK", IDOK}, {nullptr, 0}, {nullptr, 0}}}, true, 0};
  const UINT set = type & MB_TYPEMASK;
  return set < std::size(kSets) ? kSets[set] : kOther;
}

UINT StockIconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return 0;
  }
}

constexpr std::array<int, 3> kButtonIds{kMessageFirstButtonId, kMessageSecondButtonId, kMessageThirdButtonId};

// Sizes are dialog units of a font whose half-width character is one 8 by 16 pixel cell: a
// horizontal unit is a quarter of its width, a vertical one an eighth of its height.
constexpr int Dlu(int units) { return units * 2; }

RECT UnitRect(int x, int y, int width, int height) { return RECT{Dlu(x), Dlu(y), Dlu(x + width), Dlu(y + height)}; }

DialogControl Control(const char* className, const char* text, int id, DWORD style, RECT rect) {
  DialogControl control;
  control.className = className;
  control.text = text;
  control.id = static_cast<UINT>(id);
  control.style = WS_CHILD | WS_VISIBLE | style;
  control.rect = rect;
  return control;
}

DialogTemplate MessageDialogTemplate() {
  DialogTemplate description;
  description.caption = "ﾒｯｾｰｼﾞ";
  description.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  description.width = Dlu(186);
  description.height = Dlu(58);
  description.controls = {
      Control("Static", "", kMessageIconId, SS_ICON, UnitRect(10, 7, 20, 20)),
      Control("Static", "メッセージ", kMessageTextId, SS_LEFT | SS_NOPREFIX, UnitRect(40, 11, 136, 8)),
      Control("Button", "OK", kMessageFirstButtonId, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, UnitRect(8, 36, 50, 14)),
      Control("Button", "", kMessageSecondButtonId, BS_PUSHBUTTON | WS_TABSTOP, UnitRect(68, 36, 50, 14)),
      Control("Button", "", kMessageThirdButtonId, BS_PUSHBUTTON | WS_TABSTOP, UnitRect(128, 36, 50, 14)),
  };
  return description;
}

// The lines of a message, split at "\n".
std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

// Pixels a line takes in a font: a half-width character is half as wide as the font is high.
int LineWidthPx(std::string_view line, int fontHeightPx) {
  int cells = 0;
  for (std::size_t at = 0; at < line.size(); at += SjisCharBytesAt(line, at)) cells += CharCellsAt(line, at);
  return cells * fontHeightPx / 2;
}

RECT ChildRect(HWND dialog, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  POINT topLeft{rect.left, rect.top};
  ScreenToClient(dialog, &topLeft);
  return RECT{topLeft.x, topLeft.y, topLeft.x + rect.Width(), topLeft.y + rect.Height()};
}

void PlaceChild(HWND child, const RECT& rect) { MoveWindow(child, rect.left, rect.top, rect.Width(), rect.Height(), TRUE); }

class MessageDialog : public BaseDialog {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  MessageDialog(std::string_view text, std::string_view caption, UINT type, UINT timeoutMs)
      : BaseDialog(MessageDialogTemplate()), text_(text), caption_(caption), type_(type), timeoutMs_(timeoutMs) {}

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;

 private:
  const ButtonSet& Set() const { return ButtonSetOf(type_); }
  int DefaultButtonId() const;
  int VisibleButtonCount() const;
  void FitLayout(bool hasIcon);
  void Answer(int index);
  void OnFirstButton() { Answer(0); }
  void OnSecondButton() { Answer(1); }
  void OnThirdButton() { Answer(2); }
  LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
  LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

  std::string text_;
  std::string caption_;
  UINT type_;
  UINT timeoutMs_;
  UINT_PTR timer_ = 0;
};

const MessageMap& MessageDialog::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<MessageDialog>(BaseDialog::ClassMessageMap())
                                    .OnCommand(kMessageFirstButtonId, &MessageDialog::OnFirstButton)
                                    .OnCommand(kMessageSecondButtonId, &MessageDialog::OnSecondButton)
                                    .OnCommand(kMessageThirdButtonId, &MessageDialog::OnThirdButton)
                                    .On(WM_TIMER, &MessageDialog::OnTimer)
                                    .On(WM_DESTROY, &MessageDialog::OnDestroy);
  return map;
}

int MessageDialog::VisibleButtonCount() const {
  return static_cast<int>(std::count_if(Set().buttons.begin(), Set().buttons.end(), [](const SetButton& b) { return b.label != nullptr; }));
}

int MessageDialog::DefaultButtonId() const {
  const UINT set = type_ & MB_TYPEMASK;
  if (type_ & MB_DEFBUTTON2) return set == MB_OK ? kMessageFirstButtonId : kMessageSecondButtonId;
  if ((type_ & MB_DEFBUTTON3) && (set == MB_ABORTRETRYIGNORE || set == MB_YESNOCANCEL)) return kMessageThirdButtonId;
  return kMessageFirstButtonId;
}

BOOL MessageDialog::OnInitDialog() {
  const HWND self = hwnd();
  const UINT icon = StockIconOf(type_);
  const HWND iconControl = GetDlgItem(self, kMessageIconId);
  if (icon != 0)
    SendMessage(iconControl, STM_SETICON, icon, 0);
  else
    ShowWindow(iconControl, SW_HIDE);
  SetDlgItemText(self, kMessageTextId, text_.c_str());
  if (!caption_.empty()) SetWindowText(self, caption_.c_str());

  for (std::size_t i = 0; i < kButtonIds.size(); ++i) {
    const HWND button = GetDlgItem(self, kButtonIds[i]);
    const SetButton& b = Set().buttons[i];
    if (b.label != nullptr)
      SetWindowText(button, b.label);
    else
      ShowWindow(button, SW_HIDE);
  }
  EnableCloseItem(Set().closeItemEnabled);

  const int defaultId = DefaultButtonId();
  SendMessage(self, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
  SendMessage(self, WM_NEXTDLGCTL, ToWParam(GetDlgItem(self, defaultId)), TRUE);

  FitLayout(icon != 0);
  if (timeoutMs_ != 0) timer_ = SetTimer(self, kMessageTimeoutTimerId, timeoutMs_);
  return FALSE;
}

void MessageDialog::FitLayout(bool hasIcon) {
  const HWND self = hwnd();
  const HWND textControl = GetDlgItem(self, kMessageTextId);
  RECT textRect = ChildRect(self, textControl);
  if (!hasIcon) {
    const RECT iconRect = ChildRect(self, GetDlgItem(self, kMessageIconId));
    textRect = RECT{iconRect.left, textRect.top, iconRect.left + textRect.Width(), textRect.bottom};
  }
  const int fontHeightPx = FontPixelHeight(HFONT{static_cast<std::uint32_t>(SendMessage(textControl, WM_GETFONT, 0, 0))});
  const std::vector<std::string_view> lines = LinesOf(text_);
  int widestPx = 0;
  for (std::string_view line : lines) widestPx = std::max(widestPx, LineWidthPx(line, fontHeightPx));
  const int growX = std::max(0, widestPx - static_cast<int>(textRect.Width()));
  const int growY = std::max(0, fontHeightPx * static_cast<int>(lines.size()) - static_cast<int>(textRect.Height()));
  textRect.right += growX;
  textRect.bottom += growY;
  PlaceChild(textControl, textRect);
  if (growX == 0 && growY == 0 && VisibleButtonCount() == 3) return;

  RECT dialogRect;
  GetWindowRect(self, &dialogRect);
  if (growX != 0 || growY != 0) {
    // Grown about its centre, as it was centred, but kept on the screen.
    const RECT screen = Ui().driver.ScreenRect();
    const int width = dialogRect.Width() + growX;
    const int height = dialogRect.Height() + growY;
    const int left = std::max(static_cast<int>(screen.left), std::min(static_cast<int>(dialogRect.left) - growX / 2, static_cast<int>(screen.right) - width));
    const int top = std::max(static_cast<int>(screen.top), std::min(static_cast<int>(dialogRect.top) - growY / 2, static_cast<int>(screen.bottom) - height));
    MoveWindow(self, left, top, width, height, TRUE);
  }
  RECT client;
  GetClientRect(self, &client);
  const RECT first = ChildRect(self, GetDlgItem(self, kMessageFirstButtonId));
  int groupRight = first.right;
  for (std::size_t i = 0; i < kButtonIds.size(); ++i)
    if (Set().buttons[i].label != nullptr) groupRight = std::max(groupRight, static_cast<int>(ChildRect(self, GetDlgItem(self, kButtonIds[i])).right));
  const int shiftX = (client.Width() - (groupRight - first.left)) / 2 - first.left;
  for (std::size_t i = 0; i < kButtonIds.size(); ++i) {
    if (Set().buttons[i].label == nullptr) continue;
    const HWND button = GetDlgItem(self, kButtonIds[i]);
    const RECT at = ChildRect(self, button);
    PlaceChild(button, RECT{at.left + shiftX, at.top + growY, at.right + shiftX, at.bottom + growY});
  }
}

void MessageDialog::Answer(int index) {
  const int answer = Set().buttons[static_cast<std::size_t>(index)].answer;
  if (answer != 0) EndDialog(answer);
}

void MessageDialog::OnCancel() {
  if (Set().escapeAnswer != 0) EndDialog(Set().escapeAnswer);
}

LRESULT MessageDialog::OnTimer(WPARAM wParam, LPARAM) {
  if (wParam != kMessageTimeoutTimerId) return Default();
  const HWND self = hwnd();
  KillTimer(self, kMessageTimeoutTimerId);
  timer_ = 0;
  const LRESULT defId = SendMessage(self, DM_GETDEFID, 0, 0);
  if (HIWORD(static_cast<std::uintptr_t>(defId)) == DC_HASDEFID) {
    const WORD id = LOWORD(static_cast<std::uintptr_t>(defId));
    PostMessage(self, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ToLParam(GetDlgItem(self, id)));
  }
  return 0;
}

LRESULT MessageDialog::OnDestroy(WPARAM, LPARAM) {
  if (timer_ != 0) KillTimer(hwnd(), kMessageTimeoutTimerId);
  timer_ = 0;
  return Default();
}

}  // namespace

int ShowMessage(std::string_view text, std::string_view caption, UINT type, UINT timeoutMs, HWND owner) {
  if (type & MB_ICONMASK) MessageBeep(type & MB_ICONMASK);
  MessageDialog dialog(text, caption, type, timeoutMs);
  const int answer = dialog.DoModal(owner ? owner : GetActiveWindow());
  return answer == -1 ? 0 : answer;
}

}  // namespace lexiv::access
