#include "views/headword_reading_options.h"

namespace lexiv {

using platform::DWORD;

DWORD HeadwordReadingOptions::SetTitleIme(DWORD on) {
  const DWORD previous = titleIme_;
  titleIme_ = on;
  return previous;
}

DWORD HeadwordReadingOptions::SetTitleMean(DWORD on) {
  const DWORD previous = titleMean_;
  titleMean_ = on;
  return previous;
}

}  // namespace lexiv
