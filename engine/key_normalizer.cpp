#include "engine/key_normalizer.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

#include "engine/shift_jis.h"

namespace lexiv {
namespace {

constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ
constexpr unsigned char kHalfLongVowel = 0xB0;   // ｰ
constexpr unsigned char kHalfU = 0xB3;           // ｳ
constexpr std::uint16_t kLongVowelJis = 0x213C;  // ー
constexpr std::uint16_t kVuShiftJis = 0x8394;    // ヴ
constexpr std::uint16_t kKatakanaRowOffset = 0x100;

constexpr bool IsMark(unsigned char b) { return b == kVoicedMark || b == kSemiVoicedMark; }

constexpr std::uint16_t ShiftJisToJisCode(std::uint16_t sjis) {
  unsigned char lead = sjis >> 8;
  unsigned char trail = sjis & 0xFF;
  bool inGrid = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEF);
  if (!inGrid || !IsTrailByte(trail)) return 0;
  unsigned row = (lead - (lead <= 0x9F ? 0x70 : 0xB0)) * 2;
  unsigned cell;
  if (trail >= 0x9F) {
    cell = trail - 0x7E;
  } else {
    --row;
    cell = trail - (trail >= 0x80 ? 0x20 : 0x1F);
  }
  return static_cast<std::uint16_t>(row << 8 | cell);
}

constexpr std::uint16_t JisToShiftJisCode(std::uint16_t jis) {
  unsigned row = jis >> 8;
  unsigned cell = jis & 0xFF;
  if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) return 0;
  unsigned lead = (row + 1) / 2 + (row <= 0x5E ? 0x70 : 0xB0);
  unsigned trail;
  if (row % 2 == 0) {
    trail = cell + 0x7E;
  } else {
    trail = cell + (cell >= 0x60 ? 0x20 : 0x1F);
  }
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

// The two bytes of a double-byte literal as one code; the literals below are Shift-JIS once
// compiled.
constexpr std::uint16_t CodeAt(const char* s, std::size_t i) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[i]) << 8 |
                                    static_cast<unsigned char>(s[i + 1]));
}

// Half-width form of each JIS kana low byte 0x21..0x76 (the hiragana and katakana rows share
// them): two bytes per entry, the letter and then ﾞ, ﾟ or a space.
constexpr char kNarrowCells[] =
    "ｧ ｱ ｨ ｲ ｩ ｳ ｪ ｴ ｫ ｵ "          // ぁあぃいぅうぇえぉお
    "ｶ ｶﾞｷ ｷﾞｸ ｸﾞｹ ｹﾞｺ ｺﾞ"          // かがきぎくぐけげこご
    "ｻ ｻﾞｼ ｼﾞｽ ｽﾞｾ ｾﾞｿ ｿﾞ"          // さざしじすずせぜそぞ
    "ﾀ ﾀﾞﾁ ﾁﾞｯ ﾂ ﾂﾞﾃ ﾃﾞﾄ ﾄﾞ"        // ただちぢっつづてでとど
    "ﾅ ﾆ ﾇ ﾈ ﾉ "                    // なにぬねの
    "ﾊ ﾊﾞﾊﾟﾋ ﾋﾞﾋﾟﾌ ﾌﾞﾌﾟﾍ ﾍﾞﾍﾟﾎ ﾎﾞﾎﾟ"  // はばぱひびぴふぶぷへべぺほぼぽ
    "ﾏ ﾐ ﾑ ﾒ ﾓ "                    // まみむめも
    "ｬ ﾔ ｭ ﾕ ｮ ﾖ "                  // ゃやゅゆょよ
    "ﾗ ﾘ ﾙ ﾚ ﾛ "                    // らりるれろ
    "ﾜ ﾜ ｲ ｴ ｦ ﾝ "                  // ゎわゐゑをん
    "ｳﾞｶ ｹ ";                       // ヴヵヶ
