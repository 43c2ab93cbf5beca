// A session of its own for each test: a private directory as LEXIV_SESSION_DIR, this test program
// joined to it on the headless driver, and peers (tests/session/session_peer_main.cpp) started
// beside it and killed at the end.
#pragma once

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/headless/headless_driver.h"
#include "support/temp_dir.h"

extern char** environ;

namespace lexiv::testing {

using namespace lexiv::platform;

// Sets LEXIV_SESSION_DIR for the life of the object (before the thread joins).
class SessionDirectoryVariable {
 public:
  explicit SessionDirectoryVariable(const std::string& dir) { setenv("LEXIV_SESSION_DIR", dir.c_str(), 1); }
  ~SessionDirectoryVariable() { unsetenv("LEXIV_SESSION_DIR"); }
};

struct Peer {
  pid_t pid = 0;
  HWND window;
  HWND edit;
};

class SessionTest : public ::testing::Test {
 protected:
  // Joined in the constructor, so that the members of a derived fixture register their message
  // names with the session (a name registered before joining gets a number of its own).
  SessionTest() : joined_(JoinSession("session-test")) {}
  void SetUp() override { ASSERT_TRUE(joined_); }

  ~SessionTest() override {
    for (Peer& peer : peers_) Kill(peer);
  }

  // Starts a peer and waits (at most ten seconds) until its windows exist.
  Peer Start(const std::string& name, std::vector<std::string> extra = {}) {
    const std::string ready = dir_.path().string() + "/" + name + ".ready";
    std::vector<std::string> args = {std::string(LEXIV_BIN_DIR) + "/lexiv-session-peer", "--name", name, "--ready", ready};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    Peer peer;
    if (posix_spawn(&peer.pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
      ADD_FAILURE() << "cannot start " << argv[0];
      return peer;
    }
    peers_.push_back(peer);
    const bool started = WaitFor([&] { return std::ifstream(ready).good(); });
    EXPECT_TRUE(started) << name << " did not start";
    std::ifstream in(ready);
    std::uint32_t window = 0, edit = 0;
    in >> window >> edit;
    peer.window = HWND{window};
    peer.edit = HWND{edit};
    peers_.back() = peer;
    return peer;
  }

  void Kill(Peer& peer) {
    if (peer.pid <= 0) return;
    kill(peer.pid, SIGKILL);
    waitpid(peer.pid, nullptr, 0);
    peer.pid = 0;
    for (Peer& p : peers_)
      if (p.window == peer.window) p.pid = 0;
  }

  // Polls (answering the session meanwhile) until done() holds, for at most limitMs of real time.
  bool WaitFor(const std::function<bool()>& done, std::uint32_t limitMs = 10000) {
    const std::uint64_t until = realTime_.NowMs() + limitMs;
    while (!done()) {
      if (realTime_.NowMs() >= until) return false;
      PumpPending();
      realTime_.Sleep(2);
    }
    return true;
  }

  const std::string& dir() const { return dirName_; }

  TempDir dir_;
  std::string dirName_ = dir_.path().string();
  SessionDirectoryVariable variable_{dirName_};
  HeadlessDriver driver;
  UiThread ui{driver};
  bool joined_;
  SystemClock realTime_;
  std::vector<Peer> peers_;
};

}  // namespace lexiv::testing
