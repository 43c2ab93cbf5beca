#include "character_description.h"

#include <cstdint>

#include "character_names.h"
#include "program_text.h"

namespace lexiv::reader {
namespace {

bool IsKanjiLead(unsigned char lead) {
  // Levels 1 and 2 (0x88 to 0xEA) and the vendor kanji rows (0xED, 0xEE, 0xFA to 0xFC).
  return (lead >= 0x88 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA) || lead == 0xED || lead == 0xEE ||
         (lead >= 0xFA && lead <= 0xFC);
}

bool IsSmallHiragana(std::uint16_t code) {
  switch (code) {
    case 0x829F: case 0x82A1: case 0x82A3: case 0x82A5: case 0x82A7:  // ぁぃぅぇぉ
    case 0x82C1: case 0x82E1: case 0x82E3: case 0x82E5: case 0x82EC:  // っゃゅょゎ
      return true;
    default:
      return false;
  }
}

bool IsSmallKatakana(std::uint16_t code) {
  switch (code) {
    case 0x8340: case 0x8342: case 0x8344: case 0x8346: case 0x8348:  // ァィゥェォ
    case 0x8362: case 0x8383: case 0x8385: case 0x8387: case 0x838E:  // ッャュョヮ
    case 0x8395: case 0x8396:                                          // ヵヶ
      return true;
    default:
      return false;
  }
}

std::string Numbered(std::string_view words, int number) { return std::string(words) + std::to_string(number); }

// The dictionary's user-defined characters: the entry marks shown under "その他", the sense
// markers after ⑳, and the accent digits of the accent line.
std::string DescribeUserDefined(std::uint16_t code) {
  if (code == 0xF158 || code == 0xF159) return Numbered("しるし ", code - 0xF158 + 1);
  if (code >= 0xF160 && code <= 0xF163) return Numbered("まる ", code - 0xF160 + 21);
  if (code >= 0xF16F && code <= 0xF178) return Numbered("アクセント ", code - 0xF16F);
  return "外字";
}

std::string DescribeSingleByte(unsigned char c, std::string_view character) {
  if (c >= '0' && c <= '9') return "半角 " + std::string(character);
  if (c >= 'A' && c <= 'Z') return "半角 大文字 " + std::string(character);
  if (c >= 'a' && c <= 'z') return "半角 小文字 " + std::string(character);
  if (const std::string_view name = SymbolName(c); !name.empty()) return std::string(name);
  if (c >= 0xA7 && c <= 0xAF) return "半角の ちいさい " + std::string(character);
  if (c >= 0xA6 && c <= 0xDD) return "半角の " + std::string(character);
  return {};
}

std::string DescribeDoubleByte(std::uint16_t code, std::string_view character, const KanjiReadings& kanji) {
  const auto ascii = [](int offset) { return std::string(1, static_cast<char>(offset)); };
  if (code >= 0x824F && code <= 0x8258) return "全角 " + ascii('0' + code - 0x824F);
  if (code >= 0x8260 && code <= 0x8279) return "全角 大文字 " + ascii('A' + code - 0x8260);
  if (code >= 0x8281 && code <= 0x829A) return "全角 小文字 " + ascii('a' + code - 0x8281);
  if (code >= 0x829F && code <= 0x82F1)
    return (IsSmallHiragana(code) ? "ちいさい " : "ひらがなの ") + std::string(character);
  if (code >= 0x8340 && code <= 0x8396)
    return (IsSmallKatakana(code) ? "カタカナの ちいさい " : "カタカナの ") + std::string(character);
  if (code >= 0x839F && code <= 0x83B6) return "ギリシャ文字 大文字 " + std::string(character);
  if (code >= 0x83BF && code <= 0x83D6) return "ギリシャ文字 小文字 " + std::string(character);
  if (code >= 0x8440 && code <= 0x8460) return "ロシア文字 大文字 " + std::string(character);
  if (code >= 0x8470 && code <= 0x8491) return "ロシア文字 小文字 " + std::string(character);
  if (code >= 0x8740 && code <= 0x8753) return Numbered("まる ", code - 0x8740 + 1);
  if (code >= 0x8754 && code <= 0x875D) return Numbered("ローマ数字 ", code - 0x8754 + 1);
  const unsigned char lead = static_cast<unsigned char>(code >> 8);
  if (lead >= 0xF0 && lead <= 0xF9) return DescribeUserDefined(code);
  if (IsKanjiLead(lead)) return std::string(kanji.Find(code));
  return std::string(SymbolName(code));
}

}  // namespace

std::string DescribeCharacter(std::string_view sjis, const KanjiReadings& kanji) {
  if (sjis.empty()) return {};
  const std::string_view character = sjis.substr(0, static_cast<std::size_t>(ShiftJisCharLength(sjis)));
  const unsigned char first = static_cast<unsigned char>(character[0]);
  if (character.size() == 1) return DescribeSingleByte(first, character);
  const std::uint16_t code = static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(character[1]));
  return DescribeDoubleByte(code, character, kanji);
}

std::string HeadwordGuideText(std::string_view sjisWord, const KanjiReadings& kanji) {
  std::string guide(sjisWord);
  for (std::size_t bytePos = 0; bytePos < sjisWord.size();) {
    const std::string_view rest = sjisWord.substr(bytePos);
    const std::size_t length = static_cast<std::size_t>(ShiftJisCharLength(rest));
    if (length == 2 && IsKanjiLead(static_cast<unsigned char>(rest[0]))) {
      const std::uint16_t code = static_cast<std::uint16_t>(static_cast<unsigned char>(rest[0]) << 8 |
                                                            static_cast<unsigned char>(rest[1]));
      if (const std::string_view readings = kanji.Find(code); !readings.empty()) {
        guide += static_cast<char>(kPhraseSeparator);
        guide += readings;
      }
    }
    bytePos += length;
  }
  return guide;
}

}  // namespace lexiv::reader
