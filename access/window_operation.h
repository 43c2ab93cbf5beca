// WindowOperation: the setting, shared by all of the maker's programs, that switches on the
// enhanced dialog keys (Up and Down between controls, Space stepping through lists). Only the
// value 1 switches them on. It is looked for under "Software\TKV\System Global\Settings" and
// "...\Default"; the first value found wins.
#pragma once

#include <optional>

#include "platform/win_types.h"

namespace lexiv::access {

inline constexpr const char* kSystemGlobalSettingsKey = "Software\\TKV\\System Global\\Settings";
inline constexpr const char* kSystemGlobalDefaultKey = "Software\\TKV\\System Global\\Default";
inline constexpr const char* kWindowOperationValue = "WindowOperation";

enum class WindowOperationLookup {
  // The keyboard enhancer: user Settings, user Default, machine Settings, machine Default.
  kEnhancer,
  // Dialogs on the dialog base, on creation: user Settings, user Default, machine Default.
  kDialogBase,
};

// The first 32-bit WindowOperation value found in the lookup's order; nothing when none is.
std::optional<platform::DWORD> ReadWindowOperation(WindowOperationLookup lookup);
// Whether that value is 1.
bool EnhancedKeysEnabled(WindowOperationLookup lookup);

}  // namespace lexiv::access
