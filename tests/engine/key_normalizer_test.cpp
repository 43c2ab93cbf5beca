#include "engine/key_normalizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/shift_jis.h"

namespace lexiv {
namespace {

struct NormalizeCase {
  std::string_view text;
  int keyClass;
  std::string_view key;
};

void PrintTo(const NormalizeCase& c, std::ostream* os) {
  *os << testing::PrintToString(std::string(c.text)) << " -> " << c.keyClass << " "
      << testing::PrintToString(std::string(c.key));
}

class NormalizeKeyTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeKeyTest, GivesClassAndKey) {
  const NormalizeCase& c = GetParam();
  std::string key = "stale";
  EXPECT_EQ(NormalizeKey(c.text, key), c.keyClass);
  EXPECT_EQ(key, c.key);
}

INSTANTIATE_TEST_SUITE_P(ReadingKeys, NormalizeKeyTest, testing::Values(
    NormalizeCase{"あい", kReadingKey, "ｱｲ"},
    NormalizeCase{"アイ", kReadingKey, "ｱｲ"},
    NormalizeCase{"ｱｲ", kReadingKey, "ｱｲ"},
    NormalizeCase{"が", kReadingKey, "ｶﾞ"},
    NormalizeCase{"ぱ", kReadingKey, "ﾊﾟ"},
    NormalizeCase{"ヴ", kReadingKey, "ｳﾞ"},
    NormalizeCase{"ヶ", kReadingKey, "ｹ"},
    NormalizeCase{"ー", kReadingKey, "ｰ"},
    NormalizeCase{"ｶﾞｯｺｳ", kReadingKey, "ｶﾞｯｺｳ"},  // half-width bytes and marks pass unchanged
    NormalizeCase{"*あい", kReadingKey, "*ｱｲ"},
    NormalizeCase{"あい*", kReadingKey, "ｱｲ*"},
    NormalizeCase{"*あい*", kReadingKey, "*ｱｲ*"},
    NormalizeCase{"*", kReadingKey, "*"},
    NormalizeCase{"", kReadingKey, ""}));

INSTANTIATE_TEST_SUITE_P(WrittenKeys, NormalizeKeyTest, testing::Values(
    NormalizeCase{"abc", kWrittenKey, "ＡＢＣ"},
    NormalizeCase{"あ*い", kWrittenKey, "あ＊い"},
    NormalizeCase{"**あ", kWrittenKey, "＊＊あ"},
    NormalizeCase{"~", kWrittenKey, "??"},
    NormalizeCase{"漢ｶﾞ", kWrittenKey, "漢ガ"},
    NormalizeCase{"漢ｳﾞﾊﾟﾎﾞﾄﾞ", kWrittenKey, "漢ヴパボド"},
    NormalizeCase{"漢ｱﾞｶﾟﾞ", kWrittenKey, "漢ア??カ????"},  // marks that do not combine
    NormalizeCase{"｡｢｣､･ｦｧｰﾝ", kWrittenKey, "。「」、・ヲァーン"},
    NormalizeCase{"Z09", kWrittenKey, "Ｚ０９"},
    // The full-width forms that are not a plain shift of ASCII, as bytes.
    NormalizeCase{" \\'`\"*", kWrittenKey, "\x81\x40\x81\x8F\x81\x66\x81\x65\x81\x8D\x81\x96"},
    NormalizeCase{"\x01\x7F\x80\xA0\xFD", kWrittenKey, "??????????"},
    NormalizeCase{"漢\x82", kWrittenKey, "漢??"},           // lead byte cut off at the end
    NormalizeCase{"あ\x82", kWrittenKey, "あ??"},
    NormalizeCase{"\x82 a", kWrittenKey, "??\x81\x40Ａ"}));  // lead byte with no valid trail

TEST(NarrowKana, EveryKanaWidensBackToItself) {
  // ゎゐゑ and ヮヰヱヵヶ have no half-width letter of their own.
  const std::uint16_t lossy[] = {0x246E, 0x2470, 0x2471, 0x256E, 0x2570, 0x2571, 0x2575, 0x2576};
  for (std::uint16_t jis = 0x2421; jis <= 0x2576; ++jis) {
    if ((jis & 0xFF) < 0x21 || (jis & 0xFF) > (jis < 0x2500 ? 0x73 : 0x76)) continue;
    if (std::find(std::begin(lossy), std::end(lossy), jis) != std::end(lossy)) continue;
    std::string half;
    int bytes = NarrowKana(jis, half);
    ASSERT_EQ(bytes, static_cast<int>(half.size())) << std::hex << jis;
    std::string wide;
    ASSERT_EQ(WidenKana(half, jis < 0x2500 ? kHiragana : kKatakana, wide), 1) << std::hex << jis;
    EXPECT_EQ(ShiftJisToJis(DoubleByteCodeAt(wide, 0)), jis) << std::hex << jis;
  }
}

TEST(NarrowKana, IrregularAndOutsideCodes) {
  const struct {
    std::uint16_t jis;
    std::string_view half;
  } cases[] = {
      {0x246E, "ﾜ"}, {0x2470, "ｲ"}, {0x2471, "ｴ"}, {0x2472, "ｦ"}, {0x2473, "ﾝ"},
      {0x2575, "ｶ"}, {0x2576, "ｹ"}, {0x2574, "ｳﾞ"}, {0x213C, "ｰ"}, {0x2421, "ｧ"},
      {0x2443, "ｯ"}, {0x2563, "ｬ"}, {0x2551, "ﾊﾟ"},
      {0x2420, ""}, {0x2477, ""}, {0x2321, ""}, {0x213B, ""}, {0x0000, ""},
  };
  for (const auto& c : cases) {
    std::string out = "x";
    EXPECT_EQ(NarrowKana(c.jis, out), static_cast<int>(c.half.size())) << std::hex << c.jis;
    EXPECT_EQ(out, "x" + std::string(c.half)) << std::hex << c.jis;
  }
}

TEST(ShiftJisJis, KnownCodesAndRefusals) {
  const struct {
    std::uint16_t sjis, jis;
  } pairs[] = {{0x82A0, 0x2422}, {0x8340, 0x2521}, {0x8380, 0x2560}, {0x815B, 0x213C},
               {0x889F, 0x3021}, {0x9FFC, 0x5E7E}, {0xE040, 0x5F21}, {0xEAA4, 0x7426}};
  for (const auto& p : pairs) {
    EXPECT_EQ(ShiftJisToJis(p.sjis), p.jis) << std::hex << p.sjis;
    EXPECT_EQ(JisToShiftJis(p.jis), p.sjis) << std::hex << p.jis;
  }
  for (std::uint16_t sjis : {0x8220, 0x827F, 0x82FD, 0xF040, 0xA1A1, 0x4142}) EXPECT_EQ(ShiftJisToJis(sjis), 0) << std::hex << sjis;
  for (std::uint16_t jis : {0x2020, 0x217F, 0x7F21, 0x2100, 0xA4A2}) EXPECT_EQ(JisToShiftJis(jis), 0) << std::hex << jis;
}

TEST(ShiftJisJis, RoundTripOverTheWholeGrid) {
  for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      std::uint16_t sjis = static_cast<std::uint16_t>(lead << 8 | trail);
      std::uint16_t jis = ShiftJisToJis(sjis);
      ASSERT_GE(jis >> 8, 0x21) << std::hex << sjis;
      ASSERT_LE(jis & 0xFF, 0x7E) << std::hex << sjis;
      ASSERT_EQ(JisToShiftJis(jis), sjis) << std::hex << sjis;
    }
  }
}

