#include "views/mean_view.h"

#include <cstdio>
#include <cstring>

#include "access/deferred_speech.h"
#include "access/speech.h"
#include "access/speech_library.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/keyboard_state.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/text_positions.h"
#include "views/caption_bar.h"
#include "views/caret_speech.h"
#include "views/command_ids.h"
#include "views/label_color.h"
#include "views/title_view.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

// 12 points, the meaning's size before zoom.
constexpr LONG kBaseHeightTwips = 240;
constexpr char kErrorTitle[] = "意味取得エラー";

// The word-break procedure that never breaks a word: lines wrap at the last character that fits.
int NoWordBreak(char*, LONG, BYTE, int) { return 0; }

void SetThreadShift(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? static_cast<BYTE>(keys[VK_SHIFT] | kKeyPressed)
                        : static_cast<BYTE>(keys[VK_SHIFT] & ~kKeyPressed);
  SetKeyboardState(keys);
}

}  // namespace

const MessageMap& CMeanView::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CMeanView>(RichEditControl::ClassMessageMap())
      .On(WM_CREATE, &CMeanView::OnCreate)
      .On(WM_KEYDOWN, &CMeanView::OnKeyDown)
      .On(WM_IME_CHAR, &CMeanView::OnImeChar)
      .On(WM_SETFOCUS, &CMeanView::OnSetFocus)
      .On(WM_LBUTTONDOWN, &CMeanView::OnLeftButton)
      .On(WM_LBUTTONUP, &CMeanView::OnLeftButton)
      .On(WM_LBUTTONDBLCLK, &CMeanView::OnLeftButton)
      .On(WM_RBUTTONUP, &CMeanView::OnRightButtonUp)
      .On(WM_MOUSEACTIVATE, &CMeanView::OnMouseActivate)
      .OnReflectedNotify(EN_SELCHANGE, &CMeanView::OnSelChange);
  return map;
}

LRESULT CMeanView::OnCreate(WPARAM, LPARAM) {
  if (Default() == -1) return -1;
  SendMessage(hwnd(), EM_SETREADONLY, TRUE, 0);
  SendMessage(hwnd(), EM_SETEVENTMASK, 0, static_cast<LPARAM>(ENM_SELCHANGE));
  SendMessage(hwnd(), EM_SETWORDBREAKPROCEX, 0, reinterpret_cast<LPARAM>(&NoWordBreak));
  SetBlockCaret(true);
  return 0;
}

LRESULT CMeanView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = RichEditControl::WindowProc(message, wParam, lParam);
  const bool key = message >= 0x0100 && message <= 0x0108;
  const bool button = message >= 0x0200 && message <= 0x0209 && wParam != 0;
  if ((key || button || message == WM_SIZE || message == WM_SETFOCUS || message == WM_PAINT) && IsWindow(hwnd()) &&
      GetFocus() == hwnd() && frame_.Flags().viewsReady)
    RebuildCaret();
  return result;
}

// Display.

int CMeanView::ShowEntry(int direction, std::int32_t& position, int readIt, int addToHistory, int speak, long selStart,
                         long selEnd) {
  if (readIt == 1) {
    EntryRecord record;
    const int result = frame_.Engine().ReadEntry(position, direction, record);
    if (result == 1) return 0;
    if (result == 0) entry_ = record;
    entryError_ = result == -1 ? 1 : 0;
  }
  displayedPosition_ = position;
  if (addToHistory == 1) frame_.History().Push(position);

  ShowWindow(hwnd(), SW_HIDE);
  const auto mask = static_cast<DWORD>(SendMessage(hwnd(), EM_GETEVENTMASK, 0, 0));
  SendMessage(hwnd(), EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask & ~ENM_SELCHANGE));
  SendMessage(hwnd(), EM_SETSEL, 0, -1);
  SendMessage(hwnd(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
  if (entryError_) {
    MessageBeep(0xFFFFFFFF);
    WriteEntryText(FormatEntryErrorText());
  } else {
    WriteEntryText(FormatEntryText(entry_));
  }

  anchor_ = selStart;
  SendMessage(hwnd(), EM_SETSEL, static_cast<WPARAM>(selStart), static_cast<LPARAM>(selEnd));
  RememberSelection();
  // The selection notification is masked here, so the selection a return to this pane brings
  // back is set to the one shown: it must belong to this entry, not to the one shown before.
  savedSelection_ = lastNotified_;
  anchor_ = static_cast<long>(Anchor());
  SendMessage(hwnd(), EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask));
  ApplyZoom(static_cast<int>(frame_.Settings().zoomRate));
  ShowWindow(hwnd(), SW_SHOW);

  if (speak == 1 && !KeyDownWaiting()) {
    const std::string text = entryError_ ? std::string(kErrorTitle) + access::kPhraseSeparator + access::kMeaningErrorText
                                         : std::string("読み") + access::kPhraseSeparator + EntryReading();
    access::Speak(text);
  }
  return 1;
}

