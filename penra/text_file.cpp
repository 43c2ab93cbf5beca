#include "penra/text_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

#include "platform/services/shift_jis_text.h"
#include "platform/services/whole_file.h"

namespace lexiv::penra {

using namespace lexiv::platform;

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Whether bytes are UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool IsWellFormedUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    char32_t code = 0, least = 0;
    if (lead < 0x80)
      length = 1, code = lead;
    else if (lead >= 0xC2 && lead <= 0xDF)
      length = 2, code = lead & 0x1F, least = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
      length = 3, code = lead & 0x0F, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
      length = 4, code = lead & 0x07, least = 0x10000;
    else
      return false;
    if (bytes.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto trail = static_cast<unsigned char>(bytes[i + k]);
      if ((trail & 0xC0) != 0x80) return false;
      code = (code << 6) | (trail & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// Lines as the edit keeps them: every line end "\r\n" (a lone "\n" or "\r" too).
std::string WithCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += "\r\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string WithLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

const char* EncodingName(TextEncoding encoding) { return encoding == TextEncoding::kShiftJis ? "Shift-JIS" : "UTF-8"; }

LoadedText LoadTextFile(const std::string& path) {
  LoadedText loaded;
  std::string bytes;
  const int error = ReadWholeFile(FileSystemName(path), kMaxTextFileBytes, bytes);
  if (error == ENOENT) {
    loaded.outcome = LoadOutcome::kNewFile;
    return loaded;
  }
  if (error != 0) {
    loaded.error = error;
    return loaded;
  }
  if (bytes.find('\0') != std::string::npos) {
    loaded.outcome = LoadOutcome::kUnknownEncoding;
    return loaded;
  }
  std::string_view body = bytes;
  if (body.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
    loaded.format.byteOrderMark = true;
    body.remove_prefix(kUtf8ByteOrderMark.size());
  }
  loaded.format.crlf = body.find("\r\n") != std::string_view::npos;
  std::string sjis;
  std::string utf8;
  if (IsAscii(body)) {
    sjis = std::string(body);
    loaded.outcome = LoadOutcome::kLoaded;
  } else if (Utf8ToSjis(body, sjis)) {
    // Some characters share one Shift-JIS spelling with others; such a file would change on
    // saving, which the caller must not allow.
    const bool exact = SjisToUtf8(sjis, utf8) && utf8 == body;
    loaded.outcome = exact ? LoadOutcome::kLoaded : LoadOutcome::kLossyUtf8;
  } else if (!loaded.format.byteOrderMark && IsWellFormedSjis(body) && SjisToUtf8(body, utf8)) {
    loaded.format.encoding = TextEncoding::kShiftJis;
    sjis = std::string(body);
    loaded.outcome = LoadOutcome::kLoaded;
  } else {
    loaded.outcome = IsWellFormedUtf8(body) ? LoadOutcome::kBeyondShiftJis : LoadOutcome::kUnknownEncoding;
    return loaded;
  }
  loaded.text = WithCrLf(sjis);
  return loaded;
}

bool EncodeTextFile(std::string_view text, const TextFileFormat& format, std::string& bytes) {
  const std::string lines = format.crlf ? std::string(text) : WithLf(text);
  if (format.encoding == TextEncoding::kShiftJis) {
    bytes = lines;
    return true;
  }
  std::string utf8;
  if (!SjisToUtf8(lines, utf8)) return false;
  bytes = format.byteOrderMark ? std::string(kUtf8ByteOrderMark) + utf8 : utf8;
  return true;
}

int SaveTextFile(const std::string& path, std::string_view text, const TextFileFormat& format) {
  std::string bytes;
  if (!EncodeTextFile(text, format, bytes)) return EILSEQ;
  // A rename would put a plain file in the place of a symbolic link; the file it names is the one
  // to replace.
  std::string target = FileSystemName(path);
  if (const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(target.c_str(), nullptr), &std::free);
      resolved != nullptr)
    target = resolved.get();
  return WriteFileAtomically(target, bytes);
}

}  // namespace lexiv::penra
