#include "docpick/reading_buttons.h"

#include <vector>

#include "platform/controls/dialog_messages.h"
#include "platform/core/accessibility.h"
#include "platform/core/bitmap_table.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

constexpr UINT kFirstButtonPictureId = 260;

// Each button's off picture, in a grid of 4 by 3; "on" is its negative and the start button's
// "active" look is the pause bars of a reading that runs.
const char* const kButtonShapes[kReadingButtonCount][3] = {
    {"#...", "###.", "#..."},  // start
    {"###.", "###.", "###."},  // stop
    {".#.#", "#.#.", ".#.#"},  // rewind
    {"#..#", "#.#.", "#..#"},  // back one phrase
    {"#..#", ".#.#", "#..#"},  // on to the next phrase
    {"#.#.", ".#.#", "#.#."},  // fast forward
    {".##.", "#..#", ".##."},  // spare
};
const char* const kActiveShape[3] = {"#.#.", "#.#.", "#.#."};
const char* const kFolderShape[3] = {"##..", "####", "####"};
const char* const kZoomShape[3] = {".#..", "###.", ".#.#"};

Picture PictureOf(const char* const rows[3], bool negative) {
  Picture picture;
  for (int y = 0; y < 3; ++y) {
    std::string row = rows[y];
    if (negative)
      for (char& c : row) c = c == '#' ? '.' : '#';
    picture.rows.push_back(row);
  }
  return picture;
}

}  // namespace

std::string ReadingButtonName(int item) {
  static const char* const kNames[kReadingButtonCount] = {
      "読み上げ開始", "読み上げ停止", "巻き戻し", "前の文節へ", "次の文節へ", "早送り", "予備",
  };
  return item >= 0 && item < kReadingButtonCount ? kNames[item] : "";
}

UINT ButtonPictureId(int item, ButtonLook look) {
  return kFirstButtonPictureId + static_cast<UINT>(item) * 3 + static_cast<UINT>(look);
}

void RegisterButtonPictures() {
  for (int item = 0; item < kReadingButtonCount; ++item) {
    SetBitmap(ButtonPictureId(item, ButtonLook::kOff), PictureOf(kButtonShapes[item], false));
    SetBitmap(ButtonPictureId(item, ButtonLook::kOn), PictureOf(kButtonShapes[item], true));
    SetBitmap(ButtonPictureId(item, ButtonLook::kActive),
              PictureOf(item == kStartReading ? kActiveShape : kButtonShapes[item], false));
  }
  SetBitmap(kFolderModePictureId, PictureOf(kFolderShape, false));
  SetBitmap(kZoomPictureId, PictureOf(kZoomShape, false));
}

// A button's picture: a click presses its button.
class ReadingButtonBar::ButtonPicture : public StaticControl {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  ButtonPicture(ReadingButtonBar& bar, int item) : bar_(bar), item_(item) {}

 private:
  LRESULT OnLButtonDown(WPARAM, LPARAM) {
    bar_.Press(item_);
    return 0;
  }
  ReadingButtonBar& bar_;
  int item_;
};

const MessageMap& ReadingButtonBar::ButtonPicture::ClassMessageMap() {
  static const MessageMap map =
      MessageMapOf<ButtonPicture>(StaticControl::ClassMessageMap()).On(WM_LBUTTONDOWN, &ButtonPicture::OnLButtonDown);
  return map;
}

const MessageMap& ReadingButtonBar::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<ReadingButtonBar>(StaticControl::ClassMessageMap())
                                    .On(WM_KEYDOWN, &ReadingButtonBar::OnKeyDown)
                                    .On(WM_SETFOCUS, &ReadingButtonBar::OnSetFocus)
                                    .On(WM_KILLFOCUS, &ReadingButtonBar::OnKillFocus)
                                    .On(WM_GETDLGCODE, &ReadingButtonBar::OnGetDlgCode);
  return map;
}

ReadingButtonBar::ReadingButtonBar(FormEvents& form) : form_(form) {}

ReadingButtonBar::~ReadingButtonBar() {
  if (IsWindow(caption_.hwnd())) DestroyWindow(caption_.hwnd());
  for (auto& button : buttons_)
    if (button != nullptr && IsWindow(button->hwnd())) DestroyWindow(button->hwnd());
}

int ReadingButtonBar::AccessRole() const { return ROLE_SYSTEM_TOOLBAR; }

bool ReadingButtonBar::CreateButtons(int buttonWidth, int buttonHeight) {
  for (int item = 0; item < kReadingButtonCount; ++item) {
    buttons_[item] = std::make_unique<ButtonPicture>(*this, item);
    CreateParams params;
    params.style = WS_CHILD | WS_VISIBLE | SS_BITMAP;
    params.parent = hwnd();
    params.id = static_cast<UINT>(item + 1);
    params.rect = RECT{item * buttonWidth, 0, (item + 1) * buttonWidth - 8, buttonHeight};
    if (!buttons_[item]->Create(params)) return false;
    SetLook(item, ButtonLook::kOff);
  }
  CreateParams caption;
  caption.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
  caption.parent = hwnd();
  caption.rect = RECT{0, buttonHeight, kReadingButtonCount * buttonWidth, buttonHeight + 16};
  return caption_.Create(caption);
}

void ReadingButtonBar::ShowCaption(bool shown) {
  SetWindowText(caption_.hwnd(), shown ? ("> " + ReadingButtonName(focused_)).c_str() : "");
}

void ReadingButtonBar::SetLook(int item, ButtonLook look) {
  if (item < 0 || item >= kReadingButtonCount) return;
  looks_[item] = look;
  if (buttons_[item] != nullptr)
    SendMessage(buttons_[item]->hwnd(), STM_SETIMAGE, IMAGE_BITMAP, ButtonPictureId(item, look));
}

void ReadingButtonBar::Press(int item) {
  if (item < 0 || item >= kReadingButtonCount) return;
  SetLook(item, ButtonLook::kOn);
  SetLook(item, ButtonLook::kOff);
  form_.ReadingButtonPressed(item);
}

void ReadingButtonBar::MoveFocus(int item) {
  focused_ = (item + kReadingButtonCount) % kReadingButtonCount;
  ShowCaption(true);
  form_.ReadingButtonFocused(focused_);
}

LRESULT ReadingButtonBar::OnKeyDown(WPARAM vk, LPARAM) {
  switch (vk) {
    case VK_LEFT:
    case VK_UP: MoveFocus(focused_ - 1); return 0;
    case VK_RIGHT:
    case VK_DOWN: MoveFocus(focused_ + 1); return 0;
    case VK_HOME: MoveFocus(0); return 0;
    case VK_END: MoveFocus(kReadingButtonCount - 1); return 0;
    case VK_RETURN:
    case VK_SPACE: Press(focused_); return 0;
    default: return Default();
  }
}

LRESULT ReadingButtonBar::OnSetFocus(WPARAM, LPARAM) {
  ShowCaption(true);
  form_.ReadingButtonFocused(focused_);
  return 0;
}

LRESULT ReadingButtonBar::OnKillFocus(WPARAM, LPARAM) {
  ShowCaption(false);
  return 0;
}

LRESULT ReadingButtonBar::OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTARROWS; }

}  // namespace lexiv::docpick
