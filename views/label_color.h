// The colour of the labels ("読み", "漢字", "意味" ...) in the meaning pane, chosen so that they
// stand apart from the scheme's text colour on the scheme's background.
#pragma once

#include "platform/win_types.h"

namespace lexiv {

platform::COLORREF LabelColorFor(platform::COLORREF textColor);

}  // namespace lexiv
