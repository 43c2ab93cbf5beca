#include "docpick/manual_text.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/services/shift_jis_text.h"
#include "platform/services/whole_file.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

bool HasNonAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

// The length of the well-formed UTF-8 sequence at pos, 0 when there is none.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  std::size_t length = lead < 0x80                    ? 1
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
  if (length == 0 || pos + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(bytes[pos + i]) & 0xC0) != 0x80) return 0;
  return length;
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = Utf8SequenceAt(bytes, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

// A UTF-8 text in program text; a character Shift-JIS lacks becomes the geta mark, so that one
// emoji does not make the whole manual unreadable.
std::string Utf8AsSjis(std::string_view utf8) {
  std::string sjis;
  if (Utf8ToSjis(utf8, sjis)) return sjis;
  sjis.clear();
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t length = Utf8SequenceAt(utf8, pos);
    std::string character;
    sjis += Utf8ToSjis(utf8.substr(pos, length), character) ? character : std::string("〓");
    pos += length;
  }
  return sjis;
}

// "\r\n", a lone "\r" and a lone "\n" all become "\r\n". Line feeds are never trail bytes of
// Shift-JIS, so a byte walk is safe.
std::string WithCrLfLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string ManualTextFromBytes(std::string_view bytes) {
  // A UTF-8 byte order mark says so at once and is not shown.
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  const bool utf8 = HasNonAscii(bytes) && IsUtf8(bytes);
  return WithCrLfLineEnds(utf8 ? Utf8AsSjis(bytes) : std::string(bytes));
}

ManualLoad LoadManualText(const std::string& path, std::string& sjis) {
  sjis.clear();
  const std::string fileSystemPath = FileSystemName(path);
  struct stat info {};
  if (::stat(fileSystemPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return ManualLoad::kUnreadable;
  if (static_cast<std::size_t>(info.st_size) > kLargestManualBytes) return ManualLoad::kTooLarge;
  std::string bytes;
  // The file may grow between the look and the read: the read is bounded all the same.
  const int error = ReadWholeFile(fileSystemPath, kLargestManualBytes, bytes);
  if (error == EFBIG) return ManualLoad::kTooLarge;
  if (error != 0) return ManualLoad::kUnreadable;
  sjis = ManualTextFromBytes(bytes);
  return ManualLoad::kLoaded;
}

std::string_view FirstLine(std::string_view sjis) {
  const std::size_t end = sjis.find("\r\n");
  return end == std::string_view::npos ? sjis : sjis.substr(0, end);
}

bool IsTextFileName(std::string_view path) {
  if (path.size() < 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    char c = path[path.size() - 3 + i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != "TXT"[i]) return false;
  }
  return true;
}

}  // namespace lexiv::docpick