TEST(WidenKana, WidensCombinesAndBlanks) {
  const struct {
    std::string_view text;
    int form;
    std::string_view wide;
  } cases[] = {
      {"ｶﾞｷﾞｮｳ", kHiragana, "がぎょう"},
      {"ｶﾞｷﾞｮｳ", kKatakana, "ガギョウ"},
      {"ｳﾞ", kHiragana, "ヴ"},
      {"ｳﾞ", kKatakana, "ヴ"},
      {"ﾊﾟﾋﾟﾎﾞ", kHiragana, "ぱぴぼ"},
      {"ｰｦﾝ", kHiragana, "ーをん"},
      {"ｰｦﾝ", kKatakana, "ーヲン"},
      {"漢ｱ", kKatakana, "漢ア"},
      {"ﾞ", kHiragana, "  "},
      {"ｱﾞﾅﾟ", kHiragana, "あ  な  "},  // a mark that does not combine stays a blank
      {"a｡･", kHiragana, "      "},
      {"漢\x82", kHiragana, "漢  "},
      {"", kHiragana, ""},
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(WidenKana(c.text, c.form, out), static_cast<int>(c.wide.size() / 2)) << c.text;
    EXPECT_EQ(out, c.wide) << c.text;
  }
}

TEST(WidenKana, TextMayBeAViewOfTheOutput) {
  std::string text = "ｶﾞｷﾞｮｳ";
  EXPECT_EQ(WidenKana(text, kHiragana, text), 4);
  EXPECT_EQ(text, "がぎょう");
  std::string key = "あい*";
  EXPECT_EQ(NormalizeKey(key, key), kReadingKey);
  EXPECT_EQ(key, "ｱｲ*");
}

