// What the program may ask about the system it runs on.
#pragma once

#include <string>

namespace lexiv::platform {

struct PlatformVersion {
  std::string systemName;  // "Linux"
  std::string release;     // the kernel release as reported, "6.1.0-18-amd64"
  unsigned int major = 0;  // leading numbers of the release; 0 when it has none
  unsigned int minor = 0;
};

// Returns 0 and fills version, or -1 when the system does not say (version then stays empty).
int GetPlatformVersion(PlatformVersion& version);

}  // namespace lexiv::platform
