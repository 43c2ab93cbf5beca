// The rich edit control, read-only (class "RICHEDIT"): Shift-JIS text with "\r\n" paragraph ends,
// positions counted in bytes (a caret never rests on the second byte of a double-byte character),
// runs of character formats, a background colour, soft wrapping from the window's width and the
// characters' sizes (rich_text.h gives the rule), and lines counted as displayed.
//
// Text arrives by WM_SETTEXT (in the default format) or EM_REPLACESEL, which inserts at the
// selection in the insertion format: the format last given with EM_SETCHARFORMAT(SCF_SELECTION)
// on an empty selection, else that of the first replaced byte, else of the byte before, else the
// default format. Being read-only, it takes no typing, cut or paste; EM_REPLACESEL still works.
//
// Lines: EM_LINEFROMCHAR, EM_LINEINDEX, EM_LINELENGTH and EM_GETLINE work on display lines. A
// line's length leaves out its paragraph end; EM_GETLINE copies the line without it (NUL-ended
// when the buffer has room); EM_LINEINDEX of a line past the last is -1; EM_LINELENGTH(-1) counts
// the unselected bytes of the lines the selection touches. A position at a wrap belongs to the
// line that starts there.
//
// Selection: EM_EXSETSEL, EM_SETSEL (the anchor first, so a selection may run backwards),
// positions snapped to character starts (the low end back, the high end forward). With
// ENM_SELCHANGE in the event mask the parent hears EN_SELCHANGE (WM_NOTIFY, SELCHANGE) after
// every change, however it came about. With ECO_AUTOVSCROLL the caret is kept in view.
//
// Keys: Left and Right step a character ("\r\n" whole); Up and Down go to the neighbouring line
// keeping the caret's horizontal position across consecutive vertical moves (staying put on the
// first and last line); Home and End go to the line's start and end; Ctrl+Home and Ctrl+End to
// the text's; PageUp and PageDown move by the number of lines that fit in the window. Shift
// extends the selection from its anchor; without Shift an arrow with a selection collapses it.
// Ctrl+C copies, Ctrl+A selects everything.
//
// Caret: a thin caret (1 pixel wide, as high as the line) while the control has the focus. A view
// that wants a block caret calls SetBlockCaret(true): while the selection is empty the caret is
// then as wide and high as the character at the caret (CharBoxAt), rebuilt after every change.
//
// Find: EM_FINDTEXTEX with FR_DOWN finds the first match inside chrg (cpMax -1: the text's end);
// without FR_DOWN the last match between the two ends. FR_MATCHCASE compares exactly, otherwise
// ASCII letters fold; a match never starts on a trail byte; FR_WHOLEWORD is not supported.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/rich_edit_messages.h"
#include "platform/controls/rich_text.h"
#include "platform/core/window.h"

namespace lexiv::platform {

class RichEditControl : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr COLORREF kDefaultBackground = 0xFFFFFF;

  std::string_view ClassName() const override { return kRichEditClassName; }
  int AccessRole() const override;
  DWORD AccessState() const override;
  // The text of the caret's line.
  std::string AccessValue() const override;
  void DescribeContents(std::vector<std::string>& lines) const override;

  const std::string& Text() const { return doc_.Bytes(); }
  const RichText& Document() const { return doc_; }
  const std::vector<DisplayLine>& Lines() const { return lines_; }
  std::size_t Anchor() const { return anchor_; }
  std::size_t CaretPos() const { return caret_; }
  std::size_t SelectionStart() const { return std::min(anchor_, caret_); }
  std::size_t SelectionEnd() const { return std::max(anchor_, caret_); }
  int LineOf(std::size_t bytePos) const;
  int FirstVisibleLine() const { return firstVisible_; }
  // Lines that fit in the window from the first visible one (at least 1).
  int VisibleLineCount() const;
  COLORREF Background() const { return background_; }
  // True until EM_SETBKGNDCOLOR gives a colour of its own: the system's window colour is shown.
  bool SystemBackground() const { return systemBackground_; }
  bool SelectionHidden() const;

