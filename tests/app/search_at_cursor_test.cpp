// Ctrl+K looks up the words at the caret in the meaning pane. When nothing is found the pane
// keeps the focus and the caret, without the forty characters the command selected to search.
#include <gtest/gtest.h>

#include <string>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::testing {
namespace {

class SearchAtCursorTest : public AppFixture {};

TEST_F(SearchAtCursorTest, NothingFoundLeavesTheCaretWithoutASelection) {
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  driver.Run();  // the start's announcements
  CMainFrame& frame = *app->mainFrame();
  CMeanView& meaning = *frame.MeanView();
  SearchHit hit;
  ASSERT_GE(frame.Engine().SearchHeadwords("あさ", 0, 0, &hit, 1), 1);
  std::int32_t position = hit.entryPos;
  ASSERT_EQ(meaning.ShowEntry(0, position, 1, 1, 0, 0, 0), 1);
  SetFocus(meaning.hwnd());
  const std::string text = WindowText(meaning.hwnd());
  const std::size_t bracket = text.find("（");
  ASSERT_NE(bracket, std::string::npos);
  SendMessage(meaning.hwnd(), EM_SETSEL, bracket, bracket);
  const std::size_t listed = static_cast<std::size_t>(frame.TitleView()->ItemCount());
  reader.ClearCalls();
  driver.PressKey("Ctrl+K");
  driver.Run();
  ASSERT_FALSE(reader.SpokenTexts().empty()) << Report();
  EXPECT_EQ(reader.SpokenTexts().front(), "見出し語がありません") << Report();
  EXPECT_EQ(GetFocus(), meaning.hwnd());
  EXPECT_FALSE(meaning.HasSelection());
  EXPECT_EQ(meaning.CaretPos(), bracket);
  EXPECT_EQ(static_cast<std::size_t>(frame.TitleView()->ItemCount()), listed);
}

}  // namespace
}  // namespace lexiv::testing
