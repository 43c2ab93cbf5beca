#include "penra/text_file.h"

#include <iconv.h>

#include <cerrno>
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

// Whether bytes are UTF-8 (iconv refuses overlong forms, surrogates and what lies beyond U+10FFFF).
bool IsWellFormedUtf8(std::string_view bytes) {
  const iconv_t converter = ::iconv_open("UTF-32LE", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  bool wellFormed = true;
  char chunk[1024];
  while (inLeft > 0 && wellFormed) {
    char* out = chunk;
    std::size_t outLeft = sizeof chunk;
    if (::iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) && errno != E2BIG)
      wellFormed = false;
  }
  ::iconv_close(converter);
  return wellFormed;
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
