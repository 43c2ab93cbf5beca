#include "platform/terminal/terminal_screen.h"

#include <curses.h>
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace lexiv::platform {

namespace {

bool LocaleIsUtf8() {
  const char* codeset = nl_langinfo(CODESET);
  return codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}

attr_t AttributesOf(unsigned cellAttributes) {
  attr_t a = A_NORMAL;
  if (cellAttributes & kCellBold) a |= A_BOLD;
  if (cellAttributes & kCellReverse) a |= A_REVERSE;
  if (cellAttributes & kCellUnderline) a |= A_UNDERLINE;
  if (cellAttributes & kCellDim) a |= A_DIM;
  return a;
}

}  // namespace

TerminalScreen::~TerminalScreen() { Close(); }

int TerminalScreen::Open(std::FILE* out, std::FILE* in, std::string* error) {
  // Characters reach the terminal as UTF-8, whatever the user's locale says about the rest.
  std::setlocale(LC_CTYPE, "");
  if (!LocaleIsUtf8() && std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr && std::setlocale(LC_CTYPE, "C.utf8") == nullptr) {
    if (error) *error = "no UTF-8 locale is available for the terminal";
    return -1;
  }
  SCREEN* screen = newterm(nullptr, out, in);
  if (screen == nullptr) {
    if (error) *error = "the terminal type (TERM) is unknown";
    return -1;
  }
  screen_ = screen;
  set_term(screen);
  raw();
  noecho();
  nonl();
  intrflush(stdscr, FALSE);
  leaveok(stdscr, FALSE);
  if (has_colors() && start_color() == OK) {
    colors_ = true;
    use_default_colors();
    const bool direct = tigetflag("RGB") > 0 || COLORS >= 0x1000000;
    colorMode_ = ChooseColorMode(std::getenv("COLORTERM"), COLORS, direct);
  }
  curs_set(1);
  return 0;
}

void TerminalScreen::Close() {
  if (screen_ == nullptr) return;
  endwin();
  delscreen(static_cast<SCREEN*>(screen_));
  screen_ = nullptr;
}

void TerminalScreen::Size(int* columns, int* rows) const {
  *columns = COLS;
  *rows = LINES;
}

void TerminalScreen::Resize(int columns, int rows) {
  resizeterm(rows, columns);
  shownValid_ = false;
}

int TerminalScreen::PairFor(COLORREF foreground, COLORREF background) {
  if (!colors_) return 0;
  const int fg = TerminalColorNumber(foreground, colorMode_);
  const int bg = TerminalColorNumber(background, colorMode_);
  if (fg == -1 && bg == -1) return 0;
  auto it = pairs_.find({fg, bg});
  if (it != pairs_.end()) return it->second;
  const int pair = static_cast<int>(pairs_.size()) + 1;
  if (pair >= COLOR_PAIRS) return 0;
  init_extended_pair(pair, fg, bg);
  pairs_.emplace(std::make_pair(fg, bg), pair);
  return pair;
}

void TerminalScreen::Show(const TerminalCanvas& canvas) {
  if (screen_ == nullptr) return;
  const bool sameSize = shownValid_ && shown_.columns() == canvas.columns() && shown_.rows() == canvas.rows();
  if (sameSize && shown_ == canvas) return;
  if (!sameSize) clearok(stdscr, TRUE);
  const int rows = std::min(canvas.rows(), LINES);
  const int columns = std::min(canvas.columns(), COLS);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const TerminalCell& cell = canvas.At(column, row);
      if (sameSize && shown_.At(column, row) == cell) continue;
      if (cell.glyph.empty()) continue;  // the right half of a two-cell character
      int pair = PairFor(cell.foreground, cell.background);
      const attr_t attributes = AttributesOf(cell.attributes);
      wchar_t wide[4] = {};
      std::mbstate_t state{};
      const char* source = cell.glyph.c_str();
      if (std::mbsrtowcs(wide, &source, 3, &state) == static_cast<std::size_t>(-1)) wide[0] = L'?', wide[1] = 0;
      const int glyphWidth = wcwidth(wide[0]);
      if (cell.glyphCells == 2 && column + 1 >= columns) continue;
      cchar_t c;
      setcchar(&c, wide, attributes, 0, &pair);
      mvwadd_wch(stdscr, row, column, &c);
      // A substitute the terminal shows in one cell still takes the character's two.
      if (cell.glyphCells == 2 && glyphWidth < 2) {
        const wchar_t space[2] = {L' ', 0};
        setcchar(&c, space, attributes, 0, &pair);
        mvwadd_wch(stdscr, row, column + 1, &c);
      }
    }
  }
  wmove(stdscr, canvas.cursorRow(), canvas.cursorColumn());
  wrefresh(stdscr);
  shown_ = canvas;
  shownValid_ = true;
}

void TerminalScreen::Bell() {
  if (screen_ != nullptr) beep();
}

void TerminalScreen::Flash() {
  if (screen_ != nullptr) flash();
}

}  // namespace lexiv::platform
