#include "access/speech_library.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "access/fake_reader.h"

namespace lexiv::access {
namespace {

constexpr const char* kNoSuchLibrary = "libnosuchlibrary-lexiv.so";

// Each wrapper, called with arguments that a present entry point would take.
struct WrapperCase {
  const char* entryPoint;
  std::function<ReaderValue()> call;
  bool polled;  // the fake reader counts the call instead of recording it
};

const std::vector<WrapperCase>& Wrappers() {
  static char buffer[16];
  static const std::vector<WrapperCase> cases = {
      {"VOXASetStatus", [] { return VOXASetStatus(0x20002, 5, 0); }, false},
      {"VOXAGetStatus", [] { return VOXAGetStatus(kReaderSwitches, kSwitchActive, 0); }, true},
      {"VOXAGetVStatus", [] { return VOXAGetVStatus(); }, true},
      {"VOXAVoiceGuide", [] { return VOXAVoiceGuide("ﾊﾟｽ", 0); }, false},
      {"VOXACommand", [] { return VOXACommand("SetSpeedToggle", 0, 0); }, false},
      {"VOXAVReset", [] { return VOXAVReset(); }, false},
      {"VOXAStatus", [] { return VOXAStatus(); }, true},
      {"VOXABeep", [] { return VOXABeep(1); }, false},
      {"VOXAGetVersion", [] { return VOXAGetVersion(); }, false},
      {"VOXAEventHook", [] { return VOXAEventHook(0, 0); }, false},
      {"VOXAGetVoiceLog", [] { return VOXAGetVoiceLog(buffer, sizeof buffer); }, false},
      {"VOXAPRead", [] { return VOXAPRead("あ", 4, 1); }, false},
      {"VOXACGuide", [] { return VOXACGuide("あ", 0); }, false},
      {"VOXAPReadEx", [] { return VOXAPReadEx("あ", 4, 1, 0); }, false},
      {"VOXACGuideEx", [] { return VOXACGuideEx("あ", 0, 0); }, false},
      {"CallEvents", [] { return CallEvents(1); }, false},
      {"SetEventBrlCommand", [] { return SetEventBrlCommand("/opt/lexiv/LEXIVBRL.INI"); }, false},
      {"SetEventRoundCommand", [] { return SetEventRoundCommand("/opt/lexiv/LEXIVBRL.INI"); }, false},
      {"BrixStatus", [] { return BrixStatus(); }, false},
      {"BrixSendCommand", [] { return BrixSendCommand("x"); }, false},
      {"BrixGetStatus", [] { return BrixGetStatus(1); }, false},
      {"BrixSetStatus", [] { return BrixSetStatus(1, 2); }, false},
  };
  return cases;
}

TEST(SpeechLibraryTest, EveryWrapperReachesItsEntryPointAndIsANoOpWithoutIt) {
  for (const WrapperCase& c : Wrappers()) {
    SCOPED_TRACE(c.entryPoint);
    {
      FakeReader reader;
      c.call();
      if (c.polled) {
        EXPECT_EQ(reader.PollCount(), 1);
      } else {
        ASSERT_EQ(reader.Calls().size(), 1u);
        EXPECT_EQ(reader.Calls()[0].name, c.entryPoint);
      }

      // A library lacking this entry point: the wrapper does nothing, the others still work.
      reader.Remove({c.entryPoint});
      reader.ClearCalls();
      const int polls = reader.PollCount();
      EXPECT_EQ(c.call(), 0);
      EXPECT_TRUE(reader.Calls().empty());
      EXPECT_EQ(reader.PollCount(), polls);
      VOXAPRead("い", 4, 0);
      if (std::string(c.entryPoint) != "VOXAPRead") {
        EXPECT_EQ(reader.Calls().size(), 1u);
      }
    }
    // No library at all.
    EXPECT_EQ(c.call(), 0);
  }
}

TEST(SpeechLibraryTest, NullTextsAndBuffersNeverReachTheLibrary) {
  FakeReader reader;
  EXPECT_EQ(VOXAPRead(nullptr, 4, 1), 0);
  EXPECT_EQ(VOXACGuide(nullptr, 0), 0);
  EXPECT_EQ(VOXAVoiceGuide(nullptr, 0), 0);
  EXPECT_EQ(VOXACommand(nullptr, 0, 0), 0);
  EXPECT_EQ(SetEventBrlCommand(nullptr), 0);
  char buffer[4];
  EXPECT_EQ(VOXAGetVoiceLog(buffer, 0), 0);
  EXPECT_EQ(VOXAGetVoiceLog(nullptr, 4), 0);
  EXPECT_TRUE(reader.Calls().empty());
}

TEST(SpeechLibraryTest, MissingLibrariesAreReportedEachTimeAndCounted) {
  ResetSpeechBridge();
  EXPECT_EQ(BindSpeechLibraries(kNoSuchLibrary, kNoSuchLibrary), kReaderLibraryMissing | kBrailleLibraryMissing);
  EXPECT_EQ(SpeechUseCount(), 1);
  EXPECT_EQ(VOXAGetStatus(kReaderSwitches, kSwitchActive, 0), 0);
  EXPECT_EQ(BindSpeechLibraries(kNoSuchLibrary, kNoSuchLibrary), kReaderLibraryMissing | kBrailleLibraryMissing);
  EXPECT_EQ(SpeechUseCount(), 2);
  UnbindSpeech();
  UnbindSpeech();
  EXPECT_EQ(SpeechUseCount(), 0);
  UnbindSpeech();  // at 0: nothing happens
  EXPECT_EQ(SpeechUseCount(), 0);
}

TEST(SpeechLibraryTest, ALoadedLibraryIsNotLoadedAgainAndLacksWhatItDoesNotExport) {
  ResetSpeechBridge();
  // A real library without any of the entry points.
  EXPECT_EQ(BindSpeechLibraries("libm.so.6", kNoSuchLibrary), kBrailleLibraryMissing);
  EXPECT_EQ(BindSpeechLibraries(kNoSuchLibrary, kNoSuchLibrary), kBrailleLibraryMissing);
  EXPECT_EQ(VOXAVReset(), 0);
  EXPECT_EQ(BoundSpeechLibrary().VOXAVReset, nullptr);
  ResetSpeechBridge();
}

TEST(SpeechLibraryTest, OnlyTheLastUnbindReleasesTheEntryPoints) {
  FakeReader reader;
  EXPECT_EQ(BindSpeech(), 0);  // installed entry points count as loaded libraries
  EXPECT_EQ(BindSpeech(), 0);
  UnbindSpeech();
  EXPECT_EQ(SpeechUseCount(), 1);
  VOXAVReset();
  EXPECT_EQ(reader.Calls().size(), 1u);
  UnbindSpeech();
  EXPECT_EQ(SpeechUseCount(), 0);
  EXPECT_EQ(VOXAVReset(), 0);
  EXPECT_EQ(reader.Calls().size(), 1u);
}

}  // namespace
}  // namespace lexiv::access
