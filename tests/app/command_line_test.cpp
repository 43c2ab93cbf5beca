#include "app/command_line.h"

#include <gtest/gtest.h>

namespace lexiv {
namespace {

TEST(CommandLineTest, AnOptionCountsOnlyAsTheWholeRestOfTheLine) {
  struct Case {
    const char* line;
    bool app;
    bool minimize;
  };
  const Case cases[] = {
      {"lexiv", false, false},
      {"lexiv /MINIMIZE", false, true},
      {"lexiv /APP", true, false},
      {"lexiv /APP /MINIMIZE", false, true},
      {"lexiv /MINIMIZE /APP", true, false},
      {"lexiv /MINIMIZE ", false, false},
      {"lexiv /minimize", false, false},
      {"lexiv  /APP", true, false},
      {"lexiv /APPX", false, false},
      {"/APP", true, false},
      {"漢字 /APP", true, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    const CommandLineOptions options = ParseCommandLine(c.line);
    EXPECT_EQ(options.suppressAnnouncement, c.app) << c.line;
    EXPECT_EQ(options.minimize, c.minimize) << c.line;
  }
}

TEST(CommandLineTest, ArgumentsJoinWithSingleSpaces) {
  const char* argv[] = {"lexiv", "/APP", "/MINIMIZE"};
  EXPECT_EQ(JoinCommandLine(3, argv), "lexiv /APP /MINIMIZE");
  EXPECT_EQ(JoinCommandLine(0, argv), "");
}

}  // namespace
}  // namespace lexiv
