#include "platform/services/help_viewer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/services/process_launcher.h"
#include "support/temp_dir.h"

namespace lexiv::platform {
namespace {

TEST(HelpViewerTest, OpensAnExistingHelpFileAndFailsQuietlyOtherwise) {
  testing::TempDir dir;
  const std::string helpFile = dir.dir() + "付表.HLP";
  std::ofstream(dir.path() / reinterpret_cast<const char*>(u8"付表.HLP")) << "help";
  std::vector<std::vector<std::string>> started;
  ReplaceProgramStarter([&](const std::vector<std::string>& arguments) {
    started.push_back(arguments);
    return 0;
  });

  struct HelpCase {
    const char* label;
    std::string file;
    unsigned int command;
    bool result;
    std::size_t starts;
  };
  const std::vector<HelpCase> cases = {
      {"finder", helpFile, HELP_FINDER, true, 1},
      {"missing file", dir.dir() + "略号・略語表.HLP", HELP_FINDER, false, 0},
      {"quit", helpFile, HELP_QUIT, true, 0},
      {"unknown command", helpFile, 0x0105, false, 0},
  };
  for (const HelpCase& c : cases) {
    SCOPED_TRACE(c.label);
    started.clear();
    EXPECT_EQ(WinHelpA(nullptr, c.file.c_str(), c.command, 0), c.result);
    EXPECT_EQ(started.size(), c.starts);
  }
  EXPECT_FALSE(WinHelpA(nullptr, nullptr, HELP_FINDER, 0));
  ReplaceProgramStarter({});
}

}  // namespace
}  // namespace lexiv::platform
