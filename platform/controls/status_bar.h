// The status bar (class "StatusBar"): panes laid out left to right by their right edges
// (SB_SETPARTS; -1 stretches a pane to the bar's right edge), each with a Shift-JIS text
// (SB_SETTEXT, SB_GETTEXT, SB_GETTEXTLENGTH), and a simple mode that shows one text across the
// whole bar (SB_SIMPLE; SB_SETTEXT with pane SB_SIMPLEID writes it). WM_SETTEXT and WM_GETTEXT
// work on pane 0, so the bar serves as a frame's message bar.
#pragma once

#include <string>
#include <vector>

#include "platform/core/window.h"

namespace lexiv::platform {

inline constexpr UINT SB_SETTEXT = WM_USER + 1;
inline constexpr UINT SB_GETTEXT = WM_USER + 2;
inline constexpr UINT SB_GETTEXTLENGTH = WM_USER + 3;
inline constexpr UINT SB_SETPARTS = WM_USER + 4;
inline constexpr UINT SB_GETPARTS = WM_USER + 6;
inline constexpr UINT SB_SIMPLE = WM_USER + 9;
inline constexpr UINT SB_GETRECT = WM_USER + 10;
inline constexpr UINT SB_ISSIMPLE = WM_USER + 14;
// The pane number of the simple mode's text.
inline constexpr WPARAM SB_SIMPLEID = 0xFF;
// Drawing kinds, in the high byte of SB_SETTEXT's wParam; SB_GETTEXT reports them back.
inline constexpr WPARAM SBT_NOBORDERS = 0x0100;
inline constexpr WPARAM SBT_POPOUT = 0x0200;
inline constexpr WPARAM SBT_OWNERDRAW = 0x1000;

class StatusBar : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr int kMaxParts = 256;

  StatusBar();

  std::string_view ClassName() const override { return "StatusBar"; }
  int AccessRole() const override;
  std::string AccessValue() const override;
  void DescribeContents(std::vector<std::string>& lines) const override;

  int PartCount() const { return static_cast<int>(parts_.size()); }
  // The pane's text; empty for a pane that does not exist.
  std::string PaneText(int pane) const;
  // Whether a pane stands out from the others (a caption over the view that has the focus);
  // a plain status bar has none.
  virtual bool PaneHighlighted(int pane) const {
    (void)pane;
    return false;
  }
  // Whether the panes' texts are centred (captions) rather than left-aligned.
  virtual bool PanesCentered() const { return false; }

 protected:
  LRESULT OnSetText(WPARAM, LPARAM);
  LRESULT OnGetText(WPARAM, LPARAM);
  LRESULT OnGetTextLength(WPARAM, LPARAM);
  LRESULT OnSbSetText(WPARAM, LPARAM);
  LRESULT OnSbGetText(WPARAM, LPARAM);
  LRESULT OnSbGetTextLength(WPARAM, LPARAM);
  LRESULT OnSetParts(WPARAM, LPARAM);
  LRESULT OnGetParts(WPARAM, LPARAM);
  LRESULT OnSimple(WPARAM, LPARAM);
  LRESULT OnIsSimple(WPARAM, LPARAM);
  LRESULT OnGetRect(WPARAM, LPARAM);

 private:
  struct Part {
    int rightEdge = -1;
    std::string text;
    WPARAM kind = 0;
  };
  Part* PartAt(WPARAM pane);
  const Part* PartAt(WPARAM pane) const;
  RECT PaneRect(int pane) const;

  std::vector<Part> parts_;
  Part simple_;
  bool simpleMode_ = false;
};

}  // namespace lexiv::platform
