#include "braille_display.h"

#include <iconv.h>

#include <cwchar>
#include <vector>

#include "program_text.h"

#ifdef LEXIV_HAVE_BRLAPI
#include <brlapi.h>
#endif

namespace lexiv::reader {

namespace {

std::wstring ToWide(const std::string& utf8) {
  std::wstring out;
  iconv_t cd = ::iconv_open("WCHAR_T", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  std::vector<wchar_t> buffer(utf8.size() + 1);
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* outPtr = reinterpret_cast<char*>(buffer.data());
  std::size_t outLeft = buffer.size() * sizeof(wchar_t);
  if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1))
    out.assign(buffer.data(), static_cast<std::size_t>(reinterpret_cast<wchar_t*>(outPtr) - buffer.data()));
  ::iconv_close(cd);
  return out;
}

}  // namespace

BrailleDisplay::~BrailleDisplay() {
#ifdef LEXIV_HAVE_BRLAPI
  if (connected_) {
    ::brlapi_leaveTtyMode();
    ::brlapi_closeConnection();
  }
#endif
}

bool BrailleDisplay::Open() {
  if (tried_) return connected_;
  tried_ = true;
#ifdef LEXIV_HAVE_BRLAPI
  brlapi_connectionSettings_t settings = BRLAPI_SETTINGS_INITIALIZER;
  if (::brlapi_openConnection(&settings, &settings) < 0) return false;
  if (::brlapi_enterTtyModeWithPath(nullptr, 0, nullptr) < 0) {
    ::brlapi_closeConnection();
    return false;
  }
  connected_ = true;
#endif
  return connected_;
}

void BrailleDisplay::Show(std::string_view sjis) {
  if (!Open()) return;
#ifdef LEXIV_HAVE_BRLAPI
  const std::wstring text = ToWide(ProgramTextToUtf8(sjis, " ", " "));
  ::brlapi_writeWText(BRLAPI_CURSOR_OFF, text.c_str());
#else
  (void)sjis;
#endif
}

}  // namespace lexiv::reader
