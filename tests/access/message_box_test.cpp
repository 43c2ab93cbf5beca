#include "access/message_box.h"

#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/dialog.h"
#include "platform/controls/static_control.h"
#include "platform/core/menu.h"
#include "platform/core/window_functions.h"

namespace lexiv::access {
namespace {

constexpr int kButtonIds[] = {kMessageFirstButtonId, kMessageSecondButtonId, kMessageThirdButtonId};

// The box as it is shown.
struct Shown {
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // the visible buttons' labels, in order
  bool closeItemEnabled = false;
  int focusId = 0;
  int defaultId = 0;
  UINT icon = 0;
  bool iconShown = false;
  RECT dialog, textRect, first, second;
};

RECT ChildRect(HWND dialog, int id) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  POINT at{rect.left, rect.top};
  ScreenToClient(dialog, &at);
  return RECT{at.x, at.y, at.x + rect.Width(), at.y + rect.Height()};
}

Shown Look(HWND box) {
  Shown shown;
  shown.caption = WindowText(box);
  shown.text = WindowText(GetDlgItem(box, kMessageTextId));
  for (int id : kButtonIds)
    if (IsWindowVisible(GetDlgItem(box, id))) shown.buttons.push_back(WindowText(GetDlgItem(box, id)));
  shown.closeItemEnabled = (GetMenuState(GetSystemMenu(box, FALSE), static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND) & MF_GRAYED) == 0;
  shown.focusId = GetDlgCtrlID(GetFocus());
  shown.defaultId = LOWORD(static_cast<std::uintptr_t>(SendMessage(box, DM_GETDEFID, 0, 0)));
  shown.icon = static_cast<UINT>(SendDlgItemMessage(box, kMessageIconId, STM_GETICON, 0, 0));
  shown.iconShown = IsWindowVisible(GetDlgItem(box, kMessageIconId)) != FALSE;
  GetWindowRect(box, &shown.dialog);
  shown.textRect = ChildRect(box, kMessageTextId);
  shown.first = ChildRect(box, kMessageFirstButtonId);
  shown.second = ChildRect(box, kMessageSecondButtonId);
  return shown;
}

class MessageBoxTest : public DialogFixture {
 protected:
  // Shows the box; the keys are pressed while it is open, after it has been looked at.
  int Show(UINT type, std::initializer_list<const char*> keys = {}, std::string_view text = "国語辞典を終了しますか",
           UINT timeoutMs = 0) {
    Then([this] { shown = Look(GetActiveWindow()); });
    Keys(keys);
    return Finished(ShowMessage(text, "国語辞典", type, timeoutMs));
  }
  // Keys meant for a box that has already gone reach no other.
  int Finished(int answer) {
    driver.ClearSteps();
    return answer;
  }
  Shown shown;
};

TEST_F(MessageBoxTest, EachButtonSetShowsItsButtonsAndGivesItsAnswers) {
  const struct {
    UINT type;
    std::vector<std::string> labels;
    std::vector<int> answers;
    bool closeItemEnabled;
    int escapeAnswer;  // 0: Escape is ignored
  } cases[] = {
      {MB_OK, {"OK"}, {IDOK}, false, IDOK},
      {MB_OKCANCEL, {"OK", "キャンセル"}, {IDOK, IDCANCEL}, true, IDCANCEL},
      {MB_ABORTRETRYIGNORE, {"中止(&A)", "再試行(&R)", "無視(&I)"}, {IDABORT, IDRETRY, IDIGNORE}, false, 0},
      {MB_YESNOCANCEL, {"はい(&Y)", "いいえ(&N)", "キャンセル"}, {IDYES, IDNO, IDCANCEL}, true, IDCANCEL},
      {MB_YESNO, {"はい(&Y)", "いいえ(&N)"}, {IDYES, IDNO}, false, IDNO},
      {MB_RETRYCANCEL, {"再試行(&R)", "キャンセル"}, {IDRETRY, IDCANCEL}, true, IDCANCEL},
      {6, {"OK"}, {IDOK}, true, 0},
      {15, {"OK"}, {IDOK}, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    // Each button, reached by Tab from the first, answers with its value.
    for (std::size_t i = 0; i < c.answers.size(); ++i) {
      for (std::size_t tab = 0; tab < i; ++tab) Keys({"Tab"});
      Keys({"Enter"});
      EXPECT_EQ(Finished(ShowMessage("text", "", c.type, 0)), c.answers[i]) << "button " << i;
    }
    EXPECT_EQ(Show(c.type, {"Escape", "Enter"}), c.escapeAnswer != 0 ? c.escapeAnswer : c.answers[0]);
    EXPECT_EQ(shown.buttons, c.labels);
    EXPECT_EQ(shown.closeItemEnabled, c.closeItemEnabled);
    EXPECT_EQ(shown.caption, "国語辞典");
    EXPECT_EQ(shown.text, "国語辞典を終了しますか");
    // The close item (Alt+F4) is Escape where it is enabled and does nothing where it is not.
    const int closeAnswer = c.closeItemEnabled && c.escapeAnswer != 0 ? c.escapeAnswer : c.answers[0];
    EXPECT_EQ(Show(c.type, {"Alt+F4", "Enter"}), closeAnswer);
  }
}

TEST_F(MessageBoxTest, TheDefaultButtonHasTheFocusAndAnswersEnter) {
  const struct {
    UINT type;
    int defaultId;
    int answer;
  } cases[] = {
      {MB_OKCANCEL, kMessageFirstButtonId, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, kMessageSecondButtonId, IDCANCEL},
      {MB_OK | MB_DEFBUTTON2, kMessageFirstButtonId, IDOK},
      {MB_YESNO | MB_DEFBUTTON2, kMessageSecondButtonId, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, kMessageThirdButtonId, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, kMessageThirdButtonId, IDIGNORE},
      {MB_YESNO | MB_DEFBUTTON3, kMessageFirstButtonId, IDYES},
      {MB_RETRYCANCEL | MB_DEFBUTTON3, kMessageFirstButtonId, IDRETRY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    EXPECT_EQ(Show(c.type, {"Enter"}), c.answer);
    EXPECT_EQ(shown.focusId, c.defaultId);
    EXPECT_EQ(shown.defaultId, c.defaultId);
  }
}

TEST_F(MessageBoxTest, TheIconIsShownAndItsTypeBeeps) {
  const struct {
    UINT iconBits;
    UINT icon;
  } cases[] = {
      {MB_ICONHAND, IDI_HAND},
      {MB_ICONQUESTION, IDI_QUESTION},
      {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
      {MB_ICONASTERISK, IDI_ASTERISK},
      {0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.iconBits);
    driver.ClearBeeps();
    EXPECT_EQ(Show(MB_OKCANCEL | c.iconBits, {"Escape"}), IDCANCEL);
    EXPECT_EQ(shown.icon, c.icon);
    EXPECT_EQ(shown.iconShown, c.icon != 0);
    EXPECT_EQ(driver.Beeps(), c.iconBits != 0 ? std::vector<UINT>{c.iconBits} : std::vector<UINT>{});
  }
}

TEST_F(MessageBoxTest, TheTextMovesLeftWithoutAnIcon) {
  Show(MB_OK | MB_ICONHAND, {"Enter"});
  const Shown withIcon = shown;
  Show(MB_OK, {"Enter"});
  EXPECT_LT(shown.textRect.left, withIcon.textRect.left);
  EXPECT_EQ(shown.textRect.top, withIcon.textRect.top);
}

TEST_F(MessageBoxTest, LongerTextsGrowTheBoxAndMoveTheButtons) {
  constexpr int kLinePx = 16;  // one line of the system font
  Show(MB_OKCANCEL, {"Enter"}, "一行");
  const Shown oneLine = shown;
  const struct {
    const char* text;
    int growXPx;
    int growYPx;
  } cases[] = {
      {"一行目\n二行目\n三行目", 0, 2 * kLinePx},
      // 25 double-byte characters: 50 cells of 8 pixels, wider than the text's 272 pixels.
      {"あいうえおかきくけこさしすせそたちつてとなにぬねの", 50 * 8 - 272, 0},
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Show(MB_OKCANCEL, {"Enter"}, c.text);
    EXPECT_EQ(shown.dialog.Height() - oneLine.dialog.Height(), c.growYPx);
    EXPECT_EQ(shown.dialog.Width() - oneLine.dialog.Width(), c.growXPx);
    EXPECT_EQ(shown.textRect.Height() - oneLine.textRect.Height(), c.growYPx);
    EXPECT_EQ(shown.first.top - oneLine.first.top, c.growYPx) << "the buttons move down as far";
    EXPECT_EQ(shown.second.top, shown.first.top);
    // The two buttons stay centred as a group, at their distance.
    EXPECT_EQ(shown.first.left, shown.dialog.Width() - shown.second.right);
    EXPECT_EQ(shown.second.left - shown.first.left, oneLine.second.left - oneLine.first.left);
  }
}

TEST_F(MessageBoxTest, TheTimeOutPressesTheDefaultButton) {
  const struct {
    UINT type;
    std::uint32_t advanceMs;
    int answer;  // 0: still open when the input ran out
  } cases[] = {
      {MB_YESNO | MB_DEFBUTTON2, 5000, IDNO},
      {MB_YESNO | MB_DEFBUTTON2, 4999, 0},
      {MB_OKCANCEL, 6000, IDOK},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, 5000, IDIGNORE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.advanceMs);
    driver.Advance(c.advanceMs);
    EXPECT_EQ(ShowMessage("text", "", c.type, 5000), c.answer);
  }
}

TEST_F(MessageBoxTest, AnEmptyCaptionKeepsTheBoxsOwn) {
  Then([this] { shown = Look(GetActiveWindow()); });
  Keys({"Enter"});
  EXPECT_EQ(ShowMessage("text", "", MB_OK, 0), IDOK);
  EXPECT_EQ(shown.caption, "ﾒｯｾｰｼﾞ");
}

TEST_F(MessageBoxTest, TheOwnerIsDisabledWhileTheBoxIsOpen) {
  bool ownerEnabled = true;
  Then([&] { ownerEnabled = IsWindowEnabled(main.hwnd()) != FALSE; });
  Keys({"Enter"});
  EXPECT_EQ(ShowMessage("text", "", MB_OK, 0), IDOK);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd()));
}

}  // namespace
}  // namespace lexiv::access
