// Reading another program's memory: OpenProcess with PROCESS_VM_READ, ReadProcessMemory, through
// process_vm_readv. The kernel lets a process read another of the same user only as its
// debugger would, and where Yama restricts that (ptrace_scope 1) a sender lets exactly the
// receiver of its synchronous send read it while the send lasts (core/session.cpp).
//
// OpenProcess opens only this process and the live members of the joined session (pid and start
// time checked), whatever the kernel would allow: a program running as root reads no process
// outside its session. A handle names the process it was opened for: a pid reused after that
// process ended is not read through it. A read that fails, whole or in part, reports FALSE with
// no bytes read and touches neither process.
#pragma once

#include <cstddef>

#include "platform/services/kernel_handles.h"
#include "platform/win_types.h"

namespace lexiv::platform {

inline constexpr DWORD PROCESS_VM_READ = 0x0010;
inline constexpr DWORD PROCESS_QUERY_INFORMATION = 0x0400;

// Null with GetLastError ERROR_INVALID_PARAMETER (no such process) or ERROR_ACCESS_DENIED (not
// this process nor a member of its session). inheritHandle is ignored.
HANDLE OpenProcess(DWORD desiredAccess, BOOL inheritHandle, DWORD processId);

// Copies bytes from address in the process into buffer. TRUE only when all of them were read;
// otherwise FALSE with *bytesRead 0 and GetLastError ERROR_PARTIAL_COPY (an address the process
// does not have, or the process ended), ERROR_ACCESS_DENIED (the handle was opened without
// PROCESS_VM_READ, or the kernel refused) or ERROR_INVALID_HANDLE.
BOOL ReadProcessMemory(HANDLE process, const void* address, void* buffer, std::size_t bytes, std::size_t* bytesRead);

}  // namespace lexiv::platform
