// The two ways the headword list reads its items, owned by the headword reading dialog (which
// alone changes them) and read by the list and the main window's read-again command. Start-up
// seeds them from the settings record.
#pragma once

#include "platform/win_types.h"

namespace lexiv {

class HeadwordReadingOptions {
 public:
  // Each setter returns the previous value.
  platform::DWORD SetTitleIme(platform::DWORD on);
  platform::DWORD SetTitleMean(platform::DWORD on);
  platform::DWORD titleIme() const { return titleIme_; }
  platform::DWORD titleMean() const { return titleMean_; }

 private:
  platform::DWORD titleIme_ = 1;
  platform::DWORD titleMean_ = 1;
};

}  // namespace lexiv
