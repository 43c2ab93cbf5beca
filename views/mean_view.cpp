#include "views/mean_view.h"

#include <cstdio>

#include "access/speech.h"
#include "platform/shift_jis_text.h"
#include "views/title_view.h"

#include "platform/edit_messages.h"
#include "platform/messages.h"
#include "platform/window_functions.h"

namespace lexiv {

using namespace lexiv::platform;

const MessageMap& CMeanView::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CMeanView>(RichEditControl::ClassMessageMap());
  return map;
}

int CMeanView::ShowEntry(int, std::int32_t&, int, int, int, long, long) { return 0; }
std::string CMeanView::EntryReading() const { return entry_.reading; }
void CMeanView::SelectionLinesColumns(int*, int*, int*, int*) const {}
void CMeanView::ApplyZoom(int) {}
void CMeanView::CollapseSelection() {}
void CMeanView::ReadParagraph() {}
int CMeanView::ReadAll(int, int) { return 0; }
int CMeanView::FindText(int) { return 0; }
int CMeanView::IsSoftLineEnd(long) const { return 0; }
bool CMeanView::PreTranslateMessage(Msg& msg) { return RichEditControl::PreTranslateMessage(msg); }

bool CMeanView::HasText() const { return GetWindowTextLength(hwnd()) > 0; }

bool CMeanView::HasSelection() const {
  CHARRANGE range;
  SendMessage(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range.cpMin != range.cpMax;
}

std::string CMeanView::SelectedText(int cutAtLineBreak) const {
  CHARRANGE range;
  SendMessage(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
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
  DWORD start = 0;
  DWORD end = 0;
  SendMessage(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const LRESULT caretLine = SendMessage(hwnd(), EM_LINEFROMCHAR, end, 0);
  const LRESULT lineStart = SendMessage(hwnd(), EM_LINEINDEX, static_cast<WPARAM>(caretLine), 0);
  if (line != nullptr) *line = static_cast<int>(caretLine);
  if (column != nullptr) *column = static_cast<int>(end - static_cast<DWORD>(lineStart > 0 ? lineStart : 0));
}

void CMeanView::ApplyColorsAndFont() {}

void CMeanView::RangeAction() {
  constexpr UINT kRangeSearch = 32780;
  constexpr UINT kRangeCopy = 32814;
  if (rangeCommand_ == kRangeSearch) {
    if (CTitleView* list = frame_.TitleView()) list->ShowSearchResults(SelectedText(1), 0, 0);
    return;
  }
  if (rangeCommand_ != kRangeCopy) return;
  CHARRANGE range;
  SendMessage(hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  if (range.cpMax <= range.cpMin) return;
  const std::string text = WindowText(hwnd());
  // The last character's start, not the byte before the selection's end.
  std::size_t last = static_cast<std::size_t>(range.cpMin);
  for (std::size_t i = last; i < static_cast<std::size_t>(range.cpMax) && i < text.size(); i += SjisCharBytesAt(text, i))
    last = i;
  auto lineColumn = [this](std::size_t bytePos, int* line, int* column) {
    *line = static_cast<int>(SendMessage(hwnd(), EM_LINEFROMCHAR, bytePos, 0));
    const LRESULT start = SendMessage(hwnd(), EM_LINEINDEX, static_cast<WPARAM>(*line), 0);
    *column = static_cast<int>(bytePos) - static_cast<int>(start > 0 ? start : 0);
  };
  int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
  lineColumn(static_cast<std::size_t>(range.cpMin), &startLine, &startColumn);
  lineColumn(last, &endLine, &endColumn);
  char words[96];
  std::snprintf(words, sizeof words, "%dの%dから%dの%dまで コピー", startLine + 1, startColumn + 1, endLine + 1,
                endColumn + 1);
  access::SpeakNow(words);
  SendMessage(hwnd(), WM_COPY, 0, 0);
}

}  // namespace lexiv
