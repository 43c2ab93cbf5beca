// Named shared blocks (file mappings backed by the paging file): CreateFileMappingA,
// OpenFileMappingA, MapViewOfFile, UnmapViewOfFile; their handles close with CloseHandle.
//
// In a session a named block is a file in the session directory ("block-" and the name's bytes
// in hex, so no name can leave the directory or clash with another file there), mapped shared by
// every program that opens it. The session table records which programs hold it: a program holds
// a block while it has a handle or a view of it open. The last program to let go removes the
// file; when the last holder died instead, its hold goes with it, and the next CreateFileMappingA
// makes the block afresh (GetLastError then does not report ERROR_ALREADY_EXISTS). Making a
// block or opening one happens with the table locked, so two programs never both make it.
// Outside a session, and for blocks without a name, a block is this process's own.
#pragma once

#include <cstddef>
#include <string>

#include "platform/services/kernel_handles.h"
#include "platform/services/shared_block_file.h"
#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr DWORD PAGE_READONLY = 0x02;
inline constexpr DWORD PAGE_READWRITE = 0x04;

inline constexpr DWORD FILE_MAP_WRITE = 0x0002;
inline constexpr DWORD FILE_MAP_READ = 0x0004;
inline constexpr DWORD FILE_MAP_ALL_ACCESS = 0xF001F;

// The longest name a block may have, in bytes.
inline constexpr std::size_t kMaxBlockNameBytes = 119;
// The largest block (1 GiB).
inline constexpr std::uint64_t kMaxBlockBytes = std::uint64_t{1} << 30;

// file must be INVALID_HANDLE_VALUE (only blocks backed by the paging file exist here); security
// is ignored. A block of that name already there is opened instead, whatever size is asked, and
// GetLastError reports ERROR_ALREADY_EXISTS; a new block reports ERROR_SUCCESS and is zeroed.
// Null on failure, with GetLastError: ERROR_INVALID_HANDLE (a real file), ERROR_INVALID_PARAMETER
// (size 0, too large, another protection), ERROR_INVALID_NAME (a name too long),
// ERROR_NOT_ENOUGH_MEMORY (the block cannot be made), ERROR_TOO_MANY_NAMES (the session's table of
// blocks is full).
HANDLE CreateFileMappingA(HANDLE file, const void* security, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, const char* name);
// An existing block; null with ERROR_FILE_NOT_FOUND when no live program holds one of that name.
// inheritHandle is ignored (started programs do not inherit handles here).
HANDLE OpenFileMappingA(DWORD desiredAccess, BOOL inheritHandle, const char* name);

// A view of bytes (0: to the end) from the offset, which must be a multiple of 65536. Writing
// through a view needs FILE_MAP_WRITE on a handle that allows it. The view stays valid after the
// handle is closed, and keeps the block alive, until UnmapViewOfFile. Null on failure
// (ERROR_INVALID_HANDLE, ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER).
void* MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD fileOffsetHigh, DWORD fileOffsetLow,
                    std::size_t bytes);
// FALSE for an address that is not the start of a view.
BOOL UnmapViewOfFile(const void* baseAddress);

}  // namespace lexiv::platform
