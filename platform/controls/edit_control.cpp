#include "platform/controls/edit_control.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/controls/caret_keys.h"
#include "platform/controls/dialog_messages.h"
#include "platform/controls/text_selection.h"
#include "platform/core/accessibility.h"
#include "platform/core/caret.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/message_queue.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/clipboard.h"
#include "platform/services/shift_jis_text.h"
#include "platform/services/text_positions.h"

namespace lexiv::platform {

namespace {

constexpr int kLineHeight = 16;

// Copies text with a terminating NUL into buffer of size bytes without splitting a character.
int CopyWithNul(std::string_view text, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  const std::size_t n = SjisPrefixBytes(text, size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace

const MessageMap& EditControl::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<EditControl>(Window::ClassMessageMap())
      .On(WM_CREATE, &EditControl::OnCreate)
      .On(WM_SETTEXT, &EditControl::OnSetText)
      .On(WM_GETTEXT, &EditControl::OnGetText)
      .On(WM_GETTEXTLENGTH, &EditControl::OnGetTextLength)
      .On(EM_GETSEL, &EditControl::OnGetSel)
      .On(EM_SETSEL, &EditControl::OnSetSel)
      .On(EM_LIMITTEXT, &EditControl::OnLimitText)
      .On(EM_GETLIMITTEXT, &EditControl::OnGetLimitText)
      .On(EM_LINELENGTH, &EditControl::OnLineLength)
      .On(EM_LINEINDEX, &EditControl::OnLineIndex)
      .On(EM_LINEFROMCHAR, &EditControl::OnLineFromChar)
      .On(EM_GETLINE, &EditControl::OnGetLine)
      .On(EM_GETLINECOUNT, &EditControl::OnGetLineCount)
      .On(EM_GETFIRSTVISIBLELINE, &EditControl::OnGetFirstVisibleLine)
      .On(EM_UNDO, &EditControl::OnUndo)
      .On(WM_UNDO, &EditControl::OnUndo)
      .On(EM_CANUNDO, &EditControl::OnCanUndo)
      .On(EM_EMPTYUNDOBUFFER, &EditControl::OnEmptyUndoBuffer)
      .On(EM_SCROLLCARET, &EditControl::OnScrollCaret)
      .On(EM_REPLACESEL, &EditControl::OnReplaceSel)
      .On(EM_SETREADONLY, &EditControl::OnSetReadOnly)
      .On(EM_GETMODIFY, &EditControl::OnGetModify)
      .On(EM_SETMODIFY, &EditControl::OnSetModify)
      .On(WM_COPY, &EditControl::OnCopy)
      .On(WM_CUT, &EditControl::OnCut)
      .On(WM_PASTE, &EditControl::OnPaste)
      .On(WM_CLEAR, &EditControl::OnClear)
      .On(WM_CHAR, &EditControl::OnChar)
      .On(WM_IME_CHAR, &EditControl::OnImeChar)
      .On(WM_KEYDOWN, &EditControl::OnKeyDown)
      .On(WM_SETFOCUS, &EditControl::OnSetFocus)
      .On(WM_KILLFOCUS, &EditControl::OnKillFocus)
      .On(WM_SIZE, &EditControl::OnSize)
      .On(WM_GETDLGCODE, &EditControl::OnGetDlgCode);
  return map;
}

int EditControl::AccessRole() const { return ROLE_SYSTEM_TEXT; }

DWORD EditControl::AccessState() const { return ReadOnly() ? STATE_SYSTEM_READONLY : 0; }

std::string EditControl::AccessValue() const {
  if (GetWindowLong(hwnd(), GWL_STYLE) & ES_PASSWORD) return std::string(text_.size(), '*');
  return text_;
}

void EditControl::DescribeContents(std::vector<std::string>& lines) const {
  std::string line = "selection " + std::to_string(SelectionStart()) + "-" + std::to_string(SelectionEnd()) +
                     " caret " + std::to_string(caret_);
  if (scroll_ != 0) line += " scrolled " + std::to_string(scroll_);
  if (multiline_) line += " line " + std::to_string(LineOf(caret_)) + " of " + std::to_string(lines_.size());
  if (ReadOnly()) line += " read-only";
  lines.push_back(line);
}

bool EditControl::ReadOnly() const { return (GetWindowLong(hwnd(), GWL_STYLE) & ES_READONLY) != 0; }

LRESULT EditControl::OnCreate(WPARAM, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
  text_ = cs != nullptr && cs->lpszName != nullptr ? cs->lpszName : "";
  multiline_ = cs != nullptr && (static_cast<DWORD>(cs->style) & ES_MULTILINE) != 0;
  anchor_ = caret_ = scroll_ = 0;
  firstVisible_ = 0;
  Relayout();
  return 0;
}

LRESULT EditControl::OnSetText(WPARAM, LPARAM lParam) {
  text_ = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
  pendingLead_ = 0;
  modified_ = false;
  scroll_ = 0;
  firstVisible_ = 0;
  ForgetUndo();
  Relayout();
  Select(0, 0);
  TextChanged();
  return TRUE;
}

LRESULT EditControl::OnGetText(WPARAM wParam, LPARAM lParam) {
  return CopyWithNul(text_, reinterpret_cast<char*>(lParam), static_cast<std::size_t>(wParam));
}

LRESULT EditControl::OnGetTextLength(WPARAM, LPARAM) { return static_cast<LRESULT>(text_.size()); }

LRESULT EditControl::OnGetSel(WPARAM wParam, LPARAM lParam) {
  return AnswerGetSel(SelectionStart(), SelectionEnd(), wParam, lParam);
}

LRESULT EditControl::OnSetSel(WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<LPARAM>(static_cast<std::intptr_t>(wParam));
  if (start == -1) {
    Select(caret_, caret_);  // only the selection goes; the caret stays
    return 0;
  }
  Select(ClampTextPos(start, text_.size()), ClampTextPos(lParam, text_.size()));
  return 0;
}

LRESULT EditControl::OnLimitText(WPARAM wParam, LPARAM) {
  limitBytes_ = wParam == 0 ? 0x7FFFFFFE : static_cast<std::size_t>(wParam);
  return 0;
}

LRESULT EditControl::OnGetLimitText(WPARAM, LPARAM) { return static_cast<LRESULT>(limitBytes_); }

LRESULT EditControl::OnLineLength(WPARAM wParam, LPARAM) {
  if (!multiline_) return static_cast<LRESULT>(text_.size());
  const auto index = static_cast<std::intptr_t>(wParam);
  if (index == -1) {
    const DisplayLine& first = lines_[static_cast<std::size_t>(LineOf(SelectionStart()))];
    const DisplayLine& last = lines_[static_cast<std::size_t>(LineOf(SelectionEnd()))];
    const std::size_t before = SelectionStart() - first.start;
    const std::size_t after = last.End() > SelectionEnd() ? last.End() - SelectionEnd() : 0;
    return static_cast<LRESULT>(before + after);
  }
  return static_cast<LRESULT>(lines_[static_cast<std::size_t>(LineOf(ClampTextPos(index, text_.size())))].length);
}

LRESULT EditControl::OnLineIndex(WPARAM wParam, LPARAM) {
  const auto line = static_cast<std::intptr_t>(wParam);
  if (!multiline_) return line == 0 || line == -1 ? 0 : -1;
  if (line == -1) return static_cast<LRESULT>(lines_[static_cast<std::size_t>(LineOf(caret_))].start);
  if (line < 0 || line >= static_cast<std::intptr_t>(lines_.size())) return -1;
  return static_cast<LRESULT>(lines_[static_cast<std::size_t>(line)].start);
}

LRESULT EditControl::OnLineFromChar(WPARAM wParam, LPARAM) {
  if (!multiline_) return 0;
  const auto index = static_cast<std::intptr_t>(wParam);
  if (index == -1) return LineOf(SelectionStart());
  return LineOf(std::min(static_cast<std::size_t>(index < 0 ? 0 : index), text_.size()));
}

LRESULT EditControl::OnGetLineCount(WPARAM, LPARAM) { return multiline_ ? static_cast<LRESULT>(lines_.size()) : 1; }

LRESULT EditControl::OnGetFirstVisibleLine(WPARAM, LPARAM) {
  return multiline_ ? firstVisible_ : static_cast<LRESULT>(scroll_);
}

// The buffer's first 16-bit word holds its size in bytes; the line is copied without a NUL.
LRESULT EditControl::OnGetLine(WPARAM wParam, LPARAM lParam) {
  const auto lineIndex = static_cast<std::intptr_t>(wParam);
  if (lParam == 0 || lineIndex < 0 || lineIndex >= static_cast<std::intptr_t>(lines_.size())) return 0;
  const DisplayLine& line = lines_[static_cast<std::size_t>(lineIndex)];
  const std::string_view lineText = std::string_view(text_).substr(line.start, line.length);
  char* buffer = reinterpret_cast<char*>(lParam);
  WORD capacity = 0;
  std::memcpy(&capacity, buffer, sizeof capacity);
  const std::size_t n = SjisPrefixBytes(lineText, capacity);
  std::memcpy(buffer, lineText.data(), n);
  return static_cast<LRESULT>(n);
}

LRESULT EditControl::OnScrollCaret(WPARAM, LPARAM) {
  ScrollToCaret();
  return TRUE;
}

LRESULT EditControl::OnReplaceSel(WPARAM wParam, LPARAM lParam) {
  const char* text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
  ReplaceSelection(text, true, wParam ? ChangeKind::kOther : ChangeKind::kNotUndoable);
  return 0;
}

LRESULT EditControl::OnUndo(WPARAM, LPARAM) {
  if (!canUndo_ || ReadOnly()) return FALSE;
  // What the change replaced comes back; a second undo brings the change again.
  std::swap(text_, undoText_);
  const std::size_t anchor = undoAnchor_;
  const std::size_t caret = undoCaret_;
  undoAnchor_ = anchor_;
  undoCaret_ = caret_;
  typingRun_ = false;
  modified_ = true;
  Relayout();
  anchor_ = std::min(anchor, text_.size());
  caret_ = std::min(caret, text_.size());
  ScrollToCaret();
  if (hwnd()) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kSelectionChanged, hwnd()));
  TextChanged();
  return TRUE;
}

LRESULT EditControl::OnCanUndo(WPARAM, LPARAM) { return canUndo_ ? TRUE : FALSE; }

LRESULT EditControl::OnEmptyUndoBuffer(WPARAM, LPARAM) {
  ForgetUndo();
  return 0;
}

LRESULT EditControl::OnSetReadOnly(WPARAM wParam, LPARAM) {
  const LPARAM style = GetWindowLong(hwnd(), GWL_STYLE);
  SetWindowLong(hwnd(), GWL_STYLE, wParam ? (style | ES_READONLY) : (style & ~static_cast<LPARAM>(ES_READONLY)));
  return TRUE;
}

LRESULT EditControl::OnGetModify(WPARAM, LPARAM) { return modified_ ? TRUE : FALSE; }

LRESULT EditControl::OnSetModify(WPARAM wParam, LPARAM) {
  modified_ = wParam != 0;
  return 0;
}

LRESULT EditControl::OnCopy(WPARAM, LPARAM) {
  if (SelectionStart() == SelectionEnd() || (GetWindowLong(hwnd(), GWL_STYLE) & ES_PASSWORD)) return 0;
  if (!OpenClipboard(hwnd())) return 0;
  EmptyClipboard();
  SetClipboardData(CF_TEXT, std::string_view(text_).substr(SelectionStart(), SelectionEnd() - SelectionStart()));
  CloseClipboard();
  return 0;
}

LRESULT EditControl::OnCut(WPARAM, LPARAM) {
  if (ReadOnly() || SelectionStart() == SelectionEnd()) return 0;
  OnCopy(0, 0);
  ReplaceSelection({}, false);
  return 0;
}

LRESULT EditControl::OnPaste(WPARAM, LPARAM) {
  if (ReadOnly() || !OpenClipboard(hwnd())) return 0;
  const char* data = GetClipboardData(CF_TEXT);
  std::string text = data != nullptr ? data : "";
  CloseClipboard();
  if (multiline_) {
    // Every line end becomes "\r\n", the one the caret keys and the line messages count.
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' || text[i] == '\n') {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines += "\r\n";
      } else {
        lines += text[i];
      }
    }
    text = std::move(lines);
  } else {
    const std::size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd != std::string::npos) text.resize(lineEnd);
  }
  if (!text.empty()) ReplaceSelection(text, true);
  return 0;
}

