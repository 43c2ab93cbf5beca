#include "access/speech.h"

#include <functional>

#include "access/reader_callbacks.h"
#include "access/speech_library.h"
#include "platform/core/focus.h"
#include "speech_fixture.h"

namespace lexiv::access {
namespace {

struct RoutineCase {
  const char* name;
  std::function<void()> run;
  std::vector<std::string> transcript;  // with the reader active
  std::uint64_t elapsedMs;
  std::size_t beeps;
};

std::vector<RoutineCase> Routines() {
  return {
      {"Speak", [] { Speak("国語辞典\xFE終わり"); }, {"VOXAVReset()", "VOXAPRead(国語辞典\xFE終わり, 4, 1)"}, 0, 0},
      // The switches are restored to what they were before (5 and 7), index 13 first.
      {"SpeakNow",
       [] { SpeakNow("パス"); },
       {"VOXASetStatus(0x10001, 13, 1)", "VOXASetStatus(0x10001, 9, 1)", "VOXAVReset()", "VOXAPRead(パス, 4, 1)",
        "VOXASetStatus(0x10001, 13, 5)", "VOXASetStatus(0x10001, 9, 7)"},
       200,
       0},
      {"SpeakGuide", [] { SpeakGuide("あい", 0x10000); }, {"VOXACGuide(あい, 65536)"}, 0, 0},
      {"StopSpeech", [] { StopSpeech(); }, {"VOXAVReset()"}, 50, 0},
      {"WaitSpeechEnd", [] { EXPECT_EQ(WaitSpeechEnd(HWND{}), 0u); }, {}, 0, 0},
      {"BeepTimes", [] { BeepTimes(3); }, {}, 150, 3},
  };
}

TEST_F(SpeechTest, RoutinesWithTheReaderActive) {
  for (const RoutineCase& c : Routines()) {
    SCOPED_TRACE(c.name);
    reader.ClearCalls();
    reader.SetSwitch(13, 5);
    reader.SetSwitch(9, 7);
    driver.ClearBeeps();
    const std::uint64_t start = Now();
    c.run();
    EXPECT_EQ(reader.Transcript(), c.transcript) << reader.Report();
    EXPECT_EQ(Now() - start, c.elapsedMs);
    EXPECT_EQ(driver.Beeps().size(), c.beeps);
    for (UINT beep : driver.Beeps()) EXPECT_EQ(beep, 0xFFFFFFFFu);
  }
}

TEST_F(SpeechTest, SpeakNowSaysItsTextAfterThePause) {
  SpeakNow("パス");
  ASSERT_EQ(reader.Calls().size(), 6u);
  EXPECT_EQ(reader.Calls()[3].atMs - reader.Calls()[2].atMs, 200u);
}

TEST_F(SpeechTest, RoutinesDoNothingWithoutAnActiveReader) {
  const std::vector<std::pair<const char*, std::function<void()>>> setups = {
      {"no library", [] { ResetSpeechBridge(); }},
      {"reader not running", [this] { reader.SetActive(false); }},
  };
  for (const auto& [setup, prepare] : setups) {
    prepare();
    for (const RoutineCase& c : Routines()) {
      SCOPED_TRACE(std::string(setup) + ": " + c.name);
      PostMessage(main.hwnd(), WM_USER + 1, 0, 0);
      const std::uint64_t start = Now();
      c.run();
      EXPECT_TRUE(reader.Calls().empty()) << reader.Report();
      EXPECT_EQ(Now(), start);
      EXPECT_TRUE(driver.Beeps().empty());
      EXPECT_EQ(FirstQueued(), WM_USER + 1);  // the queue is left alone
      PumpPending();
    }
  }
}

TEST_F(SpeechTest, WaitSpeechEndStopsOnAKeyAClickOrACloseAndDropsTheRest) {
  const struct {
    const char* name;
    std::function<void()> arrive;  // 300 ms into a text that takes 1000 ms
    UINT result;
    UINT leftQueued;  // the first message waiting afterwards, 0 for none
  } cases[] = {
      {"key for the focused pane", [this] { driver.PressKey("Down"); }, WM_KEYDOWN, WM_KEYDOWN},
      {"left click on the pane", [this] { driver.Click(list.hwnd(), POINT{5, 5}); }, WM_LBUTTONDOWN, WM_LBUTTONDOWN},
      {"close request", [this] { PostMessage(main.hwnd(), WM_CLOSE, 0, 0); }, WM_CLOSE, WM_CLOSE},
      {"quit request", [] { PostQuitMessage(3); }, WM_QUIT, WM_QUIT},
      {"private message", [this] { PostMessage(main.hwnd(), WM_USER + 1, 0, 0); }, 0, 0},
      {"right click", [this] { driver.Click(list.hwnd(), POINT{5, 5}, HeadlessDriver::Button::kRight); }, 0, 0},
      {"key released", [this] { driver.KeyUp(VK_DOWN); }, 0, 0},
      {"thread message", [] { PostMessage(HWND{}, WM_USER + 1, 0, 0); }, 0, WM_USER + 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Speak("長い文");
    const std::uint64_t start = Now();
    driver.ThenAfter(300, c.arrive);
    EXPECT_EQ(WaitSpeechEnd(main.hwnd()), c.result);
    EXPECT_EQ(FirstQueued(), c.leftQueued);
    if (c.result != 0)
      EXPECT_EQ(Now() - start, 300u);
    else
      EXPECT_GE(Now() - start, 1000u);
    EXPECT_TRUE(delivered.empty());  // nothing was handled while waiting
    Msg msg;
    while (PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) {
    }
    VOXAVReset();
  }
}

TEST_F(SpeechTest, ReaderStatusCallbackAnswers) {
  bool focusInMeaning = false;
  SetMeaningViewFocusTest([&focusInMeaning] { return focusInMeaning; });
  const struct {
    int type;
    bool focusInMeaning;
    int handled;
  } cases[] = {{0, true, 0},  {1, false, 1}, {2, true, 0},  {3, false, 1},  {4, false, 1},  {5, false, 1},
               {6, true, 0},  {9, true, 0},  {10, true, 1}, {10, false, 0}, {11, true, 0}, {-1, true, 0}};
  for (const auto& c : cases) {
    focusInMeaning = c.focusInMeaning;
    EXPECT_EQ(ReaderStatusCallback(c.type, 0), c.handled) << "type " << c.type;
  }
  SetMeaningViewFocusTest(nullptr);
  EXPECT_EQ(ReaderStatusCallback(10, 0), 0);
}

TEST_F(SpeechTest, TheReaderReachesTheProgramThroughTheRegisteredCallbacks) {
  RegisterReaderStatusCallback();
  std::vector<std::string> names;
  RegisterReaderCommandCallback([&names](const char* name) {
    names.push_back(name);
    return std::string(name) == "ReadCurAtrb" ? 1 : 0;
  });
  EXPECT_EQ(reader.Transcript(),
            (std::vector<std::string>{"VOXASetStatus(0x20001, &callback, 0)", "VOXASetStatus(0x20004, &callback, 0)"}));
  EXPECT_EQ(reader.CallStatusCallback(3, 0), 1);
  EXPECT_EQ(reader.CallCommandCallback("ReadCurAtrb"), 1);
  EXPECT_EQ(reader.CallCommandCallback("ReadAgain"), 0);
  EXPECT_EQ(names, (std::vector<std::string>{"ReadCurAtrb", "ReadAgain"}));

  UnregisterReaderCommandCallback();
  UnregisterReaderStatusCallback();
  EXPECT_EQ(reader.CallCommandCallback("ReadCurAtrb"), 0);
  EXPECT_EQ(reader.CallStatusCallback(3, 0), 0);
  EXPECT_EQ(ReaderCommandCallback("ReadCurAtrb"), 0);  // the handler went with the registration
}

}  // namespace
}  // namespace lexiv::access
