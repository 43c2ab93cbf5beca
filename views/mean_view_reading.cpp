// The meaning view's reading and finding: a paragraph, everything phrase by phrase, and the find
// text before or after the caret.
#include <algorithm>

#include "access/speech.h"
#include "access/speech_library.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"
#include "views/caret_speech.h"
#include "views/mean_view.h"
#include "views/meaning_phrases.h"
#include "views/title_view.h"

namespace lexiv {

using namespace lexiv::platform;

void CMeanView::ReadParagraph() {
  ShowWindow(hwnd(), SW_HIDE);
  const std::vector<DisplayLine>& lines = Lines();
  const int anchorLine = LineOf(static_cast<std::size_t>(anchor_));
  int first = anchorLine;
  while (first > 0 && LineWraps(lines, lines[static_cast<std::size_t>(first - 1)].start)) --first;
  int last = anchorLine;
  while (LineWraps(lines, lines[static_cast<std::size_t>(last)].start)) ++last;
  // Wrapped lines have no break between them, so the paragraph is one stretch of the text.
  const std::size_t from = lines[static_cast<std::size_t>(first)].start;
  const std::size_t to = lines[static_cast<std::size_t>(last)].End();
  const std::string paragraph = to > from ? Text().substr(from, to - from) : std::string();
  if (!paragraph.empty()) {
    const CHARRANGE kept = Selection();
    const long keptAnchor = anchor_;
    SelectSilently(static_cast<long>(from), static_cast<long>(from));
    access::Speak(paragraph);
    access::WaitSpeechEnd(HWND{});
    if (keptAnchor != kept.cpMin)
      SelectSilently(kept.cpMin, kept.cpMin);
    else
      SelectSilently(kept.cpMin, kept.cpMax);
  }
  ShowWindow(hwnd(), SW_SHOW);
  RebuildCaret();
}

int CMeanView::ReadAll(int fromCaret, int follow) {
  const auto mask = static_cast<DWORD>(SendMessage(hwnd(), EM_GETEVENTMASK, 0, 0));
  SendMessage(hwnd(), EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask & ~ENM_SELCHANGE));
  readAll_ = 1;
  const auto keptAnchor = static_cast<long>(Anchor());
  const auto keptCaret = static_cast<long>(CaretPos());
  const auto options = static_cast<DWORD>(SendMessage(hwnd(), EM_GETOPTIONS, 0, 0));
  SendMessage(hwnd(), EM_SETOPTIONS, ECOOP_AND, static_cast<LPARAM>(~(ECO_AUTOVSCROLL | ECO_AUTOHSCROLL)));
  if (!follow) SendMessage(hwnd(), EM_HIDESELECTION, TRUE, 0);

  const std::string& text = Text();
  std::size_t start = fromCaret == 1 ? static_cast<std::size_t>(std::max(anchor_, 0L)) : 0;
  int scrolledLine = LineOf(start);
  std::size_t lastPhraseEnd = start;
  bool finished = true;
  bool rightButtonDown = false;
  while (start < text.size()) {
    const std::size_t end = PhraseEnd(text, Lines(), start);
    if (follow) {
      SendMessage(hwnd(), EM_HIDESELECTION, TRUE, 0);
      const int line = LineOf(start);
      if (line != scrolledLine) {
        SendMessage(hwnd(), EM_LINESCROLL, 0, static_cast<LPARAM>(line - scrolledLine));
        scrolledLine = line;
      }
    }
    SendMessage(hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    if (follow) SendMessage(hwnd(), EM_HIDESELECTION, FALSE, 0);
    lastPhraseEnd = end;
    access::Speak(std::string_view(text).substr(start, end - start));
    start = end;
    if (!WaitForPhrase(rightButtonDown)) {
      finished = false;
      break;
    }
  }

  SendMessage(hwnd(), EM_SETOPTIONS, ECOOP_SET, static_cast<LPARAM>(options));
  SendMessage(hwnd(), EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask));
  if (follow) {
    const auto caret = static_cast<long>(finished ? text.size() : lastPhraseEnd);
    SelectSilently(caret, caret);
    RebuildCaret();
  } else {
    // The selection put back stays out of sight until the pane has the focus again (OnSetFocus):
    // the reading ran from the headword list, whose cursor is what the user follows.
    SelectSilently(keptAnchor, keptCaret);
  }
  readAll_ = 0;
  return finished ? 1 : 0;
}

// While the phrase is said, what the user does in the window with the focus is taken away: in
// the meaning view only Escape or a right click stops the reading; in the headword list any key
// or button going down stops it, and all but Escape are left for the list.
bool CMeanView::WaitForPhrase(bool& rightButtonDown) {
  const CTitleView* list = frame_.TitleView();
  while (access::VOXAGetVStatus() == 1) {
    if (frame_.Flags().viewsReady == 0) {
      access::VOXAVReset();
      access::StopSpeech();
      return false;
    }
    const HWND focus = GetFocus();
    const HWND watched = focus ? focus : hwnd();
    Msg msg;
    if (!PeekMessage(&msg, watched, 0, 0, PM_NOREMOVE)) continue;
    bool stop = msg.message == WM_QUIT;
    if (!stop && list != nullptr && focus == list->hwnd()) {
      const bool key = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
      stop = key || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN;
      if (!stop || (key && msg.wParam == VK_ESCAPE)) PeekMessage(&msg, watched, 0, 0, PM_REMOVE);
    } else if (!stop) {
      PeekMessage(&msg, watched, 0, 0, PM_REMOVE);
      if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) stop = true;
      if (msg.message == WM_RBUTTONDOWN) rightButtonDown = true;
      if (msg.message == WM_RBUTTONUP && rightButtonDown) stop = true;
    }
    if (stop) {
      access::StopSpeech();
      return false;
    }
  }
  return true;
}

int CMeanView::FindText(int forward) {
  const FindState& find = frame_.Find();
  if (find.text().empty()) return 0;
  const std::string& text = Text();
  const long movingEnd = MovingEnd();
  const auto size = static_cast<long>(text.size());
  FINDTEXTEX request;
  request.lpstrText = find.text().c_str();
  const WPARAM matchCase = find.MatchCaseFlag();
  LRESULT found = -1;
  if (forward) {
    const long from =
        movingEnd < size ? movingEnd + static_cast<long>(SjisCharBytesAt(text, static_cast<std::size_t>(movingEnd))) : size;
    request.chrg = CHARRANGE{static_cast<LONG>(from), -1};
    found = SendMessage(hwnd(), EM_FINDTEXTEX, FR_DOWN | matchCase, reinterpret_cast<LPARAM>(&request));
  } else if (movingEnd > 0) {
    // The last match that starts before the moving end, wherever it ends.
    const long patternBytes = static_cast<long>(find.text().size());
    request.chrg = CHARRANGE{0, static_cast<LONG>(std::min(size, movingEnd - 1 + patternBytes))};
    found = SendMessage(hwnd(), EM_FINDTEXTEX, matchCase, reinterpret_cast<LPARAM>(&request));
  }
  if (found < 0 || found == movingEnd) return 0;
  SelectSilently(static_cast<long>(found), static_cast<long>(found));
  return 1;
}

}  // namespace lexiv
