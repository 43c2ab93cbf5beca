#include "platform/controls/rich_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/services/shift_jis_text.h"
#include "platform/services/text_positions.h"

namespace lexiv::platform {

namespace {

constexpr DWORD kFormatFields = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_CHARSET;
constexpr std::size_t kMaxFormats = 1024;

int HeightPx(LONG twips) { return std::max(1, static_cast<int>(twips / 15)); }

}  // namespace

TextFormat MergeFormat(const TextFormat& base, const CHARFORMAT& cf) {
  TextFormat f = base;
  if (cf.dwMask & CFM_SIZE) f.heightTwips = std::clamp<LONG>(cf.yHeight, kTwipsPerPoint, 1638 * kTwipsPerPoint);
  if (cf.dwMask & CFM_COLOR) {
    f.autoColor = (cf.dwEffects & CFE_AUTOCOLOR) != 0;
    f.color = cf.crTextColor & 0xFFFFFF;
  }
  if (cf.dwMask & CFM_FACE) {
    const std::string_view face(cf.szFaceName, strnlen(cf.szFaceName, LF_FACESIZE));
    f.face = std::string(face.substr(0, SjisPrefixBytes(face, LF_FACESIZE - 1)));
    f.pitchAndFamily = cf.bPitchAndFamily;
  }
  if (cf.dwMask & CFM_CHARSET) f.charSet = cf.bCharSet;
  if (cf.dwMask & CFM_BOLD) f.bold = (cf.dwEffects & CFE_BOLD) != 0;
  if (cf.dwMask & CFM_ITALIC) f.italic = (cf.dwEffects & CFE_ITALIC) != 0;
  if (cf.dwMask & CFM_UNDERLINE) f.underline = (cf.dwEffects & CFE_UNDERLINE) != 0;
  return f;
}

void FillCharFormat(const TextFormat& format, DWORD mask, CHARFORMAT* cf) {
  *cf = CHARFORMAT{};
  cf->dwMask = mask;
  cf->yHeight = format.heightTwips;
  cf->crTextColor = format.color;
  cf->bCharSet = format.charSet;
  cf->bPitchAndFamily = format.pitchAndFamily;
  std::memcpy(cf->szFaceName, format.face.data(), std::min<std::size_t>(format.face.size(), LF_FACESIZE - 1));
  if (format.autoColor) cf->dwEffects |= CFE_AUTOCOLOR;
  if (format.bold) cf->dwEffects |= CFE_BOLD;
  if (format.italic) cf->dwEffects |= CFE_ITALIC;
  if (format.underline) cf->dwEffects |= CFE_UNDERLINE;
}

std::string DescribeFormat(const TextFormat& format) {
  char size[32];
  if (format.heightTwips % kTwipsPerPoint == 0)
    std::snprintf(size, sizeof size, "%dpt", static_cast<int>(format.heightTwips / kTwipsPerPoint));
  else
    std::snprintf(size, sizeof size, "%dtw", static_cast<int>(format.heightTwips));
  std::string out = size;
  if (format.autoColor) {
    out += " auto";
  } else {
    char color[16];
    std::snprintf(color, sizeof color, " #%02X%02X%02X", GetRValue(format.color), GetGValue(format.color),
                  GetBValue(format.color));
    out += color;
  }
  if (format.bold) out += " bold";
  if (format.italic) out += " italic";
  if (format.underline) out += " underline";
  if (!format.face.empty()) out += " '" + format.face + "'";
  return out;
}

RichText::RichText() { formats_.push_back(TextFormat{}); }

std::uint16_t RichText::Intern(const TextFormat& format) {
  for (std::size_t i = 0; i < formats_.size(); ++i)
    if (formats_[i] == format) return static_cast<std::uint16_t>(i);
  if (formats_.size() >= kMaxFormats) CompactFormats();
  formats_.push_back(format);
  return static_cast<std::uint16_t>(formats_.size() - 1);
}

// Drops the formats no byte uses any more, so that repeated changes cannot grow the table.
void RichText::CompactFormats() {
  std::vector<int> newId(formats_.size(), -1);
  std::vector<TextFormat> kept;
  for (std::uint16_t& id : formatIds_) {
    if (newId[id] < 0) {
      newId[id] = static_cast<int>(kept.size());
      kept.push_back(formats_[id]);
    }
    id = static_cast<std::uint16_t>(newId[id]);
  }
  if (kept.empty()) kept.push_back(TextFormat{});
  formats_ = std::move(kept);
}

void RichText::Replace(std::size_t from, std::size_t to, std::string_view text, const TextFormat& format) {
  from = std::min(from, bytes_.size());
  to = std::clamp(to, from, bytes_.size());
  const std::uint16_t id = Intern(format);
  bytes_.replace(from, to - from, text);
  formatIds_.erase(formatIds_.begin() + static_cast<std::ptrdiff_t>(from), formatIds_.begin() + static_cast<std::ptrdiff_t>(to));
  formatIds_.insert(formatIds_.begin() + static_cast<std::ptrdiff_t>(from), text.size(), id);
}

void RichText::ApplyFormat(std::size_t from, std::size_t to, const CHARFORMAT& cf) {
  to = std::min(to, bytes_.size());
  std::size_t pos = from;
  while (pos < to) {
    // Bytes of one old format become bytes of one new format.
    const std::uint16_t oldId = formatIds_[pos];
    std::size_t runEnd = pos;
    while (runEnd < to && formatIds_[runEnd] == oldId) ++runEnd;
    const std::uint16_t newId = Intern(MergeFormat(formats_[oldId], cf));
    std::fill(formatIds_.begin() + static_cast<std::ptrdiff_t>(pos), formatIds_.begin() + static_cast<std::ptrdiff_t>(runEnd), newId);
    pos = runEnd;
  }
}

DWORD RichText::CommonMask(std::size_t from, std::size_t to) const {
  DWORD mask = kFormatFields;
  to = std::min(to, bytes_.size());
  if (from >= to) return mask;
  const TextFormat& first = FormatAt(from);
  for (std::size_t p = from + 1; p < to && mask != 0; ++p) {
    const TextFormat& f = FormatAt(p);
    if (f.heightTwips != first.heightTwips) mask &= ~CFM_SIZE;
    if (f.color != first.color || f.autoColor != first.autoColor) mask &= ~CFM_COLOR;
    if (f.face != first.face) mask &= ~CFM_FACE;
    if (f.bold != first.bold) mask &= ~CFM_BOLD;
    if (f.italic != first.italic) mask &= ~CFM_ITALIC;
    if (f.underline != first.underline) mask &= ~CFM_UNDERLINE;
    if (f.charSet != first.charSet) mask &= ~CFM_CHARSET;
  }
  return mask;
}

long CharUnits(const RichText& text, std::size_t bytePos) {
  return static_cast<long>(CharCellsAt(text.Bytes(), bytePos)) * text.FormatAt(bytePos).heightTwips;
}

std::vector<DisplayLine> LayoutLines(const RichText& text, int widthPx, const TextFormat& emptyFormat) {
  const std::string& bytes = text.Bytes();
  const long capacity = static_cast<long>(std::max(widthPx, 0)) * kUnitsPerPixel;
  std::vector<DisplayLine> lines =
      WrapTextLines(bytes, capacity, [&text](std::size_t bytePos) { return CharUnits(text, bytePos); });
  // A line is as high as its highest character; a line without one as its paragraph end, else
  // as the character before it (an empty text: as the format it would type in).
  for (DisplayLine& line : lines) {
    LONG highest = 0;
    for (std::size_t pos = line.start; pos < line.End(); pos += SjisCharBytesAt(bytes, pos))
      highest = std::max(highest, text.FormatAt(pos).heightTwips);
    if (highest == 0 && line.breakBytes > 0) highest = text.FormatAt(line.End()).heightTwips;
    if (highest == 0) highest = line.End() > 0 ? text.FormatAt(line.End() - 1).heightTwips : emptyFormat.heightTwips;
    line.heightPx = HeightPx(highest);
  }
  return lines;
}

}  // namespace lexiv::platform
