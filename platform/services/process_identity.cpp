#include "platform/services/process_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace lexiv::platform {

std::uint64_t ProcessStartTime(pid_t pid) {
  if (pid <= 0)
    return 0;
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
  // Asked on every look at the session's members, so in as few system calls as
  // it takes: the file is a few hundred bytes, read whole at once.
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return 0;
  char buffer[1024];
  ssize_t length;
  do {
    length = read(fd, buffer, sizeof buffer - 1);
  } while (length < 0 && errno == EINTR);
  close(fd);
  if (length <= 0)
    return 0;
  buffer[length] = '\0';
  // The command name in parentheses may itself hold spaces and parentheses: the
  // fields that follow start after the last closing parenthesis.
  const char *close = std::strrchr(buffer, ')');
  if (close == nullptr)
    return 0;
  const char *p = close + 1;
  // Field 3 is the state; field 22 the start time.
  int field = 2;
  char state = '?';
  while (*p != '\0' && field < 22) {
    while (*p == ' ')
      ++p;
    ++field;
    if (field == 3)
      state = *p;
    if (field == 22)
      break;
    while (*p != '\0' && *p != ' ')
      ++p;
  }
  if (field != 22 || state == 'Z' || state == 'X')
    return 0;
  char *end = nullptr;
  const unsigned long long start = std::strtoull(p, &end, 10);
  if (end == p)
    return 0;
  // A start time of 0 would read as "no process"; a process started in the
  // first tick still counts.
  return start == 0 ? 1 : start;
}

bool ProcessIsAlive(pid_t pid, std::uint64_t startTime) {
  if (startTime == 0)
    return false;
  // This process is alive while it asks; its start time is read once.
  static const pid_t self = getpid();
  static const std::uint64_t selfStart = ProcessStartTime(self);
  if (pid == self && getpid() == self)
    return startTime == selfStart;
  return ProcessStartTime(pid) == startTime;
}

long long ProcessOwner(pid_t pid) {
  if (pid <= 0)
    return -1;
  const std::string path = "/proc/" + std::to_string(pid);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0)
    return -1;
  return static_cast<long long>(info.st_uid);
}

} // namespace lexiv::platform
