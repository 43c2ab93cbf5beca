// The headword reading dialog ("見出し語の読み方"): the two ways the headword list reads its items,
// shown from the reading options and stored back only on "設定".
#pragma once

#include "app/option_dialog.h"
#include "views/headword_reading_options.h"

namespace lexiv {

class CHeadwordReadingDialog : public COptionDialog {
 public:
  static constexpr int kResourceId = 151;
  static constexpr int kTitleImeId = 1013;
  static constexpr int kTitleMeanId = 1014;

  explicit CHeadwordReadingDialog(HeadwordReadingOptions& options);

 protected:
  platform::BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  HeadwordReadingOptions& options_;
};

}  // namespace lexiv
