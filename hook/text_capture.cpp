#include "hook/text_capture.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "hook/dictionary_link.h"
#include "lookup/lookup_protocol.h"
#include "platform/controls/edit_messages.h"
#include "platform/controls/rich_edit_messages.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/input_context.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/window_functions.h"
#include "platform/services/clipboard.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::hook {

using namespace lexiv::platform;

namespace {

constexpr std::array<std::string_view, 5> kEditClasses = {"Edit", "RICHEDIT", "RichEdit20A", "RichEdit20W",
                                                          "RyxEditCtrl"};
constexpr int kEditClass = 0;
constexpr int kRyxEditClass = 4;
constexpr char kRichEditOfTheDictionary[] = "RICHEDIT";

// Room for class names of 18 characters.
constexpr int kClassNameBytes = 19;
// The caret's text and the clipboard's: at most 40 bytes; the composition's clause likewise.
constexpr std::size_t kCaretTextBytes = 40;
constexpr std::size_t kClipboardTextBytes = 40;
constexpr std::size_t kImeTargetBytes = 40;

// The private messages of "RyxEditCtrl".
constexpr UINT kRyxHasSelection = WM_USER + 460;
constexpr UINT kRyxSelectionLength = WM_USER + 461;
constexpr UINT kRyxCaretTextLength = WM_USER + 462;
constexpr UINT kRyxGetSelection = WM_USER + 463;
constexpr UINT kRyxGetCaretText = WM_USER + 464;

// What the borrowed selection turns off: the owner hearing of it, and the control scrolling to it.
constexpr DWORD kQuietOptions = ECO_AUTOVSCROLL | ECO_AUTOHSCROLL | ECO_NOHIDESEL;

// A control's reported length, bounded before anything is allocated for it: a capture never
// needs more than the protocol's largest text.
std::size_t BoundedLength(LRESULT reported) {
  if (reported <= 0) return 0;
  return std::min<std::size_t>(static_cast<std::size_t>(reported), lookup::kMaxLookupTextBytes);
}

// A zeroed buffer, or null when there is no memory (the hook runs inside any program and must
// not end it for want of a few bytes).
std::unique_ptr<char[]> ZeroedBuffer(std::size_t bytes) { return std::unique_ptr<char[]>(new (std::nothrow) char[bytes]()); }

std::string_view UpToNul(const char* text, std::size_t capacity) {
  return std::string_view(text, strnlen(text, capacity));
}

// The text of a "RyxEditCtrl": its selection (mode 0), else its text from the caret on (mode 1).
void CaptureRyxEdit(HWND focus, HWND front) {
  const bool hasSelection = SendMessage(focus, kRyxHasSelection, 0, 0) != 0;
  const std::size_t length =
      BoundedLength(SendMessage(focus, hasSelection ? kRyxSelectionLength : kRyxCaretTextLength, 0, 0));
  std::unique_ptr<char[]> buffer = ZeroedBuffer(length + 1);
  if (!buffer) return;
  std::string_view text;
  if (hasSelection) {
    SendMessage(focus, kRyxGetSelection, length, reinterpret_cast<LPARAM>(buffer.get()));
    buffer[length] = '\0';
    text = UpToNul(buffer.get(), length);
  } else {
    const LRESULT offset = SendMessage(focus, kRyxGetCaretText, length, reinterpret_cast<LPARAM>(buffer.get()));
    buffer[length] = '\0';
    // An offset outside the text leaves nothing to look up.
    if (offset >= 0 && static_cast<std::size_t>(offset) <= length) text = UpToNul(buffer.get() + offset, length - offset);
  }
  SendLookup(text, hasSelection ? lookup::kWholeText : lookup::kCaretText, front);
}

// The text of an edit or rich edit control: its selection, or the 40 bytes after its caret.
void CaptureEditControl(HWND focus, HWND front, int classIndex, const char* className, bool inDictionary) {
  DWORD start = 0, end = 0;
  SendMessage(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (end < start) std::swap(start, end);
  const bool borrowed = start == end;
  const bool richEdit = classIndex != kEditClass;
  // A rich edit hands its whole selection back in one piece: a longer one than a lookup can carry
  // is taken in part, through a borrowed selection of its start.
  const bool cutRichSelection = richEdit && end - start > lookup::kMaxLookupTextBytes;
  const std::uint32_t mode = borrowed ? lookup::kCaretText : lookup::kWholeText;
  const std::size_t size =
      borrowed ? kCaretTextBytes + 1 : std::min<std::size_t>(end - start, lookup::kMaxLookupTextBytes) + 1;

  LRESULT savedMask = 0, savedOptions = 0;
  if (borrowed || cutRichSelection) {
    savedMask = SendMessage(focus, EM_GETEVENTMASK, 0, 0);
    SendMessage(focus, EM_SETEVENTMASK, 0, savedMask & ~static_cast<LPARAM>(ENM_SELCHANGE));
    savedOptions = SendMessage(focus, EM_GETOPTIONS, 0, 0);
    SendMessage(focus, EM_SETOPTIONS, ECOOP_SET, savedOptions & ~static_cast<LPARAM>(kQuietOptions));
    SendMessage(focus, EM_SETSEL, start, start + size - 1);
  }

  const std::size_t capacity = size * 2 + 4;
  std::unique_ptr<char[]> text = ZeroedBuffer(capacity);
  std::size_t length = 0;
  if (text) {
    if (!richEdit) {
      length = ReadEditSelection(focus, text.get(), false, size * 2);
    } else {
      // A rich edit writes its selection without being told the room: the selection was bounded
      // above to fit the buffer twice over.
      SendMessage(focus, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.get()));
      text[capacity - 1] = '\0';
      const std::string_view whole = UpToNul(text.get(), capacity);
      // Cut at the first carriage return, stepping by characters so a trail byte is never one.
      std::size_t i = 0;
      while (i < whole.size() && whole[i] != '\r') i += SjisCharBytesAt(whole, i);
      length = std::min(i, whole.size());
      text[length] = '\0';
    }
  }

  if (borrowed || cutRichSelection) {
    // The dictionary's own meaning view hears a key that is no key, so it takes the borrowed
    // selection as the user's caret moving nowhere.
    if (borrowed && inDictionary && std::strcmp(className, kRichEditOfTheDictionary) == 0)
      SendMessage(focus, WM_KEYDOWN, 0, 0);
    SendMessage(focus, EM_SETSEL, start, end);
    SendMessage(focus, EM_SETOPTIONS, ECOOP_SET, savedOptions);
    SendMessage(focus, EM_SETEVENTMASK, 0, savedMask);
  }

  if (text && length > 0)
    SendLookup(std::string_view(text.get(), length), mode, front);
  else
    SendNothingCaptured(front);
}

}  // namespace

