#include "edit_reading.h"

#include <algorithm>

#include "access_narrator.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/text_positions.h"
#include "platform/services/word_breaks.h"

namespace lexiv::reader {

using namespace lexiv::platform;

namespace {

constexpr char kSeparator = static_cast<char>(0xFE);
constexpr const char* kLineEndWords = "改行";
constexpr const char* kEmptyLineWords = "空行";
constexpr const char* kSelectedWords = "選択";
constexpr const char* kUnselectedWords = "選択解除";

bool IsLineEndAt(std::string_view text, std::size_t bytePos) {
  return bytePos < text.size() && (text[bytePos] == '\r' || text[bytePos] == '\n');
}

bool IsBlankAt(std::string_view text, std::size_t bytePos) {
  if (bytePos >= text.size()) return false;
  if (text[bytePos] == ' ' || text[bytePos] == '\t') return true;
  return text.compare(bytePos, 2, "\x81\x40") == 0;  // the full-width space
}

bool IsOneCharacter(std::string_view text) { return !text.empty() && NextCaretPos(text, 0) == text.size(); }

EditReading Words(std::string text) { return EditReading{std::move(text), false}; }

// A piece of text as said: a line end by name, a single blank by its description.
EditReading Spoken(std::string_view piece) {
  if (piece.empty()) return {};
  if (IsOneCharacter(piece) && IsLineEndAt(piece, 0)) return Words(kLineEndWords);
  if (IsOneCharacter(piece) && IsBlankAt(piece, 0)) return EditReading{std::string(piece), true};
  return Words(std::string(piece));
}

EditReading CharacterAt(std::string_view text, std::size_t bytePos) {
  if (bytePos >= text.size()) return {};
  if (IsLineEndAt(text, bytePos)) return Words(kLineEndWords);
  return EditReading{std::string(text.substr(bytePos, SjisCharBytesAt(text, bytePos))), true};
}

// From the caret to the next word's start, the blanks between them left out.
EditReading WordAt(std::string_view text, std::size_t bytePos) {
  if (bytePos >= text.size()) return {};
  if (IsLineEndAt(text, bytePos)) return Words(kLineEndWords);
  const std::size_t next = NextWordStart(text, bytePos);
  std::size_t wordEnd = bytePos;
  for (std::size_t pos = bytePos; pos < next; pos = NextCaretPos(text, pos))
    if (!IsBlankAt(text, pos) && !IsLineEndAt(text, pos)) wordEnd = NextCaretPos(text, pos);
  return Words(std::string(text.substr(bytePos, wordEnd - bytePos)));
}

std::string LineText(const EditState& state) {
  const std::size_t start = std::min(state.lineStart, state.text.size());
  return state.text.substr(start, std::min(state.lineLength, state.text.size() - start));
}

EditReading LineAt(const EditState& state) {
  const std::string line = LineText(state);
  return Words(line.empty() ? kEmptyLineWords : line);
}

EditReading Marked(std::string_view piece, const char* mark) {
  EditReading reading = Spoken(piece);
  if (reading.text.empty()) return {};
  return Words(reading.text + kSeparator + mark);
}

EditReading SelectionReading(const EditState& before, const EditState& after) {
  const std::string_view text = after.text;
  auto range = [text](std::size_t from, std::size_t to) { return text.substr(from, to - from); };
  const bool selectedBefore = before.selStart != before.selEnd;
  const bool selectedNow = after.selStart != after.selEnd;
  if (!selectedNow) return Marked(range(before.selStart, before.selEnd), kUnselectedWords);
  if (selectedBefore && before.selStart == after.selStart) {
    if (after.selEnd > before.selEnd) return Marked(range(before.selEnd, after.selEnd), kSelectedWords);
    return Marked(range(after.selEnd, before.selEnd), kUnselectedWords);
  }
  if (selectedBefore && before.selEnd == after.selEnd) {
    if (after.selStart < before.selStart) return Marked(range(after.selStart, before.selStart), kSelectedWords);
    return Marked(range(before.selStart, after.selStart), kUnselectedWords);
  }
  return Marked(range(after.selStart, after.selEnd), kSelectedWords);
}

EditReading CaretReading(const EditState& after, const EditKey& key) {
  const std::size_t caret = after.selStart;
  switch (key.vk) {
    case VK_LEFT:
    case VK_RIGHT: return key.ctrl ? WordAt(after.text, caret) : CharacterAt(after.text, caret);
    case VK_HOME:
    case VK_END: return key.ctrl ? LineAt(after) : CharacterAt(after.text, caret);
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: return LineAt(after);
    default: return {};
  }
}

// Where the texts part and meet again: [start, beforeEnd) of before became [start, afterEnd) of
// after.
struct TextDifference {
  std::size_t start = 0;
  std::size_t beforeEnd = 0;
  std::size_t afterEnd = 0;
};

TextDifference Difference(const EditState& before, const EditState& after) {
  const std::string& was = before.text;
  const std::string& now = after.text;
  // Usually the old selection gave way to what now stands before the caret.
  const std::size_t caret = after.selStart;
  if (after.selStart == after.selEnd && before.selEnd <= was.size() && caret >= before.selStart &&
      now.size() - caret == was.size() - before.selEnd && now.compare(0, before.selStart, was, 0, before.selStart) == 0 &&
      now.compare(caret, std::string::npos, was, before.selEnd, std::string::npos) == 0)
    return {before.selStart, before.selEnd, caret};
  // Otherwise (an undo, say) the common ends of the two texts, on character starts: the bytes
  // before the start are the same in both, so are its character boundaries.
  std::size_t start = 0;
  while (start < was.size() && start < now.size() && was[start] == now[start]) ++start;
  start = CharStartAtOrBefore(now, start);
  std::size_t common = 0;
  while (common < was.size() - start && common < now.size() - start &&
         was[was.size() - 1 - common] == now[now.size() - 1 - common])
    ++common;
  return {start, CharStartAtOrAfter(was, was.size() - common, start), CharStartAtOrAfter(now, now.size() - common, start)};
}

bool IsPasswordEdit(HWND hwnd) { return (GetWindowLong(hwnd, GWL_STYLE) & ES_PASSWORD) != 0; }

}  // namespace

EditState AskEdit(HWND hwnd) {
  EditState state;
  state.hwnd = hwnd;
  const LRESULT length = SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (length > 0) {
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessage(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    state.text = std::move(buffer);
  }
  DWORD start = 0;
  DWORD end = 0;
  SendMessage(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  state.selStart = std::min<std::size_t>(start, state.text.size());
  state.selEnd = std::clamp<std::size_t>(end, state.selStart, state.text.size());
  const LRESULT line = SendMessage(hwnd, EM_LINEFROMCHAR, state.selStart, 0);
  const LRESULT lineStart = SendMessage(hwnd, EM_LINEINDEX, static_cast<WPARAM>(std::max<LRESULT>(line, 0)), 0);
  state.lineStart = std::min<std::size_t>(static_cast<std::size_t>(std::max<LRESULT>(lineStart, 0)), state.text.size());
  const LRESULT lineLength = SendMessage(hwnd, EM_LINELENGTH, state.lineStart, 0);
  state.lineLength = std::min<std::size_t>(static_cast<std::size_t>(std::max<LRESULT>(lineLength, 0)),
                                           state.text.size() - state.lineStart);
  return state;
}

bool MovesInText(const EditKey& key) {
  switch (key.vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: return true;
    case 'A': return key.ctrl;
    default: return false;
  }
}

EditReading ReadSelectionChange(const EditState& before, const EditState& after, const EditKey& key) {
  const bool selectedBefore = before.selStart != before.selEnd;
  const bool selectedNow = after.selStart != after.selEnd;
  // Shift taking a selection back to nothing says what it let go; a plain caret key leaving a
  // selection is a caret move.
  if (selectedNow || (selectedBefore && key.shift)) return SelectionReading(before, after);
  return CaretReading(after, key);
}

EditReading ReadTextChange(const EditState& before, const EditState& after) {
  const TextDifference difference = Difference(before, after);
  if (difference.afterEnd > difference.start)
    return Spoken(std::string_view(after.text).substr(difference.start, difference.afterEnd - difference.start));
  const std::string_view deleted = std::string_view(before.text).substr(difference.start, difference.beforeEnd - difference.start);
  // What went must be heard exactly: a single character by its description.
  if (IsOneCharacter(deleted) && !IsLineEndAt(deleted, 0)) return EditReading{std::string(deleted), true};
  return Spoken(deleted);
}

EditReading ReadEditFocus(const AccessEvent& event, const EditState& state) {
  AccessEvent described = event;
  described.name.clear();
  if (!IsPasswordEdit(event.hwnd)) {
    const std::string line = LineText(state);
    described.value = line.empty() && !state.text.empty() ? std::string(kEmptyLineWords) : line;
  }
  return Words(DescribeControl(described));
}

std::optional<EditReading> EditReader::Read(const AccessEvent& event) {
  if (event.role != ROLE_SYSTEM_TEXT || !IsWindow(event.hwnd) || event.hwnd != GetFocus()) return std::nullopt;
  const bool focusEvent = event.kind == AccessEventKind::kFocusChanged;
  if (!focusEvent && event.kind != AccessEventKind::kSelectionChanged && event.kind != AccessEventKind::kValueChanged)
    return std::nullopt;
  const EditState now = AskEdit(event.hwnd);
  const std::optional<EditState> before = last_;
  last_ = now;
  if (focusEvent) {
    // Whatever the edit does next, no key has asked for it yet.
    key_ = EditKey{};
    if (InsideDialog(event.hwnd)) return std::nullopt;
    return ReadEditFocus(event, now);
  }
  // Until the edit has been seen to gain the focus there is nothing to compare with.
  if (!before || before->hwnd != event.hwnd || key_.vk == 0 || IsPasswordEdit(event.hwnd)) return EditReading{};
  EditReading reading;
  if (event.kind == AccessEventKind::kSelectionChanged) {
    // A selection change that comes with a change of the text (an undo) is read as that change,
    // against the text as it was.
    if (before->text != now.text) {
      last_ = before;
      return EditReading{};
    }
    if (!MovesInText(key_)) return EditReading{};
    reading = ReadSelectionChange(*before, now, key_);
  } else {
    if (MovesInText(key_) || before->text == now.text) return EditReading{};
    reading = ReadTextChange(*before, now);
  }
  // The key has been answered; what follows before the next key is the program's doing.
  key_ = EditKey{};
  return reading;
}

}  // namespace lexiv::reader
