#include "program_text.h"

#include <iconv.h>

#include <cerrno>

namespace lexiv::reader {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

class Cp932Decoder {
 public:
  Cp932Decoder() : cd_(::iconv_open("UTF-8", "CP932")) {}
  ~Cp932Decoder() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) ::iconv_close(cd_);
  }
  Cp932Decoder(const Cp932Decoder&) = delete;
  Cp932Decoder& operator=(const Cp932Decoder&) = delete;

  std::string Convert(std::string_view in) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      for (unsigned char c : in) {
        if (c < 0x80) out.push_back(static_cast<char>(c)); else out += kReplacement;
      }
      return out;
    }
    ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = ::iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (result != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // An invalid byte or a lead byte cut off at the end: replace one byte and go on.
      out += kReplacement;
      ++inPtr;
      --inLeft;
      ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

std::string EscapeXml(std::string_view utf8) {
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // Control characters other than line breaks and tabs mean nothing to a synthesiser.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') out.push_back(' ');
        else out.push_back(c);
    }
  }
  return out;
}

}  // namespace

int ShiftJisCharLength(std::string_view text) {
  if (text.empty()) return 0;
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  if (!isLead || text.size() < 2) return 1;
  const unsigned char trail = static_cast<unsigned char>(text[1]);
  return (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) ? 2 : 1;
}

std::vector<TextPiece> SplitProgramText(std::string_view sjis) {
  Cp932Decoder decoder;
  std::vector<TextPiece> pieces;
  std::size_t runStart = 0;
  std::size_t bytePos = 0;
  auto flushRun = [&](std::size_t end) {
    if (end > runStart) pieces.push_back({TextPiece::Kind::kText, decoder.Convert(sjis.substr(runStart, end - runStart))});
  };
  while (bytePos < sjis.size()) {
    const unsigned char c = static_cast<unsigned char>(sjis[bytePos]);
    if (c == kPhraseSeparator || c == kPauseMark) {
      flushRun(bytePos);
      pieces.push_back({c == kPhraseSeparator ? TextPiece::Kind::kPhraseSeparator : TextPiece::Kind::kPause, {}});
      ++bytePos;
      runStart = bytePos;
      continue;
    }
    bytePos += static_cast<std::size_t>(ShiftJisCharLength(sjis.substr(bytePos)));
  }
  flushRun(sjis.size());
  return pieces;
}

std::string ProgramTextToUtf8(std::string_view sjis, std::string_view separator, std::string_view pause) {
  std::string out;
  for (const TextPiece& piece : SplitProgramText(sjis)) {
    switch (piece.kind) {
      case TextPiece::Kind::kText: out += piece.utf8; break;
      case TextPiece::Kind::kPhraseSeparator: out += separator; break;
      case TextPiece::Kind::kPause: out += pause; break;
    }
  }
  return out;
}

std::string LogText(std::string_view sjis) {
  const std::string utf8 = ProgramTextToUtf8(sjis, "\xE2\x90\x9E", "\xE2\x90\x9F");
  std::string out;
  for (char c : utf8) {
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string SsmlText(std::string_view sjis) {
  // A phrase separator only separates: at either end of the text, or beside another mark, it
  // would be a silence the listener waits through before the words. The pause mark asks for a
  // pause wherever it stands, and covers a separator beside it.
  std::string body;
  bool textBefore = false;
  bool separatorWaiting = false;
  bool pauseWaiting = false;
  for (const TextPiece& piece : SplitProgramText(sjis)) {
    switch (piece.kind) {
      case TextPiece::Kind::kText:
        if (pauseWaiting) body += "<break time=\"600ms\"/>";
        else if (separatorWaiting && textBefore) body += "<break time=\"250ms\"/>";
        body += EscapeXml(piece.utf8);
        textBefore = true;
        separatorWaiting = pauseWaiting = false;
        break;
      case TextPiece::Kind::kPhraseSeparator: separatorWaiting = true; break;
      case TextPiece::Kind::kPause: pauseWaiting = true; break;
    }
  }
  if (pauseWaiting) body += "<break time=\"600ms\"/>";
  if (body.empty()) return {};
  return "<speak>" + body + "</speak>";
}

std::string SsmlSpelled(std::string_view sjis) {
  return "<speak><say-as interpret-as=\"characters\">" + EscapeXml(ProgramTextToUtf8(sjis, " ", " ")) +
         "</say-as></speak>";
}

}  // namespace lexiv::reader
