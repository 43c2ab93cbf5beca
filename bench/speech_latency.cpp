// How long a key takes to become speech: the real lexiv on a pseudo-terminal of its own, with
// its real reader library connected to a stand-in speech server, and the time from a key's bytes
// written to the terminal to the server being handed the text the key makes the program say.
//
//   speech_latency [--count N] [--ms-per-character N] [--bin DIR]
//
// Three measurements of N samples each: a move in the headword list (the headword; moves onto
// the last or first item, which say "下端" or "上端" first, are reported apart), a caret move by
// one character in the meaning (the character), and a search (its first announcement, the
// count). The worst sample is printed with what was said. Before each
// key the program and the server are left to fall quiet, so no key interrupts speech.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_speech_server.h"
#include "support/temp_dir.h"

namespace {

using lexiv::testing::FakeSpeechServer;
using Request = FakeSpeechServer::Request;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Something to hear: a character, or a message with more than breaks in it.
bool Audible(const Request& r) {
  if (r.command.rfind("CHAR", 0) == 0) return true;
  if (r.command != "SPEAK") return false;
  bool inTag = false;
  for (char c : r.text) {
    if (c == '<') inTag = true;
    else if (c == '>') inTag = false;
    else if (!inTag) return true;
  }
  return false;
}

std::string Said(const Request& r) { return r.command == "SPEAK" ? r.text : r.command; }

// The program on a pseudo-terminal; what it writes is read and thrown away, and its terminal
// probe is answered as a terminal without the kitty keyboard protocol answers it.
class Program {
 public:
  bool Start(const std::string& lexiv, const std::string& home, const std::string& speechAddress) {
    winsize size{};
    size.ws_row = 30;
    size.ws_col = 100;
    pid_ = ::forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ < 0) return false;
    if (pid_ == 0) {
      ::setenv("HOME", home.c_str(), 1);
      ::setenv("LEXIV_REGISTRY_DIR", home.c_str(), 1);
      ::setenv("LEXIV_SESSION_DIR", (home + "/session").c_str(), 1);
      ::setenv("SPEECHD_ADDRESS", speechAddress.c_str(), 1);
      ::setenv("TERM", "xterm-256color", 1);
      ::setenv("LANG", "C.UTF-8", 1);
      ::unsetenv("VOXA_LOG");
      ::unsetenv("TMUX");
      ::execl(lexiv.c_str(), lexiv.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    reader_ = std::thread([this] { Drain(); });
    return true;
  }
  ~Program() {
    stop_ = true;
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (reader_.joinable()) reader_.join();
    if (master_ >= 0) ::close(master_);
  }
  void Send(const std::string& bytes) { (void)!::write(master_, bytes.data(), bytes.size()); }

 private:
  void Drain() {
    std::string tail;
    while (!stop_) {
      pollfd fd{master_, POLLIN, 0};
      if (::poll(&fd, 1, 50) <= 0) continue;
      char buffer[8192];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) return;
      tail.append(buffer, static_cast<std::size_t>(n));
      if (tail.find("\x1b[c") != std::string::npos) {
        Send("\x1b[?62;22c");
        tail.clear();
      }
      if (tail.size() > 16) tail.erase(0, tail.size() - 16);
    }
  }
  pid_t pid_ = -1;
  int master_ = -1;
  std::atomic<bool> stop_{false};
  std::thread reader_;
};

struct Sample {
  double ms;
  std::string said;
};

class Session {
 public:
  Session(Program& program, FakeSpeechServer& server) : program_(program), server_(server) {}

  // Waits until the server has played everything and nothing new came for a while.
  bool Quiet() {
    const std::uint64_t limit = FakeSpeechServer::NowNs() + 30'000'000'000ull;
    std::size_t seen = server_.Requests().size();
    std::uint64_t stillSince = FakeSpeechServer::NowNs();
    while (FakeSpeechServer::NowNs() < limit) {
      ::usleep(5000);
      const std::size_t now = server_.Requests().size();
      if (now != seen || !server_.Idle()) {
        seen = now;
        stillSince = FakeSpeechServer::NowNs();
      } else if (FakeSpeechServer::NowNs() - stillSince > 300'000'000ull) {
        return true;
      }
    }
    return false;
  }

