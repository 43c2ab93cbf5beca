// The compiled-in CP932 tables against the system's iconv, the converter they replace: for every
// single byte and every byte pair decoded, every Unicode scalar value encoded, and ill-formed
// input both ways, the table converters must accept and refuse exactly what iconv does and give
// the same bytes.
#include <iconv.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/text_encoding.h"

namespace lexiv {
namespace {

// iconv as the tools used it: any refusal, an incomplete sequence or a substituted character
// makes the conversion fail.
class IconvReference {
 public:
  IconvReference(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvReference() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  bool Convert(const std::string& in, std::string& out) {
    out.clear();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[256];
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
    if (r == static_cast<size_t>(-1) || r > 0) return false;
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    out.assign(buffer, static_cast<size_t>(outPtr - buffer));
    return true;
  }

 private:
  iconv_t cd_;
};

std::string Utf8Of(std::uint32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// Compares one input; returns whether iconv accepted it (for counting).
bool ExpectSameAsIconv(IconvReference& iconv, bool (*convert)(std::string_view, std::string&),
                       const std::string& in, const char* what) {
  std::string expected;
  std::string actual;
  bool expectedOk = iconv.Convert(in, expected);
  bool actualOk = convert(in, actual);
  std::string hex;
  for (unsigned char b : in) {
    char h[4];
    std::snprintf(h, sizeof h, "%02X ", b);
    hex += h;
  }
  EXPECT_EQ(actualOk, expectedOk) << what << " " << hex;
  if (expectedOk && actualOk) {
    EXPECT_EQ(actual, expected) << what << " " << hex;
  }
  return expectedOk;
}

TEST(Cp932Table, DecodesEveryByteAndPairAsIconvDoes) {
  IconvReference iconv("UTF-8", "CP932");
  ASSERT_TRUE(iconv.Usable());
  int doubleByte = 0;
  for (int b = 0; b < 256; ++b) {
    bool single = ExpectSameAsIconv(iconv, ShiftJisToUtf8, std::string(1, static_cast<char>(b)), "byte");
    for (int t = 0; t < 256; ++t) {
      std::string pair{static_cast<char>(b), static_cast<char>(t)};
      bool accepted = ExpectSameAsIconv(iconv, ShiftJisToUtf8, pair, "pair");
      if (!single && accepted) ++doubleByte;
      if (::testing::Test::HasFailure()) return;  // one report, not sixty thousand
    }
  }
  // CP932 has over seven thousand two-byte characters: the comparison covered them.
  EXPECT_GT(doubleByte, 7000);
}

TEST(Cp932Table, EncodesEveryScalarValueAsIconvDoes) {
  IconvReference iconv("CP932", "UTF-8");
  ASSERT_TRUE(iconv.Usable());
  int accepted = 0;
  for (std::uint32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    accepted += ExpectSameAsIconv(iconv, Utf8ToShiftJis, Utf8Of(c), "code point");
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(accepted, 7000);
}

TEST(Cp932Table, IllFormedAndMixedTextAsIconv) {
  IconvReference toSjis("CP932", "UTF-8");
  IconvReference toUtf8("UTF-8", "CP932");
  ASSERT_TRUE(toSjis.Usable() && toUtf8.Usable());
  const std::vector<std::string> utf8 = {
      "",
      "abc \xE3\x81\xAF\xE3\x81\x97 \xE6\xA9\x8B ~\\",  // ASCII, kana, kanji
      "\xC0\xAF",                  // overlong "/"
      "\xE0\x80\xAF",              // overlong, three bytes
      "\xED\xA0\x80",              // a surrogate
      "\xF4\x90\x80\x80",          // beyond U+10FFFF
      "\xF8\x88\x80\x80\x80",      // a five-byte form
      "\xE3\x81",                  // cut short
      "\x80",                      // a lone continuation byte
      "\xE3\x81\xAF\xE3",          // good, then cut short
      "\xE2\x82\xAC",              // the euro sign, not in CP932
      "\xEF\xBC\xBC\xC2\xA5\xC2\xAC",  // full-width reverse solidus, yen, not sign
      "\xF3\xA0\x80\x81x",         // a language tag, which iconv drops
  };
  for (const std::string& s : utf8) ExpectSameAsIconv(toSjis, Utf8ToShiftJis, s, "UTF-8");
  const std::vector<std::string> sjis = {
      "",
      "abc \x82\xCD\x82\xB5 \x8B\xB4 \xB1\xB2",  // ASCII, kana, kanji, half-width kana
      "\x82",                      // a lead byte at the end
      "\x82\xCD\x82",              // good, then a lead byte at the end
      "\x82\x20",                  // a lead byte before a space
      "\x80\xA0\xFD\xFE\xFF",      // bytes CP932 may not assign
      "\xF1\x60",                  // a user-defined character
      "\x87\x40\xED\x40\xFA\x40",  // NEC and IBM extensions
  };
  for (const std::string& s : sjis) ExpectSameAsIconv(toUtf8, ShiftJisToUtf8, s, "CP932");
}

}  // namespace
}  // namespace lexiv
