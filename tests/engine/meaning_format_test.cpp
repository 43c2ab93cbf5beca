#include "engine/meaning_format.h"

#include <gtest/gtest.h>

#include <string>

namespace lexiv {
namespace {

std::string Reformat(std::string_view text) {
  std::string out = "stale";
  int length = ReformatMeaning(text, out);
  EXPECT_EQ(length, static_cast<int>(out.size()));
  return out;
}

struct ReformatCase {
  const char* name;
  std::string stored;
  std::string shown;
};
// ctest lists each case by its name; without this the name would carry a dump of the bytes.
void PrintTo(const ReformatCase& c, std::ostream* os) { *os << c.name; }

class ReformatMeaningTest : public ::testing::TestWithParam<ReformatCase> {};

TEST_P(ReformatMeaningTest, ShowsStoredTextInDisplayForm) {
  EXPECT_EQ(Reformat(GetParam().stored), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, ReformatMeaningTest,
    ::testing::Values(
        ReformatCase{"PlainText", "ふつうの文。", "ふつうの文。"},
        ReformatCase{"SenseMarkersStartLines", "①あ。②い。", "\r\n①あ。\r\n②い。"},
        ReformatCase{"UserDefinedSenseMarker", "あ\xF1\x60い\xF1\x63", "あ\r\n\xF1\x60い\r\n\xF1\x63"},
        ReformatCase{"MarkerInsideParenthesesStays", "（①の意）②い", "（①の意）\r\n②い"},
        ReformatCase{"InnerBracketDoesNotCloseOuter", "（〔①〕②）③", "（〔①〕②）\r\n③"},
        ReformatCase{"ListWithoutNotesOpensBracket", "「こと①わざ」②", "「こと①わざ」\r\n②"},
        ReformatCase{"GrammarTagAndConjugation", "『自五』歩く", "（自動詞・五段活用）歩く"},
        ReformatCase{"RestMatchingNoConjugationIsDropped", "『自他』", "（自動詞）"},
        ReformatCase{"LongerAbbreviationWins", "『自動』", "（自動詞形）"},
        ReformatCase{"GrammarOnly", "『名』", "（名詞形）"},
        ReformatCase{"ConjugationOnly", "『サ』", "（サ行変格活用）"},
        ReformatCase{"TwoCharacterConjugation", "『形シク』", "（形容詞・形容詞のシク活用）"},
        ReformatCase{"UnknownTagUnchanged", "『ほげ』①", "『ほげ』\r\n①"},
        ReformatCase{"UnclosedTagUnchanged", "『名", "『名"},
        ReformatCase{"WordListOneWordPerLine", "「あ〔＝亜〕・い〔＝伊〕」", "\r\nあ（亜）\r\nい（伊）\r\n"},
        ReformatCase{"SeparatorBeforeAnyNoteIsCopied", "「あ・い〔＝伊〕」", "\r\nあ・い（伊）\r\n"},
        ReformatCase{"LastWordWithoutNoteKeepsClosingBracket", "「あ〔＝亜〕・い」", "\r\nあ（亜）\r\nい」"},
        ReformatCase{"NoteWithoutClosingShellIsNotANote", "「あ〔＝亜」", "「あ〔＝亜」"},
        ReformatCase{"ClosingBracketTakenAsWordFailsTheList", "「あ〔＝亜〕・」", "「あ〔＝亜〕・」"},
        ReformatCase{"LoneLeadByteAtEndLeftOut", "あ\x82", "あ"},
        ReformatCase{"EndsAtZeroByte", std::string("あ\0①", 5), "あ"}),
    [](const auto& info) { return info.param.name; });

TEST(ReformatMeaning, ClampsDisplayFormOnCharacterBoundary) {
  EXPECT_EQ(Reformat(std::string(5000, 'x')), std::string(kMeaningBufferBytes - 1, 'x'));

  std::string filler(kMeaningBufferBytes - 3, 'x');
  EXPECT_EQ(Reformat(filler + "あい"), filler + "あ");

  std::string wide;
  for (int i = 0; i < 3000; ++i) wide += "あ";
  EXPECT_EQ(Reformat(wide), wide.substr(0, kMeaningBufferBytes - 2));

  // An expansion that does not fit is cut, never allowed past the buffer.
  EXPECT_EQ(Reformat(std::string(kMeaningBufferBytes - 4, 'x') + "『名』").size(), kMeaningBufferBytes - 2);
}

TEST(ExpandGrammarTag, ConsumesThroughClosingBracket) {
  std::string out = "前";
  EXPECT_EQ(ExpandGrammarTag("他五』あと", out), 6);
  EXPECT_EQ(out, "前（他動詞・五段活用）");
}

TEST(ExpandGrammarTag, TagTextBeyondWorkingLimitFails) {
  std::string fits = "名" + std::string(kGrammarTagBytes - 2, 'x') + "』";
  std::string out;
  EXPECT_EQ(ExpandGrammarTag(fits, out), static_cast<int>(kGrammarTagBytes + 2));
  EXPECT_EQ(out, "（名詞形）");

  out = "keep";
  EXPECT_EQ(ExpandGrammarTag("名x" + fits, out), -1);
  EXPECT_EQ(out, "keep");
}

TEST(ExpandGrammarTag, ClosingBracketIsFoundOnlyAsWholeCharacter) {
  // 0x81 0x78 is 』; here 0x81 is the trail byte of 0x88 0x81, so no tag ends there.
  std::string out = "keep";
  EXPECT_EQ(ExpandGrammarTag("名\x88\x81\x78", out), -1);
  EXPECT_EQ(out, "keep");
}

TEST(ExpandWordList, OutputBeyondWorkingLimitFails) {
  // "\r\n" + words + "（亜）\r\n": 2 + n + 8 bytes.
  std::string fits = std::string(kExpansionBytes - 10, 'x') + "〔＝亜〕」";
  std::string out;
  EXPECT_EQ(ExpandWordList(fits, out), static_cast<int>(fits.size()));
  EXPECT_EQ(out.size(), kExpansionBytes);

  out = "keep";
  EXPECT_EQ(ExpandWordList("x" + fits, out), -1);
  EXPECT_EQ(out, "keep");
}

TEST(ExpandWordList, FailsWithoutAnyNote) {
  std::string out = "keep";
  EXPECT_EQ(ExpandWordList("ことわざ」", out), -1);
  EXPECT_EQ(ExpandWordList("あ〔＝亜〕", out), -1);
  EXPECT_EQ(out, "keep");
}

}  // namespace
}  // namespace lexiv
