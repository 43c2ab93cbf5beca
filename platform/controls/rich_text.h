// The rich edit's document: Shift-JIS bytes with a character format for every byte, and the
// display lines it wraps into.
//
// Wrapping: a character at a height of h twips takes cells × h units, where cells is 1 for a
// single-byte and 2 for a double-byte character; a line of widthPx pixels holds widthPx × 30
// units (one 8-pixel cell of a 12-point, 240-twip character is 240 units). A line breaks before
// the first character that does not fit, i.e. at the last fitting character, whatever the words;
// a line holds at least one character. "\r\n" (or a lone "\r" or "\n") ends a paragraph and
// belongs to the line it ends, taking no room. A width of 0 wraps nothing. After a final
// paragraph end there is one more, empty line. A line is as high as its highest character
// (h / 15 pixels, 16 at 12 points).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/rich_edit_messages.h"
#include "platform/controls/text_lines.h"

namespace lexiv::platform {

struct TextFormat {
  LONG heightTwips = 12 * kTwipsPerPoint;
  COLORREF color = 0;
  bool autoColor = true;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  BYTE charSet = SHIFTJIS_CHARSET;
  BYTE pitchAndFamily = 0;
  std::string face;  // at most LF_FACESIZE - 1 bytes
  friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

// base with the fields of cf that its mask names.
TextFormat MergeFormat(const TextFormat& base, const CHARFORMAT& cf);
// Fills cf from format; dwMask becomes mask.
void FillCharFormat(const TextFormat& format, DWORD mask, CHARFORMAT* cf);
// "12pt #0000FF bold 'face'" for the screen model.
std::string DescribeFormat(const TextFormat& format);

class RichText {
 public:
  RichText();

  const std::string& Bytes() const { return bytes_; }
  std::size_t Size() const { return bytes_.size(); }
  // The format of the byte at bytePos; bytePos must be below Size().
  const TextFormat& FormatAt(std::size_t bytePos) const { return formats_[formatIds_[bytePos]]; }

  // Replaces bytes [from, to) by text in format.
  void Replace(std::size_t from, std::size_t to, std::string_view text, const TextFormat& format);
  // Applies cf to bytes [from, to).
  void ApplyFormat(std::size_t from, std::size_t to, const CHARFORMAT& cf);
  // The mask of the fields of cf's kind that are the same over [from, to) (all when empty).
  DWORD CommonMask(std::size_t from, std::size_t to) const;

 private:
  std::uint16_t Intern(const TextFormat& format);
  void CompactFormats();

  std::string bytes_;
  std::vector<std::uint16_t> formatIds_;
  std::vector<TextFormat> formats_;
};

inline constexpr long kUnitsPerPixel = 30;

// Units a character at bytePos takes (see above).
long CharUnits(const RichText& text, std::size_t bytePos);
std::vector<DisplayLine> LayoutLines(const RichText& text, int widthPx, const TextFormat& emptyFormat);

}  // namespace lexiv::platform
