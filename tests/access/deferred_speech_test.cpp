#include "access/deferred_speech.h"

#include <optional>

#include "access/speech.h"
#include "access/speech_library.h"
#include "platform/core/focus.h"
#include "platform/core/window_functions.h"
#include "speech_fixture.h"

namespace lexiv::access {
namespace {

const std::string kMeaningError = kMeaningErrorText;

TEST_F(SpeechTest, ANewerPostReplacesOneNotYetSpoken) {
  deferred.PostSpeech("一件目", 1, 1);
  deferred.PostSpeech("二件目", 1, 1);
  deferred.PostSpeechWithGuide("あい", "愛", 0x10000);
  deferred.PostSpeechWithGuide("かき", "柿", 0x10000);
  driver.Run();
  EXPECT_EQ(reader.SpokenTexts(), (std::vector<std::string>{"二件目", "かき", "柿"})) << reader.Report();
  EXPECT_FALSE(deferred.speakPending());
  EXPECT_FALSE(deferred.guidePending());
  EXPECT_TRUE(deferred.speakText().empty());
  EXPECT_TRUE(deferred.guideHeadText().empty());
  EXPECT_TRUE(deferred.guideText().empty());
}

TEST_F(SpeechTest, TheHeadwordIsSaidAtOnceAndTheGuideTextAfterIt) {
  deferred.PostSpeechWithGuide("あい", "愛", 0x10000);
  driver.Run();
  const std::vector<std::string> transcript = reader.Transcript();
  ASSERT_EQ(transcript.size(), 7u) << reader.Report();
  EXPECT_EQ(transcript[3], "VOXAPRead(あい, 4, 1)");
  EXPECT_EQ(transcript[6], "VOXACGuide(愛, 65536)");
  // The guide text waits until the headword has been said.
  EXPECT_GE(reader.Calls()[6].atMs - reader.Calls()[3].atMs, 1000u);
}

// Both kinds pending at once keep their own texts.
TEST_F(SpeechTest, TheTwoKindsDoNotShareTheirTexts) {
  deferred.PostSpeech("読み方\xFE" "あい", 0, 1);
  deferred.PostSpeechWithGuide("1件\xFE" "あい", "愛", 0x10000);
  driver.Run();
  EXPECT_EQ(reader.SpokenTexts(), (std::vector<std::string>{"読み方\xFE" "あい", "1件\xFE" "あい", "愛"}))
      << reader.Report();
}

TEST_F(SpeechTest, AnAnnouncementForTheForegroundWaitsWhileAnotherApplicationIsInFront) {
  const struct {
    const char* name;
    bool mainInFront;
    LPARAM lParam;
    bool spoken;
  } cases[] = {
      {"in front, foreground only", true, 0, true},
      {"behind, foreground only", false, 0, false},
      {"behind, regardless", false, 1, true},
  };
  const HWND other = CreateForeignWindow("other");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reader.ClearCalls();
    SetForegroundWindow(c.mainInFront ? main.hwnd() : other);
    deferred.PostSpeech("見出し語がありません", 0, c.lParam);
    driver.Run();
    EXPECT_EQ(reader.SpokenTexts().size(), c.spoken ? 1u : 0u) << reader.Report();
    EXPECT_EQ(deferred.speakPending(), !c.spoken);
    EXPECT_EQ(deferred.speakText(), c.spoken ? "" : "見出し語がありません");
  }
  // The kept text is replaced by the next post, which is spoken once the dictionary is in front.
  SetForegroundWindow(main.hwnd());
  reader.ClearCalls();
  deferred.PostSpeech("読み方", 0, 0);
  driver.Run();
  EXPECT_EQ(reader.SpokenTexts(), (std::vector<std::string>{"読み方"})) << reader.Report();
  EXPECT_FALSE(deferred.speakPending());
}

TEST_F(SpeechTest, TheMeaningFollowsAHeadwordHeardToTheEnd) {
  std::optional<std::string> meaning = "意味の本文";
  deferred.SetMeaningSource([&meaning] { return meaning; });
  const struct {
    const char* name;
    bool focusInList;
    DWORD meaningFollows;
    bool meaningIsError;
    bool keyDuringHeadword;
    bool guideKind;
    std::vector<std::string> spoken;
  } cases[] = {
      {"meaning", true, 1, false, false, false, {"あい", "\xFF意味の本文"}},
      {"error instead of an entry", true, 1, true, false, false, {"あい", "\xFF" + kMeaningError}},
      {"after a headword with its guide text", true, 1, false, false, true, {"あい", "愛", "\xFF意味の本文"}},
      {"flag not set", true, 0, false, false, false, {"あい"}},
      {"focus elsewhere", false, 1, false, false, false, {"あい"}},
      {"key during the headword", true, 1, false, true, false, {"あい"}},
      {"key during the headword, guide", true, 1, false, true, true, {"あい"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reader.ClearCalls();
    delivered.clear();
    SetFocus(c.focusInList ? list.hwnd() : main.hwnd());
    PumpPending();
    meaning = c.meaningIsError ? std::nullopt : std::optional<std::string>("意味の本文");
    deferred.SetMeaningFollows(c.meaningFollows);
    if (c.guideKind)
      deferred.PostSpeechWithGuide("あい", "愛", 0x10000);
    else
      deferred.PostSpeech("あい", 1, 0);
    if (c.keyDuringHeadword) driver.ThenAfter(500, [this] { driver.PressKey("Down"); });
    driver.Run();
    EXPECT_EQ(reader.SpokenTexts(), c.spoken) << reader.Report();
    EXPECT_EQ(deferred.meaningFollows(), 0u);
    // The key that interrupted is handled afterwards.
    const bool keyHandled = std::find(delivered.begin(), delivered.end(), Delivered{"list", WM_KEYDOWN}) != delivered.end();
    EXPECT_EQ(keyHandled, c.keyDuringHeadword);
  }
}

TEST_F(SpeechTest, SpeechInterruptedWatchesTheMainWindowsMessages) {
  const struct {
    const char* name;
    UINT message;
    bool interrupted;
    std::vector<Delivered> handledMeanwhile;
  } cases[] = {
      {"key", WM_KEYDOWN, true, {}},
      {"system key", WM_SYSKEYDOWN, true, {}},
      {"system command", WM_SYSCOMMAND, true, {}},
      {"left click", WM_LBUTTONDOWN, true, {}},
      {"close", WM_CLOSE, true, {}},
      {"paint", WM_PAINT, false, {{"main", WM_PAINT}}},
      {"show", WM_SHOWWINDOW, false, {{"main", WM_SHOWWINDOW}}},
      {"anything else", WM_USER + 1, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Speak("長い文");
    delivered.clear();
    reader.ClearCalls();
    const std::uint64_t start = Now();
    PostMessage(main.hwnd(), c.message, 0, 0);
    EXPECT_EQ(deferred.SpeechInterrupted(), c.interrupted);
    EXPECT_EQ(delivered, c.handledMeanwhile);
    if (c.interrupted) {
      EXPECT_EQ(FirstQueued(), c.message);
      EXPECT_EQ(reader.Transcript(), (std::vector<std::string>{"VOXAVReset()"}));  // speech stopped
      EXPECT_LT(Now() - start, 1000u);
    } else {
      EXPECT_EQ(FirstQueued(), 0u);
      EXPECT_GE(Now() - start, 1000u);
    }
    Msg msg;
    while (PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) {
    }
  }
}

TEST_F(SpeechTest, WithoutTheReaderNothingIsSaidOrAwaited) {
  ResetSpeechBridge();
  PostMessage(main.hwnd(), WM_USER + 1, 0, 0);
  const std::uint64_t start = Now();
  EXPECT_FALSE(deferred.SpeechInterrupted());
  EXPECT_EQ(Now(), start);
  EXPECT_EQ(FirstQueued(), WM_USER + 1);

  deferred.SetMeaningSource([] { return std::optional<std::string>("意味"); });
  deferred.SetMeaningFollows(1);
  deferred.PostSpeech("あい", 1, 0);
  deferred.PostSpeech("かき", 1, 0);
  deferred.PostSpeechWithGuide("あい", "愛", 0x10000);
  driver.Run();
  EXPECT_TRUE(reader.Calls().empty());
  EXPECT_FALSE(deferred.speakPending());
  EXPECT_FALSE(deferred.guidePending());
  EXPECT_EQ(deferred.meaningFollows(), 0u);
}

TEST_F(SpeechTest, CancelledAnnouncementsAreNeverSaid) {
  deferred.PostSpeech("あい", 1, 1);
  deferred.PostSpeechWithGuide("あい", "愛", 0x10000);
  PostQuitMessage(0);
  deferred.CancelQueued();
  EXPECT_FALSE(deferred.speakPending());
  EXPECT_FALSE(deferred.guidePending());
  EXPECT_EQ(driver.Run(), 0);  // the quit request survived the clean-up
  EXPECT_TRUE(reader.SpokenTexts().empty()) << reader.Report();
}

}  // namespace
}  // namespace lexiv::access
