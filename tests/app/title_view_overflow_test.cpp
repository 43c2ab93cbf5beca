// A search that fills the list's 300 places says "オーバー" after the count. The sample dictionary
// is too small for that, so each case writes a dictionary of its own with that many words read
// か followed by two more kana.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/directory_record.h"
#include "app/main_frame.h"
#include "app/settings_store.h"
#include "app_fixture.h"
#include "engine/dictionary_writer.h"
#include "platform/controls/status_bar.h"
#include "views/caption_bar.h"
#include "views/title_view.h"

namespace lexiv::testing {
namespace {

std::vector<SourceEntry> WordsReadKa(int count) {
  static const char* const kKana[] = {"あ", "い", "う", "え", "お", "か", "き", "く", "け", "こ",
                                      "さ", "し", "す", "せ", "そ", "た", "ち", "つ", "て", "と"};
  std::vector<SourceEntry> words;
  for (int i = 0; i < count; ++i) {
    SourceEntry word;
    word.reading = std::string("か") + kKana[i / 20] + kKana[i % 20];
    word.meaning = "『名』試しの語。";
    words.push_back(word);
  }
  return words;
}

class ListOverflowTest : public AppFixture {
 protected:
  // Starts the program on a dictionary of count words read か…, and searches "か*" in the box.
  CMainFrame& SearchAmong(int count) {
    std::string error;
    EXPECT_EQ(WriteDictionary(WordsReadKa(count), dictionary_.dir(), error), 0) << error;
    WriteString(HKEY_CURRENT_USER, kDirectoriesKey, "DicDir", dictionary_.dir());
    WriteDword(HKEY_CURRENT_USER, kSettingsKey, "TitleMean", 0);
    EXPECT_EQ(NewApp().Start("lexiv"), 0);
    CMainFrame& frame = *app->mainFrame();
    ScenarioRunner runner{driver};
    const ScenarioResult result = runner.Run(reinterpret_cast<const char*>(u8"type か*\nkey Enter\n"), "search");
    EXPECT_EQ(result.failures, 0) << result.report;
    return frame;
  }
  // The first text said after the search that begins with "見出し語".
  std::string CountAnnouncement() const {
    for (const std::string& text : reader.SpokenTexts())
      if (text.rfind("見出し語\xFE", 0) == 0) return text;
    return {};
  }

  TempDir dictionary_;
};

TEST_F(ListOverflowTest, ThreeHundredMatchesFillTheListAndSayOver) {
  CMainFrame& frame = SearchAmong(300);
  CTitleView& list = *frame.TitleView();
  EXPECT_EQ(list.ItemCount(), CTitleView::kMaxHits);
  EXPECT_EQ(list.overflow(), 1u);
  EXPECT_EQ(CountAnnouncement(), "見出し語\xFE" "300件オーバー\xFE" "かああ") << Report();
  EXPECT_EQ(static_cast<StatusBar*>(frame.CaptionBar())->PaneText(0), "見出し語一覧 1/300件");
}

TEST_F(ListOverflowTest, FewerMatchesSayTheirCountAlone) {
  CMainFrame& frame = SearchAmong(299);
  EXPECT_EQ(frame.TitleView()->ItemCount(), 299);
  EXPECT_EQ(frame.TitleView()->overflow(), 0u);
  EXPECT_EQ(CountAnnouncement(), "見出し語\xFE" "299件\xFE" "かああ") << Report();
}

}  // namespace
}  // namespace lexiv::testing
