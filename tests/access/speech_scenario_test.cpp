#include "access/speech_scenario.h"

#include <optional>

#include "platform/headless/scenario_runner.h"
#include "speech_fixture.h"

namespace lexiv::access {
namespace {

std::string_view Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Enter in the pane announces a headword with its meaning to follow, as the headword list does.
class SpeechScenarioTest : public SpeechTest {
 protected:
  SpeechScenarioTest() {
    deferred.SetMeaningSource([] { return std::optional<std::string>("愛すること"); });
    list.onKeyDown = [this](UINT vk) {
      if (vk != VK_RETURN) return;
      deferred.SetMeaningFollows(1);
      deferred.PostSpeech("1件\xFE" "あい", 1, 0);
    };
    AddSpeechSteps(runner, reader);
  }
  ScenarioRunner runner{driver};
};

TEST_F(SpeechScenarioTest, ScenariosStateWhatWasSaid) {
  const char8_t* scenarios[] = {
      u8"key Enter\nexpect speech 1件␞あい\nexpect speech ␟愛すること\nexpect no speech\n",
      // A key cuts the headword short: the meaning does not follow.
      u8"key Enter\nafter 300 key Down\nexpect speech 1件␞あい\nexpect no speech\n",
      u8"key Down\nexpect no speech\n",
  };
  for (const char8_t* scenario : scenarios) {
    const ScenarioResult result = runner.Run(Utf8(scenario), "inline");
    EXPECT_EQ(result.failures, 0) << result.report;
  }
}

TEST_F(SpeechScenarioTest, AFailureShowsWhatWasSaidAndTheReadersCalls) {
  const struct {
    const char8_t* scenario;
    std::vector<std::string_view> inReport;
  } cases[] = {
      {u8"key Enter\nexpect speech 2件␞あい\n",
       {Utf8(u8"inline:2: expect speech 2件␞あい"), Utf8(u8"said:\n    1件␞あい\n    ␟愛すること"),
        Utf8(u8"reader calls:"), Utf8(u8"VOXAPRead(1件␞あい, 4, 1)")}},
      {u8"key Enter\nexpect no speech\n", {Utf8(u8"said:\n    1件␞あい")}},
      {u8"key Down\nexpect speech あい\n", {Utf8(u8"nothing was said, expected \"あい\"")}},
  };
  for (const auto& c : cases) {
    const ScenarioResult result = runner.Run(Utf8(c.scenario), "inline");
    EXPECT_EQ(result.failures, 1);
    for (std::string_view wanted : c.inReport)
      EXPECT_NE(result.report.find(wanted), std::string::npos) << wanted << "\n" << result.report;
  }
}

TEST(FakeReaderTextTest, SeparatorsAreShownAndReadBack) {
  const struct {
    std::string programText;
    std::string_view shown;
  } cases[] = {
      {"国語辞典\xFE終わり", Utf8(u8"国語辞典␞終わり")},
      {"\xFF意味", Utf8(u8"␟意味")},
      {"ABC", "ABC"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FakeReader::DisplayText(c.programText), c.shown);
    EXPECT_EQ(FakeReader::FromDisplayText(c.shown), c.programText);
  }
  // A lead byte at the end has no character to show.
  EXPECT_EQ(FakeReader::DisplayText("a\x82"), "a\\x82");
}

}  // namespace
}  // namespace lexiv::access