LRESULT EditControl::OnClear(WPARAM, LPARAM) {
  if (!ReadOnly() && SelectionStart() != SelectionEnd()) ReplaceSelection({}, false);
  return 0;
}

LRESULT EditControl::OnChar(WPARAM wParam, LPARAM) {
  const auto byte = static_cast<unsigned char>(wParam & 0xFF);
  if (pendingLead_ != 0) {
    const char pair[2] = {static_cast<char>(pendingLead_), static_cast<char>(byte)};
    pendingLead_ = 0;
    if (IsSjisTrailByte(byte)) {
      if (!ReadOnly()) ReplaceSelection(std::string_view(pair, 2), true, ChangeKind::kTyping);
      return 0;
    }
  }
  switch (byte) {
    case 0x01:  // Ctrl+A
      Select(0, text_.size());
      return 0;
    case 0x03: SendMessage(hwnd(), WM_COPY, 0, 0); return 0;
    case 0x16: SendMessage(hwnd(), WM_PASTE, 0, 0); return 0;
    case 0x18: SendMessage(hwnd(), WM_CUT, 0, 0); return 0;
    case 0x1A: SendMessage(hwnd(), EM_UNDO, 0, 0); return 0;  // Ctrl+Z
    case '\r':
      if (multiline_ && !ReadOnly()) ReplaceSelection("\r\n", true, ChangeKind::kTyping);
      return 0;
    case 0x08:
      if (ReadOnly()) return 0;
      if (SelectionStart() == SelectionEnd()) {
        if (caret_ == 0) return 0;
        Select(caret_, PrevCaretPos(text_, caret_));
      }
      ReplaceSelection({}, false);
      return 0;
    default: break;
  }
  if (byte < 0x20 || byte == 0x7F || ReadOnly()) return 0;
  if (IsSjisLeadByte(byte)) {
    pendingLead_ = byte;
    return 0;
  }
  char c = static_cast<char>(byte);
  const LPARAM style = GetWindowLong(hwnd(), GWL_STYLE);
  if ((style & ES_UPPERCASE) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if ((style & ES_LOWERCASE) && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  ReplaceSelection(std::string_view(&c, 1), true, ChangeKind::kTyping);
  return 0;
}

LRESULT EditControl::OnImeChar(WPARAM wParam, LPARAM lParam) {
  if (wParam <= 0xFF) return OnChar(wParam, lParam);
  pendingLead_ = 0;
  if (ReadOnly()) return 0;
  const char pair[2] = {static_cast<char>(HIBYTE(wParam)), static_cast<char>(LOBYTE(wParam))};
  ReplaceSelection(std::string_view(pair, 2), true, ChangeKind::kTyping);
  return 0;
}

LRESULT EditControl::OnKeyDown(WPARAM wParam, LPARAM) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const std::size_t start = SelectionStart();
  const std::size_t end = SelectionEnd();
  switch (wParam) {
    case VK_DELETE:
      if (ReadOnly()) return 0;
      if (shift) {
        SendMessage(hwnd(), WM_CUT, 0, 0);
        return 0;
      }
      if (start == end) {
        if (caret_ >= text_.size()) return 0;
        Select(caret_, NextCaretPos(text_, caret_));
      }
      ReplaceSelection({}, false);
      return 0;
    case VK_INSERT:
      if (shift) SendMessage(hwnd(), WM_PASTE, 0, 0);
      else if (ctrl) SendMessage(hwnd(), WM_COPY, 0, 0);
      return 0;
    default:
      break;
  }
  const int line = LineOf(caret_);
  const DisplayLine& current = lines_[static_cast<std::size_t>(line)];
  const bool vertical = wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT;
  if (vertical && goalCells_ < 0) goalCells_ = CellsInLine(line, caret_);
  const int goalCells = goalCells_;
  CaretKeyView view;
  view.text = text_;
  view.anchor = anchor_;
  view.caret = caret_;
  view.lineStart = current.start;
  view.lineEnd = multiline_ ? current.End() : text_.size();
  view.wordKeys = true;
  if (multiline_) {
    view.line = line;
    view.lastLine = static_cast<int>(lines_.size()) - 1;
    view.pageLines = VisibleLines();
    view.positionOnLine = [this, goalCells](int targetLine) { return PosAtCells(targetLine, goalCells); };
  }
  const std::optional<CaretMove> move = CaretKeyMove(static_cast<UINT>(wParam), shift, ctrl, view);
  if (!move) return Default();
  // A page key scrolls the view by the lines the caret moved, so the caret keeps its row.
  if (wParam == VK_PRIOR || wParam == VK_NEXT)
    firstVisible_ = std::clamp(firstVisible_ + (move->targetLine - line), 0, static_cast<int>(lines_.size()) - 1);
  Select(move->anchor, move->caret);
  if (vertical) goalCells_ = goalCells;  // Select forgets it
  ScrollToCaret();
  return 0;
}

LRESULT EditControl::OnSetFocus(WPARAM, LPARAM) {
  CreateCaret(hwnd(), 1, kLineHeight);
  PlaceCaret();
  ShowCaret(hwnd());
  Notify(EN_SETFOCUS);
  return 0;
}

LRESULT EditControl::OnKillFocus(WPARAM, LPARAM) {
  if (CurrentCaret().owner == hwnd()) DestroyCaret();
  pendingLead_ = 0;
  Notify(EN_KILLFOCUS);
  return 0;
}

LRESULT EditControl::OnSize(WPARAM, LPARAM) {
  Relayout();
  ScrollToCaret();
  return Default();
}

// In a dialog, letters typed into the field are text, not mnemonics, and the arrows move the
// caret; the dialog selects the text when the field gets the focus from it.
// Several lines take Enter for themselves only with ES_WANTRETURN.
LRESULT EditControl::OnGetDlgCode(WPARAM, LPARAM lParam) {
  LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
  const auto* msg = reinterpret_cast<const Msg*>(lParam);
  if (multiline_ && msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN &&
      (GetWindowLong(hwnd(), GWL_STYLE) & ES_WANTRETURN))
    code |= DLGC_WANTMESSAGE;
  return code;
}

void EditControl::Select(std::size_t anchor, std::size_t caret) {
  const SnappedSelection snapped = SnapSelection(text_, anchor, caret);
  anchor = snapped.anchor;
  caret = snapped.caret;
  if (anchor == anchor_ && caret == caret_) return;
  anchor_ = anchor;
  caret_ = caret;
  goalCells_ = -1;
  typingRun_ = false;
  PlaceCaret();
  if (hwnd()) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kSelectionChanged, hwnd()));
}

