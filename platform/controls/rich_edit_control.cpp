#include "platform/controls/rich_edit_control.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/controls/caret_keys.h"
#include "platform/controls/text_selection.h"
#include "platform/core/accessibility.h"
#include "platform/core/caret.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/clipboard.h"
#include "platform/services/sjis_search.h"
#include "platform/services/text_positions.h"

namespace lexiv::platform {

namespace {

constexpr DWORD kOptionStyles = ECO_AUTOVSCROLL | ECO_AUTOHSCROLL | ECO_NOHIDESEL | ECO_READONLY;

}  // namespace

const MessageMap& RichEditControl::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<RichEditControl>(Window::ClassMessageMap())
      .On(WM_CREATE, &RichEditControl::OnCreate)
      .On(WM_SIZE, &RichEditControl::OnSize)
      .On(WM_SETTEXT, &RichEditControl::OnSetText)
      .On(WM_GETTEXT, &RichEditControl::OnGetText)
      .On(WM_GETTEXTLENGTH, &RichEditControl::OnGetTextLength)
      .On(EM_GETSEL, &RichEditControl::OnGetSel)
      .On(EM_SETSEL, &RichEditControl::OnSetSel)
      .On(EM_EXGETSEL, &RichEditControl::OnExGetSel)
      .On(EM_EXSETSEL, &RichEditControl::OnExSetSel)
      .On(EM_REPLACESEL, &RichEditControl::OnReplaceSel)
      .On(EM_SETCHARFORMAT, &RichEditControl::OnSetCharFormat)
      .On(EM_GETCHARFORMAT, &RichEditControl::OnGetCharFormat)
      .On(EM_SETBKGNDCOLOR, &RichEditControl::OnSetBkgndColor)
      .On(EM_LINEFROMCHAR, &RichEditControl::OnLineFromChar)
      .On(EM_EXLINEFROMCHAR, &RichEditControl::OnExLineFromChar)
      .On(EM_LINEINDEX, &RichEditControl::OnLineIndex)
      .On(EM_LINELENGTH, &RichEditControl::OnLineLength)
      .On(EM_GETLINE, &RichEditControl::OnGetLine)
      .On(EM_GETLINECOUNT, &RichEditControl::OnGetLineCount)
      .On(EM_GETFIRSTVISIBLELINE, &RichEditControl::OnGetFirstVisibleLine)
      .On(EM_LINESCROLL, &RichEditControl::OnLineScroll)
      .On(EM_SCROLLCARET, &RichEditControl::OnScrollCaret)
      .On(EM_HIDESELECTION, &RichEditControl::OnHideSelection)
      .On(EM_GETSELTEXT, &RichEditControl::OnGetSelText)
      .On(EM_GETTEXTRANGE, &RichEditControl::OnGetTextRange)
      .On(EM_SETEVENTMASK, &RichEditControl::OnSetEventMask)
      .On(EM_GETEVENTMASK, &RichEditControl::OnGetEventMask)
      .On(EM_SETOPTIONS, &RichEditControl::OnSetOptions)
      .On(EM_GETOPTIONS, &RichEditControl::OnGetOptions)
      .On(EM_SETREADONLY, &RichEditControl::OnSetReadOnly)
      .On(EM_FINDTEXTEX, &RichEditControl::OnFindTextEx)
      .On(EM_SETWORDBREAKPROCEX, &RichEditControl::OnSetWordBreakProcEx)
      .On(EM_GETWORDBREAKPROCEX, &RichEditControl::OnGetWordBreakProcEx)
      .On(WM_COPY, &RichEditControl::OnCopy)
      .On(WM_KEYDOWN, &RichEditControl::OnKeyDown)
      .On(WM_CHAR, &RichEditControl::OnChar)
      .On(WM_LBUTTONDOWN, &RichEditControl::OnLButtonDown)
      .On(WM_SETFOCUS, &RichEditControl::OnSetFocus)
      .On(WM_KILLFOCUS, &RichEditControl::OnKillFocus);
  return map;
}

int RichEditControl::AccessRole() const { return ROLE_SYSTEM_TEXT; }

