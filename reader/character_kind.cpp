#include "character_kind.h"

#include "program_text.h"

namespace lexiv::reader {

std::string DescribeCharacterKind(std::string_view sjis) {
  if (sjis.empty()) return {};
  const unsigned char first = static_cast<unsigned char>(sjis[0]);
  if (first == '\r' || first == '\n') return "改行";
  if (ShiftJisCharLength(sjis) == 1) {
    if (first == ' ') return "半角 空白";
    if (first >= '0' && first <= '9') return "半角 数字";
    if (first >= 'A' && first <= 'Z') return "半角 英大文字";
    if (first >= 'a' && first <= 'z') return "半角 英小文字";
    if (first >= 0xA6 && first <= 0xDF) return "半角 カタカナ";
    if (first < 0x80) return "半角 記号";
    return "不明な文字";
  }
  const unsigned code = (static_cast<unsigned>(first) << 8) | static_cast<unsigned char>(sjis[1]);
  if (code == 0x8140) return "全角 空白";
  if (code >= 0x824F && code <= 0x8258) return "全角 数字";
  if (code >= 0x8260 && code <= 0x8279) return "全角 英大文字";
  if (code >= 0x8281 && code <= 0x829A) return "全角 英小文字";
  if (code >= 0x829F && code <= 0x82F1) return "全角 ひらがな";
  if (code >= 0x8340 && code <= 0x8396) return "全角 カタカナ";
  if (code == 0x815B) return "全角 長音";
  if (code >= 0x889F && code <= 0x9872) return "漢字 第一水準";
  if (code >= 0x989F && code <= 0xEAA4) return "漢字 第二水準";
  if (first >= 0xF0 && first <= 0xF9) return "外字";
  return "全角 記号";
}

}  // namespace lexiv::reader
