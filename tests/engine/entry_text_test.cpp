#include "engine/entry_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace lexiv {
namespace {

struct EntryFields {
  const char* written[3] = {"", "", ""};
  int mark = 0;
  char accent1 = 0;
  char accent2 = 0;
  const char* historical = "";
};

EntryRecord MakeEntry(const EntryFields& fields) {
  EntryRecord entry;
  std::strcpy(entry.reading, "よみ");
  for (int i = 0; i < 3; ++i) std::strcpy(entry.written[i], fields.written[i]);
  entry.meaning = "意味の文。";
  entry.mark = fields.mark;
  entry.accent1 = fields.accent1;
  entry.accent2 = fields.accent2;
  entry.historical = fields.historical;
  return entry;
}

const std::string kHead = "読み　　よみ\r\n";
const std::string kMeaning = "意味\r\n意味の文。\r\n";

struct EntryTextCase {
  const char* name;
  EntryFields fields;
  std::string plain;
};
// ctest lists each case by its name; without this the name would carry a dump of the bytes.
void PrintTo(const EntryTextCase& c, std::ostream* os) { *os << c.name; }

class FormatEntryTextTest : public ::testing::TestWithParam<EntryTextCase> {};

TEST_P(FormatEntryTextTest, LaysOutEntry) {
  EntryText text = FormatEntryText(MakeEntry(GetParam().fields));
  EXPECT_EQ(text.plain, GetParam().plain);
  std::string joined;
  for (const TextRun& run : text.runs) joined += run.text;
  EXPECT_EQ(joined, text.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FormatEntryTextTest,
    ::testing::Values(
        EntryTextCase{"NoWrittenFormNoExtras", {}, kHead + kMeaning},
        EntryTextCase{"OneWrittenForm", {.written = {"読", "", ""}}, kHead + "漢字　　読\r\n" + kMeaning},
        EntryTextCase{"ThreeWrittenForms",
                      {.written = {"甲", "乙", "丙"}},
                      kHead + "漢字１　甲\r\n漢字２　乙\r\n漢字３　丙\r\n" + kMeaning},
        EntryTextCase{"TwoWrittenForms", {.written = {"甲", "乙", ""}}, kHead + "漢字１　甲\r\n漢字２　乙\r\n" + kMeaning},
        EntryTextCase{"EmptySecondFormHidesThird", {.written = {"甲", "", "丙"}}, kHead + "漢字　　甲\r\n" + kMeaning},
        EntryTextCase{"FormsWithoutFirstAreHidden", {.written = {"", "乙", "丙"}}, kHead + kMeaning},
        EntryTextCase{"MarkOne", {.mark = 1}, kHead + kMeaning + "その他　\xF1\x58\r\n"},
        EntryTextCase{"MarkTwo", {.mark = 2}, kHead + kMeaning + "その他　\xF1\x59\r\n"},
        EntryTextCase{"AccentWithoutMark", {.accent1 = '3'}, kHead + kMeaning + "その他\r\nアクセント　\xF1\x72\r\n"},
        EntryTextCase{"TwoAccents",
                      {.accent1 = '0', .accent2 = '9'},
                      kHead + kMeaning + "その他\r\nアクセント　\xF1\x6F\xF1\x78\r\n"},
        EntryTextCase{"SecondAccentAloneShowsNoAccentLine", {.accent2 = '2'}, kHead + kMeaning + "その他\r\n"},
        EntryTextCase{"HistoricalSpelling",
                      {.historical = "けふ"},
                      kHead + kMeaning + "その他\r\n歴史的仮名遣い　けふ\r\n"},
        EntryTextCase{"Everything",
                      {.written = {"今日", "", ""}, .mark = 2, .accent1 = '1', .historical = "けふ"},
                      kHead + "漢字　　今日\r\n" + kMeaning +
                          "その他　\xF1\x59\r\nアクセント　\xF1\x70\r\n歴史的仮名遣い　けふ\r\n"},
        // Values no dictionary holds count as absent rather than putting stray bytes on screen.
        EntryTextCase{"CorruptMarkIsNone", {.mark = 7}, kHead + kMeaning},
        EntryTextCase{"NegativeMarkIsNone", {.mark = -1}, kHead + kMeaning},
        EntryTextCase{"CorruptAccentIsNone", {.accent1 = 'A', .accent2 = '1'}, kHead + kMeaning + "その他\r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(FormatEntryText, LabelsAndTheirSpacesAreLabelRuns) {
  EntryText text = FormatEntryText(MakeEntry({.written = {"甲", "乙", ""}, .mark = 1, .accent1 = '2'}));
  std::vector<std::pair<RunKind, std::string>> runs;
  for (const TextRun& run : text.runs) runs.emplace_back(run.kind, run.text);
  std::vector<std::pair<RunKind, std::string>> expected = {
      {RunKind::kLabel, "読み　　"},   {RunKind::kText, "よみ\r\n"},
      {RunKind::kLabel, "漢字１　"},   {RunKind::kText, "甲\r\n"},
      {RunKind::kLabel, "漢字２　"},   {RunKind::kText, "乙\r\n"},
      {RunKind::kLabel, "意味\r\n"},   {RunKind::kText, "意味の文。\r\n"},
      {RunKind::kLabel, "その他　"},   {RunKind::kText, "\xF1\x58\r\nアクセント　\xF1\x71\r\n"},
  };
  EXPECT_EQ(runs, expected);
}

TEST(FormatEntryText, ReadingWithoutTerminatorStaysInsideItsField) {
  EntryRecord entry = MakeEntry({});
  std::memset(entry.reading, 'a', sizeof entry.reading);
  EXPECT_EQ(FormatEntryText(entry).plain.substr(0, 8 + 41 + 2), "読み　　" + std::string(41, 'a') + "\r\n");
}

TEST(FormatEntryErrorText, IsLabelThenMessage) {
  EntryText text = FormatEntryErrorText();
  ASSERT_EQ(text.runs.size(), 2u);
  EXPECT_EQ(text.runs[0].kind, RunKind::kLabel);
  EXPECT_EQ(text.runs[0].text, "意味取得エラー\r\n");
  EXPECT_EQ(text.runs[1].kind, RunKind::kText);
  EXPECT_EQ(text.runs[1].text, "エラーにより、見出し語に対する意味を取得することができませんでした。\r\n");
  EXPECT_EQ(text.plain, text.runs[0].text + text.runs[1].text);
}

}  // namespace
}  // namespace lexiv