constexpr unsigned kNarrowFirstCell = 0x21;
constexpr unsigned kNarrowLastCell = 0x76;
static_assert(sizeof(kNarrowCells) == (kNarrowLastCell - kNarrowFirstCell + 1) * 2 + 1);

struct HalfWidthKana {
  unsigned char letter = 0;  // 0 when the code has no half-width form
  unsigned char mark = 0;    // ﾞ, ﾟ or 0
};

constexpr HalfWidthKana NarrowEntry(std::uint16_t jis) {
  if (jis == kLongVowelJis) return {kHalfLongVowel, 0};
  unsigned row = jis >> 8;
  unsigned cell = jis & 0xFF;
  if ((row != 0x24 && row != 0x25) || cell < kNarrowFirstCell || cell > kNarrowLastCell) return {};
  std::size_t at = (cell - kNarrowFirstCell) * 2;
  unsigned char mark = static_cast<unsigned char>(kNarrowCells[at + 1]);
  return {static_cast<unsigned char>(kNarrowCells[at]), IsMark(mark) ? mark : static_cast<unsigned char>(0)};
}

// Hiragana of each half-width letter ｦ (0xA6) to ﾝ (0xDD), in JIS X 0201 order.
constexpr char kWideHiragana[] =
    "をぁぃぅぇぉゃゅょっー"
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわん";
constexpr unsigned kWideFirstLetter = 0xA6;
constexpr unsigned kWideLastLetter = 0xDD;
static_assert(sizeof(kWideHiragana) == (kWideLastLetter - kWideFirstLetter + 1) * 2 + 1);

// JIS X 0208 hiragana code (or ー) for each byte 0xA0..0xDF; 0 where there is none.
constexpr std::array<std::uint16_t, 0x40> kWidenTable = [] {
  std::array<std::uint16_t, 0x40> table{};
  for (unsigned b = kWideFirstLetter; b <= kWideLastLetter; ++b)
    table[b - 0xA0] = ShiftJisToJisCode(CodeAt(kWideHiragana, (b - kWideFirstLetter) * 2));
  return table;
}();

constexpr bool HasWideForm(unsigned char b) { return b >= kWideFirstLetter && b <= kWideLastLetter; }

// Shift-JIS of the full-width hiragana or katakana for a half-width letter ｦ..ﾝ.
constexpr std::uint16_t WideKanaShiftJis(unsigned char letter, int form) {
  std::uint16_t jis = kWidenTable[letter - 0xA0];
  if (form == kKatakana && jis != kLongVowelJis) jis += kKatakanaRowOffset;
  return JisToShiftJisCode(jis);
}

// ASCII 0x20..0x7D as they appear in a written key.
constexpr char kWideAscii[] =
    "　！″＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
    "‘ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ｛｜｝";
constexpr unsigned kWideAsciiFirst = 0x20;
constexpr unsigned kWideAsciiLast = 0x7D;
static_assert(sizeof(kWideAscii) == (kWideAsciiLast - kWideAsciiFirst + 1) * 2 + 1);

// Half-width punctuation 0xA1..0xA5; the letters after them come from the widening table.
constexpr char kWidePunctuation[] = "。「」、・";
constexpr unsigned kWidePunctuationFirst = 0xA1;
static_assert(sizeof(kWidePunctuation) == 5 * 2 + 1);

// Full-width Shift-JIS character for each single byte of a written key; 0 where there is none.
constexpr std::array<std::uint16_t, 256> kFullWidthTable = [] {
  std::array<std::uint16_t, 256> table{};
  for (unsigned b = kWideAsciiFirst; b <= kWideAsciiLast; ++b)
    table[b] = CodeAt(kWideAscii, (b - kWideAsciiFirst) * 2);
  for (unsigned i = 0; i < 5; ++i) table[kWidePunctuationFirst + i] = CodeAt(kWidePunctuation, i * 2);
  for (unsigned b = kWideFirstLetter; b <= kWideLastLetter; ++b)
    table[b] = WideKanaShiftJis(static_cast<unsigned char>(b), kKatakana);
  return table;
}();

