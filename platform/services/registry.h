// The registry: the functions the program calls, over two hives kept as REGEDIT4 files.
//
// Where the hives live: HKEY_CURRENT_USER in ${XDG_CONFIG_HOME:-$HOME/.config}/lexiv/user.reg;
// HKEY_LOCAL_MACHINE in /etc/lexiv/system.reg when that file exists, otherwise in the
// installation's own system.reg beside the running program (written by the build and by the
// install, as an installer would write the machine's registry); when LEXIV_REGISTRY_DIR is set,
// both live there as user.reg and system.reg. The location is looked up again on every open, so a
// change of the environment, or a system-wide hive appearing, takes effect at the next open.
//
// When hives are read and written:
// - A hive is loaded on the first open or create under its root. A later open reloads it when
//   the file changed on disk and the hive holds no unsaved changes; an unreadable hive is retried
//   on every open.
// - Changes (set, delete, a created key) are kept in memory and written when a handle through
//   which something changed is closed (RegCloseKey), or at RegFlushKey. Changes made through a
//   predefined root handle are written at once. A write that fails leaves the changes in memory
//   for the next close or flush.
// - A hive file that exists but cannot be read or is not a REGEDIT4 file is never written; every
//   open and create under it fails with the error of the load, and RegistryHiveProblem says why.
//
// Key and value names are program text (Shift-JIS), compare without case, and may not hold
// control characters. Key paths use backslashes. REG_SZ data is Shift-JIS text: a query returns
// it with its NUL, and a set stores the bytes up to the first NUL.
#pragma once

#include <string>

#include "platform/services/registry_types.h"

namespace lexiv::platform {

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);
// disposition, when given, receives REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* className, DWORD options,
                     REGSAM access, const void* securityAttributes, HKEY* result, DWORD* disposition);
// A null or empty name is the key's default value. With data null, only the type and the size
// are reported. A buffer smaller than the value gives ERROR_MORE_DATA with the needed size in
// *dataSize and the buffer untouched.
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);
// REG_DWORD takes exactly 4 bytes.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
LONG RegDeleteValueA(HKEY key, const char* valueName);
LONG RegFlushKey(HKEY key);
// Writes the hive when something changed through this handle; the handle is gone either way.
LONG RegCloseKey(HKEY key);

// For tests: other places for the system-wide machine hive and the installation's; an empty
// string puts that one back (/etc/lexiv/system.reg, system.reg in the program's directory).
void ReplaceMachineHiveLocations(std::string systemWidePath, std::string installationPath);

// Why the root's hive cannot be used (the path and the reason), or empty when it can.
std::string RegistryHiveProblem(HKEY root);

}  // namespace lexiv::platform
