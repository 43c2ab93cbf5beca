#include "access/dialog_enhancer.h"

#include <algorithm>
#include <optional>

#include "access/window_operation.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/controls/control_notify.h"
#include "platform/controls/dialog_messages.h"
#include "platform/controls/edit_messages.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/list_view_messages.h"
#include "platform/core/input.h"
#include "platform/core/message_queue.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_subclass.h"

namespace lexiv::access {

using namespace lexiv::platform;

namespace {

// The up-down control's buddy and its style that makes the arrow keys its own.
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr WPARAM kFullWidthSpace = 0x8140;

enum class Act {
  kPass,           // the control's own handling
  kNext,           // Tab
  kPrevious,       // Shift+Tab
  kEnter,          // offered to the dialog's handler, else Tab
  kKey,            // the control gets vk instead
  kStroke,         // vk is pressed anew, for the dialog to handle
  kListStep,       // Space in a list: the next item, wrapping
  kComboStep,      // Space in a combo box: drops the list, then the next item, wrapping
  kDropList,       // the combo box's list drops
  kCloseNext,      // the combo box's list closes, then Tab
  kClosePrevious,  // the combo box's list closes, then Shift+Tab
};

struct Action {
  Act act = Act::kPass;
  UINT vk = 0;
};

void Stroke(UINT vk) {
  keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
  keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
}

// Whether the user still holds Shift: the synthesised strokes join the input after what the user
// has typed so far, so a Shift whose release is already on its way must not be released or
// pressed again by them.
bool ShiftStillHeld() { return GetAsyncKeyState(VK_SHIFT) < 0; }

void GoToNextControl() {
  if (ShiftStillHeld()) {
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    Stroke(VK_TAB);
    keybd_event(VK_SHIFT, 0, 0, 0);
    return;
  }
  Stroke(VK_TAB);
}

void GoToPreviousControl() {
  if (ShiftStillHeld()) {
    Stroke(VK_TAB);
    return;
  }
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(VK_TAB, 0, 0, 0);
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
}

bool ListViewHasRows(HWND list) {
  const DWORD view = static_cast<DWORD>(GetWindowLong(list, GWL_STYLE)) & LVS_TYPEMASK;
  return view == LVS_REPORT || view == LVS_LIST;
}

struct ListPosition {
  int current = -1;
  int count = 0;
};

ListPosition PositionOf(HWND control, ControlKind kind) {
  switch (kind) {
    case ControlKind::kListView:
      return {static_cast<int>(SendMessage(control, LVM_GETSELECTIONMARK, 0, 0)), static_cast<int>(SendMessage(control, LVM_GETITEMCOUNT, 0, 0))};
    case ControlKind::kComboBox:
      return {static_cast<int>(SendMessage(control, CB_GETCURSEL, 0, 0)), static_cast<int>(SendMessage(control, CB_GETCOUNT, 0, 0))};
    default:
      return {static_cast<int>(SendMessage(control, LB_GETCURSEL, 0, 0)), static_cast<int>(SendMessage(control, LB_GETCOUNT, 0, 0))};
  }
}

// The action for a key going down in an attached control while the keys are on.
Action Decide(HWND control, ControlKind kind, bool upDownBuddy, WPARAM vk) {
  const bool shift = KeyHeld(VK_SHIFT);
  const bool ctrl = KeyHeld(VK_CONTROL);
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kRadioButton:
      if (vk == VK_SPACE) return {Act::kStroke, shift ? VK_LEFT : VK_RIGHT};
      if (vk == VK_RETURN && kind == ControlKind::kRadioButton && !shift) return {Act::kNext};
      break;
    case ControlKind::kCheckBox:
      if (vk == VK_LEFT || vk == VK_RIGHT) return {Act::kKey, VK_SPACE};
      if (vk == VK_RETURN && !shift) return {Act::kNext};
      break;
    case ControlKind::kComboBox: {
      const bool listOnly = ComboStyleOf(control) == CBS_DROPDOWNLIST;
      switch (vk) {
        case VK_RETURN:
          if (shift || ComboDropped(control)) return {};
          return {listOnly ? Act::kNext : Act::kEnter};
        case VK_SPACE: return ctrl == listOnly ? Action{} : Action{Act::kComboStep};
        case VK_LEFT:
        case VK_RIGHT: return listOnly ? Action{Act::kDropList} : Action{};
        case VK_UP: return {Act::kClosePrevious};
        case VK_DOWN: return {Act::kCloseNext};
        default: return {};
      }
    }
    case ControlKind::kListBox:
    case ControlKind::kListView: {
      const bool rows = kind == ControlKind::kListBox || ListViewHasRows(control);
      switch (vk) {
        case VK_SPACE: return kind == ControlKind::kListView && ctrl ? Action{} : Action{Act::kListStep};
        case VK_LEFT: return rows ? Action{Act::kKey, VK_UP} : Action{};
        case VK_RIGHT: return rows ? Action{Act::kKey, VK_DOWN} : Action{};
        case VK_RETURN: return shift ? Action{} : Action{Act::kEnter};
        default: return {};
      }
    }
    case ControlKind::kEdit:
      if (vk == VK_UP || vk == VK_DOWN) {
        if (ctrl && upDownBuddy) return {};
        return {vk == VK_UP ? Act::kPrevious : Act::kNext};
      }
      if (vk == VK_RETURN && !shift) return {Act::kEnter};
      return {};
    default: return {};
  }
  // Buttons of every attached kind.
  if (vk == VK_UP) return {Act::kPrevious};
  if (vk == VK_DOWN) return {Act::kNext};
  return {};
}

// Selects an item as the user would, and tells the parent so.
void SelectListItem(HWND list, int index) {
  SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  CommandParent(list, LBN_SELCHANGE);
}

void StepList(HWND list, ControlKind kind, bool backwards) {
  const ListPosition at = PositionOf(list, kind);
  if (at.count <= 0) return;
  const bool wrapToFirst = !backwards && at.current == at.count - 1;
  const bool wrapToLast = backwards && at.current == 0 && at.count >= 2;
  if (kind == ControlKind::kListView) {
    const UINT key = wrapToFirst ? VK_HOME : wrapToLast ? VK_END : backwards ? VK_UP : VK_DOWN;
    DefSubclassProc(list, WM_KEYDOWN, key, 0);
    return;
  }
  if (wrapToFirst) return SelectListItem(list, 0);
  if (wrapToLast) return SelectListItem(list, at.count - 1);
  DefSubclassProc(list, WM_KEYDOWN, backwards ? VK_UP : VK_DOWN, 0);
}

void StepCombo(HWND combo, bool backwards) {
  if (ComboStyleOf(combo) != CBS_SIMPLE && !ComboDropped(combo)) SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  const ListPosition at = PositionOf(combo, ControlKind::kComboBox);
  UINT key = backwards ? VK_UP : VK_DOWN;
  if (!backwards && at.current == at.count - 1) key = VK_HOME;
  if (backwards && at.current == 0) key = VK_END;
  DefSubclassProc(combo, WM_KEYDOWN, key, 0);
}

// The full-width space in a combo box: the next (or previous) choice, wrapping, without opening.
void StepComboChoice(HWND combo, bool backwards) {
  const ListPosition at = PositionOf(combo, ControlKind::kComboBox);
  if (at.count <= 0) return;
  int next = backwards ? at.current - 1 : at.current + 1;
  if (at.current < 0) next = backwards ? at.count - 1 : 0;
  if (next >= at.count) next = 0;
  if (next < 0) next = at.count - 1;
  SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(next), 0);
  CommandParent(combo, CBN_SELCHANGE);
}

