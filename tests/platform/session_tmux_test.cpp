// The foreground across programs in tmux panes: bringing another program's window forward
// selects its pane, and the session's foreground follows.
#include <unistd.h>

#include "platform/core/focus.h"
#include "platform/services/outside_command.h"
#include "session/peer_messages.h"
#include "session_fixture.h"

namespace lexiv::testing {
namespace {

class SessionInTmux : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    if (!RunOutsideCommand({"tmux", "-V"}, 5000)) GTEST_SKIP() << "no tmux";
  }
  ~SessionInTmux() override { Tmux({"kill-server"}); }

  std::optional<std::string> Tmux(std::vector<std::string> args) {
    args.insert(args.begin(), {"tmux", "-L", socket_, "-f", "/dev/null"});
    return RunOutsideCommand(args, 5000);
  }
  std::string ActivePane() {
    auto pane = Tmux({"display", "-p", "#{pane_id}"});
    return pane ? pane->substr(0, pane->find('\n')) : std::string();
  }
  // A peer in a new pane of the tmux session (the first makes the session); its pane id.
  std::string StartInPane(const std::string& name, Peer* peer) {
    const std::string ready = dir() + "/" + name + ".ready";
    const std::string command = "exec env LEXIV_SESSION_DIR=" + dir() + " " + LEXIV_BIN_DIR + "/lexiv-session-peer --name " +
                                name + " --ready " + ready;
    std::optional<std::string> pane;
    if (!started_) {
      pane = Tmux({"new-session", "-d", "-P", "-F", "#{pane_id}", "-s", "s", "-x", "80", "-y", "24", command});
      started_ = true;
    } else {
      pane = Tmux({"split-window", "-P", "-F", "#{pane_id}", "-t", "s", command});
    }
    EXPECT_TRUE(pane.has_value());
    EXPECT_TRUE(WaitFor([&] { return access(ready.c_str(), F_OK) == 0; })) << name << " did not start";
    std::ifstream in(ready);
    std::uint32_t window = 0, edit = 0;
    in >> window >> edit;
    peer->window = HWND{window};
    peer->edit = HWND{edit};
    return pane ? pane->substr(0, pane->find('\n')) : std::string();
  }

  std::string socket_ = "lexiv-session-" + std::to_string(getpid());
  bool started_ = false;
  UINT front = PeerMessages{}.front;
};

TEST_F(SessionInTmux, BringingAnotherProgramForwardSelectsItsPane) {
  Peer a, b;
  const std::string paneA = StartInPane("alpha", &a);
  const std::string paneB = StartInPane("beta", &b);
  ASSERT_FALSE(paneA.empty());
  ASSERT_FALSE(paneB.empty());
  // split-window made beta's pane the active one.
  EXPECT_EQ(ActivePane(), paneB);
  EXPECT_EQ(SendMessage(b.window, front, ToWParam(a.window), 0), TRUE);
  EXPECT_EQ(ActivePane(), paneA);
  EXPECT_EQ(GetForegroundWindow(), a.window);
  EXPECT_EQ(SendMessage(a.window, front, ToWParam(b.window), 0), TRUE);
  EXPECT_EQ(ActivePane(), paneB);
  EXPECT_EQ(GetForegroundWindow(), b.window);
}

}  // namespace
}  // namespace lexiv::testing