// The full-width character that a half-width letter and the mark after it make together (wide is
// the letter's own full-width code), or 0 when the two do not combine.
constexpr std::uint16_t CombineWithMark(unsigned char letter, std::uint16_t wide, unsigned char mark) {
  bool voicable = (letter >= 0xB6 && letter <= 0xC4) || (letter >= 0xCA && letter <= 0xCE);  // ｶ..ﾄ, ﾊ..ﾎ
  bool semiVoicable = letter >= 0xCA && letter <= 0xCE;
  if (mark == kVoicedMark) {
    if (letter == kHalfU) return kVuShiftJis;
    if (voicable) return wide + 1;
  } else if (mark == kSemiVoicedMark && semiVoicable) {
    return wide + 2;
  }
  return 0;
}

// Kana that a reading key accepts in full width: ぁ..ん, ァ..ヶ, ー.
constexpr bool IsNarrowableShiftJis(std::uint16_t sjis) {
  return (sjis >= 0x829F && sjis <= 0x82F1) || (sjis >= 0x8340 && sjis <= 0x8396) || sjis == 0x815B;
}

constexpr bool IsHalfWidthKeyByte(unsigned char b) { return b >= 0xA6 && b <= 0xDF; }

// Keys are built here, on the stack, and copied out once: no allocation beyond the caller's
// string, and the input may even be a view of that string.
class KeyBuffer {
 public:
  std::size_t size() const { return size_; }
  unsigned char at(std::size_t i) const { return static_cast<unsigned char>(bytes_[i]); }
  void Push(unsigned char b) {
    if (size_ < bytes_.size()) bytes_[size_++] = static_cast<char>(b);
  }
  void PushCode(std::uint16_t code) {
    Push(code >> 8);
    Push(code & 0xFF);
  }
  void Truncate(std::size_t n) { size_ = std::min(size_, n); }
  std::string_view view() const { return {bytes_.data(), size_}; }

 private:
  // A reading key keeps collecting until it passes the limit, so that a clamp can see whether the
  // first byte cut off is a mark; the widest step appends two bytes.
  std::array<char, kMaxKeyBytes + 3> bytes_;
  std::size_t size_ = 0;
};

// Cuts a reading key to the working limit without leaving a letter whose mark was cut off.
void ClampReadingKey(KeyBuffer& key) {
  if (key.size() <= kMaxKeyBytes) return;
  std::size_t cut = kMaxKeyBytes;
  if (IsMark(key.at(cut)) && !IsMark(key.at(cut - 1))) --cut;
  key.Truncate(cut);
}

bool TryReadingKey(std::string_view text, KeyBuffer& key) {
  std::size_t pos = 0;
  if (!text.empty() && text[0] == '*') {
    key.Push('*');
    pos = 1;
  }
  while (pos < text.size()) {
    bool room = key.size() <= kMaxKeyBytes;
    std::size_t len = CharLengthAt(text, pos);
    if (len == 2) {
      std::uint16_t sjis = DoubleByteCodeAt(text, pos);
      if (!IsNarrowableShiftJis(sjis)) return false;
      if (room) {
        HalfWidthKana half = NarrowEntry(ShiftJisToJisCode(sjis));
        key.Push(half.letter);
        if (half.mark) key.Push(half.mark);
      }
    } else {
      unsigned char b = static_cast<unsigned char>(text[pos]);
      bool trailingStar = b == '*' && pos + 1 == text.size();
      if (!IsHalfWidthKeyByte(b) && !trailingStar) return false;
      if (room) key.Push(b);
    }
    pos += len;
  }
  ClampReadingKey(key);
  return true;
}

