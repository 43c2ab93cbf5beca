// The error numbers of the Windows vocabulary, with their Windows values: the registry functions
// return them, and the kernel-object functions leave them for GetLastError.
#pragma once

#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_INVALID_NAME = 123;
inline constexpr LONG ERROR_ALREADY_EXISTS = 183;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_PARTIAL_COPY = 299;
inline constexpr LONG ERROR_REGISTRY_CORRUPT = 1015;
inline constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;
inline constexpr LONG ERROR_TOO_MANY_NAMES = 68;

// The error the last kernel-object call of this thread left (CreateFileMappingA sets
// ERROR_ALREADY_EXISTS when it opened a block that was there; failures set their reason).
DWORD GetLastError();
void SetLastError(DWORD error);

}  // namespace lexiv::platform