bool EditControl::ReplaceSelection(std::string_view text, bool limited, ChangeKind kind) {
  const std::size_t start = SelectionStart();
  const std::size_t end = SelectionEnd();
  std::string_view inserted = text.substr(0, text.find('\0'));
  bool cut = false;
  if (limited) {
    const std::size_t remaining = text_.size() - (end - start);
    const std::size_t room = limitBytes_ > remaining ? limitBytes_ - remaining : 0;
    if (inserted.size() > room) {
      inserted = inserted.substr(0, SjisPrefixBytes(inserted, room));
      cut = true;
    }
  }
  if (cut) Notify(EN_MAXTEXT);
  if (inserted.empty() && start == end) return false;
  if (kind == ChangeKind::kNotUndoable) {
    ForgetUndo();
  } else if (!(kind == ChangeKind::kTyping && typingRun_ && start == end && start == caret_)) {
    canUndo_ = true;
    undoText_ = text_;
    undoAnchor_ = anchor_;
    undoCaret_ = caret_;
  }
  text_.replace(start, end - start, inserted);
  anchor_ = caret_ = start + inserted.size();
  typingRun_ = kind == ChangeKind::kTyping;
  goalCells_ = -1;
  modified_ = true;
  Relayout();
  PlaceCaret();
  ScrollToCaret();
  TextChanged();
  return true;
}