TEST(ReverseKey, ReversesByLetterOrCharacterAndBack) {
  const struct {
    std::string_view key;
    int keyClass;
    std::string_view reversed;
  } cases[] = {
      {"ｶﾞｷ", kReadingKey, "ｷｶﾞ"},
      {"ﾊﾟﾋﾞﾌｰ", kReadingKey, "ｰﾌﾋﾞﾊﾟ"},
      {"ｱｲ*", kReadingKey, "*ｲｱ"},
      {"", kReadingKey, ""},
      {"漢字語", kWrittenKey, "語字漢"},
      {"漢字\x82", kWrittenKey, "字漢\x82"},  // a stray last byte stays last
      {"", kWrittenKey, ""},
  };
  for (const auto& c : cases) {
    std::string key(c.key);
    ReverseKey(key, c.keyClass);
    EXPECT_EQ(key, c.reversed) << c.key;
    ReverseKey(key, c.keyClass);
    EXPECT_EQ(key, c.key) << c.key;
  }
}

std::string Repeat(std::string_view unit, std::size_t times) {
  std::string s;
  for (std::size_t i = 0; i < times; ++i) s += unit;
  return s;
}

TEST(NormalizeKey, ClampsLongKeysOnACharacterBoundary) {
  const struct {
    std::string text;
    int keyClass;
    std::string key;
  } cases[] = {
      {Repeat("ｱ", 300), kReadingKey, Repeat("ｱ", 255)},
      // byte 255 would be the mark of the 128th ｶﾞ: the letter goes with it
      {Repeat("が", 150), kReadingKey, Repeat("ｶﾞ", 127)},
      {Repeat("ｱ", 254) + "ｶﾞ" + Repeat("ｱ", 44), kReadingKey, Repeat("ｱ", 254)},
      {Repeat("a", 300), kWrittenKey, Repeat("Ａ", 127)},
      {Repeat("漢", 150), kWrittenKey, Repeat("漢", 127)},
      // the class depends on the whole text, also beyond the part that fits
      {Repeat("あ", 149) + "漢", kWrittenKey, Repeat("あ", 127)},
  };
  for (const auto& c : cases) {
    std::string key;
    EXPECT_EQ(NormalizeKey(c.text, key), c.keyClass) << c.text.size();
    EXPECT_EQ(key, c.key) << c.text.size();
  }
}

TEST(NormalizeKey, AnyRunOfOneByteStaysWithinTheLimit) {
  for (int b = 0; b < 256; ++b) {
    for (std::size_t count : {1, 2, 255, 256, 301}) {
      std::string text(count, static_cast<char>(b));
      std::string key;
      int keyClass = NormalizeKey(text, key);
      ASSERT_LE(key.size(), kMaxKeyBytes) << b << " x" << count;
      if (keyClass == kWrittenKey) {
        ASSERT_EQ(key.size() % 2, 0u) << b << " x" << count;
        ASSERT_EQ(ClampToCharBoundary(key, key.size()), key.size()) << b << " x" << count;
      } else {
        ASSERT_EQ(keyClass, kReadingKey);
      }
    }
  }
}

}  // namespace
}  // namespace lexiv