void BuildWrittenKey(std::string_view text, KeyBuffer& key) {
  std::size_t pos = 0;
  while (pos < text.size() && key.size() + 2 <= kMaxKeyBytes) {
    std::size_t len = CharLengthAt(text, pos);
    if (len == 2) {
      key.PushCode(DoubleByteCodeAt(text, pos));
      pos += 2;
      continue;
    }
    unsigned char b = static_cast<unsigned char>(text[pos]);
    std::uint16_t wide = kFullWidthTable[b];
    if (wide != 0 && HasWideForm(b) && pos + 1 < text.size()) {
      std::uint16_t combined = CombineWithMark(b, wide, static_cast<unsigned char>(text[pos + 1]));
      if (combined != 0) {
        wide = combined;
        ++pos;
      }
    }
    if (wide != 0) {
      key.PushCode(wide);
    } else {
      key.Push('?');
      key.Push('?');
    }
    ++pos;
  }
}

bool Overlaps(std::string_view text, const std::string& s) {
  std::less<const char*> before;
  return !text.empty() && !s.empty() && before(text.data(), s.data() + s.size()) &&
         before(s.data(), text.data() + text.size());
}

}  // namespace

std::uint16_t ShiftJisToJis(std::uint16_t sjis) { return ShiftJisToJisCode(sjis); }

std::uint16_t JisToShiftJis(std::uint16_t jis) { return JisToShiftJisCode(jis); }

int NarrowKana(std::uint16_t jisCode, std::string& out) {
  HalfWidthKana half = NarrowEntry(jisCode);
  if (half.letter == 0) return 0;
  out.push_back(static_cast<char>(half.letter));
  if (half.mark == 0) return 1;
  out.push_back(static_cast<char>(half.mark));
  return 2;
}

int NormalizeKey(std::string_view text, std::string& key) {
  KeyBuffer buffer;
  int keyClass = kReadingKey;
  if (!TryReadingKey(text, buffer)) {
    buffer = KeyBuffer();
    BuildWrittenKey(text, buffer);
    keyClass = kWrittenKey;
  }
  key.assign(buffer.view());
  return keyClass;
}

int WidenKana(std::string_view text, int form, std::string& out) {
  if (Overlaps(text, out)) {
    std::string copy(text);
    return WidenKana(copy, form, out);
  }
  out.clear();
  out.reserve(text.size() * 2);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t len = CharLengthAt(text, pos);
    if (len == 2) {
      out.append(text.substr(pos, 2));
      pos += 2;
      continue;
    }
    unsigned char b = static_cast<unsigned char>(text[pos]);
    ++pos;
    if (!HasWideForm(b)) {
      out.append("  ");
      continue;
    }
    std::uint16_t wide = WideKanaShiftJis(b, form);
    if (pos < text.size()) {
      std::uint16_t combined = CombineWithMark(b, wide, static_cast<unsigned char>(text[pos]));
      if (combined != 0) {
        wide = combined;
        ++pos;
      }
    }
    out.push_back(static_cast<char>(wide >> 8));
    out.push_back(static_cast<char>(wide & 0xFF));
  }
  return static_cast<int>(out.size() / 2);
}

void ReverseKey(std::string& key, int keyClass) {
  if (keyClass == kReadingKey) {
    // Reversing the bytes walks the key from its end; each mark then stands before the letter it
    // was taken with, and is swapped back behind it.
    std::reverse(key.begin(), key.end());
    for (std::size_t pos = 0; pos < key.size();) {
      if (IsMark(static_cast<unsigned char>(key[pos])) && pos + 1 < key.size()) {
        std::swap(key[pos], key[pos + 1]);
        pos += 2;
      } else {
        ++pos;
      }
    }
  } else if (keyClass == kWrittenKey) {
    // A written key has an even length; should a stray last byte come in, it stays where it is,
    // so that reversing twice gives the key back and no character is split.
    std::size_t evenBytes = key.size() & ~static_cast<std::size_t>(1);
    std::reverse(key.begin(), key.begin() + evenBytes);
    for (std::size_t pos = 0; pos < evenBytes; pos += 2) std::swap(key[pos], key[pos + 1]);
  }
}

}  // namespace lexiv