DWORD RichEditControl::AccessState() const { return (options_ & ECO_READONLY) ? STATE_SYSTEM_READONLY : 0; }

std::string RichEditControl::AccessValue() const { return LineText(LineOf(caret_)); }

bool RichEditControl::SelectionHidden() const {
  return hideSelection_ || (!(options_ & ECO_NOHIDESEL) && GetFocus() != hwnd());
}

void RichEditControl::DescribeContents(std::vector<std::string>& out) const {
  char background[16];
  std::snprintf(background, sizeof background, "#%02X%02X%02X", GetRValue(background_), GetGValue(background_),
                GetBValue(background_));
  const int caretLine = LineOf(caret_);
  std::string head = "background " + std::string(background) + " selection " + std::to_string(SelectionStart()) +
                     "-" + std::to_string(SelectionEnd());
  if (SelectionHidden()) head += " (hidden)";
  head += " caret " + std::to_string(caretLine) + ":" + std::to_string(caret_ - lines_[static_cast<std::size_t>(caretLine)].start);
  const CaretState caret = CurrentCaret();
  if (caret.owner == hwnd() && caret.visible)
    head += " " + std::to_string(caret.size.cx) + "x" + std::to_string(caret.size.cy);
  out.push_back(head);
  const int visible = VisibleLineCount();
  const std::string& bytes = doc_.Bytes();
  for (int i = firstVisible_; i < firstVisible_ + visible && i < static_cast<int>(lines_.size()); ++i) {
    const DisplayLine& line = lines_[static_cast<std::size_t>(i)];
    std::string text = std::to_string(i) + ": ";
    const TextFormat* shown = nullptr;
    for (std::size_t p = line.start; p < line.End(); p += SjisCharBytesAt(bytes, p)) {
      const TextFormat& f = doc_.FormatAt(p);
      if (shown == nullptr || !(f == *shown)) text += "[" + DescribeFormat(f) + "]";
      shown = &f;
      text.append(bytes, p, SjisCharBytesAt(bytes, p));
    }
    if (line.breakBytes == 0 && i + 1 < static_cast<int>(lines_.size())) text += " \\";
    out.push_back(text);
  }
}

int RichEditControl::LineOf(std::size_t bytePos) const { return LineHolding(lines_, bytePos); }

// Past the last line the window would go on with lines as high as the last one.
int RichEditControl::VisibleLineCount() const {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  int room = rc.Height();
  int count = 0;
  for (std::size_t i = static_cast<std::size_t>(firstVisible_); i < lines_.size(); ++i) {
    if (lines_[i].heightPx > room) return std::max(count, 1);
    room -= lines_[i].heightPx;
    ++count;
  }
  return std::max(count + room / lines_.back().heightPx, 1);
}

// The first visible line that still fills the window down to the last line.
int RichEditControl::MaxFirstVisible() const {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  int room = rc.Height();
  int first = static_cast<int>(lines_.size());
  while (first > 0 && lines_[static_cast<std::size_t>(first - 1)].heightPx <= room) {
    room -= lines_[static_cast<std::size_t>(first - 1)].heightPx;
    --first;
  }
  return std::min(first, static_cast<int>(lines_.size()) - 1);
}

SIZE RichEditControl::CharBoxAt(std::size_t bytePos) const {
  const std::string& bytes = doc_.Bytes();
  const bool blank = bytePos >= bytes.size() || bytes[bytePos] == '\r' || bytes[bytePos] == '\n';
  const LONG twips = bytePos < bytes.size() ? doc_.FormatAt(bytePos).heightTwips
                     : bytePos > 0 && bytePos <= bytes.size() ? doc_.FormatAt(bytePos - 1).heightTwips
                                                              : defaultFormat_.heightTwips;
  const int cells = blank ? 1 : CharCellsAt(bytes, bytePos);
  return SIZE{static_cast<LONG>(cells * twips / kUnitsPerPixel), static_cast<LONG>(std::max<LONG>(1, twips / 15))};
}

void RichEditControl::SetBlockCaret(bool on) {
  blockCaret_ = on;
  UpdateCaret();
}

