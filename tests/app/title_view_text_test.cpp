// What the headword list takes for a typed reading, and which part of an item it says.
#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "app/settings_store.h"
#include "app_fixture.h"
#include "views/title_view.h"

namespace lexiv::testing {
namespace {

TEST(TitleViewReadingTextTest, KanaTheLongVowelMarkAndTheWideAsteriskMakeAReading) {
  struct Case {
    const char* sjis;
    bool reading;
  };
  const Case cases[] = {
      {"", true},
      {"あいうえお", true},
      {"ぁ", true},             // 0x829F, the first kana
      {"アイ", true},
      {"ー", true},             // 0x815B
      {"か＊", true},           // 0x8196
      {"\xB1\xB2", true},       // half-width ｱｲ
      {"\xA6", true},           // half-width ｦ, the first byte above 0xA5
      {"\xA5", false},          // half-width ･
      {"ヴ", false},            // 0x8394, past the last kana counted
      {"か*", false},           // an ASCII wildcard
      {"愛", false},
      {"あい愛", false},
      {"a", false},
      {"\x82", false},          // a lead byte without its trail byte
      {"\xE0", false},          // a lead byte above the half-width katakana
  };
  for (const Case& c : cases) EXPECT_EQ(CTitleView::IsReadingText(c.sjis), c.reading) << c.sjis;
}

// The spoken part depends on the last search (reading or not) and on the display form; a
// search sets the first, the settings the second.
class SpokenPartTest : public AppFixture {
 protected:
  CTitleView& ListAfterSearch(const char* text, DWORD displayForm) {
    app.reset();
    WriteDword(HKEY_CURRENT_USER, kSettingsKey, "TitleDispForm", displayForm);
    EXPECT_EQ(NewApp().Start("lexiv"), 0);
    CTitleView& list = *app->mainFrame()->TitleView();
    EXPECT_EQ(list.ShowSearchResults(text, 0, 1), 0) << text;
    return list;
  }
};

TEST_F(SpokenPartTest, AfterAReadingTheHeadwordIsSaidOtherwiseTheReading) {
  struct Case {
    const char* itemText;
    const char* afterReading;
    const char* afterOther;
  };
  const Case cases[] = {
      {"愛【あい】", "愛", "あい"},
      {"愛", "愛", "愛"},
      {"愛【あい", "愛", "愛"},          // no closing bracket: the headword
      {"【あい】", "", ""},              // the bracket first: what stands before it
      {"愛【】", "愛", ""},              // an empty reading
      {"愛】あ【い", "愛】あ", "愛】あ"},  // brackets the wrong way round
      // ＝ ends in the byte 0x81 and y is 0x79: together they look like 【 to a byte search.
      {"＝y【あ】", "＝y", "あ"},
  };
  CTitleView& afterReading = ListAfterSearch("あい", 0);
  ASSERT_EQ(afterReading.readingSearch(), 1u);
  for (const Case& c : cases) EXPECT_EQ(afterReading.ExtractSpokenPart(c.itemText), c.afterReading) << c.itemText;
  CTitleView& afterOther = ListAfterSearch("愛", 0);
  ASSERT_EQ(afterOther.readingSearch(), 0u);
  for (const Case& c : cases) EXPECT_EQ(afterOther.ExtractSpokenPart(c.itemText), c.afterOther) << c.itemText;
}

TEST_F(SpokenPartTest, TheHeadwordOnlyFormsSayTheWholeFirstColumn) {
  for (DWORD form : {1u, 2u}) {
    CTitleView& list = ListAfterSearch("愛", form);
    EXPECT_EQ(list.ItemText(0), "愛") << "form " << form;
    EXPECT_EQ(list.ExtractSpokenPart("愛【あい】"), "愛【あい】") << "form " << form;
  }
}

}  // namespace
}  // namespace lexiv::testing
