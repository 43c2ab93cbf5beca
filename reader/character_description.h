// What the reader says to tell a character from the others of the same sound: a kanji by its
// readings ("はし、キョウ"), kana by their kind ("ひらがなの あ"), letters and digits with width and
// case ("全角 大文字 A"), symbols by their names, the dictionary's own characters by their meaning.
// All texts are Shift-JIS.
#pragma once

#include <string>
#include <string_view>

#include "kanji_readings.h"

namespace lexiv::reader {

// The description of the first character of the text, or empty when the reader has none for it
// (a kanji the table lacks, a control character): such a character is read as itself.
std::string DescribeCharacter(std::string_view sjis, const KanjiReadings& kanji);

// What a headword guide says: the word, then, after a phrase separator each, the readings of each
// kanji in it, in order ("橋", 0xFE, "はし、キョウ"). A word without a kanji the table knows
// (all kana, say) is the word alone.
std::string HeadwordGuideText(std::string_view sjisWord, const KanjiReadings& kanji);

}  // namespace lexiv::reader