bool IsOwnerDrawn(HWND control, ControlKind kind) {
  const DWORD style = static_cast<DWORD>(GetWindowLong(control, GWL_STYLE));
  if (kind == ControlKind::kListBox) return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  if (kind == ControlKind::kComboBox) return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
  return false;
}

// Whether the enhancer takes a control of this class and style.
std::optional<ControlKind> AttachableKind(HWND control, bool keysOn) {
  const ControlKind kind = KindOf(control);
  const DWORD style = static_cast<DWORD>(GetWindowLong(control, GWL_STYLE));
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kComboBox:
    case ControlKind::kListBox: return kind;
    case ControlKind::kCheckBox:
      return (style & BS_TYPEMASK) == BS_AUTOCHECKBOX ? std::optional<ControlKind>(kind) : std::nullopt;
    case ControlKind::kRadioButton:
      return (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON ? std::optional<ControlKind>(kind) : std::nullopt;
    case ControlKind::kListView:
    case ControlKind::kUpDown: return keysOn ? std::optional<ControlKind>(kind) : std::nullopt;
    case ControlKind::kEdit:
      return keysOn && !(style & ES_MULTILINE) ? std::optional<ControlKind>(kind) : std::nullopt;
    default: return std::nullopt;
  }
}

}  // namespace

DialogEnhancer::~DialogEnhancer() { DetachEnhancer(); }

int DialogEnhancer::AttachedCount(ControlKind kind) const {
  const auto it = attached_.find(kind);
  return it == attached_.end() ? 0 : static_cast<int>(it->second.size());
}

bool DialogEnhancer::Attach(HWND control, ControlKind kind) {
  auto entry = std::make_unique<Attached>(Attached{this, control, kind});
  if (!SetWindowSubclass(control, &DialogEnhancer::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                         reinterpret_cast<UINT_PTR>(entry.get())))
    return false;
  attached_[kind].push_back(std::move(entry));
  return true;
}

int DialogEnhancer::AttachEnhancer(HWND dialog, int honourSetting) {
  enhancedKeys_ = true;
  if (honourSetting) enhancedKeys_ = EnhancedKeysEnabled(WindowOperationLookup::kEnhancer);
  if (dialog_ && dialog_ != dialog) DetachEnhancer();
  dialog_ = dialog;
  int attached = 0;
  for (HWND child = GetTopWindow(dialog); child; child = GetWindow(child, GW_HWNDNEXT)) {
    bool known = false;
    for (const auto& [kind, list] : attached_)
      known = known || std::any_of(list.begin(), list.end(), [&](const auto& a) { return a->hwnd == child; });
    if (known) continue;
    const std::optional<ControlKind> kind = AttachableKind(child, enhancedKeys_);
    if (kind && Attach(child, *kind)) ++attached;
  }
  MarkUpDownBuddies();
  return attached > 0 ? 1 : 0;
}