std::span<const std::string_view> EditClassTable() { return kEditClasses; }

int EditClassIndex(std::string_view className) {
  for (std::size_t i = 0; i < kEditClasses.size(); ++i)
    if (kEditClasses[i] == className) return static_cast<int>(i);
  return -1;
}

std::size_t CopyDbcsRange(std::string_view src, std::size_t from, std::size_t to, char* dst, std::size_t dstCapacity) {
  if (dstCapacity == 0) return 0;
  std::size_t written = 0;
  for (std::size_t i = from; i < to && i < src.size() && src[i] != '\0';) {
    const std::size_t bytes = IsSjisLeadByte(static_cast<unsigned char>(src[i])) && i + 1 < src.size() ? 2 : 1;
    if (written + bytes + 1 > dstCapacity) break;
    std::memcpy(dst + written, src.data() + i, bytes);
    written += bytes;
    i += bytes;
  }
  dst[written] = '\0';
  return written;
}

std::size_t ReadEditSelection(HWND window, char* out, bool firstLineOnly, std::size_t capacity) {
  if (capacity == 0) return 0;
  std::memset(out, 0, capacity);
  DWORD start = 0, end = 0;
  SendMessage(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (end < start) std::swap(start, end);
  const LRESULT startLine = SendMessage(window, EM_LINEFROMCHAR, start, 0);
  const LRESULT endLine = SendMessage(window, EM_LINEFROMCHAR, end, 0);
  const LRESULT startIndex = SendMessage(window, EM_LINEINDEX, startLine, 0);
  const LRESULT endIndex = SendMessage(window, EM_LINEINDEX, endLine, 0);
  if (startLine < 0 || endLine < startLine || startIndex < 0 || endIndex < 0 ||
      start < static_cast<DWORD>(startIndex) || end < static_cast<DWORD>(endIndex))
    return 0;
  const std::size_t startColumn = start - static_cast<std::size_t>(startIndex);
  const std::size_t endColumn = end - static_cast<std::size_t>(endIndex);

  std::size_t written = 0;
  const LRESULT lastLine = firstLineOnly ? startLine : endLine;
  for (LRESULT line = startLine; line <= lastLine && written + 1 < capacity; ++line) {
    const LRESULT lineIndex = SendMessage(window, EM_LINEINDEX, line, 0);
    if (lineIndex < 0) break;
    // A line is read only as far as there is room left for it.
    const std::size_t length = std::min(BoundedLength(SendMessage(window, EM_LINELENGTH, lineIndex, 0)), capacity);
    const std::size_t lineBytes = length * 2 + 4;
    std::unique_ptr<char[]> buffer = ZeroedBuffer(lineBytes);
    if (!buffer) break;
    std::size_t got = 0;
    if (length > 0) {
      const auto room = static_cast<std::uint16_t>(std::min<std::size_t>(lineBytes - 1, 0xFFFF));
      std::memcpy(buffer.get(), &room, sizeof room);
      const LRESULT copied = SendMessage(window, EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer.get()));
      got = copied > 0 ? std::min<std::size_t>(static_cast<std::size_t>(copied), lineBytes - 1) : 0;
    }
    // The first line from the selection's start, the last to its end, the lines between whole.
    const std::size_t from = line == startLine ? startColumn : 0;
    const std::size_t to = line == endLine ? endColumn : got;
    written += CopyDbcsRange(std::string_view(buffer.get(), got), from, to, out + written, capacity - written);
  }
  return written;
}

