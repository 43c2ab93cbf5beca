// The canvas on the real terminal, through ncursesw: only cells that changed since the last
// frame are written, and nothing at all when nothing changed. Colours follow the terminal:
// true colour where its description takes RGB values and COLORTERM says so, else the nearest
// of 256 or 8 colours; the terminal's default colours stand for the system colours.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "platform/terminal/terminal_canvas.h"
#include "platform/terminal/terminal_colors.h"

namespace lexiv::platform {

class TerminalScreen {
 public:
  TerminalScreen() = default;
  ~TerminalScreen();
  TerminalScreen(const TerminalScreen&) = delete;
  TerminalScreen& operator=(const TerminalScreen&) = delete;

  // 0 on success; -1 with a message (unknown terminal type, no UTF-8 locale).
  int Open(std::FILE* out, std::FILE* in, std::string* error);
  void Close();
  void Size(int* columns, int* rows) const;
  // The terminal changed size (after SIGWINCH): the next Show redraws everything.
  void Resize(int columns, int rows);
  void Show(const TerminalCanvas& canvas);
  void Bell();
  void Flash();
  TerminalColorMode colorMode() const { return colorMode_; }

 private:
  int PairFor(COLORREF foreground, COLORREF background);

  void* screen_ = nullptr;  // SCREEN*
  TerminalColorMode colorMode_ = TerminalColorMode::kBasic8;
  bool colors_ = false;
  std::map<std::pair<int, int>, int> pairs_;
  TerminalCanvas shown_;
  bool shownValid_ = false;
};

}  // namespace lexiv::platform
