// The lexiv-query program itself, as a script drives it: answers come back one key at a time
// when the script waits for each before sending the next (batch output is not held back until
// the input ends), and a one-key run gives what the in-process command gives.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "support/temp_dir.h"
#include "tools/query_command.h"

namespace lexiv {
namespace {

const std::string kProgram = LEXIV_BIN_DIR "/lexiv-query";
const std::string kSampleDir = LEXIV_BIN_DIR "/Dic/Yomigo/";

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

long long NowMilliseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// lexiv-query ARGS with pipes to its standard input and from its standard output.
class QueryProcess {
 public:
  explicit QueryProcess(std::vector<std::string> args) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(in[0], STDIN_FILENO);
      ::dup2(out[1], STDOUT_FILENO);
      std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(kProgram.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    toChild_ = in[1];
    fromChild_ = out[0];
  }
  ~QueryProcess() {
    CloseInput();
    if (fromChild_ >= 0) ::close(fromChild_);
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  bool Started() const { return pid_ > 0 && toChild_ >= 0; }
  void Send(const std::string& text) { ASSERT_EQ(::write(toChild_, text.data(), text.size()), static_cast<ssize_t>(text.size())); }
  void CloseInput() {
    if (toChild_ >= 0) ::close(toChild_);
    toChild_ = -1;
  }

  // Reads until the output holds `count` lines beginning with "result", or 10 seconds pass.
  std::string ReadResults(int count) {
    long long deadline = NowMilliseconds() + 10000;
    while (CountResults() < count) {
      long long left = deadline - NowMilliseconds();
      if (left <= 0) break;
      pollfd p{fromChild_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left)) <= 0) break;
      char buffer[4096];
      ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
      if (n <= 0) break;
      output_.append(buffer, static_cast<std::size_t>(n));
    }
    return output_;
  }

  // The exit status once the program has ended (waiting up to 10 seconds), or -1.
  int ExitStatus() {
    for (long long deadline = NowMilliseconds() + 10000; NowMilliseconds() < deadline;) {
      int status = 0;
      pid_t r = ::waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        pid_ = -1;
        // What it wrote before it ended is still in the pipe.
        char buffer[4096];
        for (ssize_t n; (n = ::read(fromChild_, buffer, sizeof buffer)) > 0;)
          output_.append(buffer, static_cast<std::size_t>(n));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      pollfd p{fromChild_, POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) {
        char buffer[4096];
        ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
        if (n > 0) output_.append(buffer, static_cast<std::size_t>(n));
      }
    }
    return -1;
  }
  const std::string& Output() const { return output_; }

 private:
  int CountResults() const {
    int count = 0;
    for (std::size_t pos = 0; (pos = output_.find("result\t", pos)) != std::string::npos; pos += 7)
      if (pos == 0 || output_[pos - 1] == '\n') ++count;
    return count;
  }

  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  std::string output_;
};

std::string InProcess(const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out, err;
  RunQuery(args, kSampleDir, in, out, err);
  return out.str();
}

TEST(QueryProcess, AnswersEachKeyBeforeTheNextIsSent) {
  QueryProcess query({"--dict", kSampleDir, "-"});
  ASSERT_TRUE(query.Started());
  query.Send(U8(u8"かな\n"));
  std::string first = query.ReadResults(1);
  EXPECT_EQ(first, InProcess({U8(u8"かな")}));
  query.Send(U8(u8"あい\n"));
  EXPECT_EQ(query.ReadResults(2), first + InProcess({U8(u8"あい")}));
  query.CloseInput();
  EXPECT_EQ(query.ExitStatus(), 0);
}

TEST(QueryProcess, OneKeyRunGivesWhatTheCommandGives) {
  for (const std::string& key : {U8(u8"こうしょう"), U8(u8"逢う"), U8(u8"か*"), U8(u8"*う")}) {
    QueryProcess query({"--dict", kSampleDir, key});
    ASSERT_TRUE(query.Started());
    query.CloseInput();
    EXPECT_EQ(query.ExitStatus(), 0) << key;
    EXPECT_EQ(query.Output(), InProcess({key})) << key;
  }
}

// Runs lexiv-query ARGS with standard input from inPath and output to outPath; the exit status,
// or -1 when it did not end within 30 seconds.
int RunWithFiles(std::vector<std::string> args, const std::string& inPath, const std::string& outPath) {
  pid_t pid = ::fork();
  if (pid == 0) {
    int in = ::open(inPath.c_str(), O_RDONLY);
    int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0) ::_exit(126);
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(kProgram.c_str(), argv.data());
    ::_exit(127);
  }
  for (long long deadline = NowMilliseconds() + 30000; NowMilliseconds() < deadline;) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ::poll(nullptr, 0, 10);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

// More input and output than one buffer holds, CR LF and bare LF lines, empty lines, a key
// Shift-JIS cannot hold, and a last line with no line feed: the program's own reading and
// writing must give what the command gives over C++ streams.
TEST(QueryProcess, BatchFromAFileGivesWhatTheCommandGives) {
  std::string input;
  const std::string keys[] = {U8(u8"かな"), U8(u8"あい\r"), "", U8(u8"こう*"), U8(u8"*う"), U8(u8"\U0001F600"), U8(u8"逢う")};
  for (int i = 0; i < 3000; ++i) input += keys[i % 7] + "\n";
  input += U8(u8"はし");
  testing::TempDir dir;
  std::string inPath = (dir.path() / "keys").string();
  std::string outPath = (dir.path() / "out").string();
  {
    std::ofstream keysFile(inPath, std::ios::binary);
    keysFile << input;
  }
  ASSERT_EQ(RunWithFiles({"--dict", kSampleDir, "-"}, inPath, outPath), 0);
  std::ifstream outFile(outPath, std::ios::binary);
  std::string output((std::istreambuf_iterator<char>(outFile)), std::istreambuf_iterator<char>());

  std::istringstream in(input);
  std::ostringstream expected, err;
  ASSERT_EQ(RunQuery({"-"}, kSampleDir, in, expected, err), 0);
  EXPECT_GT(expected.str().size(), std::size_t{1} << 17);  // more than the buffers hold
  EXPECT_EQ(output, expected.str());
}

}  // namespace
}  // namespace lexiv
