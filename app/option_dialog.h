// The base of the main window's small option dialogs (find, display font, headword reading, the
// about box). Each gets the dialog keyboard enhancer when it opens, with the user's setting
// honoured, and lets it go when it closes. Run says "ﾊﾟｽ" (after resetting the reader) when the
// dialog ends any way but OK, so a cancelled dialog is always heard as cancelled; a derived dialog
// stores its state only in OnOK, so a cancel changes nothing.
#pragma once

#include "access/dialog_enhancer.h"
#include "platform/controls/dialog.h"

namespace lexiv {

// Dialog sizes are given in units of a quarter of a half-width cell across and an eighth of a
// cell down, so one unit is two pixels both ways.
constexpr int DialogUnits(int units) { return units * 2; }
platform::DialogControl DialogItem(const char* className, const char* text, int id, platform::DWORD style, int x, int y,
                                   int width, int height);

class COptionDialog : public platform::Dialog {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  explicit COptionDialog(platform::DialogTemplate description) : Dialog(std::move(description)) {}

  // IDOK or IDCANCEL (a dialog that could not be made counts as cancelled).
  int Run(platform::HWND owner);

  const access::DialogEnhancer& Enhancer() const { return enhancer_; }

 protected:
  platform::BOOL OnInitDialog() override;

 private:
  platform::LRESULT OnDestroy(platform::WPARAM wParam, platform::LPARAM lParam);

  access::DialogEnhancer enhancer_;
};

}  // namespace lexiv
