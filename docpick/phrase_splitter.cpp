#include "docpick/phrase_splitter.h"

#include "platform/services/shift_jis_text.h"

namespace lexiv::docpick {

namespace {

bool IsOneOf(std::string_view character, std::initializer_list<std::string_view> set) {
  for (std::string_view member : set)
    if (character == member) return true;
  return false;
}

bool IsDigit(std::string_view character) {
  if (character.size() == 1) return character[0] >= '0' && character[0] <= '9';
  // Full-width ０ to ９ are 0x824F to 0x8258.
  const auto lead = static_cast<unsigned char>(character[0]);
  const auto trail = static_cast<unsigned char>(character[1]);
  return lead == 0x82 && trail >= 0x4F && trail <= 0x58;
}

bool EndsAlways(std::string_view character) {
  return IsOneOf(character, {"、", "。", "を", "\xA4", "\xA1", "?", "？", "\xA5", "・", " ", "　"});
}

bool EndsAfterNonDigit(std::string_view character) { return IsOneOf(character, {",", "，", ".", "．"}); }

}  // namespace

PhraseBounds NextPhrase(std::string_view sjis, std::size_t startByte) {
  if (startByte >= sjis.size()) return {sjis.size(), sjis.size()};
  bool digitBefore = false;
  std::size_t pos = startByte;
  while (pos < sjis.size()) {
    const std::size_t bytes = std::max<std::size_t>(1, platform::SjisCharBytesAt(sjis, pos));
    const std::string_view character = sjis.substr(pos, bytes);
    const std::size_t after = pos + character.size();
    if (character == "\r") {
      const bool lineFeed = after < sjis.size() && sjis[after] == '\n';
      return {after, lineFeed ? after + 1 : after};
    }
    if (EndsAlways(character) || (EndsAfterNonDigit(character) && !digitBefore)) return {after, after};
    digitBefore = IsDigit(character);
    pos = after;
  }
  return {sjis.size(), sjis.size()};
}

std::size_t PhraseStartBefore(std::string_view sjis, std::size_t endByte) {
  std::size_t start = 0;
  while (start < sjis.size()) {
    const PhraseBounds phrase = NextPhrase(sjis, start);
    if (phrase.nextByte >= endByte || phrase.nextByte <= start) return start;
    start = phrase.nextByte;
  }
  return start;
}

}  // namespace lexiv::docpick
