// The find dialog ("検索"): the text to find in the meaning and whether case matters. It owns the
// find state while it is open: the text and the option it shows come from the state (a caller may
// propose a text first), and only "実行" with a text stores them back. While it is open the
// reader reads the dialog by itself.
#pragma once

#include <optional>
#include <string_view>

#include "app/option_dialog.h"
#include "views/find_state.h"

namespace lexiv {

class CFindDialog : public COptionDialog {
 public:
  static constexpr int kResourceId = 301;
  static constexpr int kTextId = 1000;
  static constexpr int kMatchCaseId = 1001;

  explicit CFindDialog(FindState& find);

  // A text to show instead of the last one (cut to 256 bytes when stored).
  void ProposeText(std::string_view text) { proposed_ = std::string(text); }
  // A negative option keeps the state's.
  void ProposeCaseOption(int option) {
    if (option >= 0) proposedCase_ = option ? 1 : 0;
  }

  // Runs the dialog with the reader's own reading switched for it and back.
  int Run(platform::HWND owner);

 protected:
  platform::BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  FindState& find_;
  std::optional<std::string> proposed_;
  std::optional<int> proposedCase_;
};

}  // namespace lexiv
