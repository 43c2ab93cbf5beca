#include "tools/euc_jp_text.h"

#include <iconv.h>

#include <cerrno>

namespace lexiv {
namespace {

// One conversion descriptor, opened on first use and kept for the process.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Convert(std::string_view in, std::string& out) {
    out.clear();
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<size_t>(outPtr - buffer));
      if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
      // iconv counts characters it replaced instead of failing; a replacement is a loss.
      if (r != static_cast<size_t>(-1) && r > 0) return false;
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

bool EucJpToShiftJis(std::string_view eucjp, std::string& out) {
  static Converter converter("CP932", "EUC-JP");
  return converter.Convert(eucjp, out);
}

}  // namespace lexiv
