#include "platform/services/shared_block_file.h"

namespace lexiv::platform {

std::string SharedBlockPath(const std::string& dir, const std::string& name) {
  static const char kHex[] = "0123456789abcdef";
  std::string path = dir + "/block-";
  for (unsigned char c : name) {
    path += kHex[c >> 4];
    path += kHex[c & 15];
  }
  return path;
}

}  // namespace lexiv::platform
