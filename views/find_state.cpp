#include "views/find_state.h"

#include "platform/services/shift_jis_text.h"

namespace lexiv {

void FindState::ProposeText(std::string_view text) {
  text_.assign(text.substr(0, platform::SjisPrefixBytes(text, kMaxTextBytes)));
}

}  // namespace lexiv
