// The edit control (class "Edit"): Shift-JIS text counted in bytes, a text limit in bytes, a
// selection with an anchor and a caret end, typing (WM_CHAR, and WM_IME_CHAR for a double-byte
// character), Backspace, Delete, the caret keys with Shift extending (caret_keys.h; Ctrl+Left and
// Ctrl+Right by words), the clipboard, and Ctrl+Z (EM_UNDO) taking back the last change, a run
// of typing being one change; a second undo takes the undo back. A caret never rests on the
// second byte of a double-byte character.
//
// The parent hears EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE (after every change of the text, also by
// WM_SETTEXT) and EN_MAXTEXT (typed or pasted text cut at the limit) through WM_COMMAND. The
// limit binds what the user types or pastes and EM_REPLACESEL, not WM_SETTEXT.
//
// One line (without ES_MULTILINE): EM_LINELENGTH answers the text's length for every index,
// EM_LINEINDEX 0 for line 0 (or -1, the caret's line), EM_LINEFROMCHAR 0, EM_GETLINE copies
// line 0, and pasted text is cut at its first line break; the view scrolls sideways.
//
// Several lines (ES_MULTILINE, fixed at creation): the text wraps at the window's width in cells
// as the rich edit wraps (text_lines.h), and the line messages count those display lines:
// EM_GETLINECOUNT, EM_LINEINDEX (the first byte of a line, -1 past the last; -1 asks for the
// caret's line), EM_LINEFROMCHAR (-1: the line of the selection's start), EM_LINELENGTH (the
// length of the line holding a byte, without its line end; -1: the unselected bytes on the
// lines the selection touches), EM_GETLINE (a line without its end, into a buffer whose first
// 16-bit word gives its size; no NUL). Up, Down, PageUp and PageDown move between lines at the
// column the caret had; Home and End go to the line's ends, with Ctrl to the text's. Enter types
// "\r\n" (in a dialog only with ES_WANTRETURN: without it Enter is the dialog's); pasted line ends
// become "\r\n". The view scrolls by lines to keep the caret's line visible.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/controls/edit_messages.h"
#include "platform/controls/text_lines.h"
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
  // The first byte shown at the left edge (one line).
  std::size_t ScrollPos() const { return scroll_; }
  bool Multiline() const { return multiline_; }
  // The display lines (one line: the whole text), and the first one shown.
  const std::vector<DisplayLine>& Lines() const { return lines_; }
  int FirstVisibleLine() const { return firstVisible_; }
  int LineOf(std::size_t bytePos) const { return LineHolding(lines_, bytePos); }

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
  LRESULT OnGetFirstVisibleLine(WPARAM, LPARAM);
  LRESULT OnUndo(WPARAM, LPARAM);
  LRESULT OnCanUndo(WPARAM, LPARAM);
  LRESULT OnEmptyUndoBuffer(WPARAM, LPARAM);
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
  // and nothing was selected. Ctrl+Z can take the change back, except a kNotUndoable one, which
  // also forgets what an undo would have taken back.
  enum class ChangeKind { kTyping, kOther, kNotUndoable };
  bool ReplaceSelection(std::string_view text, bool limited, ChangeKind kind = ChangeKind::kOther);
  // The multi-line layout after a change of the text or the width.
  void Relayout();
  int VisibleLines() const;
  // Cells from the line's start to bytePos, and the caret position of a line nearest to cells.
  int CellsInLine(int line, std::size_t bytePos) const;
  std::size_t PosAtCells(int line, int cells) const;
  void ForgetUndo();
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
  bool multiline_ = false;
  std::vector<DisplayLine> lines_{DisplayLine{}};
  int firstVisible_ = 0;
  int goalCells_ = -1;  // the column consecutive vertical moves keep
  // What the last change replaced, for Ctrl+Z; typing extends a change that typing began.
  bool canUndo_ = false;
  std::string undoText_;
  std::size_t undoAnchor_ = 0;
  std::size_t undoCaret_ = 0;
  bool typingRun_ = false;
};

}  // namespace lexiv::platform
