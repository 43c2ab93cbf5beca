// The dialog keyboard enhancer: makes the controls of an ordinary dialog usable with a few keys
// by subclassing them. Up and Down go to the previous and next control, Enter moves on from
// lists, edits, check boxes and radio buttons, and Space steps through the choices of a list, a
// combo box or a radio group, wrapping at the ends. Moving between controls is done with
// synthesised Tab and Shift+Tab key strokes, so the dialog's own tab order decides where the
// focus goes.
//
// Which controls are attached, by class and style:
//   "Button" push, default push or BS_ICON; BS_AUTOCHECKBOX; BS_AUTORADIOBUTTON   always
//   "ComboBox" (every style), "ListBox"                                          always
//   "SysListView32", single-line "Edit", "msctls_updown32"              with the keys on
// The keys act only while the enhanced keys are on, except that the full-width space typed
// through the input method always acts as Space on a button.
//
// One enhancer serves one dialog: the dialog calls AttachEnhancer from its initialisation and
// DetachEnhancer (or lets the enhancer go) when it closes.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "access/control_kind.h"
#include "platform/win_types.h"

namespace lexiv::access {

class DialogEnhancer {
 public:
  DialogEnhancer() = default;
  ~DialogEnhancer();
  DialogEnhancer(const DialogEnhancer&) = delete;
  DialogEnhancer& operator=(const DialogEnhancer&) = delete;

  // Subclasses the dialog's controls (those not attached yet). honourSetting 1: the keys are on
  // only when WindowOperation is 1; 0: they are on. Non-zero when at least one control was
  // attached.
  int AttachEnhancer(platform::HWND dialog, int honourSetting);
  // Takes every subclass off; owner-drawn list and combo boxes are emptied first.
  void DetachEnhancer();

  // Offered Enter (without Shift) in a list box, list view, edit or combo box with an edit part
  // before it moves on; a non-zero answer takes the key.
  using EnterHandler = std::function<int(platform::HWND control)>;
  void SetEnterHandler(EnterHandler handler) { enterHandler_ = std::move(handler); }

  bool EnhancedKeys() const { return enhancedKeys_; }
  platform::HWND Dialog() const { return dialog_; }
  // Controls attached, of one kind.
  int AttachedCount(ControlKind kind) const;

 private:
  struct Attached {
    DialogEnhancer* enhancer;
    platform::HWND hwnd;
    ControlKind kind;
    bool upDownBuddy = false;  // Ctrl+Up and Ctrl+Down belong to its up-down control
  };
  static platform::LRESULT SubclassProc(platform::HWND hwnd, platform::UINT message, platform::WPARAM wParam,
                                        platform::LPARAM lParam, platform::UINT_PTR subclassId, platform::UINT_PTR refData);
  bool Attach(platform::HWND control, ControlKind kind);
  void MarkUpDownBuddies();
  bool OfferEnter(platform::HWND control) const;

  platform::HWND dialog_;
  bool enhancedKeys_ = true;
  EnterHandler enterHandler_;
  std::map<ControlKind, std::vector<std::unique_ptr<Attached>>> attached_;
};

}  // namespace lexiv::access
