// The text to find in the meaning and its case option, owned by the find dialog (which alone
// changes them) and read by the meaning view's find. Empty at start, never saved.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv {

class FindState {
 public:
  static constexpr std::size_t kMaxTextBytes = 256;
  static constexpr platform::UINT kMatchCaseFlag = 4;

  const std::string& text() const { return text_; }
  // A text of more than 256 bytes keeps its first 256 (cut on a character boundary).
  void ProposeText(std::string_view text);
  int caseOption() const { return caseOption_; }
  void SetCaseOption(int on) { caseOption_ = on ? 1 : 0; }
  // The flag the meaning view's find takes: 4 to match case, else 0.
  platform::UINT MatchCaseFlag() const { return caseOption_ ? kMatchCaseFlag : 0; }

 private:
  std::string text_;
  int caseOption_ = 0;
};

}  // namespace lexiv
