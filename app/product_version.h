// The product version the about box shows, as the two 32-bit words of a version resource: major
// and minor in the first, patch and tweak in the second. Taken from the project's version.
#pragma once

#include "platform/win_types.h"

namespace lexiv {

struct ProductVersion {
  platform::DWORD ms = 0;
  platform::DWORD ls = 0;
};

ProductVersion BuiltProductVersion();

}  // namespace lexiv
