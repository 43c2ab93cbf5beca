// The braille display through brltty's BrlAPI, where brltty runs: it shows the last spoken text.
// Without brltty (or built without BrlAPI) it stays closed and shows nothing.
#pragma once

#include <string>
#include <string_view>

namespace lexiv::reader {

class BrailleDisplay {
 public:
  BrailleDisplay() = default;
  ~BrailleDisplay();
  BrailleDisplay(const BrailleDisplay&) = delete;
  BrailleDisplay& operator=(const BrailleDisplay&) = delete;

  // Connects on the first use only; true when a display is there.
  bool Open();
  bool Connected() const { return connected_; }
  // Shift-JIS text; the phrase separators become blanks.
  void Show(std::string_view sjis);

 private:
  bool tried_ = false;
  bool connected_ = false;
};

}  // namespace lexiv::reader
