// The meaning pane as the user reads it: an entry opened from the sample dictionary, the caret
// moved by keys, what is said at each move and at each edge, Enter and Escape, the text's formats
// and the error layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/controls/rich_edit_messages.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "views/label_color.h"
#include "views/mean_view.h"
#include "views/search_box.h"

namespace lexiv::testing {
namespace {

using Texts = std::vector<std::string>;

class MeanViewTest : public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
    driver.Run();
    reader.ClearCalls();
    driver.ClearBeeps();
  }

  CMeanView& meaning() { return *app->mainFrame()->MeanView(); }

  std::int32_t PositionOf(const char* reading) {
    std::vector<SearchHit> hits(8);
    const int found = app->mainFrame()->Engine().SearchHeadwords(reading, 0, 0, hits.data(), 8);
    EXPECT_GT(found, 0) << reading;
    return found > 0 ? hits[0].entryPos : -1;
  }

  // Shows the entry as the headword list does when its cursor lands on it, then goes there.
  void ShowAndFocus(std::int32_t position) {
    ASSERT_EQ(meaning().ShowEntry(0, position, 1, 0, 0, 0, 0), 1);
    SetFocus(meaning().hwnd());
    driver.Run();
    reader.ClearCalls();
  }

  void Caret(long bytePos) { SendMessage(meaning().hwnd(), EM_SETSEL, bytePos, bytePos); }
  platform::CHARRANGE Selection() const {
    platform::CHARRANGE range;
    SendMessage(app->mainFrame()->MeanView()->hwnd(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
  }

  Texts Press(const char* keys) {
    reader.ClearCalls();
    driver.PressKey(keys);
    driver.Run();
    return reader.SpokenTexts();
  }

  const std::string& Text() { return meaning().Text(); }
};

// "読み　　あさ\r\n漢字　　朝\r\n意味\r\n（名詞形）夜が明けて…" with the meaning wrapped in the pane.
constexpr long kLine1 = 14;  // "漢字　　朝"
constexpr long kLine2 = 26;  // "意味"
constexpr long kLine3 = 32;  // the meaning, wider than the pane
constexpr long kLastLine = 112;  // "アクセント　❶", the line before the empty last one

TEST_F(MeanViewTest, OpeningAnEntrySaysTheReadingAndShowsTheLabelledText) {
  std::int32_t position = PositionOf("あさ");
  ASSERT_EQ(meaning().ShowEntry(0, position, 1, 1, 1, 0, 0), 1);
  EXPECT_EQ(reader.SpokenTexts(), Texts{"読み\xFE" "あさ"}) << Report();
  EXPECT_EQ(Text().substr(0, kLine3), "読み　　あさ\r\n漢字　　朝\r\n意味\r\n");
  EXPECT_EQ(meaning().DisplayedPosition(), position);
  EXPECT_EQ(meaning().SelectionAnchor(), 0);
  EXPECT_GT(meaning().Lines().size(), 6u) << "the meaning line wraps";
  EXPECT_EQ(meaning().IsSoftLineEnd(kLine3), 1);
  EXPECT_EQ(meaning().IsSoftLineEnd(kLine2), 0);

  // Labels stand apart from the text in their own colour; both are 12 points.
  const DisplayState& display = app->mainFrame()->Display();
  const platform::RichText& doc = meaning().Document();
  EXPECT_EQ(doc.FormatAt(0).color, LabelColorFor(display.TextColor()));
  EXPECT_EQ(doc.FormatAt(4).color, LabelColorFor(display.TextColor())) << "the spaces after a label";
  EXPECT_EQ(doc.FormatAt(8).color, display.TextColor());
  EXPECT_EQ(doc.FormatAt(8).heightTwips, 240);
  EXPECT_EQ(doc.FormatAt(8).face, display.FontName());

  // Nothing more in that direction changes nothing.
  std::int32_t first = PositionOf("あい");
  ASSERT_EQ(meaning().ShowEntry(0, first, 1, 0, 0, 0, 0), 1);
  std::int32_t before = first;
  EXPECT_EQ(meaning().ShowEntry(1, before, 1, 0, 1, 0, 0), 0);
  EXPECT_EQ(before, first);
  EXPECT_EQ(meaning().DisplayedPosition(), first);
}

TEST_F(MeanViewTest, ACorruptEntryShowsTheErrorWithABeep) {
  std::int32_t notAnEntry = 1;
  ASSERT_EQ(meaning().ShowEntry(0, notAnEntry, 1, 0, 1, 0, 0), 1);
  EXPECT_EQ(Text(), "意味取得エラー\r\nエラーにより、見出し語に対する意味を取得することができませんでした。\r\n");
  EXPECT_EQ(meaning().EntryError(), 1);
  EXPECT_EQ(driver.Beeps().size(), 1u);
  EXPECT_EQ(reader.SpokenTexts(),
            Texts{"意味取得エラー\xFE" "エラーにより、見出し語に対する意味を取得することができませんでした。"});
}

TEST_F(MeanViewTest, AHeadwordWhoseEntryIsCorruptIsFollowedByTheErrorSentence) {
  ASSERT_EQ(app->mainFrame()->TitleView()->ShowSearchResults("はし", 0, 1), 0);
  driver.Run();
  std::int32_t notAnEntry = 1;
  ASSERT_EQ(meaning().ShowEntry(0, notAnEntry, 1, 0, 0, 0, 0), 1);
  reader.ClearCalls();
  app->mainFrame()->Speech().SetMeaningFollows(1);
  app->mainFrame()->Speech().PostSpeech("橋", 1, 0);
  driver.Run();
  EXPECT_EQ(reader.SpokenTexts(), (Texts{"橋", std::string("\xFF") + access::kMeaningErrorText})) << Report();
}

struct CaretCase {
  const char* name;
  long from;
  const char* keys;
  Texts said;  // each text in its own speech call
};

TEST_F(MeanViewTest, EachMoveSaysTheCharacterAndTheEdgeItReaches) {
  ShowAndFocus(PositionOf("あさ"));
  const std::vector<CaretCase> cases = {
      {"right", 0, "Right", {"み"}},
      {"left to the line start", 2, "Left", {"左端", "読"}},
      {"down keeps the column", 0, "Down", {"漢"}},
      {"up onto the first line", kLine1, "Up", {"上端", "読"}},
      {"end of a line with a break", 0, "End", {"右端", "\r"}},
      {"home", 8, "Home", {"左端", "読"}},
      {"text start", kLine2, "Ctrl+Home", {"ﾄｯﾌﾟﾎﾟｼﾞｼｮﾝ", "読"}},
      {"text end", 0, "Ctrl+End", {"ﾗｽﾄﾎﾟｼﾞｼｮﾝ", "\r"}},
      {"end of a wrapped line stays on its last character", kLine3, "End", {"右端", "ま"}},
      {"right onto the last character of a wrapped line", kLine3 + 56, "Right", {"右端", "ま"}},
      {"down onto the last line", kLastLine, "Down", {"下端", "\r"}},
      {"extending the selection says the end that moved", 0, "Shift+Right", {"読"}},
  };
  for (const CaretCase& c : cases) {
    Caret(c.from);
    EXPECT_EQ(Press(c.keys), c.said) << c.name << "\n" << Report();
  }
}

TEST_F(MeanViewTest, EscapeClearsASelectionKeepingTheCaretAtTheEndThatMoved) {
  ShowAndFocus(PositionOf("あさ"));
  Caret(8);
  Press("Shift+Left");
  EXPECT_EQ(Press("Shift+Left"), Texts{"　"}) << "the start moved";
  EXPECT_EQ(Press("Escape"), Texts{"範囲 クリア"});
  EXPECT_EQ(Selection(), (platform::CHARRANGE{4, 4}));
  EXPECT_TRUE(driver.Beeps().empty()) << "no exit question yet";
}

TEST_F(MeanViewTest, WithTheReadersOption7UpAndDownReadTheRestOfTheLine) {
  ShowAndFocus(PositionOf("あさ"));
  reader.SetSwitch(7, 1);
  Caret(4);
  EXPECT_EQ(Press("Down"), Texts{"　　朝"}) << Report();
  EXPECT_EQ(reader.Calls().back().name, "VOXAPRead") << "one call with the edge word, if any";
  EXPECT_EQ(Press("Up"), Texts{"上端\xFE　　あさ"});
  EXPECT_EQ(Press("Right"), Texts{"　"}) << "sideways moves still read one character";
}

TEST_F(MeanViewTest, GainingTheFocusAnnouncesTheEntryOnlyWhenTheProgramWasActivated) {
  // Without text the pane hands the focus on (to the headword list, which passes it on when empty).
  SetFocus(meaning().hwnd());
  EXPECT_NE(GetFocus(), meaning().hwnd());

  std::int32_t position = PositionOf("あさ");
  ASSERT_EQ(meaning().ShowEntry(0, position, 1, 0, 0, 0, 0), 1);
  FrameFlags& flags = app->mainFrame()->Flags();
  flags.activation = 1;
  SetFocus(meaning().hwnd());
  driver.Run();
  EXPECT_EQ(reader.SpokenTexts(), Texts{"読み\xFE" "あさ"}) << Report();
  EXPECT_EQ(flags.activation, 0u);

  SetFocus(app->mainFrame()->SearchBox()->hwnd());
  driver.Run();
  reader.ClearCalls();
  flags.activation = 1;
  app->mainFrame()->SuppressAnnouncement() = 1;
  SetFocus(meaning().hwnd());
  driver.Run();
  EXPECT_TRUE(reader.SpokenTexts().empty()) << Report();
  EXPECT_EQ(app->mainFrame()->SuppressAnnouncement(), 0u);
  EXPECT_EQ(flags.activation, 0u);
}

TEST_F(MeanViewTest, ColoursAndZoomRedrawTheEntryInPlace) {
  std::int32_t position = PositionOf("あさ");
  ShowAndFocus(position);
  Caret(kLine1);
  DisplayState& display = app->mainFrame()->Display();
  display.SetColorIndex(5);
  ASSERT_EQ(display.TextColor(), 0x00FF00u);
  meaning().ApplyColorsAndFont();
  EXPECT_EQ(meaning().Background(), display.BackgroundColor());
  EXPECT_EQ(meaning().Document().FormatAt(0).color, LabelColorFor(0x00FF00));
  EXPECT_EQ(meaning().Document().FormatAt(8).color, 0x00FF00u);
  EXPECT_EQ(Selection(), (platform::CHARRANGE{kLine1, kLine1}));
  EXPECT_EQ(meaning().DisplayedPosition(), position);

  SettingsRecord& settings = app->mainFrame()->Settings();
  settings.zoomMode = 1;
  meaning().ApplyZoom(3);
  EXPECT_EQ(meaning().Document().FormatAt(8).heightTwips, 4 * 240);
  EXPECT_EQ(Selection(), (platform::CHARRANGE{kLine1, kLine1}));
  settings.zoomMode = 0;
  meaning().ApplyZoom(3);
  EXPECT_EQ(meaning().Document().FormatAt(8).heightTwips, 240);
  EXPECT_TRUE(reader.SpokenTexts().empty());
}

TEST_F(MeanViewTest, AClickMakesTheEntryShownTheCurrentOneAndEndsAnOutsideRequest) {
  std::int32_t position = PositionOf("あさ");
  ASSERT_EQ(meaning().ShowEntry(0, position, 1, 0, 0, 0, 0), 1);
  ASSERT_EQ(meaning().CurrentPosition(), -1);
  app->mainFrame()->Flags().externalRequest = 1;
  driver.Click(meaning().hwnd(), POINT{4, 4});
  driver.Run();
  EXPECT_EQ(meaning().CurrentPosition(), position);
  EXPECT_EQ(app->mainFrame()->Flags().externalRequest, 0u);
  EXPECT_EQ(GetFocus(), meaning().hwnd());
}

TEST_F(MeanViewTest, ARightClickEndsRangeModeSilently) {
  ShowAndFocus(PositionOf("あさ"));
  Press("Shift+F11");
  ASSERT_EQ(app->mainFrame()->Flags().rangeMode, 1u);
  Press("Enter");
  Press("Right");
  ASSERT_EQ(app->mainFrame()->Flags().rangeMode, 2u);
  reader.ClearCalls();
  const platform::CHARRANGE range = Selection();
  driver.Click(meaning().hwnd(), POINT{40, 20});
  driver.Run();
  EXPECT_EQ(Selection(), range) << "a left click does nothing in range mode";
  driver.Click(meaning().hwnd(), POINT{4, 4}, HeadlessDriver::Button::kRight);
  driver.Run();
  EXPECT_EQ(app->mainFrame()->Flags().rangeMode, 0u);
  EXPECT_FALSE(meaning().HasSelection());
  EXPECT_TRUE(reader.SpokenTexts().empty()) << Report();
  EXPECT_FALSE(GetKeyState(VK_SHIFT) < 0) << "no Shift left behind";
}

TEST(LabelColor, StandsApartFromEachSchemesTextColour) {
  struct Case {
    platform::COLORREF text;
    platform::COLORREF label;
  };
  const Case cases[] = {{0x00FF00, 0xFFFF00}, {0x00FFFF, 0xFFFFFF}, {0xFF0000, 0x000000},
                        {0xFFFFFF, 0x00FFFF}, {0x000000, 0xFF0000}, {0x123456, 0xFF0000}};
  for (const Case& c : cases) EXPECT_EQ(LabelColorFor(c.text), c.label) << std::hex << c.text;
}

}  // namespace
}  // namespace lexiv::testing
