#include "app/product_version.h"

namespace lexiv {

ProductVersion BuiltProductVersion() {
  constexpr platform::DWORD major = LEXIV_VERSION_MAJOR + 0;
  constexpr platform::DWORD minor = LEXIV_VERSION_MINOR + 0;
  constexpr platform::DWORD patch = LEXIV_VERSION_PATCH + 0;
  constexpr platform::DWORD tweak = LEXIV_VERSION_TWEAK + 0;
  return ProductVersion{(major & 0xFFFF) << 16 | (minor & 0xFFFF), (patch & 0xFFFF) << 16 | (tweak & 0xFFFF)};
}

}  // namespace lexiv
