#include "platform/services/process_launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace lexiv::platform {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLineTest, FollowsTheWindowsRuntimeRules) {
  struct SplitCase {
    const char* commandLine;
    Arguments expected;
  };
  const std::vector<SplitCase> cases = {
      {"editor /ro /endesc", {"editor", "/ro", "/endesc"}},
      {"  editor\t a  ", {"editor", "a"}},
      {"\"C:/Program Files/ed.exe\" /ro \"C:/my docs/a.txt\"", {"C:/Program Files/ed.exe", "/ro", "C:/my docs/a.txt"}},
      {"\"C:\\dir\\\"x", {"C:\\dir\\", "x"}},  // no backslash rule in the program name
      {"p a\\\\\"b c\"", {"p", "a\\b c"}},    // 2n backslashes, then an opening quote
      {"p a\\\\\\\"b", {"p", "a\\\"b"}},      // 2n+1 backslashes give a literal quote
      {"p a\\b\\\\c", {"p", "a\\b\\\\c"}},    // backslashes without a quote are literal
      {"p \"a \"\"b\"\" c\"", {"p", "a \"b\" c"}},
      {"p \"\"", {"p", ""}},
      {"p ab\"c d\"e", {"p", "abc de"}},
      {"p \"\x83\x5C\" x", {"p", "\x83\x5C", "x"}},  // ソ's trail byte is not a backslash
      {"", {}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.commandLine);
    EXPECT_EQ(SplitCommandLine(c.commandLine), c.expected);
  }
  EXPECT_EQ(SplitArguments("/endesc /ro \"a b.txt\""), (Arguments{"/endesc", "/ro", "a b.txt"}));
}

TEST(StartProgramTest, ReportsWhetherTheProgramStarted) {
  EXPECT_EQ(StartProgram({"true"}), 0);
  EXPECT_EQ(StartProgramWithCommandLine("true ignored arguments"), 0);
  EXPECT_EQ(StartProgram({"lexiv-no-such-program"}), -1);
  EXPECT_EQ(StartProgram({"/nonexistent/dir/program"}), -1);
  EXPECT_EQ(StartProgram({}), -1);
  EXPECT_EQ(StartProgramWithCommandLine("   "), -1);
}

// Records what would have been started instead of starting it.
class ShellExecuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReplaceProgramStarter([this](const Arguments& arguments) {
      started_.push_back(arguments);
      return 0;
    });
    std::ofstream(Manual()) << "text";
    std::ofstream(Editor()) << "#!/bin/sh\n";
    ::chmod(Editor().c_str(), 0755);
  }
  void TearDown() override { ReplaceProgramStarter({}); }

  std::string Manual() const { return dir_.dir() + "manual one.txt"; }
  std::string Editor() const { return dir_.dir() + "editor"; }

  testing::TempDir dir_;
  std::vector<Arguments> started_;
};

TEST_F(ShellExecuteTest, StartsProgramsAndOpensDocuments) {
  const std::string quotedManual = "\"" + Manual() + "\"";
  const std::string parameters = "/endesc /ro " + quotedManual;
  struct ShellCase {
    const char* label;
    const char* operation;
    std::string file;
    const char* parameters;
    std::intptr_t result;
    std::vector<Arguments> started;
  };
  const std::vector<ShellCase> cases = {
      {"editor with parameters", nullptr, Editor(), parameters.c_str(), kShellExecuteSucceeded,
       {{Editor(), "/endesc", "/ro", Manual()}}},
      {"document in quotes", nullptr, quotedManual, nullptr, kShellExecuteSucceeded, {{"xdg-open", Manual()}}},
      {"open verb", "open", Manual(), "ignored", kShellExecuteSucceeded, {{"xdg-open", Manual()}}},
      {"program along PATH", nullptr, "sh", "-c true", kShellExecuteSucceeded, {{"sh", "-c", "true"}}},
      {"missing document", nullptr, dir_.dir() + "missing.txt", nullptr, SE_ERR_FNF, {}},
      {"other verb", "print", Manual(), nullptr, SE_ERR_NOASSOC, {}},
      {"no file", nullptr, "", nullptr, SE_ERR_FNF, {}},
  };
  for (const ShellCase& c : cases) {
    SCOPED_TRACE(c.label);
    started_.clear();
    EXPECT_EQ(ShellExecuteA(nullptr, c.operation, c.file.c_str(), c.parameters, nullptr, 1), c.result);
    EXPECT_EQ(started_, c.started);
  }
}

TEST_F(ShellExecuteTest, OpeningAMissingFileStartsNothing) {
  EXPECT_EQ(OpenWithAssociatedProgram(dir_.dir() + "missing.txt"), -1);
  EXPECT_EQ(OpenWithAssociatedProgram(""), -1);
  EXPECT_TRUE(started_.empty());
  EXPECT_EQ(OpenWithAssociatedProgram(Manual()), 0);
  EXPECT_EQ(started_, (std::vector<Arguments>{{"xdg-open", Manual()}}));
}

}  // namespace
}  // namespace lexiv::platform
