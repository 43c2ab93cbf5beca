// per_process_timing ROUNDS KEYS_FILE LABEL COMMAND... [-- LABEL COMMAND...]...: runs each command
// once per key (the argument "{}" replaced by the key), standard output to /dev/null, the
// commands taking turns key by key and round by round, so that whatever else the machine is doing
// falls on all of them alike. Prints each command's median, mean and 90th percentile wall time
// per process in microseconds. bench/query_per_process.sh compares lexiv-query with look.
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// <chrono> cannot be compiled with the CP932 execution character set (its "µs" suffix).
long long NowNanoseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct Command {
  std::string label;
  std::vector<std::string> words;
  std::vector<long long> nanoseconds;
};

// Runs words with "{}" replaced by key; the wall time from fork to the end of the wait, or -1.
long long RunOnce(const std::vector<std::string>& words, const std::string& key, int devNull) {
  std::vector<std::string> expanded;
  for (const std::string& w : words) expanded.push_back(w == "{}" ? key : w);
  std::vector<char*> argv;
  for (std::string& w : expanded) argv.push_back(w.data());
  argv.push_back(nullptr);
  long long start = NowNanoseconds();
  pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    ::dup2(devNull, STDOUT_FILENO);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  long long elapsed = NowNanoseconds() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    std::fprintf(stderr, "per_process_timing: %s failed on key %s\n", argv[0], key.c_str());
    return -1;
  }
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: per_process_timing ROUNDS KEYS_FILE LABEL COMMAND... [-- LABEL COMMAND...]...\n");
    return 1;
  }
  int rounds = std::atoi(argv[1]);
  std::ifstream keysFile(argv[2]);
  std::vector<std::string> keys;
  for (std::string line; std::getline(keysFile, line);)
    if (!line.empty()) keys.push_back(line);
  std::vector<Command> commands(1);
  for (int i = 3; i < argc; ++i) {
    std::string word = argv[i];
    if (word == "--") {
      commands.emplace_back();
    } else if (commands.back().label.empty()) {
      commands.back().label = word;
    } else {
      commands.back().words.push_back(word);
    }
  }
  if (rounds < 1 || keys.empty() || commands.back().words.empty()) {
    std::fprintf(stderr, "per_process_timing: need rounds, keys and a command after each label\n");
    return 1;
  }
  int devNull = ::open("/dev/null", O_WRONLY);
  for (int round = 0; round < rounds; ++round) {
    for (const std::string& key : keys) {
      // Alternate who goes first, so that neither always runs on a cache the other warmed.
      for (std::size_t n = 0; n < commands.size(); ++n) {
        Command& c = commands[(round % 2 == 0) ? n : commands.size() - 1 - n];
        long long t = RunOnce(c.words, key, devNull);
        if (t < 0) return 2;
        c.nanoseconds.push_back(t);
      }
    }
  }
  std::printf("%zu keys x %d rounds, one process per key\n", keys.size(), rounds);
  for (Command& c : commands) {
    std::vector<long long>& t = c.nanoseconds;
    std::sort(t.begin(), t.end());
    long long sum = 0;
    for (long long v : t) sum += v;
    std::printf("%-24s median %6.0f us, mean %6.0f us, 90%% %6.0f us\n", c.label.c_str(), t[t.size() / 2] / 1e3,
                static_cast<double>(sum) / static_cast<double>(t.size()) / 1e3, t[t.size() * 9 / 10] / 1e3);
  }
  return 0;
}
