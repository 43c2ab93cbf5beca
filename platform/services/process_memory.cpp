#include "platform/services/process_memory.h"

#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/services/joined_session.h"
#include "platform/services/process_identity.h"
#include "platform/services/session_table.h"
#include "platform/services/system_errors.h"

namespace lexiv::platform {
namespace {

class ProcessObject final : public KernelObject {
 public:
  ProcessObject(pid_t pid, std::uint64_t startTime, DWORD access) : pid(pid), startTime(startTime), access(access) {}
  const pid_t pid;
  const std::uint64_t startTime;
  const DWORD access;
};

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return HANDLE{};
}

}  // namespace

HANDLE OpenProcess(DWORD desiredAccess, BOOL, DWORD processId) {
  const auto pid = static_cast<pid_t>(processId);
  if (pid <= 0) return Fail(ERROR_INVALID_PARAMETER);
  const std::uint64_t startTime = ProcessStartTime(pid);
  if (startTime == 0) return Fail(ERROR_INVALID_PARAMETER);
  if (pid != getpid()) {
    const JoinedSession& session = CurrentSession();
    if (session.table == nullptr) return Fail(ERROR_ACCESS_DENIED);
    const std::optional<SessionProgram> member = session.table->ProgramByPid(pid);
    // The member record must be this very process (it runs with the start time recorded): a pid
    // reused by a stranger is refused.
    if (!member || member->startTime != startTime) return Fail(ERROR_ACCESS_DENIED);
  }
  const HANDLE handle = AddKernelObject(std::make_unique<ProcessObject>(pid, startTime, desiredAccess));
  if (!handle) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  SetLastError(ERROR_SUCCESS);
  return handle;
}

BOOL ReadProcessMemory(HANDLE process, const void* address, void* buffer, std::size_t bytes, std::size_t* bytesRead) {
  if (bytesRead != nullptr) *bytesRead = 0;
  auto* object = KernelObjectAs<ProcessObject>(process);
  if (object == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if ((object->access & PROCESS_VM_READ) == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (bytes == 0) return TRUE;
  if (buffer == nullptr || !ProcessIsAlive(object->pid, object->startTime)) {
    SetLastError(ERROR_PARTIAL_COPY);
    return FALSE;
  }
  // The kernel stops at the first page it cannot read; what it read is not enough.
  std::size_t done = 0;
  while (done < bytes) {
    iovec local{static_cast<char*>(buffer) + done, bytes - done};
    iovec remote{const_cast<char*>(static_cast<const char*>(address)) + done, bytes - done};
    const ssize_t got = process_vm_readv(object->pid, &local, 1, &remote, 1, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      SetLastError(got < 0 && errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_PARTIAL_COPY);
      return FALSE;
    }
    done += static_cast<std::size_t>(got);
  }
  if (bytesRead != nullptr) *bytesRead = bytes;
  return TRUE;
}

}  // namespace lexiv::platform
