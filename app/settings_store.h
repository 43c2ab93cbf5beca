// The settings record in the registry: read at start-up from the user's Settings key, or, only
// when that key cannot be opened, from the installation's Default key; written back to the
// user's key at exit. Missing and out-of-range values take the built-in defaults.
#pragma once

#include "views/settings_record.h"

namespace lexiv {

inline constexpr char kSettingsKey[] = "Software\\TKV\\Lexiv\\Settings";
inline constexpr char kDefaultSettingsKey[] = "Software\\TKV\\Lexiv\\Default";

// Loads every value in the record's order (the column widths default to half the SplitPos just
// loaded).
void LoadSettings(SettingsRecord& settings);
// Writes the twelve values through one key, so the user hive is written once; failures are
// ignored.
void SaveSettings(const SettingsRecord& settings);

}  // namespace lexiv
