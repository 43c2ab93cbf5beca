#include "platform/services/process_identity.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace lexiv::platform {

std::uint64_t ProcessStartTime(pid_t pid) {
  if (pid <= 0) return 0;
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
  std::FILE* file = std::fopen(path, "re");
  if (file == nullptr) return 0;
  char buffer[1024];
  const std::size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
  std::fclose(file);
  buffer[length] = '\0';
  // The command name in parentheses may itself hold spaces and parentheses: the fields that
  // follow start after the last closing parenthesis.
  const char* close = std::strrchr(buffer, ')');
  if (close == nullptr) return 0;
  const char* p = close + 1;
  // Field 3 is the state; field 22 the start time.
  int field = 2;
  char state = '?';
  while (*p != '\0' && field < 22) {
    while (*p == ' ') ++p;
    ++field;
    if (field == 3) state = *p;
    if (field == 22) break;
    while (*p != '\0' && *p != ' ') ++p;
  }
  if (field != 22 || state == 'Z' || state == 'X') return 0;
  char* end = nullptr;
  const unsigned long long start = std::strtoull(p, &end, 10);
  if (end == p) return 0;
  // A start time of 0 would read as "no process"; a process started in the first tick still counts.
  return start == 0 ? 1 : start;
}

bool ProcessIsAlive(pid_t pid, std::uint64_t startTime) {
  return startTime != 0 && ProcessStartTime(pid) == startTime;
}

long long ProcessOwner(pid_t pid) {
  if (pid <= 0) return -1;
  const std::string path = "/proc/" + std::to_string(pid);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return -1;
  return static_cast<long long>(info.st_uid);
}

}  // namespace lexiv::platform
