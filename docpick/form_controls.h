// The viewer's own kinds of the standard controls: each passes what the form must hear to it.
#pragma once

#include "docpick/form_events.h"
#include "platform/controls/list_box.h"
#include "platform/controls/rich_edit_control.h"
#include "platform/controls/static_control.h"
#include "platform/controls/status_bar.h"

namespace lexiv::docpick {

// A list box of the form: the product, manual, drive and folder lists.
class FormListBox : public platform::ListBox {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  FormListBox(FormEvents& form, FormList which) : form_(form), which_(which) {}
  std::string_view ClassName() const override { return "DocpickList"; }

 private:
  platform::LRESULT OnKeyDown(platform::WPARAM vk, platform::LPARAM flags);
  platform::LRESULT OnKeyUp(platform::WPARAM vk, platform::LPARAM flags);
  platform::LRESULT OnImeChar(platform::WPARAM character, platform::LPARAM flags);
  platform::LRESULT OnLButtonDown(platform::WPARAM keys, platform::LPARAM point);
  platform::LRESULT OnLButtonDblClk(platform::WPARAM keys, platform::LPARAM point);
  platform::LRESULT OnRButtonUp(platform::WPARAM keys, platform::LPARAM point);
  platform::LRESULT OnSetFocus(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnKillFocus(platform::WPARAM, platform::LPARAM);
  void ReportSelectionChange(int before, bool byMouse);

  FormEvents& form_;
  FormList which_;
};

// A list's heading: one pane, drawn in the active caption colours while its list has the focus;
// a click on it gives its list the focus.
class ListHeading : public platform::StatusBar {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  ListHeading(FormEvents& form, FormList which) : form_(form), which_(which) {}
  std::string_view ClassName() const override { return "DocpickHeading"; }
  bool PaneHighlighted(int pane) const override { return pane == 0 && active_; }
  void SetActive(bool active);
  bool active() const { return active_; }

 private:
  platform::LRESULT OnLButtonDown(platform::WPARAM, platform::LPARAM);

  FormEvents& form_;
  FormList which_;
  bool active_ = false;
};

// The text box that shows the manual.
class ManualTextBox : public platform::RichEditControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  explicit ManualTextBox(FormEvents& form) : form_(form) {}

 private:
  platform::LRESULT OnSetFocus(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnKillFocus(platform::WPARAM, platform::LPARAM);

  FormEvents& form_;
};

// A picture that answers the mouse: the folder-mode picture and the zoom picture.
class FormPicture : public platform::StaticControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  enum class Kind { kFolderMode, kZoom };
  FormPicture(FormEvents& form, Kind kind) : form_(form), kind_(kind) {}

 private:
  platform::LRESULT OnButtonDown(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnRButtonDown(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnLButtonDblClk(platform::WPARAM, platform::LPARAM);

  FormEvents& form_;
  Kind kind_;
};

}  // namespace lexiv::docpick
