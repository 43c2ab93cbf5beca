#include "manuals/launch_manual.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "access/dialog_fixture.h"
#include "platform/services/process_launcher.h"
#include "platform/services/registry.h"
#include "support/temp_dir.h"

namespace lexiv::manuals {
namespace {

using namespace lexiv::platform;

void WriteText(HKEY root, const char* name, const std::string& text) {
  HKEY key{};
  ASSERT_EQ(RegCreateKeyExA(root, kEditorDirectoriesKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const auto* data = reinterpret_cast<const BYTE*>(text.c_str());
  EXPECT_EQ(RegSetValueExA(key, name, 0, REG_SZ, data, static_cast<DWORD>(text.size() + 1)), ERROR_SUCCESS);
  RegCloseKey(key);
}

class LaunchManualTest : public access::RegistryFixture {};

TEST_F(LaunchManualTest, TheEditorComesFromTheMachineKeyElseFromTheUserKey) {
  using Value = std::optional<std::string>;
  struct Case {
    const char* what;
    Value machineDir, machineFile, userDir, userFile;
    const char* program;  // empty: the manual goes to its association
  };
  const Case cases[] = {
      {"the machine's editor", "/opt/penra", "penra", "/home/penra", "mine", "/opt/penra/penra"},
      {"a directory with its separator", "/opt/penra/", "penra", {}, {}, "/opt/penra/penra"},
      {"the machine's directory empty: the user's editor", "", "penra", "/home/penra", "mine", "/home/penra/mine"},
      {"the machine's directory missing: the user's file too", {}, "penra", "/home/penra", "mine", "/home/penra/mine"},
      {"the user's key without a file", {}, "penra", "/home/penra", {}, ""},
      {"the machine's key without a file", "/opt/penra", {}, "/home/penra", "mine", ""},
      {"no user key: the machine's file, but no directory", {}, "penra", {}, {}, ""},
      {"nothing registered", {}, {}, {}, {}, ""},
  };
  for (const Case& c : cases) {
    // Each case on hives of its own.
    testing::TempDir hives;
    ::setenv("LEXIV_REGISTRY_DIR", hives.path().c_str(), 1);
    if (c.machineDir) WriteText(HKEY_LOCAL_MACHINE, "ProductDir", *c.machineDir);
    if (c.machineFile) WriteText(HKEY_LOCAL_MACHINE, "ProductFile", *c.machineFile);
    if (c.userDir) WriteText(HKEY_CURRENT_USER, "ProductDir", *c.userDir);
    if (c.userFile) WriteText(HKEY_CURRENT_USER, "ProductFile", *c.userFile);

    const ManualOpenCommand command = ManualOpenCommandFor("/usr/lib/lexiv/Manual/1-start.txt");
    if (*c.program != '\0') {
      EXPECT_EQ(command.program, c.program) << c.what;
      EXPECT_EQ(command.parameters, "/endesc /ro \"/usr/lib/lexiv/Manual/1-start.txt\"") << c.what;
    } else {
      EXPECT_EQ(command.program, "\"/usr/lib/lexiv/Manual/1-start.txt\"") << c.what;
      EXPECT_EQ(command.parameters, "") << c.what;
    }
  }
}

// Program starts recorded instead of made.
class LaunchManualStartTest : public access::RegistryFixture {
 protected:
  LaunchManualStartTest() {
    ReplaceProgramStarter([this](const std::vector<std::string>& arguments) {
      started_.push_back(arguments);
      return startResult_;
    });
    std::filesystem::create_directories(manualDir());
    std::ofstream(manualPath()) << "手引き\n";
  }
  ~LaunchManualStartTest() override { ReplaceProgramStarter({}); }

  std::string manualDir() const { return (files_.path() / "manual files").string(); }
  std::string manualPath() const { return manualDir() + "/1-start.txt"; }
  // An executable registered as the machine's editor.
  std::string RegisterEditor() {
    const std::string program = (files_.path() / "penra").string();
    std::ofstream(program) << "#!/bin/sh\n";
    ::chmod(program.c_str(), 0755);
    WriteText(HKEY_LOCAL_MACHINE, "ProductDir", files_.path().string());
    WriteText(HKEY_LOCAL_MACHINE, "ProductFile", "penra");
    return program;
  }

  testing::TempDir files_;
  std::vector<std::vector<std::string>> started_;
  int startResult_ = 0;
};

TEST_F(LaunchManualStartTest, TheEditorGetsTheManualReadOnlyAsOneArgumentWhateverItsPathHolds) {
  const std::string editor = RegisterEditor();
  EXPECT_TRUE(LaunchManual(manualPath()));
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0], (std::vector<std::string>{editor, "/endesc", "/ro", manualPath()}));

  startResult_ = -1;
  EXPECT_FALSE(LaunchManual(manualPath())) << "an editor that could not be started";
}

TEST_F(LaunchManualStartTest, WithoutAnEditorTheManualGoesToItsAssociation) {
  EXPECT_TRUE(LaunchManual(manualPath()));
  ASSERT_EQ(started_.size(), 1u);
  EXPECT_EQ(started_[0], (std::vector<std::string>{"xdg-open", manualPath()}));

  EXPECT_FALSE(LaunchManual(manualDir() + "/missing.txt"));
  EXPECT_EQ(started_.size(), 1u) << "nothing is started for a manual that is not there";
}

}  // namespace
}  // namespace lexiv::manuals
