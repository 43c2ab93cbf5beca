#include "platform/services/shift_jis_text.h"

#include <iconv.h>

#include <cerrno>

namespace lexiv::platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) ::iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  bool Convert(std::string_view in, std::string& out) {
    if (!ok()) return false;
    std::string result;
    result.resize(in.size() * 3 + 4);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = result.data();
    std::size_t outLeft = result.size();
    while (inLeft > 0) {
      if (::iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) continue;
      if (errno != E2BIG) return false;
      std::size_t used = static_cast<std::size_t>(outPtr - result.data());
      result.resize(result.size() * 2);
      outPtr = result.data() + used;
      outLeft = result.size() - used;
    }
    result.resize(static_cast<std::size_t>(outPtr - result.data()));
    out = std::move(result);
    return true;
  }

 private:
  iconv_t handle_;
};

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SjisEqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t bytePos = 0;
  while (bytePos < a.size()) {
    std::size_t charBytes = SjisCharBytesAt(a, bytePos);
    if (charBytes == 2) {
      if (a.substr(bytePos, 2) != b.substr(bytePos, 2)) return false;
    } else if (FoldAscii(a[bytePos]) != FoldAscii(b[bytePos])) {
      return false;
    }
    bytePos += charBytes;
  }
  return true;
}

bool SjisToUtf8(std::string_view sjis, std::string& utf8) {
  if (IsAscii(sjis)) {
    utf8.assign(sjis);
    return true;
  }
  Converter converter("UTF-8", "CP932");
  return converter.Convert(sjis, utf8);
}

bool Utf8ToSjis(std::string_view utf8, std::string& sjis) {
  if (IsAscii(utf8)) {
    sjis.assign(utf8);
    return true;
  }
  Converter converter("CP932", "UTF-8");
  return converter.Convert(utf8, sjis);
}

std::string FileSystemName(std::string_view sjisPath) {
  std::string converted;
  if (SjisToUtf8(sjisPath, converted)) return converted;
  return std::string(sjisPath);
}

std::string ProgramName(std::string_view fileSystemName) {
  std::string converted;
  if (Utf8ToSjis(fileSystemName, converted)) return converted;
  return std::string(fileSystemName);
}

}  // namespace lexiv::platform
