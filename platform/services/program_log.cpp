#include "platform/services/program_log.h"

#include <cstdio>
#include <mutex>
#include <sys/stat.h>

namespace lexiv::platform {

namespace {

constexpr long long kLogLimitBytes = 64 * 1024;

struct LogState {
  std::mutex mutex;
  std::string path;
  bool screenOpen = false;
  std::vector<std::string> waiting;
};

LogState& State() {
  static LogState state;
  return state;
}

void AppendToFile(const std::string& path, const std::string& line) {
  if (path.empty()) return;
  struct stat info {};
  if (stat(path.c_str(), &info) == 0 && info.st_size + static_cast<long long>(line.size()) > kLogLimitBytes)
    std::rename(path.c_str(), (path + ".old").c_str());
  if (std::FILE* file = std::fopen(path.c_str(), "ae")) {
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
  }
}

}  // namespace

void SetProgramLog(const std::string& programName, const std::string& directory) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  state.path = directory.empty() || programName.empty() ? std::string() : directory + "/" + programName + ".log";
}

std::string ProgramLogPath() {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  return state.path;
}

void ReportToLog(const std::string& line) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  AppendToFile(state.path, line);
  if (state.screenOpen) {
    state.waiting.push_back(line);
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
  }
}

void SetScreenOpen(bool open) {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  state.screenOpen = open;
  if (open) return;
  for (const std::string& line : state.waiting) std::fprintf(stderr, "%s\n", line.c_str());
  state.waiting.clear();
}

std::vector<std::string> LogLinesWaitingForStderr() {
  LogState& state = State();
  std::lock_guard lock(state.mutex);
  return state.waiting;
}

}  // namespace lexiv::platform
