// Commands of the desktop run with a time-out, and text in the desktop's spelling.
#include "platform/services/outside_command.h"

#include <gtest/gtest.h>

#include <time.h>

#include <cstdlib>

#include "platform/services/desktop_clipboard.h"

namespace lexiv::platform {
namespace {

TEST(OutsideCommand, RunsWithItsInputAndReportsHowItEnded) {
  const OutsideCommandResult echoed = RunOutsideCommand({"cat"}, "text\n", true, 5000);
  EXPECT_TRUE(echoed.Succeeded());
  EXPECT_EQ(echoed.output, "text\n");
  const OutsideCommandResult failing = RunOutsideCommand({"sh", "-c", "exit 3"}, {}, false, 5000);
  EXPECT_TRUE(failing.finished);
  EXPECT_EQ(failing.exitStatus, 3);
  EXPECT_FALSE(RunOutsideCommand({"lexiv-no-such-tool"}, "x", true, 5000).Succeeded());
  // A tool that stops reading at once does not end this program with SIGPIPE.
  EXPECT_TRUE(RunOutsideCommand({"true"}, std::string(1 << 20, 'x'), false, 5000).finished);
  EXPECT_TRUE(CommandIsAvailable("sh"));
  EXPECT_FALSE(CommandIsAvailable("lexiv-no-such-tool"));
}

TEST(OutsideCommand, AHungToolIsKilledAtItsTimeOut) {
  const time_t before = time(nullptr);
  // The shell's child keeps the output open: the whole group must go.
  const OutsideCommandResult hung = RunOutsideCommand({"sh", "-c", "sleep 30 & sleep 30"}, {}, true, 200);
  EXPECT_FALSE(hung.finished);
  EXPECT_LT(time(nullptr) - before, 10);
}

TEST(DesktopClipboard, TextCrossesInTheDesktopsSpelling) {
  EXPECT_EQ(DesktopSpelling("辞書\r\n二行"), reinterpret_cast<const char*>(u8"辞書\n二行"));
  EXPECT_EQ(ProgramSpelling(reinterpret_cast<const char*>(u8"辞書\n二行\r\n")), "辞書\r\n二行\r\n");
  EXPECT_EQ(ProgramSpelling(DesktopSpelling("a\r\nb")), "a\r\nb");
}

TEST(DesktopClipboard, NoneIsReachedWithoutItsVariables) {
  const char* names[] = {"TMUX", "WAYLAND_DISPLAY", "DISPLAY"};
  std::vector<std::pair<std::string, std::string>> saved;
  for (const char* name : names) {
    if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
    unsetenv(name);
  }
  EXPECT_EQ(ReachableDesktopClipboard(), DesktopClipboard::kNone);
  EXPECT_FALSE(ReadDesktopClipboard().has_value());
  EXPECT_FALSE(WriteDesktopClipboard("x"));
  for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace
}  // namespace lexiv::platform
