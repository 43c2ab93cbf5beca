// The one-line edit control (class "Edit"): Shift-JIS text counted in bytes, a text limit in
// bytes, a selection with an anchor and a caret end, typing (WM_CHAR, and WM_IME_CHAR for a
// double-byte character), Backspace, Delete, the caret keys with Shift extending, and the
// clipboard. A caret never rests on the second byte of a double-byte character.
//
// The parent hears EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE (after every change of the text, also by
// WM_SETTEXT) and EN_MAXTEXT (typed or pasted text cut at the limit) through WM_COMMAND.
// Being one line, EM_LINELENGTH answers the text's length for every index, EM_LINEINDEX 0 for
// line 0 (or -1, the caret's line), EM_LINEFROMCHAR 0, and EM_GETLINE copies line 0. Pasted text
// is cut at its first line break. The limit binds what the user types or pastes and
// EM_REPLACESEL, not WM_SETTEXT.
#pragma once

#include <cstddef>
#include <string>

#include "platform/controls/edit_messages.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class EditControl : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr std::size_t kDefaultLimitBytes = 32767;
  static constexpr int kCellWidth = 8;

  std::string_view ClassName() const override { return "Edit"; }
  int AccessRole() const override;
  DWORD AccessState() const override;
  std::string AccessValue() const override;
  void DescribeContents(std::vector<std::string>& lines) const override;

  const std::string& Text() const { return text_; }
  std::size_t SelectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  std::size_t SelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  std::size_t CaretPos() const { return caret_; }
  // The first byte shown at the left edge.
  std::size_t ScrollPos() const { return scroll_; }

 protected:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnSetText(WPARAM, LPARAM);
  LRESULT OnGetText(WPARAM, LPARAM);
  LRESULT OnGetTextLength(WPARAM, LPARAM);
  LRESULT OnGetSel(WPARAM, LPARAM);
  LRESULT OnSetSel(WPARAM, LPARAM);
  LRESULT OnLimitText(WPARAM, LPARAM);
  LRESULT OnGetLimitText(WPARAM, LPARAM);
  LRESULT OnLineLength(WPARAM, LPARAM);
  LRESULT OnLineIndex(WPARAM, LPARAM);
  LRESULT OnLineFromChar(WPARAM, LPARAM);
  LRESULT OnGetLine(WPARAM, LPARAM);
  LRESULT OnGetLineCount(WPARAM, LPARAM);
  LRESULT OnScrollCaret(WPARAM, LPARAM);
  LRESULT OnReplaceSel(WPARAM, LPARAM);
  LRESULT OnSetReadOnly(WPARAM, LPARAM);
  LRESULT OnGetModify(WPARAM, LPARAM);
  LRESULT OnSetModify(WPARAM, LPARAM);
  LRESULT OnCopy(WPARAM, LPARAM);
  LRESULT OnCut(WPARAM, LPARAM);
  LRESULT OnPaste(WPARAM, LPARAM);
  LRESULT OnClear(WPARAM, LPARAM);
  LRESULT OnChar(WPARAM, LPARAM);
  LRESULT OnImeChar(WPARAM, LPARAM);
  LRESULT OnKeyDown(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
  LRESULT OnKillFocus(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnGetDlgCode(WPARAM, LPARAM);

 private:
  bool ReadOnly() const;
  // Puts the selection (anchor, caret) in place, on character starts; tells listeners.
  void Select(std::size_t anchor, std::size_t caret);
  // Replaces the selection with text, cut to the limit when limited; false when nothing fitted
  // and nothing was selected.
  bool ReplaceSelection(std::string_view text, bool limited);
  void TextChanged();
  void Notify(UINT code);
  void ScrollToCaret();
  void PlaceCaret();
  int VisibleCells() const;

  std::string text_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  std::size_t scroll_ = 0;
  std::size_t limitBytes_ = kDefaultLimitBytes;
  bool modified_ = false;
  unsigned char pendingLead_ = 0;  // a lead byte typed alone waits for its trail byte
};

}  // namespace lexiv::platform