std::size_t CaptureImeTarget(HWND window, char* buffer, std::size_t maxBytes) {
  std::memset(buffer, 0, maxBytes + 1);
  const HIMC context = ImmGetContext(window);
  if (!context) return 0;
  std::size_t copied = 0;
  DWORD conversion = 0, sentence = 0;
  if (ImmGetOpenStatus(context) && ImmGetConversionStatus(context, &conversion, &sentence) &&
      (conversion & IME_CMODE_SYMBOL) == 0) {
    std::array<BYTE, kImeTargetBytes + 1> attributes{};
    std::array<char, kImeTargetBytes + 1> text{};
    const LONG attributeBytes = ImmGetCompositionStringA(context, GCS_COMPATTR, attributes.data(), kImeTargetBytes);
    const LONG textBytes = ImmGetCompositionStringA(context, GCS_COMPSTR, text.data(), kImeTargetBytes);
    const std::size_t usable =
        std::min<std::size_t>({attributeBytes > 0 ? static_cast<std::size_t>(attributeBytes) : 0,
                               textBytes > 0 ? static_cast<std::size_t>(textBytes) : 0, kImeTargetBytes});
    for (std::size_t i = 0; i < usable && copied < maxBytes; ++i)
      if ((attributes[i] & 0x01) != 0) buffer[copied++] = text[i];
  }
  ImmReleaseContext(window, context);
  return copied;
}

void CaptureAtCaret() {
  const HWND focus = GetFocus();
  const HWND front = GetForegroundWindow();
  DWORD dictionaryProcess = 0;
  GetWindowThreadProcessId(HWND{FindDictionaryWindow()}, &dictionaryProcess);
  const bool inDictionary = dictionaryProcess == GetCurrentProcessId();

  // The dictionary's own search box has no composition worth looking up: it is the dictionary's.
  if (!inDictionary) {
    char clause[kImeTargetBytes + 1];
    const std::size_t n = CaptureImeTarget(focus, clause, kImeTargetBytes);
    if (n > 0) {
      SendLookup(std::string_view(clause, n), lookup::kCaretText, front);
      return;
    }
  }

  char className[kClassNameBytes] = {};
  if (GetClassName(focus, className, kClassNameBytes) <= 0) className[0] = '\0';
  const int classIndex = EditClassIndex(className);
  if (classIndex < 0) {
    SendNothingCaptured(focus);
    return;
  }
  if (classIndex == kRyxEditClass) {
    CaptureRyxEdit(focus, front);
    return;
  }
  CaptureEditControl(focus, front, classIndex, className, inDictionary);
}

void CaptureClipboard() {
  char text[kClipboardTextBytes + 1] = {};
  const HWND front = GetForegroundWindow();
  if (OpenClipboard(front)) {
    if (const char* data = GetClipboardData(CF_TEXT)) {
      // The first 40 bytes; a double-byte character that does not fit whole is left out.
      const std::string_view all(data, strnlen(data, kClipboardTextBytes + 1));
      const std::size_t n = SjisPrefixBytes(all, kClipboardTextBytes);
      std::memcpy(text, data, n);
    }
  }
  CloseClipboard();
  if (text[0] == '\0') {
    MessageBeep(0xFFFFFFFF);
    return;
  }
  // The request's size stays that of the whole buffer, whatever the text's length.
  SendLookupBuffer(std::string_view(text, sizeof text), lookup::kWholeText, front);
}

}  // namespace lexiv::hook
