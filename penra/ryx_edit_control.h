// The editor's own edit control (class "RyxEditCtrl"): the multi-line edit in every respect, plus
// five private messages through which another program's code (the hook library, running inside
// this program) asks for the selection or the text at the caret without borrowing a selection.
//
//   kRyxHasSelection     (0, 0)                non-zero when something is selected
//   kRyxSelectionLength  (0, 0)                the selection's length in bytes
//   kRyxCaretTextLength  (0, 0)                the length n of what kRyxGetCaretText delivers
//   kRyxGetSelection     (capacity, buffer)    the selection; returns the bytes written
//   kRyxGetCaretText     (capacity, buffer)    the caret's line from at most kBytesBeforeCaret
//                                              before the caret to its end (at most
//                                              kBytesAfterCaret after the caret); returns the
//                                              offset in the buffer at which the caret's text
//                                              begins
//
// Texts are Shift-JIS. The buffer must hold capacity + 1 bytes: at most capacity bytes of text
// are written, never half a double-byte character, followed by a NUL. When the caret's text does
// not fit, what lies before the caret is dropped first, so the returned offset always points into
// what was written (at its NUL when the caret ends the line). A null buffer gets nothing and
// answers 0.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/controls/edit_control.h"

namespace lexiv::penra {

inline constexpr char kRyxEditClassName[] = "RyxEditCtrl";

inline constexpr platform::UINT kRyxHasSelection = platform::WM_USER + 460;
inline constexpr platform::UINT kRyxSelectionLength = platform::WM_USER + 461;
inline constexpr platform::UINT kRyxCaretTextLength = platform::WM_USER + 462;
inline constexpr platform::UINT kRyxGetSelection = platform::WM_USER + 463;
inline constexpr platform::UINT kRyxGetCaretText = platform::WM_USER + 464;

class RyxEditControl : public platform::EditControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  // Enough before the caret for a word that the caret stands inside; enough after it for any
  // lookup (the dictionary reads far less), without copying a whole long line on every request.
  static constexpr std::size_t kBytesBeforeCaret = 256;
  static constexpr std::size_t kBytesAfterCaret = 1024;

  std::string_view ClassName() const override { return kRyxEditClassName; }

 private:
  struct CaretWindow {
    std::size_t begin;
    std::size_t end;
  };
  // Where the caret's text lies in the whole text, before any capacity cuts it.
  CaretWindow CaretTextWindow() const;

  platform::LRESULT OnHasSelection(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnSelectionLength(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnCaretTextLength(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnGetSelection(platform::WPARAM capacity, platform::LPARAM buffer);
  platform::LRESULT OnGetCaretText(platform::WPARAM capacity, platform::LPARAM buffer);
};

// Lets dialog descriptions and tests make the control by its class name.
void RegisterRyxEditClass();

}  // namespace lexiv::penra
