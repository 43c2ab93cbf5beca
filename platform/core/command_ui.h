// The answer of an enable rule: a command's update handler says whether the command is enabled,
// checked, marked as the chosen radio item or shown with another text. The caller (a menu being
// opened, a toolbar in the idle pass, an accelerator about to fire) applies what was said.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace lexiv::platform {

class CommandUI {
 public:
  explicit CommandUI(UINT id) : id_(id) {}
  UINT Id() const { return id_; }

  void Enable(bool on = true) { enabled_ = on; }
  // 0 unchecked, 1 checked.
  void SetCheck(int check = 1) { checked_ = check; }
  void SetRadio(bool on = true) { radio_ = on; }
  void SetText(std::string_view text) { text_ = std::string(text); }

  std::optional<bool> enabled() const { return enabled_; }
  std::optional<int> checked() const { return checked_; }
  std::optional<bool> radio() const { return radio_; }
  const std::optional<std::string>& text() const { return text_; }

  // Set by the routing when some target's update handler ran.
  bool handled = false;

 private:
  UINT id_;
  std::optional<bool> enabled_;
  std::optional<int> checked_;
  std::optional<bool> radio_;
  std::optional<std::string> text_;
};

}  // namespace lexiv::platform
