// Reading the meaning pane through: everything phrase by phrase (and how the user stops it), one
// paragraph across wrapped lines, and finding the find text after or before the caret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/controls/rich_edit_messages.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "views/mean_view.h"
#include "views/meaning_phrases.h"

namespace lexiv::testing {
namespace {

using Texts = std::vector<std::string>;

class MeanViewReadingTest : public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
    std::vector<SearchHit> hits(8);
    ASSERT_GT(app->mainFrame()->Engine().SearchHeadwords("あさ", 0, 0, hits.data(), 8), 0);
    std::int32_t position = hits[0].entryPos;
    ASSERT_EQ(meaning().ShowEntry(0, position, 1, 0, 0, 0, 0), 1);
    SetFocus(meaning().hwnd());
    driver.Run();
    reader.ClearCalls();
    driver.ClearBeeps();
  }

  CMeanView& meaning() { return *app->mainFrame()->MeanView(); }
  void Select(long anchor, long caret) { SendMessage(meaning().hwnd(), EM_SETSEL, anchor, caret); }
  long Caret() const { return static_cast<long>(app->mainFrame()->MeanView()->CaretPos()); }
  // Where a text first occurs in the pane.
  long At(const char* text) { return static_cast<long>(meaning().Text().find(text)); }
};

TEST_F(MeanViewReadingTest, ReadingEverythingGoesPhraseByPhraseToTheEnd) {
  Select(8, 8);
  EXPECT_EQ(meaning().ReadAll(0, 0), 1);
  // Phrases end after blanks and punctuation and at line breaks, which they take in; the meaning's
  // wrapped line does not end one ("ま|での間。").
  EXPECT_EQ(reader.SpokenTexts(),
            (Texts{"読み　", "　", "あさ\r\n", "漢字　", "　", "朝\r\n", "意味\r\n",
                   "（名詞形）夜が明けてからしばらくの間。", "また、", "夜明けから正午までの間。", "\r\n", "その他\r\n",
                   "アクセント　", "\xF1\x70\r\n"}))
      << Report();
  EXPECT_EQ(meaning().readAllRunning(), 0u);
  EXPECT_EQ(Caret(), 8) << "without follow the selection is put back";
  EXPECT_TRUE(meaning().SelectionHidden()) << "and stays hidden";
  SetFocus(app->mainFrame()->TitleView()->hwnd());
  SetFocus(meaning().hwnd());
  EXPECT_FALSE(meaning().SelectionHidden()) << "until the pane has the focus again";
}

TEST_F(MeanViewReadingTest, EscapeStopsTheReadingAndOtherKeysAreDropped) {
  Select(At("夜"), At("夜"));
  driver.ThenAfter(500, [this] { driver.PressKey("Down"); });
  driver.ThenAfter(1000, [this] { driver.PressKey("Escape"); });
  EXPECT_EQ(meaning().ReadAll(1, 1), 0);
  driver.Run();
  EXPECT_EQ(reader.SpokenTexts(), (Texts{"夜が明けてからしばらくの間。", "また、"})) << Report();
  EXPECT_EQ(Caret(), At("夜明")) << "the caret stays after the last phrase read; Down was dropped";
  EXPECT_TRUE(driver.Beeps().empty()) << "Escape did not reach the exit question";
  EXPECT_EQ(GetFocus(), meaning().hwnd());
}

TEST_F(MeanViewReadingTest, ARightClickStopsTheReadingToo) {
  const HWND view = meaning().hwnd();
  driver.ThenAfter(500, [this, view] { driver.Click(view, POINT{10, 10}, HeadlessDriver::Button::kRight); });
  EXPECT_EQ(meaning().ReadAll(1, 1), 0);
  EXPECT_EQ(reader.SpokenTexts(), Texts{"読み　"}) << Report();
}

TEST_F(MeanViewReadingTest, AParagraphIsReadAcrossItsWrappedLinesAndTheCaretStays) {
  const long caret = At("での間");
  ASSERT_GT(meaning().LineOf(static_cast<std::size_t>(caret)), meaning().LineOf(static_cast<std::size_t>(At("（"))))
      << "the meaning wraps before で";
  Select(caret, caret);
  meaning().ReadParagraph();
  EXPECT_EQ(reader.SpokenTexts(), Texts{"（名詞形）夜が明けてからしばらくの間。また、夜明けから正午までの間。"});
  EXPECT_EQ(Caret(), caret);
}

TEST_F(MeanViewReadingTest, FindGoesForwardAndBackFromTheCaret) {
  app->mainFrame()->Find().ProposeText("間");
  const long first = At("間");
  const long second = static_cast<long>(meaning().Text().find("間", static_cast<std::size_t>(first) + 2));
  Select(0, 0);
  EXPECT_EQ(meaning().FindText(1), 1);
  EXPECT_EQ(Caret(), first);
  EXPECT_EQ(meaning().FindText(1), 1);
  EXPECT_EQ(Caret(), second);
  EXPECT_EQ(meaning().FindText(1), 0) << "nothing after the last";
  EXPECT_EQ(Caret(), second);
  EXPECT_EQ(meaning().FindText(0), 1);
  EXPECT_EQ(Caret(), first);
  EXPECT_EQ(meaning().FindText(0), 0) << "nothing before the first";
  EXPECT_TRUE(reader.SpokenTexts().empty()) << "finding moves the caret silently";

  // A match that starts before the caret is found backward even when it runs past it.
  app->mainFrame()->Find().ProposeText("の間");
  Select(second, second);
  EXPECT_EQ(meaning().FindText(0), 1);
  EXPECT_EQ(Caret(), second - 2);
}

TEST(MeaningPhrases, EndAfterEachDelimiterOrAtTheLineBreak) {
  struct Case {
    const char* text;
    std::size_t start;
    std::size_t end;
  };
  // One line with a break after byte 10, then a line that wraps after byte 16, then the last.
  const std::vector<platform::DisplayLine> lines = {{0, 10, 2}, {12, 4, 0}, {16, 6, 0}};
  const Case cases[] = {
      {"abc def gh\r\nijklmnopqrst", 0, 4},             // after a space
      {"abc\tdef gh\r\nijklmnopqrst", 0, 4},            // after a tab
      {"ab\xA1" "cdefgh\r\nijklmnopqrst", 0, 3},        // after a half-width full stop
      {"ab\xA4" "cdefgh\r\nijklmnopqrst", 0, 3},        // after a half-width comma
      {"abcdefghij\r\nijklmnopqrst", 0, 12},            // the line break is taken in
      {"abcdefghij\r\nijklmn opqrs", 12, 19},           // a wrapped line goes on
      {"abcdefghij\r\nijklmnopqrst", 12, 22},           // the last line ends with the text
      {"abcdefghij\r\nijklmnopqrst", 22, 22},           // nothing left
  };
  for (const Case& c : cases) EXPECT_EQ(PhraseEnd(c.text, lines, c.start), c.end) << c.text << " from " << c.start;
}

}  // namespace
}  // namespace lexiv::testing