void EditControl::TextChanged() {
  if (!hwnd()) return;
  RaiseAccessEvent(DescribeForAccess(AccessEventKind::kValueChanged, hwnd()));
  Notify(EN_CHANGE);
}

void EditControl::Notify(UINT code) {
  const HWND parent = GetParent(hwnd());
  if (parent && (GetWindowLong(hwnd(), GWL_STYLE) & WS_CHILD))
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd())), static_cast<WORD>(code)),
                ToLParam(hwnd()));
}

int EditControl::VisibleCells() const {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  return std::max(1, static_cast<int>(rc.Width() / kCellWidth));
}

// Keeps the caret inside the visible cells (one line: scrolling by whole characters; several:
// by whole lines).
void EditControl::ScrollToCaret() {
  if (!hwnd()) return;
  if (multiline_) {
    const int line = LineOf(caret_);
    const int visible = VisibleLines();
    if (line < firstVisible_) firstVisible_ = line;
    else if (line >= firstVisible_ + visible) firstVisible_ = line - visible + 1;
    PlaceCaret();
    return;
  }
  scroll_ = std::min(scroll_, caret_);
  scroll_ = CharStartAtOrBefore(text_, scroll_);
  const int visible = VisibleCells();
  auto cellsBetween = [this](std::size_t from, std::size_t to) {
    int cells = 0;
    for (std::size_t p = from; p < to; p += SjisCharBytesAt(text_, p)) cells += CharCellsAt(text_, p);
    return cells;
  };
  while (scroll_ < caret_ && cellsBetween(scroll_, caret_) >= visible) scroll_ = NextCaretPos(text_, scroll_);
  PlaceCaret();
}

