// The bar of the seven reading buttons. Each button is a picture in one of three looks: off, on
// (while pressed) and active (the start button while a reading runs). The bar takes the focus
// with Tab; Left and Right (and Up and Down) move between the buttons, Enter or Space presses the
// one that has the focus, and the form says each button's name as it gets the focus. A click on
// a button presses it too. The bar is a blank static under its pictures, so that the terminal
// clears what lies between them; under the pictures a line names the focused button while the bar
// has the focus, for the sighted helper beside the user.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "docpick/form_events.h"
#include "platform/controls/static_control.h"
#include "platform/core/window.h"

namespace lexiv::docpick {

enum class ButtonLook { kOff, kOn, kActive };

inline constexpr int kReadingButtonCount = 7;
// The buttons by item number.
inline constexpr int kStartReading = 0;
inline constexpr int kStopReading = 1;
inline constexpr int kRewind = 2;
inline constexpr int kBackOnePhrase = 3;
inline constexpr int kSkipSpeech = 4;
inline constexpr int kFastForward = 5;
inline constexpr int kSpareButton = 6;

// The name a button says when it gets the focus.
std::string ReadingButtonName(int item);
// Registers the pictures of every button in every look (and those of the form's other pictures).
void RegisterButtonPictures();
platform::UINT ButtonPictureId(int item, ButtonLook look);
inline constexpr platform::UINT kFolderModePictureId = 290;
inline constexpr platform::UINT kZoomPictureId = 291;

class ReadingButtonBar : public platform::StaticControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  explicit ReadingButtonBar(FormEvents& form);
  ~ReadingButtonBar() override;
  std::string_view ClassName() const override { return "DocpickButtonBar"; }
  int AccessRole() const override;
  std::string AccessValue() const override { return ReadingButtonName(focused_); }

  // Places the buttons in a row from the bar's left edge, and the caption line under them; false
  // when a window cannot be made.
  bool CreateButtons(int buttonWidth, int buttonHeight);
  void SetLook(int item, ButtonLook look);
  ButtonLook Look(int item) const { return looks_[item]; }
  int focused() const { return focused_; }
  // Presses the item: the on look, the form's action, the off look (the start button keeps the
  // active look the form gives it).
  void Press(int item);

 private:
  class ButtonPicture;
  platform::LRESULT OnKeyDown(platform::WPARAM vk, platform::LPARAM);
  platform::LRESULT OnSetFocus(platform::WPARAM, platform::LPARAM);
  platform::LRESULT OnKillFocus(platform::WPARAM, platform::LPARAM);
  void ShowCaption(bool shown);
  platform::LRESULT OnGetDlgCode(platform::WPARAM, platform::LPARAM);
  void MoveFocus(int item);

  FormEvents& form_;
  std::array<std::unique_ptr<ButtonPicture>, kReadingButtonCount> buttons_;
  platform::StaticControl caption_;
  std::array<ButtonLook, kReadingButtonCount> looks_{};
  int focused_ = 0;
};

}  // namespace lexiv::docpick
