// What the reader says as the user works in the focused edit ("Edit", one line or ES_MULTILINE,
// and "RICHEDIT") of a program that does not speak for itself, as screen readers read edits. The
// key that went down last says what a caret move reads:
//
//   Left, Right, Home, End           the character at the caret (a double-byte character whole;
//                                    a line end "改行"; nothing at the text's end)
//   Ctrl+Left, Ctrl+Right            the word at the caret, without the blanks after it
//   Up, Down, PageUp, PageDown,
//   Ctrl+Home, Ctrl+End              the caret's display line, without its line end ("空行")
//   any of them with Shift, Ctrl+A   the text the selection gained ("…␞選択") or lost
//                                    ("…␞選択解除"); the whole selection when it moved
//   typing, Enter, Backspace,        the text typed, pasted or deleted ("改行" for a line end; a
//   Delete, Ctrl+V, Ctrl+X, Ctrl+Z   single blank or deleted character by its description)
//
// Changes the program makes on its own (no key since the edit got the focus, or the key's
// reading already said) are not read, and neither is the text of a password edit.
//
// The reader learns the edit's text, selection and lines from the control's own messages, as a
// screen reader asks a standard edit of another program.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/core/accessibility.h"

namespace lexiv::reader {

// An edit at one moment, as its messages answer.
struct EditState {
  platform::HWND hwnd;
  std::string text;  // Shift-JIS
  std::size_t selStart = 0;
  std::size_t selEnd = 0;
  // The display line that holds the selection's start (the caret when nothing is selected).
  std::size_t lineStart = 0;
  std::size_t lineLength = 0;  // without its line end
};

// A key as the reader's keyboard hook saw it go down; vk 0 for none.
struct EditKey {
  platform::UINT vk = 0;
  bool ctrl = false;
  bool shift = false;
};

// What to say: Shift-JIS words joined by the phrase separator, or one character to be said as the
// reader says a character at a caret. Empty for silence.
struct EditReading {
  std::string text;
  bool character = false;
};

// Asks the edit for its text, selection and the caret's line.
EditState AskEdit(platform::HWND hwnd);

// The caret keys (with or without Shift and Ctrl) and Ctrl+A: their selection changes are read.
bool MovesInText(const EditKey& key);

// A selection change made by the key; the text is the same before and after.
EditReading ReadSelectionChange(const EditState& before, const EditState& after, const EditKey& key);
// A change of the text.
EditReading ReadTextChange(const EditState& before, const EditState& after);
// The edit gaining the focus: its label, its role and the caret's line.
EditReading ReadEditFocus(const platform::AccessEvent& event, const EditState& state);

// Follows the focused edit from event to event and the keys between them.
class EditReader {
 public:
  void KeyWentDown(const EditKey& key) { key_ = key; }
  // The reading for an event of the focused edit; nullopt for an event that is not one (or a
  // focus change inside a dialog, which the dialog's reading covers).
  std::optional<EditReading> Read(const platform::AccessEvent& event);

 private:
  std::optional<EditState> last_;
  EditKey key_;
};

}  // namespace lexiv::reader