void EditControl::PlaceCaret() {
  if (!hwnd() || CurrentCaret().owner != hwnd()) return;
  if (multiline_) {
    const int line = LineOf(caret_);
    SetCaretPos(CellsInLine(line, caret_) * kCellWidth, (line - firstVisible_) * kLineHeight);
    return;
  }
  int cells = 0;
  for (std::size_t p = scroll_; p < caret_; p += SjisCharBytesAt(text_, p)) cells += CharCellsAt(text_, p);
  SetCaretPos(cells * kCellWidth, 0);
}

void EditControl::Relayout() {
  if (!multiline_) {
    lines_.assign(1, DisplayLine{0, text_.size(), 0, kLineHeight});
    return;
  }
  const long capacity = hwnd() ? VisibleCells() : 0;
  const auto cellsAt = [this](std::size_t bytePos) { return static_cast<long>(CharCellsAt(text_, bytePos)); };
  lines_ = WrapTextLines(text_, capacity, cellsAt);
  firstVisible_ = std::clamp(firstVisible_, 0, static_cast<int>(lines_.size()) - 1);
}

int EditControl::VisibleLines() const {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  return std::max(1, static_cast<int>(rc.Height() / kLineHeight));
}

int EditControl::CellsInLine(int line, std::size_t bytePos) const {
  const DisplayLine& l = lines_[static_cast<std::size_t>(line)];
  int cells = 0;
  for (std::size_t p = l.start; p < std::min(bytePos, l.End()); p += SjisCharBytesAt(text_, p)) cells += CharCellsAt(text_, p);
  return cells;
}

std::size_t EditControl::PosAtCells(int line, int cells) const {
  const auto cellsAt = [this](std::size_t bytePos) { return static_cast<long>(CharCellsAt(text_, bytePos)); };
  return PositionInLine(text_, lines_, line, cells, cellsAt);
}

void EditControl::ForgetUndo() {
  canUndo_ = false;
  typingRun_ = false;
  undoText_.clear();
  undoAnchor_ = undoCaret_ = 0;
}

}  // namespace lexiv::platform
