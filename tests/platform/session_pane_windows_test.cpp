// The window that stands in the session for a tmux pane running none of our programs: one window
// a pane for ever after, its process the program handling a request for it while that lives, and
// gone once one of ours starts in the pane.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/services/process_identity.h"
#include "platform/services/session_table.h"
#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

using platform::ProcessStartTime;
using platform::SessionTable;

// A process that lives until it is killed, to stand for a short-lived handler.
pid_t StartSleeper() {
  const pid_t pid = fork();
  if (pid == 0) {
    pause();
    _exit(0);
  }
  return pid;
}

TEST(SessionPaneWindows, APaneKeepsOneWindowThatOutlivesItsHandlers) {
  TempDir dir;
  auto table = SessionTable::Open(dir.path().string(), nullptr);
  ASSERT_TRUE(table);
  const pid_t handler = StartSleeper();
  const std::uint32_t window = table->ClaimPaneWindow("%7", handler, ProcessStartTime(handler));
  ASSERT_NE(window, 0u);
  auto found = table->FindWindow(window);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->pid, handler);
  EXPECT_EQ(found->pane, "%7");

  // The handler ends: the window stays, with no process behind it.
  kill(handler, SIGKILL);
  waitpid(handler, nullptr, 0);
  table->RemoveDeadMembers();
  found = table->FindWindow(window);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->pid, 0);

  // The next request for the pane gets the same window, handled by its own program.
  const pid_t self = getpid();
  EXPECT_EQ(table->ClaimPaneWindow("%7", self, ProcessStartTime(self)), window);
  EXPECT_EQ(table->FindWindow(window)->pid, self);
  table->ReleasePaneWindow(window);
  EXPECT_EQ(table->FindWindow(window)->pid, 0);
  // Another pane has a window of its own; a pane's window is no program of the session by pid.
  const std::uint32_t other = table->ClaimPaneWindow("%8", self, ProcessStartTime(self));
  EXPECT_NE(other, window);
  EXPECT_FALSE(table->ProgramByPid(self));

  // One of our programs starts in the pane: the pane needs no window of its own any more.
  const int slot = table->Join(self, ProcessStartTime(self), "penra", "%7");
  ASSERT_GE(slot, 0);
  EXPECT_FALSE(table->FindWindow(window));
  EXPECT_TRUE(table->FindWindow(other));
  table->RemovePaneWindow(other);
  EXPECT_FALSE(table->FindWindow(other));
  table->Leave(slot);
}

TEST(SessionPaneWindows, ANameThatDoesNotFitIsRefused) {
  TempDir dir;
  auto table = SessionTable::Open(dir.path().string(), nullptr);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->ClaimPaneWindow("", getpid(), ProcessStartTime(getpid())), 0u);
  EXPECT_EQ(table->ClaimPaneWindow(std::string(40, '%'), getpid(), ProcessStartTime(getpid())), 0u);
}

}  // namespace
}  // namespace lexiv::testing
