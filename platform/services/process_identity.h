// Who a process is, beyond its pid: a pid is reused by the kernel once its process has ended, so
// a record of another program names it by pid and start time together, and only a process with
// both is that program.
#pragma once

#include <cstdint>
#include <sys/types.h>

namespace lexiv::platform {

// The process's start time in clock ticks after boot (field 22 of /proc/PID/stat); 0 when no
// such process exists (or it is a zombie, which can no longer answer anything).
std::uint64_t ProcessStartTime(pid_t pid);

// The process pid still runs and is the one that started at startTime.
bool ProcessIsAlive(pid_t pid, std::uint64_t startTime);

// The owner of a running process (the real user id of /proc/PID), or -1 when none is running.
long long ProcessOwner(pid_t pid);

}  // namespace lexiv::platform
