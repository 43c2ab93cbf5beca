#include "reader_instance.h"

namespace lexiv::reader {

ScreenReader& TheScreenReader() {
  static ScreenReader reader;
  return reader;
}

}  // namespace lexiv::reader
