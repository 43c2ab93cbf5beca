#include "access_narrator.h"

#include "platform/core/focus.h"
#include "platform/core/window_functions.h"
#include "reader_status.h"

namespace lexiv::reader {

using namespace lexiv::platform;

namespace {

constexpr char kSeparator = static_cast<char>(0xFE);

void Append(std::string& text, const std::string& words) {
  if (words.empty()) return;
  if (!text.empty()) text += kSeparator;
  text += words;
}

// "&Open" reads "Open", "検索(&F)" reads "検索"; "&&" is one ampersand.
std::string WithoutMnemonic(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption.compare(i, 2, "(&") == 0 && i + 3 < caption.size() && caption[i + 3] == ')') {
      i += 3;
      continue;
    }
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

bool IsDialogWindow(HWND hwnd) { return IsWindow(hwnd) && DescribeForAccess(AccessEventKind::kDialogOpened, hwnd).role == ROLE_SYSTEM_DIALOG; }

// The label of a control that has no caption of its own: the static text before it in tab order.
std::string LabelBefore(HWND hwnd) {
  for (HWND before = GetWindow(hwnd, GW_HWNDPREV); before; before = GetWindow(before, GW_HWNDPREV)) {
    const AccessEvent described = DescribeForAccess(AccessEventKind::kFocusChanged, before);
    if (described.role == ROLE_SYSTEM_STATICTEXT) return WithoutMnemonic(described.name);
    if (described.role != ROLE_SYSTEM_CLIENT) return {};
  }
  return {};
}

std::string RoleWords(int role) {
  switch (role) {
    case ROLE_SYSTEM_PUSHBUTTON: return "ボタン";
    case ROLE_SYSTEM_CHECKBUTTON: return "チェックボックス";
    case ROLE_SYSTEM_RADIOBUTTON: return "ラジオボタン";
    case ROLE_SYSTEM_TEXT: return "エディット";
    case ROLE_SYSTEM_LIST: return "リスト";
    case ROLE_SYSTEM_COMBOBOX: return "コンボボックス";
    case ROLE_SYSTEM_DIALOG: return "ダイアログ";
    default: return {};
  }
}

bool IsListRole(int role) { return role == ROLE_SYSTEM_LIST || role == ROLE_SYSTEM_LISTITEM; }
bool IsEditRole(int role) { return role == ROLE_SYSTEM_TEXT || role == ROLE_SYSTEM_COMBOBOX; }
bool IsCheckRole(int role) { return role == ROLE_SYSTEM_CHECKBUTTON || role == ROLE_SYSTEM_RADIOBUTTON; }

// Whether the bits let the reader read this kind of control.
bool MayRead(int role, std::uint32_t autoRead) {
  const std::uint32_t inDialogs = autoRead & auto_read::kDialogs;
  if (IsListRole(role)) return (autoRead & auto_read::kProgramSpeaksLists) == 0 && (inDialogs || (autoRead & auto_read::kLists));
  if (IsEditRole(role)) return inDialogs || (autoRead & auto_read::kEdits);
  if (IsCheckRole(role)) return inDialogs || (autoRead & auto_read::kChecks);
  if (role == ROLE_SYSTEM_PUSHBUTTON) return inDialogs || (autoRead & auto_read::kButtons);
  return inDialogs != 0;
}

std::string StateWords(const AccessEvent& event) {
  std::string words;
  if (event.role == ROLE_SYSTEM_CHECKBUTTON) Append(words, (event.state & STATE_SYSTEM_CHECKED) ? "チェック あり" : "チェック なし");
  if (event.role == ROLE_SYSTEM_RADIOBUTTON) Append(words, (event.state & STATE_SYSTEM_CHECKED) ? "選択" : "未選択");
  if (event.state & STATE_SYSTEM_UNAVAILABLE) Append(words, "使用不可");
  return words;
}

std::string DialogReading(HWND dialog, const std::string& title) {
  std::string text;
  Append(text, WithoutMnemonic(title));
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    // The dialog may not be shown yet when it says it has opened: its controls' own style counts.
    if ((GetWindowLong(child, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    const AccessEvent described = DescribeForAccess(AccessEventKind::kFocusChanged, child);
    if (described.role == ROLE_SYSTEM_STATICTEXT) Append(text, WithoutMnemonic(described.name));
  }
  const HWND focus = GetFocus();
  if (focus && focus != dialog && IsChild(dialog, focus))
    Append(text, DescribeControl(DescribeForAccess(AccessEventKind::kFocusChanged, focus)));
  return text;
}

std::string MenuItemReading(const AccessEvent& event, std::uint32_t autoRead) {
  std::string key;
  std::string text = MenuLabelName(event.name, &key);
  if (event.state & STATE_SYSTEM_HASPOPUP) Append(text, "サブメニュー");
  if (autoRead & auto_read::kMenuStates) {
    if (event.state & STATE_SYSTEM_CHECKED) Append(text, "チェック");
    if (event.state & STATE_SYSTEM_UNAVAILABLE) Append(text, "使用不可");
  }
  if (autoRead & auto_read::kMenuKeys) Append(text, key);
  return text;
}

}  // namespace

std::string MenuLabelName(const std::string& label, std::string* key) {
  const auto tab = label.find('\t');
  if (key != nullptr) *key = tab == std::string::npos ? std::string() : label.substr(tab + 1);
  return WithoutMnemonic(label.substr(0, tab));
}

bool InsideDialog(HWND hwnd) { return IsDialogWindow(GetAncestorTop(hwnd)); }

std::string DescribeControl(const AccessEvent& event) {
  std::string text;
  const bool captioned = !IsEditRole(event.role) && !IsListRole(event.role);
  Append(text, captioned ? WithoutMnemonic(event.name) : LabelBefore(event.hwnd));
  Append(text, RoleWords(event.role));
  Append(text, StateWords(event));
  if (IsEditRole(event.role)) Append(text, event.value.empty() ? event.name : event.value);
  else if (IsListRole(event.role)) Append(text, event.value.empty() && event.role == ROLE_SYSTEM_LISTITEM ? event.name : event.value);
  return text;
}

std::string NarrateEvent(const AccessEvent& event, std::uint32_t autoRead) {
  switch (event.kind) {
    case AccessEventKind::kMenuItemHighlighted:
      return (autoRead & auto_read::kMenus) ? MenuItemReading(event, autoRead) : std::string();
    case AccessEventKind::kMenuOpened:
    case AccessEventKind::kMenuClosed:
      return {};
    default:
      break;
  }
  if (!InsideDialog(event.hwnd)) return {};
  const HWND top = GetAncestorTop(event.hwnd);
  switch (event.kind) {
    case AccessEventKind::kDialogOpened:
      return (autoRead & auto_read::kDialogs) ? DialogReading(top, event.name) : std::string();
    case AccessEventKind::kFocusChanged:
      if (event.hwnd == top) return (autoRead & auto_read::kDialogs) ? WithoutMnemonic(event.name) : std::string();
      return MayRead(event.role, autoRead) ? DescribeControl(event) : std::string();
    case AccessEventKind::kSelectionChanged:
      if (!MayRead(event.role, autoRead)) return {};
      return IsListRole(event.role) ? (event.value.empty() ? event.name : event.value) : DescribeControl(event);
    case AccessEventKind::kValueChanged:
      if (!MayRead(event.role, autoRead)) return {};
      if (IsCheckRole(event.role)) return StateWords(event);
      if (IsEditRole(event.role) && (autoRead & auto_read::kProgramSpeaksTyping)) return {};
      return event.value.empty() ? event.name : event.value;
    default:
      return {};
  }
}

}  // namespace lexiv::reader
