// The history commands as the user meets them: entries opened one after the other, then
// Ctrl+PageUp and Ctrl+PageDown through them, with the words said at either end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/core/focus.h"
#include "views/mean_view.h"

namespace lexiv::testing {
namespace {

class HistoryCommandsTest : public AppFixture {
 protected:
  void SetUp() override { ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report(); }

  CMeanView& meaning() { return *app->mainFrame()->MeanView(); }

  // The entry positions of the first count headwords of the sample dictionary.
  std::vector<std::int32_t> Positions(int count) {
    std::vector<SearchHit> hits(300);
    const int found = app->mainFrame()->Engine().SearchHeadwords("*", 0, 1, hits.data(), 300);
    std::vector<std::int32_t> positions;
    for (int i = 0; i < found && static_cast<int>(positions.size()) < count; ++i) positions.push_back(hits[i].entryPos);
    return positions;
  }

  // Opens an entry as Enter in the headword list does.
  void Open(std::int32_t position) {
    meaning().SetCurrentPosition(position);
    ASSERT_EQ(meaning().ShowEntry(0, position, 1, 1, 0, 0, 0), 1);
  }

  void Press(const char* key) {
    driver.PressKey(key);
    driver.Run();
  }

  std::string LastSaid() const { return reader.SpokenTexts().empty() ? "" : reader.SpokenTexts().back(); }
};

TEST_F(HistoryCommandsTest, AnEmptyHistoryHasNowhereToGo) {
  Press("Ctrl+PageUp");
  EXPECT_EQ(LastSaid(), "前の検索履歴はありません") << Report();
  Press("Ctrl+PageDown");
  EXPECT_EQ(LastSaid(), "次の検索履歴はありません") << Report();
  EXPECT_EQ(driver.Beeps().size(), 2u);
}

TEST_F(HistoryCommandsTest, TwentyOneEntriesLeaveTwentyToGoBackThrough) {
  const std::vector<std::int32_t> positions = Positions(21);
  ASSERT_EQ(positions.size(), 21u);
  for (std::int32_t position : positions) Open(position);
  SetFocus(meaning().hwnd());
  for (int step = 1; step <= 19; ++step) {
    Press("Ctrl+PageUp");
    EXPECT_EQ(meaning().CurrentPosition(), positions[20 - step]) << step;
  }
  EXPECT_EQ(GetFocus(), meaning().hwnd());
  reader.ClearCalls();
  Press("Ctrl+PageUp");
  EXPECT_EQ(LastSaid(), "前の検索履歴はありません") << Report();
  EXPECT_EQ(meaning().CurrentPosition(), positions[1]);
  // And forward again to the newest, where the other end is said.
  for (int step = 1; step <= 19; ++step) Press("Ctrl+PageDown");
  EXPECT_EQ(meaning().CurrentPosition(), positions[20]);
  Press("Ctrl+PageDown");
  EXPECT_EQ(LastSaid(), "次の検索履歴はありません") << Report();
}

TEST_F(HistoryCommandsTest, GoingBackSpeaksTheEntryAndEndsAnOtherApplicationsRequest) {
  const std::vector<std::int32_t> positions = Positions(2);
  Open(positions[0]);
  Open(positions[1]);
  app->mainFrame()->Flags().externalRequest = 1;
  SetFocus(meaning().hwnd());
  reader.ClearCalls();
  Press("Ctrl+PageUp");
  EXPECT_EQ(meaning().CurrentPosition(), positions[0]);
  EXPECT_EQ(app->mainFrame()->Flags().externalRequest, 0u);
  EXPECT_EQ(LastSaid(), std::string("読み\xFE") + meaning().EntryReading()) << Report();
}

}  // namespace
}  // namespace lexiv::testing
