// Accessibility events: what a screen reader watching the windows would learn. The core raises
// focus changes and menu events; controls and dialogs raise theirs; the screen-reader stand-in
// subscribes.
#pragma once

#include <functional>
#include <string>

#include "platform/win_types.h"

namespace lexiv::platform {

enum class AccessEventKind {
  kFocusChanged,
  kDialogOpened,
  kMenuOpened,
  kMenuClosed,
  kMenuItemHighlighted,
  kSelectionChanged,
  kValueChanged,
};

// Roles and states, with the numbers of the accessibility interfaces the program was built beside.
inline constexpr int ROLE_SYSTEM_MENUBAR = 0x02;
inline constexpr int ROLE_SYSTEM_WINDOW = 0x09;
inline constexpr int ROLE_SYSTEM_CLIENT = 0x0A;
inline constexpr int ROLE_SYSTEM_MENUPOPUP = 0x0B;
inline constexpr int ROLE_SYSTEM_MENUITEM = 0x0C;
inline constexpr int ROLE_SYSTEM_DIALOG = 0x12;
inline constexpr int ROLE_SYSTEM_SEPARATOR = 0x15;
inline constexpr int ROLE_SYSTEM_TOOLBAR = 0x16;
inline constexpr int ROLE_SYSTEM_STATUSBAR = 0x17;
inline constexpr int ROLE_SYSTEM_LIST = 0x21;
inline constexpr int ROLE_SYSTEM_LISTITEM = 0x22;
inline constexpr int ROLE_SYSTEM_STATICTEXT = 0x29;
inline constexpr int ROLE_SYSTEM_TEXT = 0x2A;
inline constexpr int ROLE_SYSTEM_PUSHBUTTON = 0x2B;
inline constexpr int ROLE_SYSTEM_CHECKBUTTON = 0x2C;
inline constexpr int ROLE_SYSTEM_RADIOBUTTON = 0x2D;
inline constexpr int ROLE_SYSTEM_COMBOBOX = 0x2E;
inline constexpr DWORD STATE_SYSTEM_UNAVAILABLE = 0x00000001;
inline constexpr DWORD STATE_SYSTEM_SELECTED = 0x00000002;
inline constexpr DWORD STATE_SYSTEM_FOCUSED = 0x00000004;
inline constexpr DWORD STATE_SYSTEM_CHECKED = 0x00000010;
inline constexpr DWORD STATE_SYSTEM_READONLY = 0x00000040;
inline constexpr DWORD STATE_SYSTEM_HASPOPUP = 0x40000000;
inline constexpr DWORD STATE_SYSTEM_INVISIBLE = 0x00008000;

struct AccessEvent {
  AccessEventKind kind = AccessEventKind::kFocusChanged;
  HWND hwnd;
  int role = ROLE_SYSTEM_CLIENT;
  std::string name;   // Shift-JIS
  DWORD state = 0;
  std::string value;  // Shift-JIS
};

using AccessListener = std::function<void(const AccessEvent&)>;

// Subscribes for the life of the object.
class AccessSubscription {
 public:
  explicit AccessSubscription(AccessListener listener);
  ~AccessSubscription();
  AccessSubscription(const AccessSubscription&) = delete;
  AccessSubscription& operator=(const AccessSubscription&) = delete;

 private:
  int id_;
};

void RaiseAccessEvent(const AccessEvent& event);
// An event describing a window (role, name, state and value from the window object).
AccessEvent DescribeForAccess(AccessEventKind kind, HWND hwnd);

}  // namespace lexiv::platform
