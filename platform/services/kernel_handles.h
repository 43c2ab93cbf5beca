// Kernel-object handles of this process: the handles CreateFileMappingA, OpenFileMappingA and
// OpenProcess return, all closed by CloseHandle. Each handle owns one object; closing it destroys
// the object, which gives back what it held (a hold on a named block, for instance). Handle
// numbers are this process's own, start at 4, go up by 4 as Windows's do, and are never handed
// out twice, so a stale handle closes nothing else.
#pragma once

#include <memory>

#include "platform/win_types.h"

namespace lexiv::platform {

using HANDLE = Handle<struct KernelObjectHandleTag>;
// The "no file" handle of CreateFileMappingA (a block backed by the paging file) and the failure
// value of functions that return a file handle.
inline constexpr HANDLE INVALID_HANDLE_VALUE{0xFFFFFFFFu};

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// Takes the object and returns its new handle (null only when four billion handles were used).
HANDLE AddKernelObject(std::unique_ptr<KernelObject> object);
// The object behind handle when it is of type T; null otherwise (never owned by the caller).
KernelObject* FindKernelObject(HANDLE handle);
template <typename T>
T* KernelObjectAs(HANDLE handle) {
  return dynamic_cast<T*>(FindKernelObject(handle));
}

// Closes the handle and destroys its object; FALSE with ERROR_INVALID_HANDLE for a handle that is
// not open.
BOOL CloseHandle(HANDLE handle);

}  // namespace lexiv::platform
