// Dictionary order of readings: the order in which entries follow one another in YOMIGO.DIC and
// in which the user pages through them.
//
// Readings are compared in levels. First as hiragana with voiced and semi-voiced marks removed,
// small kana read as large ones and the long-vowel mark ー read as the vowel of the kana before
// it, in gojuon order; only readings equal at that level are told apart by the next, taken over
// the whole reading from the left: voicing (unvoiced < voiced < semi-voiced), size (large < small),
// a vowel letter before ー, hiragana before katakana.
#pragma once

#include <string>
#include <string_view>

namespace lexiv {

// A byte string whose unsigned byte order is the dictionary order of Shift-JIS readings. Characters
// other than kana and ー sort after every kana, in code order.
std::string ReadingCollationKey(std::string_view reading);

// Negative, zero or positive as a sorts before, with or after b.
int CompareReadings(std::string_view a, std::string_view b);

}  // namespace lexiv
