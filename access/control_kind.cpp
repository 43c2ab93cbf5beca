#include "access/control_kind.h"

#include <string>

#include "platform/controls/button_messages.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::access {

using namespace lexiv::platform;

namespace {

bool ClassIs(const std::string& className, std::string_view wanted) { return SjisEqualIgnoringCase(className, wanted); }

ControlKind ButtonKind(DWORD style) {
  if (style & BS_ICON) return ControlKind::kPushButton;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return ControlKind::kPushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return ControlKind::kCheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return ControlKind::kRadioButton;
    default: return ControlKind::kOtherButton;
  }
}

}  // namespace

ControlKind KindOf(HWND control) {
  if (!IsWindow(control)) return ControlKind::kOther;
  const std::string className = ClassNameOf(control);
  if (ClassIs(className, "Edit")) return ControlKind::kEdit;
  if (ClassIs(className, "Button")) return ButtonKind(static_cast<DWORD>(GetWindowLong(control, GWL_STYLE)));
  if (ClassIs(className, "ComboBox")) return ControlKind::kComboBox;
  if (ClassIs(className, "ListBox")) return ControlKind::kListBox;
  if (ClassIs(className, "SysListView32")) return ControlKind::kListView;
  if (ClassIs(className, "msctls_updown32")) return ControlKind::kUpDown;
  return ControlKind::kOther;
}

DWORD ComboStyleOf(HWND combo) { return static_cast<DWORD>(GetWindowLong(combo, GWL_STYLE)) & CBS_TYPEMASK; }

HWND ComboHoldingEdit(HWND control) {
  if (KindOf(control) != ControlKind::kEdit) return HWND{};
  const HWND parent = GetParent(control);
  return (GetWindowLong(control, GWL_STYLE) & WS_CHILD) && KindOf(parent) == ControlKind::kComboBox ? parent : HWND{};
}

bool ComboDropped(HWND combo) { return SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

}  // namespace lexiv::access
