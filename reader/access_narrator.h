// What the reader says about the program's windows: the words for an accessibility event, given
// what status kind 0x20002 lets it read, and the descriptions its commands ask for.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/accessibility.h"

namespace lexiv::reader {

// Shift-JIS words joined by the phrase separator; empty for "say nothing".
std::string NarrateEvent(const platform::AccessEvent& event, std::uint32_t autoRead);

// A control as the reader names it: caption, role, state and value.
std::string DescribeControl(const platform::AccessEvent& event);

// Whether the window belongs to a dialog (or is one): windows elsewhere are the program's own.
bool InsideDialog(platform::HWND hwnd);

// A menu label without its mnemonic marks; the key after the tab goes to *key.
std::string MenuLabelName(const std::string& label, std::string* key);

}  // namespace lexiv::reader
