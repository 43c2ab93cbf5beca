#include "engine/meaning_format.h"

#include <utility>

#include "engine/shift_jis.h"

namespace lexiv {
namespace {

struct Abbreviation {
  std::string_view abbreviation;
  std::string_view expansion;
};

// Searched in order; the first abbreviation that begins the tag wins, so longer abbreviations
// come before the single characters they start with.
constexpr Abbreviation kGrammarTags[] = {
    {"接助", "接続助詞"}, {"助動", "助動詞"}, {"終助", "終助詞"}, {"自動", "自動詞形"},
    {"他動", "他動詞形"}, {"副助", "副助詞"}, {"連体", "連体詞"}, {"格助", "格助詞"},
    {"接頭", "接頭語"},   {"接尾", "接尾語"}, {"自", "自動詞"},   {"他", "他動詞"},
    {"接", "接続詞"},     {"動", "動詞"},     {"代", "代名詞"},   {"名", "名詞形"},
    {"副", "副詞"},       {"形", "形容詞"},   {"感", "感動詞"},   {"型", "型"},
    {"補", "補助"},
};

constexpr Abbreviation kConjugations[] = {
    {"上一", "上一段活用"}, {"上二", "上二段活用"},       {"下一", "下一段活用"},
    {"下二", "下二段活用"}, {"特殊", "特殊活用"},         {"シク", "形容詞のシク活用"},
    {"カ", "カ行変格活用"}, {"ク", "形容詞のク活用"},     {"サ", "サ行変格活用"},
    {"ナ", "ナ行変格活用"}, {"ラ", "ラ行変格活用"},       {"四", "四段活用"},
    {"五", "五段活用"},
};

constexpr std::string_view kOpenTag = "『";
constexpr std::string_view kCloseTag = "』";
constexpr std::string_view kOpenList = "「";
constexpr std::string_view kCloseList = "」";
constexpr std::string_view kOpenParen = "（";
constexpr std::string_view kCloseParen = "）";
constexpr std::string_view kOpenShell = "〔";
constexpr std::string_view kCloseShell = "〕";
constexpr std::string_view kWordSeparator = "・";
constexpr std::string_view kNoteSign = "＝";
constexpr std::string_view kLineBreak = "\r\n";

// The character of text that starts at bytePos, as a view of its one or two bytes.
std::string_view CharAt(std::string_view text, std::size_t bytePos) {
  return text.substr(bytePos, CharLengthAt(text, bytePos));
}

bool IsSenseMarker(std::string_view ch) {
  if (ch.size() != 2) return false;
  std::uint16_t code = DoubleByteCodeAt(ch, 0);
  return (code >= 0x8740 && code <= 0x8753) || (code >= 0xF160 && code <= 0xF163);
}

template <std::size_t N>
const Abbreviation* FindAbbreviation(const Abbreviation (&table)[N], std::string_view text) {
  for (const Abbreviation& row : table) {
    if (text.starts_with(row.abbreviation)) return &row;
  }
  return nullptr;
}

// Byte offset of the first character ch in text at or after bytePos, walking by characters;
// npos when there is none.
std::size_t FindChar(std::string_view text, std::size_t bytePos, std::string_view ch) {
  while (bytePos < text.size()) {
    std::string_view here = CharAt(text, bytePos);
    if (here == ch) return bytePos;
    bytePos += here.size();
  }
  return std::string_view::npos;
}

}  // namespace

int ExpandGrammarTag(std::string_view text, std::string& out) {
  std::size_t tagEnd = FindChar(text, 0, kCloseTag);
  if (tagEnd == std::string_view::npos || tagEnd > kGrammarTagBytes) return -1;
  std::string_view tag = text.substr(0, tagEnd);

  const Abbreviation* grammar = FindAbbreviation(kGrammarTags, tag);
  std::string_view rest = grammar ? tag.substr(grammar->abbreviation.size()) : tag;
  const Abbreviation* conjugation = FindAbbreviation(kConjugations, rest);
  if (!grammar && !conjugation) return -1;

  std::string expansion(kOpenParen);
  if (grammar) expansion += grammar->expansion;
  if (conjugation) {
    if (grammar) expansion += kWordSeparator;
    expansion += conjugation->expansion;
  }
  expansion += kCloseParen;
  if (expansion.size() > kExpansionBytes) return -1;
  out += expansion;
  return static_cast<int>(tagEnd + kCloseTag.size());
}

int ExpandWordList(std::string_view text, std::string& out) {
  std::string list(kLineBreak);
  std::string note;
  bool collecting = false;
  int items = 0;
  std::size_t bytePos = 0;

  auto finishItem = [&] {
    note += kCloseParen;
    note += kLineBreak;
    list += note;
    ++items;
    collecting = false;
  };

  for (;;) {
    if (list.size() > kExpansionBytes || note.size() > kExpansionBytes) return -1;
    // Only reachable when the closing 」 was copied as the word after a separator.
    if (bytePos >= text.size()) return -1;
    std::string_view ch = CharAt(text, bytePos);

    if (ch == kCloseList) {
      if (collecting) {
        finishItem();
        bytePos += ch.size();
      }
      break;
    }
    if (ch == kWordSeparator && collecting) {
      finishItem();
      bytePos += ch.size();
      if (bytePos < text.size()) {
        std::string_view next = CharAt(text, bytePos);
        list += next;
        bytePos += next.size();
      }
      continue;
    }
    if (ch == kOpenShell) {
      std::size_t signPos = bytePos + ch.size();
      if (signPos < text.size() && CharAt(text, signPos) == kNoteSign) {
        std::size_t noteStart = signPos + kNoteSign.size();
        std::size_t noteEnd = FindChar(text, noteStart, kCloseShell);
        if (noteEnd != std::string_view::npos) {
          note.assign(kOpenParen);
          note += text.substr(noteStart, noteEnd - noteStart);
          collecting = true;
          bytePos = noteEnd + kCloseShell.size();
          continue;
        }
      }
    }
    list += ch;
    if (collecting) note += ch;
    bytePos += ch.size();
  }

  if (list.size() > kExpansionBytes || note.size() > kExpansionBytes) return -1;
  if (items == 0) return -1;
  out += list;
  return static_cast<int>(bytePos);
}

int ReformatMeaning(std::string_view text, std::string& out) {
  // The stored text ends at its terminating zero.
  text = text.substr(0, text.find('\0'));
  constexpr std::size_t kMaxOutputBytes = kMeaningBufferBytes - 1;

  std::string result;
  std::string expansion;
  std::string_view openBracket;  // empty, or the bracket the one-level state is inside
  std::size_t bytePos = 0;

  // Appends piece whole, or as much of it as fits on a character boundary; false once full.
  auto emit = [&](std::string_view piece) {
    std::size_t room = kMaxOutputBytes - result.size();
    if (piece.size() <= room) {
      result += piece;
      return true;
    }
    result += piece.substr(0, ClampToCharBoundary(piece, room));
    return false;
  };

  while (bytePos < text.size()) {
    std::string_view ch = CharAt(text, bytePos);
    bytePos += ch.size();
    // A lead byte cut off by the end of the text is half a character: leave it out.
    if (ch.size() == 1 && bytePos == text.size() && IsLeadByte(static_cast<unsigned char>(ch[0]))) break;

    if (ch == kOpenList) {
      expansion.clear();
      int consumed = ExpandWordList(text.substr(bytePos), expansion);
      if (consumed >= 0) {
        bytePos += static_cast<std::size_t>(consumed);
        if (!emit(expansion)) break;
        continue;
      }
      if (openBracket.empty()) openBracket = kOpenList;
    } else if (ch == kOpenTag) {
      expansion.clear();
      int consumed = ExpandGrammarTag(text.substr(bytePos), expansion);
      if (consumed >= 0) {
        bytePos += static_cast<std::size_t>(consumed);
        if (!emit(expansion)) break;
        continue;
      }
    } else if (ch == kOpenParen || ch == kOpenShell) {
      if (openBracket.empty()) openBracket = ch == kOpenParen ? kOpenParen : kOpenShell;
    } else if (ch == kCloseParen || ch == kCloseShell || ch == kCloseList) {
      if ((openBracket == kOpenParen && ch == kCloseParen) || (openBracket == kOpenShell && ch == kCloseShell) ||
          (openBracket == kOpenList && ch == kCloseList))
        openBracket = {};
    } else if (IsSenseMarker(ch) && openBracket.empty()) {
      std::string marker(kLineBreak);
      marker += ch;
      if (!emit(marker)) break;
      continue;
    }
    if (!emit(ch)) break;
  }

  out = std::move(result);
  return static_cast<int>(out.size());
}

}  // namespace lexiv
