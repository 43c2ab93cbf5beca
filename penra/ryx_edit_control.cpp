#include "penra/ryx_edit_control.h"

#include <cstring>
#include <memory>
#include <string>

#include "platform/controls/control_classes.h"
#include "platform/core/message_map.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::penra {

using namespace lexiv::platform;

namespace {

// Line ends are single bytes that never occur inside a double-byte character, so a byte search
// for them is safe in Shift-JIS.
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Copies at most capacity bytes of text, cut before a character that would not fit whole, and
// ends them with a NUL; returns the bytes copied.
std::size_t CopyWhole(std::string_view text, std::size_t capacity, char* out) {
  const std::size_t n = SjisPrefixBytes(text, capacity);
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return n;
}

}  // namespace

RyxEditControl::CaretWindow RyxEditControl::CaretTextWindow() const {
  const std::string& text = Text();
  const std::size_t caret = CaretPos();
  std::size_t lineStart = caret;
  while (lineStart > 0 && !IsLineEnd(text[lineStart - 1])) --lineStart;
  // Walk whole characters from the line's start so that the window starts on one.
  std::size_t begin = lineStart;
  while (caret - begin > kBytesBeforeCaret) begin += SjisCharBytesAt(text, begin);
  std::size_t end = caret;
  while (end < text.size() && !IsLineEnd(text[end])) {
    const std::size_t next = end + SjisCharBytesAt(text, end);
    if (next - caret > kBytesAfterCaret) break;
    end = next;
  }
  return CaretWindow{begin, end};
}

LRESULT RyxEditControl::OnHasSelection(WPARAM, LPARAM) { return SelectionStart() != SelectionEnd() ? 1 : 0; }

LRESULT RyxEditControl::OnSelectionLength(WPARAM, LPARAM) {
  return static_cast<LRESULT>(SelectionEnd() - SelectionStart());
}

LRESULT RyxEditControl::OnCaretTextLength(WPARAM, LPARAM) {
  const CaretWindow window = CaretTextWindow();
  return static_cast<LRESULT>(window.end - window.begin);
}

LRESULT RyxEditControl::OnGetSelection(WPARAM capacity, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (out == nullptr) return 0;
  const std::string_view selection =
      std::string_view(Text()).substr(SelectionStart(), SelectionEnd() - SelectionStart());
  return static_cast<LRESULT>(CopyWhole(selection, capacity, out));
}

LRESULT RyxEditControl::OnGetCaretText(WPARAM capacity, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (out == nullptr) return 0;
  const std::string& text = Text();
  const std::size_t caret = CaretPos();
  CaretWindow window = CaretTextWindow();
  // Too little room: give up what lies before the caret first, a whole character at a time.
  while (window.end - window.begin > capacity && window.begin < caret)
    window.begin += SjisCharBytesAt(text, window.begin);
  CopyWhole(std::string_view(text).substr(window.begin, window.end - window.begin), capacity, out);
  return static_cast<LRESULT>(caret - window.begin);
}

const MessageMap& RyxEditControl::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<RyxEditControl>(EditControl::ClassMessageMap())
                                    .On(kRyxHasSelection, &RyxEditControl::OnHasSelection)
                                    .On(kRyxSelectionLength, &RyxEditControl::OnSelectionLength)
                                    .On(kRyxCaretTextLength, &RyxEditControl::OnCaretTextLength)
                                    .On(kRyxGetSelection, &RyxEditControl::OnGetSelection)
                                    .On(kRyxGetCaretText, &RyxEditControl::OnGetCaretText);
  return map;
}

void RegisterRyxEditClass() {
  RegisterControlClass(kRyxEditClassName, [] { return std::make_unique<RyxEditControl>(); });
}

}  // namespace lexiv::penra
