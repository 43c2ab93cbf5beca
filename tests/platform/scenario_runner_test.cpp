#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "headless_fixture.h"
#include "platform/headless/scenario_runner.h"
#include "sample_program.h"

namespace lexiv::testing {
namespace {

// The sample program on its own thread, with its windows named for scenarios.
struct SampleSession {
  SampleSession() {
    EXPECT_TRUE(frame.CreateSample());
    runner.NameWindow("frame", frame.hwnd());
    runner.NameWindow("label", frame.label());
    runner.NameWindow("pad", frame.pad());
    runner.NameWindow("status", frame.status());
  }
  HeadlessDriver driver;
  UiThread ui{driver};
  SampleFrame frame;
  ScenarioRunner runner{driver};
};

// Scenario text in tests is written as UTF-8, like the files.
std::string_view Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(ScenarioRunnerTest, SampleScenariosPass) {
  const std::filesystem::path dir = std::filesystem::path(LEXIV_SOURCE_DIR) / "tests/scenarios/sample";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  ASSERT_FALSE(files.empty());
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    SampleSession session;
    const ScenarioResult result = session.runner.RunFile(file.string());
    EXPECT_EQ(result.failures, 0) << result.report;
  }
}

TEST(ScenarioRunnerTest, AFailureNamesItsLineAndShowsTheScreen) {
  SampleSession session;
  session.runner.AddReport([] { return std::string("speech:\n  (none)\n"); });
  const ScenarioResult result = session.runner.Run(
      Utf8(u8"key Ctrl+G\n\n# comment\nexpect text label さようなら\nkey Ctrl+G\n"), "inline");
  EXPECT_EQ(result.failures, 1);
  const std::string report = result.report;
  for (std::string_view wanted : {Utf8(u8"inline:4: expect text label さようなら"),
                                  Utf8(u8"\"こんにちは\", expected \"さようなら\""),
                                  Utf8(u8"SampleLabel #1 \"こんにちは\""), Utf8(u8"speech:")})
    EXPECT_NE(report.find(wanted), std::string::npos) << wanted << "\n" << report;
}

TEST(ScenarioRunnerTest, BadLinesAreReportedBeforeAnythingRuns) {
  struct Case {
    const char* script;
    const char* error;
  };
  const Case cases[] = {
      {"key Ctrl+G\nwiggle mouse\n", "inline:2: unknown step: wiggle mouse"},
      {"key Ctrl+Hyper\n", "unknown key \"Ctrl+Hyper\""},
      {"advance soon\n", "advance needs milliseconds"},
      {"after soon key Escape\n", "after needs milliseconds and a step"},
      {"expect text nowhere x\n", "no window named \"nowhere\""},
  };
  for (const Case& c : cases) {
    SampleSession session;
    const ScenarioResult result = session.runner.Run(c.script, "inline");
    EXPECT_EQ(result.failures, 1) << c.script;
    EXPECT_NE(result.report.find(c.error), std::string::npos) << result.report;
    EXPECT_EQ(WindowText(session.frame.label()), "") << c.script;  // nothing before the bad line ran either
  }
}

TEST(ScenarioRunnerTest, StepsAfterTheProgramEndsAreReported) {
  SampleSession session;
  const ScenarioResult result = session.runner.Run("key Alt+F End Enter\nexpect text label\n", "inline");
  EXPECT_EQ(result.failures, 1);
  EXPECT_NE(result.report.find("inline:2: the program ended before this step"), std::string::npos) << result.report;
  EXPECT_FALSE(IsWindow(session.frame.hwnd()));
}

}  // namespace
}  // namespace lexiv::testing
