// GetKeyboardType: what kind of keyboard the user has. Linux does not say, and
// programs only ask to adapt key names to a layout, so the answers describe an
// ordinary 101/102-key keyboard with 12 function keys and subtype 0.
// LEXIV_KEYBOARD_SUBTYPE (a decimal or 0x-prefixed number) gives another
// subtype, so that the rules that depend on one can be used and tested.
#pragma once

namespace lexiv::platform {

// 0: the type (4), 1: the subtype (0, or LEXIV_KEYBOARD_SUBTYPE), 2: the number
// of function keys (12); any other argument: 0.
int GetKeyboardType(int typeFlag);

} // namespace lexiv::platform
