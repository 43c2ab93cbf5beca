// The program's string table: texts by id, such as the command prompts ("status-bar prompt\n
// tooltip"). Loaded by the program at start, read by menus, bars and the frame.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace lexiv::platform {

void SetString(UINT id, const std::string& text);
// Copies the text (cut to size - 1 bytes, terminated); returns its length, 0 when absent.
int LoadString(UINT id, char* buffer, int size);
// The text, empty when absent.
std::string LoadString(UINT id);
// The part of a command prompt before its line break.
std::string CommandPrompt(UINT id);

}  // namespace lexiv::platform
