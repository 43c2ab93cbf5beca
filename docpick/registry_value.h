// Reading one registry value the way the manual viewer reads every value: the machine's key
// first, the user's when that gives nothing. A string is taken up to its first NUL, a DWORD as
// its decimal number; any other type, a missing value or a key that cannot be opened reads as
// empty.
#pragma once

#include <string>

namespace lexiv::docpick {

// key is below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER ("Software\TKV\Penra\Directories").
std::string QueryValue(const std::string& key, const std::string& valueName);

}  // namespace lexiv::docpick
