// The reader's character descriptions and headword guide texts, over a table compiled from a
// KANJIDIC fixture; and, where the build found KANJIDIC, over the real table beside the reader.
#include "reader/character_description.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "kanji_fixture.h"
#include "reader/program_text.h"
#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

using reader::DescribeCharacter;
using reader::HeadwordGuideText;
using reader::KanjiReadings;

// Shift-JIS texts are shown in UTF-8 when a case fails.
std::string Shown(const std::string& sjis) { return reader::LogText(sjis); }

struct DescriptionCase {
  const char* character;  // Shift-JIS
  const char* description;
};

class CharacterDescriptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = CompileKanjiFixture(dir_.path());
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(table_.Open(path), 0);
  }
  TempDir dir_;
  KanjiReadings table_;
};

TEST_F(CharacterDescriptionTest, EachKindOfCharacterIsDescribed) {
  const DescriptionCase cases[] = {
      // Kanji: first kun reading, then first on reading; readings after T1 or T2 are names.
      {"橋", "はし、キョウ"},
      {"端", "はし、タン"},
      {"箸", "はし、チョ"},
      {"込", "こむ"},  // "-こ.む": the dash and the okurigana dot go
      {"茶", "チャ"},  // no kun reading; "ちゃ" after T2 is not one
      {"丸", "ガン"},  // "まる" after T1 is a name reading
      {"燹", "のび、セン"},  // Shift-JIS lead byte 0xE0: the second half of the code range
      {"猫", ""},      // not in the table: read as itself
      {"丼", ""},      // in KANJIDIC without a reading
      // Kana by their kind.
      {"あ", "ひらがなの あ"},
      {"ア", "カタカナの ア"},
      {"ゃ", "ちいさい ゃ"},
      {"っ", "ちいさい っ"},
      {"ャ", "カタカナの ちいさい ャ"},
      {"ヶ", "カタカナの ちいさい ヶ"},
      {"ｱ", "半角の ｱ"},
      {"ｬ", "半角の ちいさい ｬ"},
      {"ｰ", "半角の ちょうおん"},
      {"ﾞ", "半角の だくてん"},
      {"ー", "ちょうおん"},
      // Letters and digits with width and case.
      {"A", "半角 大文字 A"},
      {"z", "半角 小文字 z"},
      {"1", "半角 1"},
      {"Ａ", "全角 大文字 A"},
      {"ｚ", "全角 小文字 z"},
      {"１", "全角 1"},
      // Symbols and brackets by their names.
      {"「", "かぎかっこ"},
      {"」", "かぎかっこ とじ"},
      {"【", "すみつきかっこ"},
      {"『", "にじゅうかぎかっこ"},
      {"・", "なかぐろ"},
      {"、", "とうてん"},
      {"。", "くてん"},
      {"　", "全角 スペース"},
      {" ", "半角 スペース"},
      {"(", "半角 かっこ"},
      {"（", "全角 かっこ"},
      {"々", "のま"},
      {"①", "まる 1"},
      {"α", "ギリシャ文字 小文字 α"},
      // The dictionary's user-defined characters by what they stand for.
      {"\xF1\x58", "しるし 1"},
      {"\xF1\x59", "しるし 2"},
      {"\xF1\x60", "まる 21"},
      {"\xF1\x63", "まる 24"},
      {"\xF1\x6F", "アクセント 0"},
      {"\xF1\x78", "アクセント 9"},
      {"\xF0\x40", "外字"},
      // Nothing to say: a control character, a lead byte without its trail byte.
      {"\x01", ""},
      {"\x88", ""},
  };
  for (const DescriptionCase& c : cases)
    EXPECT_EQ(Shown(DescribeCharacter(c.character, table_)), Shown(c.description)) << Shown(c.character);
}

TEST_F(CharacterDescriptionTest, OnlyTheFirstCharacterIsDescribed) {
  EXPECT_EQ(Shown(DescribeCharacter("橋です", table_)), Shown("はし、キョウ"));
}

TEST_F(CharacterDescriptionTest, WithoutATableKanjiHaveNoDescriptionButKanaStillDo) {
  const KanjiReadings none;
  EXPECT_EQ(DescribeCharacter("橋", none), "");
  EXPECT_EQ(Shown(DescribeCharacter("あ", none)), Shown("ひらがなの あ"));
  EXPECT_EQ(HeadwordGuideText("橋", none), "橋");
}

TEST_F(CharacterDescriptionTest, AHeadwordGuideIsTheWordThenEachKanjiAfterAPause) {
  const DescriptionCase cases[] = {
      {"橋", "橋\xFEはし、キョウ"},
      {"端", "端\xFEはし、タン"},
      {"箸", "箸\xFEはし、チョ"},
      {"東京", "東京\xFEひがし、トウ\xFEみやこ、キョウ"},
      {"ひらがな", "ひらがな"},  // all kana: said once
      {"込む", "込む\xFEこむ"},
      {"猫橋", "猫橋\xFEはし、キョウ"},  // a kanji the table lacks adds nothing
      {"", ""},
  };
  for (const DescriptionCase& c : cases)
    EXPECT_EQ(Shown(HeadwordGuideText(c.character, table_)), Shown(c.description)) << Shown(c.character);
}

// The table the build compiled from the installed KANJIDIC. Setup installs the kanjidic package,
// so this runs on every machine set up by it; a build without KANJIDIC skips it.
TEST(InstalledKanjiTableTest, TellsTheHomophonesOfHashiApart) {
  const std::string path = std::string(LEXIV_BIN_DIR) + "/voxa/kanji-readings.bin";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path << ": KANJIDIC was not installed when the build ran";
  KanjiReadings table;
  ASSERT_EQ(table.Open(path), 0);
  EXPECT_GT(table.size(), 6300u) << "KANJIDIC holds 6,355 kanji, nearly all with readings";
  const DescriptionCase cases[] = {
      {"橋", "橋\xFEはし、キョウ"},
      {"端", "端\xFEはし、タン"},
      {"箸", "箸\xFEはし、チョ"},
      {"東京", "東京\xFEひがし、トウ\xFEみやこ、キョウ"},
      {"茶", "茶\xFEチャ"},
      {"ひらがな", "ひらがな"},
  };
  for (const DescriptionCase& c : cases)
    EXPECT_EQ(Shown(HeadwordGuideText(c.character, table)), Shown(c.description)) << Shown(c.character);
  EXPECT_TRUE(std::filesystem::exists(std::string(LEXIV_BIN_DIR) + "/voxa/KANJIDIC-LICENCE.txt"))
      << "the licence note goes with the table";
}

}  // namespace
}  // namespace lexiv::testing
