#include "docpick/form_controls.h"

#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

int CurrentIndex(HWND list) { return static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)); }

// The full-width space, as the input method delivers it.
constexpr WPARAM kIdeographicSpace = 0x8140;

}  // namespace

const MessageMap& FormListBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<FormListBox>(ListBox::ClassMessageMap())
                                    .On(WM_KEYDOWN, &FormListBox::OnKeyDown)
                                    .On(WM_KEYUP, &FormListBox::OnKeyUp)
                                    .On(WM_IME_CHAR, &FormListBox::OnImeChar)
                                    .On(WM_LBUTTONDOWN, &FormListBox::OnLButtonDown)
                                    .On(WM_LBUTTONDBLCLK, &FormListBox::OnLButtonDblClk)
                                    .On(WM_RBUTTONUP, &FormListBox::OnRButtonUp)
                                    .On(WM_SETFOCUS, &FormListBox::OnSetFocus)
                                    .On(WM_KILLFOCUS, &FormListBox::OnKillFocus);
  return map;
}

void FormListBox::ReportSelectionChange(int before, bool byMouse) {
  if (CurrentIndex(hwnd()) != before) form_.ListSelectionChanged(which_, byMouse);
}

LRESULT FormListBox::OnKeyDown(WPARAM vk, LPARAM) {
  const int before = CurrentIndex(hwnd());
  if (form_.ListKeyDown(which_, static_cast<UINT>(vk))) return 0;
  const LRESULT result = Default();
  ReportSelectionChange(before, false);
  return result;
}

LRESULT FormListBox::OnKeyUp(WPARAM vk, LPARAM) {
  form_.ListKeyUp(which_, static_cast<UINT>(vk));
  return Default();
}

// A full-width space typed in a list moves like Space: the input method hands it over as one
// character, with no Space key behind it.
LRESULT FormListBox::OnImeChar(WPARAM character, LPARAM) {
  if (character != kIdeographicSpace) return Default();
  form_.ListKeyDown(which_, VK_SPACE);
  form_.ListKeyUp(which_, VK_SPACE);
  return 0;
}

LRESULT FormListBox::OnLButtonDown(WPARAM, LPARAM) {
  const int before = CurrentIndex(hwnd());
  const LRESULT result = Default();
  ReportSelectionChange(before, true);
  return result;
}

LRESULT FormListBox::OnLButtonDblClk(WPARAM, LPARAM) {
  const LRESULT result = Default();
  form_.ListDoubleClicked(which_);
  return result;
}

LRESULT FormListBox::OnRButtonUp(WPARAM, LPARAM) {
  form_.ListRightButtonUp(which_);
  return 0;
}

LRESULT FormListBox::OnSetFocus(WPARAM, LPARAM) {
  const LRESULT result = Default();
  form_.ListFocused(which_);
  return result;
}

LRESULT FormListBox::OnKillFocus(WPARAM, LPARAM) {
  const LRESULT result = Default();
  form_.ListUnfocused(which_);
  return result;
}

const MessageMap& ListHeading::ClassMessageMap() {
  static const MessageMap map =
      MessageMapOf<ListHeading>(StatusBar::ClassMessageMap()).On(WM_LBUTTONDOWN, &ListHeading::OnLButtonDown);
  return map;
}

void ListHeading::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT ListHeading::OnLButtonDown(WPARAM, LPARAM) {
  form_.HeadingClicked(which_);
  return 0;
}

const MessageMap& ManualTextBox::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<ManualTextBox>(RichEditControl::ClassMessageMap())
                                    .On(WM_SETFOCUS, &ManualTextBox::OnSetFocus)
                                    .On(WM_KILLFOCUS, &ManualTextBox::OnKillFocus);
  return map;
}

LRESULT ManualTextBox::OnSetFocus(WPARAM, LPARAM) {
  const LRESULT result = Default();
  form_.TextFocused(true);
  return result;
}

LRESULT ManualTextBox::OnKillFocus(WPARAM, LPARAM) {
  const LRESULT result = Default();
  form_.TextFocused(false);
  return result;
}

const MessageMap& FormPicture::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<FormPicture>(StaticControl::ClassMessageMap())
                                    .On(WM_LBUTTONDOWN, &FormPicture::OnButtonDown)
                                    .On(WM_RBUTTONDOWN, &FormPicture::OnRButtonDown)
                                    .On(WM_LBUTTONDBLCLK, &FormPicture::OnLButtonDblClk);
  return map;
}

LRESULT FormPicture::OnButtonDown(WPARAM, LPARAM) {
  if (kind_ == Kind::kZoom) form_.ZoomPictureClicked(true);
  return 0;
}

LRESULT FormPicture::OnRButtonDown(WPARAM, LPARAM) {
  if (kind_ == Kind::kZoom) form_.ZoomPictureClicked(false);
  return 0;
}

LRESULT FormPicture::OnLButtonDblClk(WPARAM, LPARAM) {
  if (kind_ == Kind::kFolderMode) form_.FolderPictureDoubleClicked();
  return 0;
}

}  // namespace lexiv::docpick