void CMeanView::WriteEntryText(const EntryText& text) {
  for (const TextRun& run : text.runs) {
    const CHARFORMAT format = EntryFormat(run.kind);
    SendMessage(hwnd(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessage(hwnd(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(run.text.c_str()));
  }
}

CHARFORMAT CMeanView::EntryFormat(RunKind kind) const {
  const COLORREF textColor = frame_.Display().TextColor();
  CHARFORMAT format;
  format.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD;
  if (kind == RunKind::kLabel) format.dwMask |= CFM_ITALIC;
  format.dwEffects = 0;
  format.yHeight = kBaseHeightTwips;
  format.crTextColor = kind == RunKind::kLabel ? LabelColorFor(textColor) : textColor;
  format.bCharSet = SHIFTJIS_CHARSET;
  format.bPitchAndFamily = 0;
  frame_.Display().CopyFontName(format.szFaceName, LF_FACESIZE);
  return format;
}

std::string CMeanView::EntryReading() const { return std::string(entry_.reading, ::strnlen(entry_.reading, sizeof entry_.reading)); }

void CMeanView::ApplyColorsAndFont() {
  SendMessage(hwnd(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(frame_.Display().BackgroundColor()));
  if (!HasText()) return;
  ShowWindow(hwnd(), SW_HIDE);
  // A redraw keeps what is on screen: the displayed position stays as it was.
  std::int32_t position = displayedPosition_;
  ShowEntry(0, position, 0, 0, 0, static_cast<long>(Anchor()), static_cast<long>(CaretPos()));
  ShowWindow(hwnd(), SW_SHOW);
}

void CMeanView::ApplyZoom(int level) {
  const bool visible = (GetWindowLong(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (visible) ShowWindow(hwnd(), SW_HIDE);
  CHARFORMAT format;
  format.dwMask = CFM_SIZE;
  format.yHeight = kBaseHeightTwips * (frame_.Settings().zoomMode == 1 ? level + 1 : 1);
  // The whole text and what is inserted later, without moving the selection.
  SendMessage(hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  if (visible) ShowWindow(hwnd(), SW_SHOW);
}

// Selection and caret.

bool CMeanView::HasText() const { return GetWindowTextLength(hwnd()) > 0; }

bool CMeanView::HasSelection() const {
  const CHARRANGE range = Selection();
  return range.cpMin != range.cpMax;
}

CHARRANGE CMeanView::Selection() const {
  CHARRANGE range;
  SendMessage(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

long CMeanView::MovingEnd() const {
  const CHARRANGE range = Selection();
  return range.cpMin < anchor_ ? range.cpMin : range.cpMax;
}

void CMeanView::SelectSilently(long anchor, long caret) {
  moveKind_ = kNoMove;
  SendMessage(hwnd(), EM_SETSEL, static_cast<WPARAM>(anchor), static_cast<LPARAM>(caret));
}

void CMeanView::RememberSelection() { lastNotified_ = Selection(); }

void CMeanView::RebuildCaret() { SetBlockCaret(true); }

bool CMeanView::KeyDownWaiting() const {
  Msg waiting;
  return PeekMessage(&waiting, hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) != FALSE;
}

LRESULT CMeanView::OnSelChange(NMHDR* header) {
  const CHARRANGE range = reinterpret_cast<const SELCHANGE*>(header)->chrg;
  savedSelection_ = range;
  RebuildCaret();
  const bool endMoved = range.cpMin != range.cpMax && range.cpMin == lastNotified_.cpMin;
  SpeakAfterMove(endMoved ? range.cpMax - 1 : range.cpMin);
  if (range.cpMin != lastNotified_.cpMin) anchor_ = range.cpMax;
  if (range.cpMax != lastNotified_.cpMax) anchor_ = range.cpMin;
  lastNotified_ = range;
  return 0;
}

void CMeanView::SpeakAfterMove(long bytePos) {
  if (moveKind_ == kNoMove || access::VOXAStatus() == 0 || KeyDownWaiting()) return;
  const bool wholeRest =
      (moveKind_ == kMoveUp || moveKind_ == kMoveDown) &&
      access::VOXAGetStatus(access::kReaderSwitches, access::kSwitchReadRestOfLine, 0) != 0;
  const CaretSpeech speech =
      DescribeCaretMove(Text(), Lines(), static_cast<std::size_t>(bytePos < 0 ? 0 : bytePos), moveKind_, wholeRest);
  if (wholeRest) {
    access::Speak(speech.edgeWord.empty() ? speech.text
                                          : speech.edgeWord + access::kPhraseSeparator + speech.text);
  } else {
    if (!speech.edgeWord.empty()) {
      access::SpeakNow(speech.edgeWord);
      access::WaitSpeechEnd(hwnd());
    } else {
      access::StopSpeech();
    }
    access::SpeakGuide(speech.text, 0);
  }
  moveKind_ = kNoMove;
}

int CMeanView::IsSoftLineEnd(long bytePos) const {
  return LineWraps(Lines(), static_cast<std::size_t>(bytePos < 0 ? 0 : bytePos));
}

void CMeanView::CollapseSelection() {
  SetThreadShift(false);
  const CHARRANGE range = Selection();
  const long at = range.cpMin < anchor_ ? range.cpMin : range.cpMax;
  SendMessage(hwnd(), EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at));
}

std::string CMeanView::SelectedText(int cutAtLineBreak) const {
  const CHARRANGE range = Selection();
  if (range.cpMax <= range.cpMin) return {};
  std::string text(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, '\0');
  const LRESULT bytes = SendMessage(hwnd(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
  if (cutAtLineBreak) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end != std::string::npos) text.resize(end);
  }
  return text;
}

void CMeanView::CaretLineColumn(int* line, int* column) const {
  const auto bytePos = static_cast<std::size_t>(MovingEnd());
  const int caretLine = LineOf(bytePos);
  if (line != nullptr) *line = caretLine;
  if (column != nullptr) *column = static_cast<int>(bytePos - Lines()[static_cast<std::size_t>(caretLine)].start);
}

// The end is where the selection's last character starts, so that a selection ending with a line
// break names the line it ends on.
void CMeanView::SelectionLinesColumns(int* startLine, int* startColumn, int* endLine, int* endColumn) const {
  const CHARRANGE range = Selection();
  const std::string& text = Text();
  const auto first = static_cast<std::size_t>(range.cpMin);
  std::size_t last = first;
  if (range.cpMax > range.cpMin) {
    const std::size_t from = Lines()[static_cast<std::size_t>(LineOf(first))].start;
    last = CharStartAtOrBefore(text, static_cast<std::size_t>(range.cpMax) - 1, from);
    if (last > first && text[last] == '\n' && text[last - 1] == '\r') --last;
  }
  auto lineColumn = [this](std::size_t bytePos, int* line, int* column) {
    const int index = LineOf(bytePos);
    if (line != nullptr) *line = index;
    if (column != nullptr) *column = static_cast<int>(bytePos - Lines()[static_cast<std::size_t>(index)].start);
  };
  lineColumn(first, startLine, startColumn);
  lineColumn(last, endLine, endColumn);
}

void CMeanView::RangeAction() {
  if (rangeCommand_ == ID_RANGE_SEARCH) {
    if (CTitleView* list = frame_.TitleView()) list->ShowSearchResults(SelectedText(1), 0, 0);
    return;
  }
  if (rangeCommand_ != ID_RANGE_COPY || !HasSelection()) return;
  int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
  SelectionLinesColumns(&startLine, &startColumn, &endLine, &endColumn);
  char words[96];
  std::snprintf(words, sizeof words, "%dの%dから%dの%dまで コピー", startLine + 1, startColumn + 1, endLine + 1,
                endColumn + 1);
  access::SpeakNow(words);
  SendMessage(hwnd(), WM_COPY, 0, 0);
}

// Keys.

bool CMeanView::PreTranslateMessage(Msg& msg) {
  if (msg.hwnd == hwnd() && msg.message == WM_KEYDOWN) {
    const DWORD rangeMode = frame_.Flags().rangeMode;
    if (rangeMode == 2) SetThreadShift(true);
    if (rangeMode == 1) SetThreadShift(false);
    if (msg.wParam == VK_RETURN) {
      HandleEnter();
      return true;
    }
  }
  return RichEditControl::PreTranslateMessage(msg);
}

void CMeanView::HandleEnter() {
  moveKind_ = kNoMove;
  switch (frame_.Flags().rangeMode) {
    case 1: {
      frame_.RangeModeStep(2, "");
      const auto at = static_cast<std::size_t>(anchor_);
      const std::size_t next = at < Text().size() ? NextCaretPos(Text(), at) : at;
      SelectSilently(anchor_, static_cast<long>(next));
      break;
    }
    case 2:
      if (!HasSelection()) {
        MessageBeep(0xFFFFFFFF);
        break;
      }
      frame_.RangeModeStep(3, "");
      RangeAction();
      CollapseSelection();
      break;
    default: {
      const int line = LineOf(static_cast<std::size_t>(MovingEnd()));
      const auto start = static_cast<long>(Lines()[static_cast<std::size_t>(line)].start);
      SelectSilently(start, start);
      const LPARAM scan = static_cast<LPARAM>(ScanCodeOf(VK_DOWN)) << 16;
      PostMessage(hwnd(), WM_KEYDOWN, VK_DOWN, scan | 1);
      PostMessage(hwnd(), WM_KEYUP, VK_DOWN, scan | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
      break;
    }
  }
}

LRESULT CMeanView::OnKeyDown(WPARAM wParam, LPARAM) {
  moveKind_ = kNoMove;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (wParam) {
    case VK_ESCAPE:
      if (frame_.Flags().rangeMode != 0) {
        access::SpeakNow("パス");
        frame_.RangeModeStep(3, "");
        CollapseSelection();
      } else if (!HasSelection()) {
        frame_.Exit();
      } else {
        access::SpeakNow("範囲 クリア");
        CollapseSelection();
      }
      return 0;
    case VK_END:
      if (ctrl) {
        moveKind_ = kMoveLast;
        break;
      }
      moveKind_ = kMoveRight;
      if (!shift && IsSoftLineEnd(anchor_)) {
        // End would leave the caret at the next line's start; stay on this line's last character.
        const auto& line = Lines()[static_cast<std::size_t>(LineOf(static_cast<std::size_t>(anchor_)))];
        const auto last = static_cast<long>(CharStartAtOrBefore(Text(), line.End() - 1, line.start));
        SendMessage(hwnd(), EM_SETSEL, static_cast<WPARAM>(last), static_cast<LPARAM>(last));
        return 0;
      }
      break;
    case VK_HOME: moveKind_ = ctrl ? kMoveTop : kMoveLeft; break;
    case VK_LEFT: moveKind_ = kMoveLeft; break;
    case VK_UP: moveKind_ = kMoveUp; break;
    case VK_RIGHT: moveKind_ = kMoveRight; break;
    case VK_DOWN: moveKind_ = kMoveDown; break;
    default: break;
  }
  const CHARRANGE before = Selection();
  const LRESULT result = Default();
  // A key that leaves the selection as it was (Down on the last line, a second Ctrl+End) brings
  // no selection notification, yet the user must hear the edge the caret stands at.
  const CHARRANGE after = Selection();
  if (moveKind_ != kNoMove && IsWindow(hwnd()) && after.cpMin == before.cpMin && after.cpMax == before.cpMax) {
    const bool endMoves = after.cpMin != after.cpMax && anchor_ == after.cpMin;
    SpeakAfterMove(endMoves ? after.cpMax - 1 : after.cpMin);
  }
  return result;
}

LRESULT CMeanView::OnImeChar(WPARAM, LPARAM) {
  MessageBeep(0xFFFFFFFF);
  return 0;
}

// Focus and mouse.

LRESULT CMeanView::OnSetFocus(WPARAM, LPARAM) {
  if (!HasText()) {
    if (CTitleView* list = frame_.TitleView()) SetFocus(list->hwnd());
    return 0;
  }
  const LRESULT result = Default();
  moveKind_ = kNoMove;
  // A reading without follow leaves the selection hidden; the pane shows it again from here.
  SendMessage(hwnd(), EM_HIDESELECTION, FALSE, 0);
  if (CCaptionBar* captions = frame_.CaptionBar()) captions->RefreshCaptions();
  FrameFlags& flags = frame_.Flags();
  if (flags.activation == 1) {
    flags.activation = 0;
    DWORD& suppress = frame_.SuppressAnnouncement();
    if (suppress != 0) {
      suppress = 0;
    } else {
      const std::string text = entryError_ ? std::string("意味の取得エラー")
                                           : std::string("読み") + access::kPhraseSeparator + EntryReading();
      frame_.Speech().PostSpeech(text, 0, 0);
    }
  }
  return result;
}

LRESULT CMeanView::OnLeftButton(WPARAM, LPARAM) {
  if (frame_.Flags().rangeMode != 0) return 0;
  return Default();
}

LRESULT CMeanView::OnRightButtonUp(WPARAM, LPARAM) {
  if (frame_.Flags().rangeMode != 0) {
    frame_.RangeModeStep(3, "");
    CollapseSelection();
    InvalidateRect(hwnd(), nullptr, TRUE);
  }
  return Default();
}

LRESULT CMeanView::OnMouseActivate(WPARAM, LPARAM) {
  frame_.Flags().externalRequest = 0;
  if (HasText() && displayedPosition_ != currentPosition_) {
    currentPosition_ = displayedPosition_;
    frame_.History().Push(displayedPosition_);
  }
  return Default();
}

}  // namespace lexiv