  // Sends the key and waits for the nth audible request after it.
  bool Measure(const std::string& key, int nth, Sample* sample) {
    server_.ClearRequests();
    const std::uint64_t sent = FakeSpeechServer::NowNs();
    program_.Send(key);
    const Request* found = nullptr;
    std::vector<Request> requests;
    server_.WaitUntil(
        [&](const std::vector<Request>& r) {
          int count = 0;
          for (const Request& q : r)
            if (Audible(q) && ++count == nth) return true;
          return false;
        },
        10000);
    requests = server_.Requests();
    int count = 0;
    for (const Request& q : requests)
      if (Audible(q) && ++count == nth) {
        found = &q;
        break;
      }
    if (found == nullptr) return false;
    sample->ms = static_cast<double>(found->atNs - sent) / 1e6;
    sample->said = Said(*found);
    return Quiet();
  }

 private:
  Program& program_;
  FakeSpeechServer& server_;
};

void Report(const char* what, std::vector<Sample> samples) {
  if (samples.empty()) {
    std::printf("%-34s no samples\n", what);
    return;
  }
  std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.ms < b.ms; });
  const double median = samples.size() % 2 == 1 ? samples[samples.size() / 2].ms
                                                 : (samples[samples.size() / 2 - 1].ms + samples[samples.size() / 2].ms) / 2;
  std::printf("%-34s n=%3zu  median %7.1f ms  worst %7.1f ms  (%s)\n", what, samples.size(), median, samples.back().ms,
              samples.back().said.c_str());
}

int Fail(const char* what) {
  std::fprintf(stderr, "speech_latency: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 100;
  int msPerCharacter = 2;
  std::string bin = LEXIV_BIN_DIR;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--count") count = std::max(1, std::atoi(argv[i + 1]));
    else if (option == "--ms-per-character") msPerCharacter = std::max(0, std::atoi(argv[i + 1]));
    else if (option == "--bin") bin = argv[i + 1];
    else return Fail("usage: speech_latency [--count N] [--ms-per-character N] [--bin DIR]");
  }

  lexiv::testing::TempDir home;
  ::mkdir((home.path() / "session").c_str(), 0700);
  FakeSpeechServer server;
  server.SetMsPerCharacter(msPerCharacter);
  if (!server.Start((home.path() / "speechd.sock").string())) return Fail("the speech server stand-in did not start");
  Program program;
  if (!program.Start(bin + "/lexiv", home.path().string(), server.Address())) return Fail("lexiv did not start");
  Session session(program, server);

  const std::string readingPrompt = U8(u8"読み方");
  if (!server.WaitUntil(
          [&](const std::vector<Request>& r) {
            for (const Request& q : r)
              if (q.text.find(readingPrompt) != std::string::npos) return true;
            return false;
          },
          20000) ||
      !session.Quiet())
    return Fail("lexiv did not announce its search box");

  // Searches: Enter in the box, which keeps its reading; Alt+F11 brings the focus back to it.
  program.Send(U8(u8"はし"));
  if (!session.Quiet()) return Fail("typing did not settle");
  std::vector<Sample> searches;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      program.Send("\x1b[23;3~");
      if (!session.Quiet()) return Fail("Alt+F11 did not settle");
    }
    Sample s;
    if (!session.Measure("\r", 1, &s)) return Fail("a search said nothing");
    searches.push_back(s);
  }

  // List moves over the three headwords of はし: Down, Down (onto the last), Up, Up (onto the first).
  std::vector<Sample> moves;
  std::vector<Sample> edgeMoves;
  const char* keys[] = {"\x1b[B", "\x1b[B", "\x1b[A", "\x1b[A"};
  for (int i = 0; static_cast<int>(moves.size()) < count; ++i) {
    const bool edge = i % 2 == 1;
    Sample s;
    // After an edge word, the headword is the second thing said.
    if (!session.Measure(keys[i % 4], edge ? 2 : 1, &s)) return Fail("a list move said nothing");
    (edge ? edgeMoves : moves).push_back(s);
  }

  // Caret moves in the entry: Enter opens it; Right twice, then Left and Right in turn, so the
  // caret stays off the line's start, where Left would say "左端" first.
  program.Send("\r");
  if (!session.Quiet()) return Fail("opening the entry did not settle");
  Sample ignored;
  for (int i = 0; i < 2; ++i)
    if (!session.Measure("\x1b[C", 1, &ignored)) return Fail("a caret move said nothing");
  std::vector<Sample> carets;
  for (int i = 0; i < count; ++i) {
    Sample s;
    if (!session.Measure(i % 2 == 0 ? "\x1b[D" : "\x1b[C", 1, &s)) return Fail("a caret move said nothing");
    carets.push_back(s);
  }

  std::printf("From a key's bytes written to the terminal to the speech server handed the text:\n");
  Report("list move: the headword", moves);
  Report("list move onto an end: headword", edgeMoves);
  Report("caret move in the meaning", carets);
  Report("search: the first announcement", searches);
  return 0;
}