  // The box of the character at bytePos in pixels: cells × 8 × size / 12 wide and size × 16 / 12
  // high; a half-width blank at a line end or on a paragraph end.
  SIZE CharBoxAt(std::size_t bytePos) const;
  void SetBlockCaret(bool on);

 protected:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnSetText(WPARAM, LPARAM);
  LRESULT OnGetText(WPARAM, LPARAM);
  LRESULT OnGetTextLength(WPARAM, LPARAM);
  LRESULT OnGetSel(WPARAM, LPARAM);
  LRESULT OnSetSel(WPARAM, LPARAM);
  LRESULT OnExGetSel(WPARAM, LPARAM);
  LRESULT OnExSetSel(WPARAM, LPARAM);
  LRESULT OnReplaceSel(WPARAM, LPARAM);
  LRESULT OnSetCharFormat(WPARAM, LPARAM);
  LRESULT OnGetCharFormat(WPARAM, LPARAM);
  LRESULT OnSetBkgndColor(WPARAM, LPARAM);
  LRESULT OnLineFromChar(WPARAM, LPARAM);
  LRESULT OnExLineFromChar(WPARAM, LPARAM);
  LRESULT OnLineIndex(WPARAM, LPARAM);
  LRESULT OnLineLength(WPARAM, LPARAM);
  LRESULT OnGetLine(WPARAM, LPARAM);
  LRESULT OnGetLineCount(WPARAM, LPARAM);
  LRESULT OnGetFirstVisibleLine(WPARAM, LPARAM);
  LRESULT OnLineScroll(WPARAM, LPARAM);
  LRESULT OnScrollCaret(WPARAM, LPARAM);
  LRESULT OnHideSelection(WPARAM, LPARAM);
  LRESULT OnGetSelText(WPARAM, LPARAM);
  LRESULT OnGetTextRange(WPARAM, LPARAM);
  LRESULT OnSetEventMask(WPARAM, LPARAM);
  LRESULT OnGetEventMask(WPARAM, LPARAM);
  LRESULT OnSetOptions(WPARAM, LPARAM);
  LRESULT OnGetOptions(WPARAM, LPARAM);
  LRESULT OnSetReadOnly(WPARAM, LPARAM);
  LRESULT OnFindTextEx(WPARAM, LPARAM);
  LRESULT OnSetWordBreakProcEx(WPARAM, LPARAM);
  LRESULT OnGetWordBreakProcEx(WPARAM, LPARAM);
  LRESULT OnCopy(WPARAM, LPARAM);
  LRESULT OnKeyDown(WPARAM, LPARAM);
  LRESULT OnChar(WPARAM, LPARAM);
  LRESULT OnLButtonDown(WPARAM, LPARAM);
  LRESULT OnSetFocus(WPARAM, LPARAM);
  LRESULT OnKillFocus(WPARAM, LPARAM);

 private:
  void Relayout();
  // Moves the selection (snapped to character starts) and tells whoever listens.
  void Select(std::size_t anchor, std::size_t caret);
  void ReplaceSelection(std::string_view text);
  TextFormat InsertionFormat() const;
  long XOf(std::size_t bytePos) const;        // units from the start of its line
  std::size_t PosAtX(int line, long x) const;  // the caret position of a line nearest to x
  void ScrollToLine(int line);
  int MaxFirstVisible() const;
  void UpdateCaret();
  void NotifyCommand(UINT code);
  std::string LineText(int line) const;

  RichText doc_;
  std::vector<DisplayLine> lines_{DisplayLine{}};
  TextFormat defaultFormat_;
  std::optional<TextFormat> insertionFormat_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  long goalX_ = -1;  // horizontal position kept by consecutive vertical moves
  int firstVisible_ = 0;
  DWORD eventMask_ = 0;
  DWORD options_ = 0;
  COLORREF background_ = kDefaultBackground;
  bool systemBackground_ = true;
  bool hideSelection_ = false;
  bool blockCaret_ = false;
  LPARAM wordBreakProc_ = 0;
};

}  // namespace lexiv::platform
