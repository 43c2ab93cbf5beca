#include "platform/services/platform_version.h"

#include <sys/utsname.h>

#include <string_view>

namespace lexiv::platform {
namespace {

// Reads the decimal number at the front of text and steps over it and one following '.'.
unsigned int TakeNumber(std::string_view& text) {
  unsigned int number = 0;
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 9)
    number = number * 10 + static_cast<unsigned int>(text[digits++] - '0');
  text.remove_prefix(digits);
  if (digits > 0 && !text.empty() && text.front() == '.') text.remove_prefix(1);
  else text = {};
  return number;
}

}  // namespace

int GetPlatformVersion(PlatformVersion& version) {
  struct utsname names {};
  if (::uname(&names) != 0) return -1;
  version.systemName = names.sysname;
  version.release = names.release;
  std::string_view release = version.release;
  version.major = TakeNumber(release);
  version.minor = TakeNumber(release);
  return 0;
}

}  // namespace lexiv::platform
