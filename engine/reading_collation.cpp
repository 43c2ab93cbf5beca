#include "engine/reading_collation.h"

#include <array>
#include <cstdint>

#include "engine/shift_jis.h"

namespace lexiv {
namespace {

// The 83 kana shared by the hiragana (0x829F..0x82F1) and katakana (0x8340..) rows, in code order:
// S a small kana (its large form follows it), B a base letter, V voiced (its base precedes it),
// P semi-voiced (its base is two places back).
constexpr char kKanaShapes[] =
    "SBSBSBSBSB"        // ぁ..お
    "BVBVBVBVBV"        // か..ご
    "BVBVBVBVBV"        // さ..ぞ
    "BVBVSBVBVBV"       // た..ど
    "BBBBB"             // な..の
    "BVPBVPBVPBVPBVP"   // は..ぽ
    "BBBBB"             // ま..も
    "SBSBSB"            // ゃ..よ
    "BBBBB"             // ら..ろ
    "SBBBBB";           // ゎ..ん
constexpr int kCommonKanaCount = 83;
static_assert(sizeof kKanaShapes - 1 == kCommonKanaCount);

// Vowel of each base letter in gojuon order (a i u e o, '-' for ん), for reading ー.
constexpr char kBaseVowels[] =
    "aiueoaiueoaiueoaiueoaiueoaiueoaiueo"  // あ か さ た な は ま
    "auo"                                  // や
    "aiueo"                                // ら
    "aieo"                                 // わ ゐ ゑ を
    "-";                                   // ん
constexpr int kBaseCount = 48;
static_assert(sizeof kBaseVowels - 1 == kBaseCount);

// First-level weights: 1..48 the base letters, 49 a ー with no vowel before it; 0xFF introduces a
// character that is not kana.
constexpr unsigned char kUnresolvedLongMark = kBaseCount + 1;
constexpr unsigned char kOtherCharacter = 0xFF;

enum Voicing : unsigned char { kUnvoiced = 0, kVoiced = 1, kSemiVoiced = 2 };
enum Script : unsigned char { kScriptHiragana = 0, kScriptKatakana = 1 };

struct KanaWeights {
  unsigned char base = 0;  // first-level weight, 1..48
  unsigned char voicing = kUnvoiced;
  unsigned char small = 0;
};

struct KanaTable {
  std::array<KanaWeights, kCommonKanaCount> kana{};
  std::array<unsigned char, 5> vowelBase{};  // base weight of あ い う え お
};

constexpr KanaTable BuildKanaTable() {
  KanaTable table;
  unsigned char next = 1;
  for (int i = 0; i < kCommonKanaCount; ++i)
    if (kKanaShapes[i] == 'B') table.kana[i].base = next++;
  for (int i = 0; i < kCommonKanaCount; ++i) {
    KanaWeights& w = table.kana[i];
    switch (kKanaShapes[i]) {
      case 'S': w.base = table.kana[i + 1].base; w.small = 1; break;
      case 'V': w.base = table.kana[i - 1].base; w.voicing = kVoiced; break;
      case 'P': w.base = table.kana[i - 2].base; w.voicing = kSemiVoiced; break;
      default: break;
    }
  }
  for (int v = 0; v < 5; ++v) table.vowelBase[v] = static_cast<unsigned char>(v + 1);
  return table;
}

constexpr KanaTable kTable = BuildKanaTable();

constexpr int VowelIndex(char vowel) {
  switch (vowel) {
    case 'a': return 0;
    case 'i': return 1;
    case 'u': return 2;
    case 'e': return 3;
    case 'o': return 4;
    default: return -1;
  }
}

constexpr std::uint16_t kLongMark = 0x815B;
constexpr std::uint16_t kHiraganaFirst = 0x829F, kHiraganaLast = 0x82F1;
constexpr std::uint16_t kKatakanaFirst = 0x8340, kKatakanaLast = 0x8396;

// The weights of a kana code, or false when code is not kana (ー excluded).
bool KanaWeightsOf(std::uint16_t code, KanaWeights& weights, unsigned char& script) {
  int index = -1;
  if (code >= kHiraganaFirst && code <= kHiraganaLast) {
    index = code - kHiraganaFirst;
    script = kScriptHiragana;
  } else if (code >= kKatakanaFirst && code <= kKatakanaLast && (code & 0xFF) != 0x7F) {
    unsigned trail = code & 0xFF;
    index = static_cast<int>(trail - 0x40 - (trail > 0x7F ? 1 : 0));
    script = kScriptKatakana;
  } else {
    return false;
  }
  if (index < kCommonKanaCount) {
    weights = kTable.kana[index];
    return true;
  }
  // The three katakana without a hiragana partner: ヴ, ヵ, ヶ.
  constexpr int kU = 5, kKa = 10, kKe = 16;
  switch (index - kCommonKanaCount) {
    case 0: weights = kTable.kana[kU]; weights.voicing = kVoiced; return true;
    case 1: weights = kTable.kana[kKa]; weights.small = 1; return true;
    case 2: weights = kTable.kana[kKe]; weights.small = 1; return true;
    default: return false;
  }
}

}  // namespace

std::string ReadingCollationKey(std::string_view reading) {
  std::string primary, voicing, size, longMark, script;
  int previousVowel = -1;
  for (std::size_t pos = 0; pos < reading.size();) {
    std::size_t len = CharLengthAt(reading, pos);
    std::uint16_t code = len == 2 ? DoubleByteCodeAt(reading, pos) : static_cast<unsigned char>(reading[pos]);
    KanaWeights weights;
    unsigned char charScript = kScriptHiragana;
    unsigned char isLong = 0;
    if (len == 2 && code == kLongMark) {
      isLong = 1;
      weights.base = previousVowel >= 0 ? kTable.vowelBase[previousVowel] : kUnresolvedLongMark;
      primary.push_back(static_cast<char>(weights.base));
    } else if (len == 2 && KanaWeightsOf(code, weights, charScript)) {
      previousVowel = VowelIndex(kBaseVowels[weights.base - 1]);
      primary.push_back(static_cast<char>(weights.base));
    } else {
      previousVowel = -1;
      primary.push_back(static_cast<char>(kOtherCharacter));
      primary.push_back(static_cast<char>(len == 2 ? reading[pos] : 0x01));
      primary.push_back(reading[pos + len - 1]);
    }
    voicing.push_back(static_cast<char>(weights.voicing));
    size.push_back(static_cast<char>(weights.small));
    longMark.push_back(static_cast<char>(isLong));
    script.push_back(static_cast<char>(charScript));
    pos += len;
  }
  // Readings equal at the first level have the same number of characters, so the later levels
  // line up and compare one after another.
  std::string key = std::move(primary);
  key.push_back('\0');
  key += voicing;
  key += size;
  key += longMark;
  key += script;
  return key;
}

int CompareReadings(std::string_view a, std::string_view b) {
  return ReadingCollationKey(a).compare(ReadingCollationKey(b));
}

}  // namespace lexiv