LRESULT RichEditControl::OnCreate(WPARAM, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
  options_ = static_cast<DWORD>(GetWindowLong(hwnd(), GWL_STYLE)) & kOptionStyles;
  if (cs != nullptr && cs->lpszName != nullptr) doc_.Replace(0, 0, cs->lpszName, defaultFormat_);
  Relayout();
  return 0;
}

LRESULT RichEditControl::OnSize(WPARAM, LPARAM) {
  Relayout();
  return Default();
}

LRESULT RichEditControl::OnSetText(WPARAM, LPARAM lParam) {
  const char* text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
  doc_.Replace(0, doc_.Size(), text, defaultFormat_);
  insertionFormat_.reset();
  anchor_ = caret_ = 0;
  firstVisible_ = 0;
  Relayout();
  UpdateCaret();
  if (hwnd()) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kValueChanged, hwnd()));
  return TRUE;
}

LRESULT RichEditControl::OnGetText(WPARAM wParam, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  if (buffer == nullptr || wParam == 0) return 0;
  const std::size_t n = SjisPrefixBytes(doc_.Bytes(), static_cast<std::size_t>(wParam) - 1);
  std::memcpy(buffer, doc_.Bytes().data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT RichEditControl::OnGetTextLength(WPARAM, LPARAM) { return static_cast<LRESULT>(doc_.Size()); }

LRESULT RichEditControl::OnGetSel(WPARAM wParam, LPARAM lParam) {
  return AnswerGetSel(SelectionStart(), SelectionEnd(), wParam, lParam);
}

LRESULT RichEditControl::OnSetSel(WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<LONG>(static_cast<std::intptr_t>(wParam));
  const auto end = static_cast<LONG>(lParam);
  if (start == -1) {
    Select(caret_, caret_);
  } else if (start == 0 && end == -1) {
    Select(0, doc_.Size());
  } else {
    Select(ClampTextPos(start, doc_.Size()), ClampTextPos(end, doc_.Size()));
  }
  return 0;
}

LRESULT RichEditControl::OnExGetSel(WPARAM, LPARAM lParam) {
  if (lParam != 0) {
    auto* range = reinterpret_cast<CHARRANGE*>(lParam);
    range->cpMin = static_cast<LONG>(SelectionStart());
    range->cpMax = static_cast<LONG>(SelectionEnd());
  }
  return 0;
}

LRESULT RichEditControl::OnExSetSel(WPARAM, LPARAM lParam) {
  if (lParam == 0) return static_cast<LRESULT>(SelectionEnd());
  const auto* range = reinterpret_cast<const CHARRANGE*>(lParam);
  if (range->cpMin < 0) {
    Select(caret_, caret_);
  } else {
    std::size_t from = ClampTextPos(range->cpMin, doc_.Size());
    std::size_t to = ClampTextPos(range->cpMax, doc_.Size());
    if (to < from) std::swap(from, to);
    Select(from, to);
  }
  return static_cast<LRESULT>(SelectionEnd());
}

LRESULT RichEditControl::OnReplaceSel(WPARAM, LPARAM lParam) {
  ReplaceSelection(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
  return 0;
}

LRESULT RichEditControl::OnSetCharFormat(WPARAM wParam, LPARAM lParam) {
  const auto* cf = reinterpret_cast<const CHARFORMAT*>(lParam);
  if (cf == nullptr || cf->cbSize != sizeof(CHARFORMAT)) return FALSE;
  if (wParam & SCF_ALL) {
    doc_.ApplyFormat(0, doc_.Size(), *cf);
    defaultFormat_ = MergeFormat(defaultFormat_, *cf);
    if (insertionFormat_) insertionFormat_ = MergeFormat(*insertionFormat_, *cf);
  } else if (wParam & (SCF_SELECTION | SCF_WORD)) {
    if (SelectionStart() == SelectionEnd()) insertionFormat_ = MergeFormat(InsertionFormat(), *cf);
    else doc_.ApplyFormat(SelectionStart(), SelectionEnd(), *cf);
  } else {
    defaultFormat_ = MergeFormat(defaultFormat_, *cf);
  }
  Relayout();
  UpdateCaret();
  return TRUE;
}

// Reports the selection's format (the insertion format when it is empty) or the default one;
// the mask names the fields that are the same over the whole selection.
LRESULT RichEditControl::OnGetCharFormat(WPARAM wParam, LPARAM lParam) {
  auto* cf = reinterpret_cast<CHARFORMAT*>(lParam);
  if (cf == nullptr || cf->cbSize != sizeof(CHARFORMAT)) return 0;
  if ((wParam & SCF_SELECTION) && SelectionStart() != SelectionEnd()) {
    FillCharFormat(doc_.FormatAt(SelectionStart()), doc_.CommonMask(SelectionStart(), SelectionEnd()), cf);
  } else {
    const TextFormat format = (wParam & SCF_SELECTION) ? InsertionFormat() : defaultFormat_;
    FillCharFormat(format, doc_.CommonMask(0, 0), cf);
  }
  return static_cast<LRESULT>(cf->dwMask);
}

LRESULT RichEditControl::OnSetBkgndColor(WPARAM wParam, LPARAM lParam) {
  const COLORREF previous = background_;
  background_ = wParam != 0 ? kDefaultBackground : static_cast<COLORREF>(lParam) & 0xFFFFFF;
  systemBackground_ = wParam != 0;
  return static_cast<LRESULT>(previous);
}

LRESULT RichEditControl::OnLineFromChar(WPARAM wParam, LPARAM) {
  const auto pos = static_cast<std::intptr_t>(wParam);
  return LineOf(pos < 0 ? SelectionStart() : static_cast<std::size_t>(pos));
}

LRESULT RichEditControl::OnExLineFromChar(WPARAM, LPARAM lParam) {
  return LineOf(lParam < 0 ? SelectionStart() : static_cast<std::size_t>(lParam));
}

LRESULT RichEditControl::OnLineIndex(WPARAM wParam, LPARAM) {
  const auto line = static_cast<std::intptr_t>(wParam);
  if (line < 0) return static_cast<LRESULT>(lines_[static_cast<std::size_t>(LineOf(caret_))].start);
  if (static_cast<std::size_t>(line) >= lines_.size()) return -1;
  return static_cast<LRESULT>(lines_[static_cast<std::size_t>(line)].start);
}

LRESULT RichEditControl::OnLineLength(WPARAM wParam, LPARAM) {
  const auto pos = static_cast<std::intptr_t>(wParam);
  if (pos >= 0) {
    if (static_cast<std::size_t>(pos) > doc_.Size()) return 0;
    return static_cast<LRESULT>(lines_[static_cast<std::size_t>(LineOf(static_cast<std::size_t>(pos)))].length);
  }
  std::size_t unselected = 0;
  for (int i = LineOf(SelectionStart()); i <= LineOf(SelectionEnd()); ++i) {
    const DisplayLine& line = lines_[static_cast<std::size_t>(i)];
    const std::size_t from = std::max(line.start, SelectionStart());
    const std::size_t to = std::min(line.End(), SelectionEnd());
    unselected += line.length - (to > from ? to - from : 0);
  }
  return static_cast<LRESULT>(unselected);
}

// The buffer's first 16-bit word holds its size in bytes.
LRESULT RichEditControl::OnGetLine(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 || wParam >= lines_.size()) return 0;
  char* buffer = reinterpret_cast<char*>(lParam);
  WORD capacity = 0;
  std::memcpy(&capacity, buffer, sizeof capacity);
  const std::string text = LineText(static_cast<int>(wParam));
  const std::size_t n = SjisPrefixBytes(text, capacity);
  std::memcpy(buffer, text.data(), n);
  if (n < capacity) buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT RichEditControl::OnGetLineCount(WPARAM, LPARAM) { return static_cast<LRESULT>(lines_.size()); }

LRESULT RichEditControl::OnGetFirstVisibleLine(WPARAM, LPARAM) { return firstVisible_; }

LRESULT RichEditControl::OnLineScroll(WPARAM, LPARAM lParam) {
  const long target = static_cast<long>(firstVisible_) + static_cast<long>(lParam);
  firstVisible_ = static_cast<int>(std::clamp<long>(target, 0, MaxFirstVisible()));
  UpdateCaret();
  return TRUE;
}

LRESULT RichEditControl::OnScrollCaret(WPARAM, LPARAM) {
  ScrollToLine(LineOf(caret_));
  UpdateCaret();
  return TRUE;
}

LRESULT RichEditControl::OnHideSelection(WPARAM wParam, LPARAM) {
  hideSelection_ = wParam != 0;
  return 0;
}

// Copies the selection with a NUL; the caller's buffer holds at least the selection and the NUL.
LRESULT RichEditControl::OnGetSelText(WPARAM, LPARAM lParam) {
  if (lParam == 0) return 0;
  const std::size_t n = SelectionEnd() - SelectionStart();
  char* buffer = reinterpret_cast<char*>(lParam);
  std::memcpy(buffer, doc_.Bytes().data() + SelectionStart(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT RichEditControl::OnGetTextRange(WPARAM, LPARAM lParam) {
  auto* range = reinterpret_cast<TEXTRANGE*>(lParam);
  if (range == nullptr || range->lpstrText == nullptr) return 0;
  std::size_t from = ClampTextPos(range->chrg.cpMin, doc_.Size());
  std::size_t to = ClampTextPos(range->chrg.cpMax, doc_.Size());
  if (to < from) to = from;
  std::memcpy(range->lpstrText, doc_.Bytes().data() + from, to - from);
  range->lpstrText[to - from] = '\0';
  return static_cast<LRESULT>(to - from);
}

LRESULT RichEditControl::OnSetEventMask(WPARAM, LPARAM lParam) {
  const DWORD previous = eventMask_;
  eventMask_ = static_cast<DWORD>(lParam);
  return static_cast<LRESULT>(previous);
}

LRESULT RichEditControl::OnGetEventMask(WPARAM, LPARAM) { return static_cast<LRESULT>(eventMask_); }

LRESULT RichEditControl::OnSetOptions(WPARAM wParam, LPARAM lParam) {
  const auto bits = static_cast<DWORD>(lParam);
  switch (wParam) {
    case ECOOP_SET: options_ = bits; break;
    case ECOOP_OR: options_ |= bits; break;
    case ECOOP_AND: options_ &= bits; break;
    case ECOOP_XOR: options_ ^= bits; break;
    default: break;
  }
  return static_cast<LRESULT>(options_);
}

LRESULT RichEditControl::OnGetOptions(WPARAM, LPARAM) { return static_cast<LRESULT>(options_); }

LRESULT RichEditControl::OnSetReadOnly(WPARAM wParam, LPARAM) {
  options_ = wParam ? (options_ | ECO_READONLY) : (options_ & ~ECO_READONLY);
  return TRUE;
}

LRESULT RichEditControl::OnFindTextEx(WPARAM wParam, LPARAM lParam) {
  auto* find = reinterpret_cast<FINDTEXTEX*>(lParam);
  if (find == nullptr || find->lpstrText == nullptr) return -1;
  std::size_t from = ClampTextPos(find->chrg.cpMin, doc_.Size());
  std::size_t to = ClampTextPos(find->chrg.cpMax, doc_.Size());
  if (to < from) std::swap(from, to);
  const std::string_view pattern(find->lpstrText);
  const std::size_t found =
      FindSjisText(doc_.Bytes(), pattern, from, to, (wParam & FR_MATCHCASE) != 0, (wParam & FR_DOWN) != 0);
  if (found == kNoMatch) {
    find->chrgText = CHARRANGE{-1, -1};
    return -1;
  }
  find->chrgText = CHARRANGE{static_cast<LONG>(found), static_cast<LONG>(found + pattern.size())};
  return static_cast<LRESULT>(found);
}

LRESULT RichEditControl::OnSetWordBreakProcEx(WPARAM, LPARAM lParam) {
  const LPARAM previous = wordBreakProc_;
  wordBreakProc_ = lParam;
  return previous;
}

LRESULT RichEditControl::OnGetWordBreakProcEx(WPARAM, LPARAM) { return wordBreakProc_; }

LRESULT RichEditControl::OnCopy(WPARAM, LPARAM) {
  if (SelectionStart() == SelectionEnd() || !OpenClipboard(hwnd())) return 0;
  EmptyClipboard();
  SetClipboardData(CF_TEXT, std::string_view(doc_.Bytes()).substr(SelectionStart(), SelectionEnd() - SelectionStart()));
  CloseClipboard();
  return 0;
}

LRESULT RichEditControl::OnKeyDown(WPARAM wParam, LPARAM) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const std::string& bytes = doc_.Bytes();
  switch (wParam) {
    case 'C':
      if (ctrl) SendMessage(hwnd(), WM_COPY, 0, 0);
      return 0;
    case 'A':
      if (ctrl) Select(0, bytes.size());
      return 0;
    default:
      break;
  }
  const int line = LineOf(caret_);
  const DisplayLine& current = lines_[static_cast<std::size_t>(line)];
  const bool vertical = wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT;
  if (vertical && goalX_ < 0) goalX_ = XOf(caret_);
  const long goalX = goalX_;
  CaretKeyView view;
  view.text = bytes;
  view.anchor = anchor_;
  view.caret = caret_;
  view.lineStart = current.start;
  view.lineEnd = current.End();
  view.line = line;
  view.lastLine = static_cast<int>(lines_.size()) - 1;
  view.pageLines = VisibleLineCount();
  view.positionOnLine = [this, goalX](int targetLine) { return PosAtX(targetLine, goalX); };
  const std::optional<CaretMove> move = CaretKeyMove(static_cast<UINT>(wParam), shift, ctrl, view);
  if (!move) return Default();
  // A page key scrolls the view by the lines the caret moved, so the caret keeps its row.
  if (wParam == VK_PRIOR || wParam == VK_NEXT)
    firstVisible_ = std::clamp(firstVisible_ + (move->targetLine - line), 0, std::max(MaxFirstVisible(), firstVisible_));
  Select(move->anchor, move->caret);
  if (vertical) goalX_ = goalX;  // Select forgets it
  if (IsWindow(hwnd())) ScrollToLine(LineOf(caret_));
  UpdateCaret();
  return 0;
}

LRESULT RichEditControl::OnChar(WPARAM, LPARAM) { return 0; }

LRESULT RichEditControl::OnLButtonDown(WPARAM, LPARAM lParam) {
  SetFocus(hwnd());
  int y = GET_Y_LPARAM(lParam);
  int line = firstVisible_;
  while (line + 1 < static_cast<int>(lines_.size()) && y >= lines_[static_cast<std::size_t>(line)].heightPx) {
    y -= lines_[static_cast<std::size_t>(line)].heightPx;
    ++line;
  }
  const std::size_t pos = PosAtX(line, static_cast<long>(GET_X_LPARAM(lParam)) * kUnitsPerPixel);
  Select(GetKeyState(VK_SHIFT) < 0 ? anchor_ : pos, pos);
  return 0;
}

LRESULT RichEditControl::OnSetFocus(WPARAM, LPARAM) {
  CreateCaret(hwnd(), 1, lines_[static_cast<std::size_t>(LineOf(caret_))].heightPx);
  UpdateCaret();
  ShowCaret(hwnd());
  NotifyCommand(EN_SETFOCUS);
  return 0;
}

LRESULT RichEditControl::OnKillFocus(WPARAM, LPARAM) {
  if (CurrentCaret().owner == hwnd()) DestroyCaret();
  NotifyCommand(EN_KILLFOCUS);
  return 0;
}

void RichEditControl::Relayout() {
  RECT rc;
  GetClientRect(hwnd(), &rc);
  lines_ = LayoutLines(doc_, rc.Width(), defaultFormat_);
  firstVisible_ = std::min(firstVisible_, static_cast<int>(lines_.size()) - 1);
}

void RichEditControl::Select(std::size_t anchor, std::size_t caret) {
  const std::string& bytes = doc_.Bytes();
  const SnappedSelection snapped = SnapSelection(bytes, anchor, caret);
  anchor = snapped.anchor;
  caret = snapped.caret;
  goalX_ = -1;
  if (anchor == anchor_ && caret == caret_) return;
  anchor_ = anchor;
  caret_ = caret;
  insertionFormat_.reset();
  if (options_ & ECO_AUTOVSCROLL) ScrollToLine(LineOf(caret_));
  UpdateCaret();
  if (!hwnd()) return;
  const HWND self = hwnd();
  if (eventMask_ & ENM_SELCHANGE) {
    SELCHANGE change;
    change.nmhdr.hwndFrom = self;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(self));
    change.nmhdr.code = EN_SELCHANGE;
    change.chrg = CHARRANGE{static_cast<LONG>(SelectionStart()), static_cast<LONG>(SelectionEnd())};
    const std::size_t length = SelectionEnd() - SelectionStart();
    change.seltyp = length == 0 ? SEL_EMPTY : length > SjisCharBytesAt(bytes, SelectionStart()) ? SEL_TEXT | SEL_MULTICHAR : SEL_TEXT;
    if (const HWND parent = GetParent(self)) SendMessage(parent, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
  }
  if (IsWindow(self)) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kSelectionChanged, self));
}

TextFormat RichEditControl::InsertionFormat() const {
  if (SelectionStart() != SelectionEnd()) return doc_.FormatAt(SelectionStart());
  if (insertionFormat_) return *insertionFormat_;
  if (caret_ > 0) return doc_.FormatAt(caret_ - 1);
  if (doc_.Size() > 0) return doc_.FormatAt(0);
  return defaultFormat_;
}

void RichEditControl::ReplaceSelection(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  const std::size_t start = SelectionStart();
  const std::size_t end = SelectionEnd();
  const TextFormat format = InsertionFormat();
  doc_.Replace(start, end, text, format);
  // The inserted bytes carry the format now; the old selection no longer exists as such.
  anchor_ = caret_ = start;
  Relayout();
  Select(start + text.size(), start + text.size());
  UpdateCaret();
  if (hwnd() && (!text.empty() || start != end))
    RaiseAccessEvent(DescribeForAccess(AccessEventKind::kValueChanged, hwnd()));
}

long RichEditControl::XOf(std::size_t bytePos) const {
  const DisplayLine& line = lines_[static_cast<std::size_t>(LineOf(bytePos))];
  long x = 0;
  for (std::size_t p = line.start; p < bytePos && p < line.End(); p += SjisCharBytesAt(doc_.Bytes(), p))
    x += CharUnits(doc_, p);
  return x;
}

std::size_t RichEditControl::PosAtX(int lineIndex, long x) const {
  return PositionInLine(doc_.Bytes(), lines_, lineIndex, x, [this](std::size_t bytePos) { return CharUnits(doc_, bytePos); });
}

void RichEditControl::ScrollToLine(int line) {
  if (line < firstVisible_) firstVisible_ = line;
  while (line >= firstVisible_ + VisibleLineCount() && firstVisible_ < line) ++firstVisible_;
}

void RichEditControl::UpdateCaret() {
  if (!hwnd() || CurrentCaret().owner != hwnd()) return;
  const int line = LineOf(caret_);
  int y = 0;
  for (int i = firstVisible_; i < line; ++i) y += lines_[static_cast<std::size_t>(i)].heightPx;
  if (line < firstVisible_) y = -1;
  SIZE size{1, lines_[static_cast<std::size_t>(line)].heightPx};
  if (blockCaret_ && anchor_ == caret_) size = CharBoxAt(caret_);
  const CaretState state = CurrentCaret();
  if (state.size.cx != size.cx || state.size.cy != size.cy) {
    CreateCaret(hwnd(), size.cx, size.cy);
    if (state.visible) ShowCaret(hwnd());
  }
  SetCaretPos(static_cast<int>(XOf(caret_) / kUnitsPerPixel), y);
}

void RichEditControl::NotifyCommand(UINT code) {
  const HWND parent = GetParent(hwnd());
  if (parent && (GetWindowLong(hwnd(), GWL_STYLE) & WS_CHILD))
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd())), static_cast<WORD>(code)),
                ToLParam(hwnd()));
}

std::string RichEditControl::LineText(int line) const {
  const DisplayLine& l = lines_[static_cast<std::size_t>(line)];
  return doc_.Bytes().substr(l.start, l.length);
}

}  // namespace lexiv::platform