void DialogEnhancer::MarkUpDownBuddies() {
  const auto upDowns = attached_.find(ControlKind::kUpDown);
  const auto edits = attached_.find(ControlKind::kEdit);
  if (upDowns == attached_.end() || edits == attached_.end()) return;
  for (const auto& upDown : upDowns->second) {
    if (!(GetWindowLong(upDown->hwnd, GWL_STYLE) & UDS_ARROWKEYS)) continue;
    const HWND buddy = HwndFromParam(static_cast<std::intptr_t>(SendMessage(upDown->hwnd, UDM_GETBUDDY, 0, 0)));
    for (const auto& edit : edits->second)
      if (edit->hwnd == buddy) edit->upDownBuddy = true;
  }
}

void DialogEnhancer::DetachEnhancer() {
  for (const auto& [kind, list] : attached_) {
    for (const auto& a : list) {
      if (!IsWindow(a->hwnd)) continue;
      if (IsOwnerDrawn(a->hwnd, kind))
        SendMessage(a->hwnd, kind == ControlKind::kComboBox ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
      RemoveWindowSubclass(a->hwnd, &DialogEnhancer::SubclassProc, reinterpret_cast<UINT_PTR>(this));
    }
  }
  attached_.clear();
  dialog_ = HWND{};
}

bool DialogEnhancer::OfferEnter(HWND control) const { return enterHandler_ && enterHandler_(control) != 0; }

LRESULT DialogEnhancer::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, UINT_PTR refData) {
  const Attached& self = *reinterpret_cast<const Attached*>(refData);
  const bool keysOn = self.enhancer->enhancedKeys_;
  const ControlKind kind = self.kind;
  const bool isButton = kind == ControlKind::kPushButton || kind == ControlKind::kRadioButton || kind == ControlKind::kCheckBox;
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
      const auto* msg = reinterpret_cast<const Msg*>(lParam);
      if (keysOn && msg != nullptr && msg->message == WM_KEYDOWN && Decide(hwnd, kind, self.upDownBuddy, msg->wParam).act != Act::kPass)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN: {
      if (!keysOn) break;
      const Action action = Decide(hwnd, kind, self.upDownBuddy, wParam);
      const bool shift = KeyHeld(VK_SHIFT);
      switch (action.act) {
        case Act::kPass: break;
        case Act::kNext: GoToNextControl(); return 0;
        case Act::kPrevious: GoToPreviousControl(); return 0;
        case Act::kEnter:
          if (!self.enhancer->OfferEnter(hwnd)) GoToNextControl();
          return 0;
        case Act::kKey: return DefSubclassProc(hwnd, message, action.vk, lParam);
        case Act::kStroke: Stroke(action.vk); return 0;
        case Act::kListStep: StepList(hwnd, kind, shift); return 0;
        case Act::kComboStep: StepCombo(hwnd, shift); return 0;
        case Act::kDropList:
          if (!ComboDropped(hwnd)) SendMessage(hwnd, CB_SHOWDROPDOWN, TRUE, 0);
          return 0;
        case Act::kCloseNext:
        case Act::kClosePrevious:
          if (ComboDropped(hwnd)) SendMessage(hwnd, CB_SHOWDROPDOWN, FALSE, 0);
          if (action.act == Act::kCloseNext)
            GoToNextControl();
          else
            GoToPreviousControl();
          return 0;
      }
      break;
    }
    case WM_KEYUP: {
      if (!keysOn) break;
      const Action action = Decide(hwnd, kind, self.upDownBuddy, wParam);
      if (action.act == Act::kKey) return DefSubclassProc(hwnd, message, action.vk, lParam);
      if (action.act != Act::kPass) return 0;
      break;
    }
    case WM_CHAR:
      // The character of a Space that stepped or moved.
      if (keysOn && wParam == ' ' && Decide(hwnd, kind, self.upDownBuddy, VK_SPACE).act != Act::kPass) return 0;
      break;
    case WM_IME_CHAR: {
      if (wParam != kFullWidthSpace) break;
      const bool shift = KeyHeld(VK_SHIFT);
      if (isButton) {
        const bool steps = keysOn && kind != ControlKind::kCheckBox;
        Stroke(steps ? (shift ? VK_LEFT : VK_RIGHT) : VK_SPACE);
        return 0;
      }
      if (!keysOn) break;
      if (kind == ControlKind::kComboBox) {
        StepComboChoice(hwnd, shift);
        return 0;
      }
      if (kind == ControlKind::kListBox || kind == ControlKind::kListView) {
        StepList(hwnd, kind, shift);
        return 0;
      }
      break;
    }
    default: break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace lexiv::access
