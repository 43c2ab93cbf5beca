// The real library with VOXA_LOG: each call comes back as one line, and the status values are
// handed back for restoring.
#include <algorithm>
#include <functional>

#include "voxa_library.h"

namespace lexiv::testing {
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct LogCase {
  const char* what;
  std::function<void(VoxaFunctions&)> call;
  std::string line;  // UTF-8
};

TEST_F(VoxaLogTest, EachCallIsOneLine) {
  const LogCase cases[] = {
      {"phrase separator", [](VoxaFunctions& v) { v.PRead("国語辞典\xFE終わり", 4, 1); }, U8(u8"VOXAPRead\t国語辞典␞終わり\t4\t1")},
      {"pause mark", [](VoxaFunctions& v) { v.PRead("\xFF見出し語", 4, 0); }, U8(u8"VOXAPRead\t␟見出し語\t4\t0")},
      {"escapes", [](VoxaFunctions& v) { v.PRead("a\r\nb\tc\\d", 4, 1); }, "VOXAPRead\ta\\r\\nb\\tc\\\\d\t4\t1"},
      {"half-width katakana", [](VoxaFunctions& v) { v.VoiceGuide("ﾊﾟｽ", 0); }, U8(u8"VOXAVoiceGuide\tﾊﾟｽ\t0")},
      {"guide mode in decimal", [](VoxaFunctions& v) { v.CGuide("語", 0x10000); }, U8(u8"VOXACGuide\t語\t65536")},
      {"carriage return guide", [](VoxaFunctions& v) { v.CGuide("\r", 0); }, "VOXACGuide\t\\r\t0"},
      {"broken lead byte", [](VoxaFunctions& v) { v.PRead("\x82", 4, 1); }, U8(u8"VOXAPRead\t\uFFFD\t4\t1")},
      {"status kind and value in hex",
       [](VoxaFunctions& v) { v.SetStatus(0x20002, 0x6080101, 0); }, "VOXASetStatus\t0x20002\t0x6080101\t0"},
      {"option index in decimal", [](VoxaFunctions& v) { v.SetStatus(0x10001, 13, 1); }, "VOXASetStatus\t0x10001\t13\t0x1"},
      {"reset", [](VoxaFunctions& v) { v.VReset(); }, "VOXAVReset"},
      {"command", [](VoxaFunctions& v) { v.Command("NoSuchCommand", 0, 0); }, "VOXACommand\tNoSuchCommand\t0\t0"},
      {"extended read", [](VoxaFunctions& v) { v.PReadEx("x", 4, 1, 7); }, "VOXAPReadEx\tx\t4\t1\t7"},
      {"beep", [](VoxaFunctions& v) { v.Beep(2); }, "VOXABeep\t2"},
  };
  for (const LogCase& c : cases) {
    ClearLog();
    c.call(*voxa);
    EXPECT_EQ(LogLines(), std::vector<std::string>{c.line}) << c.what;
  }
}

TEST_F(VoxaLogTest, PollingCallsAreNotLogged) {
  EXPECT_EQ(voxa->GetStatus(0x10001, 28, 0), 1) << "VOXA_LOG makes the reader active";
  EXPECT_EQ(voxa->Status(), 1);
  EXPECT_EQ(voxa->GetVStatus(), 0) << "speech into the log takes no time";
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(VoxaLogTest, WithoutLogOrServerTheReaderIsInactive) {
  ::unsetenv("VOXA_LOG");
  const char* address = ::getenv("SPEECHD_ADDRESS");
  const std::string saved = address != nullptr ? address : "";
  ::setenv("SPEECHD_ADDRESS", ("unix_socket:" + (dir_.path() / "no-server").string()).c_str(), 1);
  // A connection made by an earlier test would still count; this process has none unless a
  // server ran at the default address.
  if (voxa->GetStatus(0x10001, 28, 0) == 0) {
    EXPECT_EQ(voxa->Status(), 0);
  }
  if (address != nullptr) ::setenv("SPEECHD_ADDRESS", saved.c_str(), 1); else ::unsetenv("SPEECHD_ADDRESS");
}

TEST_F(VoxaLogTest, SetStatusHandsBackThePreviousValueForRestoring) {
  // The program's own sequence: start-up, then the find dialog inside the about box's value
  // and back, then SpeakNow's two options saved and restored.
  struct Step {
    VoxaValue kind, value, extra, previous;
  };
  const VoxaValue before = voxa->GetStatus(0x20002, 0, 0);
  voxa->SetStatus(0x10001, 13, 0);  // the library is shared with the other tests
  voxa->SetStatus(0x10001, 9, 0);
  const Step steps[] = {
      {0x20002, 0x6080101, 0, before},
      {0x20002, 0xFFFF, 0, 0x6080101},
      {0x20002, 0x6080100, 0, 0xFFFF},
      {0x20002, 0xFFFF, 0, 0x6080100},
      {0x20002, 0x6080101, 0, 0xFFFF},
      {0x10001, 13, 1, 0},
      {0x10001, 9, 1, 0},
      {0x10001, 13, 0, 1},
      {0x10001, 9, 0, 1},
      {0x10001, 28, 0, 1},  // the active test is not changed by a set
  };
  for (const Step& s : steps) EXPECT_EQ(voxa->SetStatus(s.kind, s.value, s.extra), s.previous) << std::hex << s.kind << " " << s.value;
  EXPECT_EQ(voxa->GetStatus(0x20002, 0, 0), 0x6080101);
  EXPECT_EQ(voxa->GetStatus(0x10001, 28, 0), 1);
}

TEST_F(VoxaLogTest, ReadAgainRepeatsTheLastTextAndTheVoiceLogHoldsIt) {
  voxa->PRead("見出し語\xFE" "3件", 4, 1);
  ClearLog();
  EXPECT_EQ(voxa->Command("ReadAgain", 0, 0), 1);
  const std::vector<std::string> expected{"VOXACommand\tReadAgain\t0\t0", U8(u8"Reader\t見出し語␞3件")};
  EXPECT_EQ(LogLines(), expected);

  char small[6];
  EXPECT_EQ(voxa->GetVoiceLog(small, sizeof small), 4) << "cut before a character that does not fit";
  EXPECT_EQ(std::string(small), "見出");
}

TEST_F(VoxaLogTest, ReaderCommandsAnswerInTheirOwnWords) {
  struct CommandCase {
    std::function<void(VoxaFunctions&)> before;
    const char* command;
    std::string said;
  };
  const CommandCase cases[] = {
      {[](VoxaFunctions& v) { v.CGuide("あ", 0); }, "ReadCurAtrb", U8(u8"Reader\t全角 ひらがな␞あ")},
      {[](VoxaFunctions& v) { v.CGuide("A", 0); }, "ReadCurAtrb", U8(u8"Reader\t半角 英大文字␞A")},
      {[](VoxaFunctions& v) { v.CGuide("漢", 0); }, "ReadCurAtrb", U8(u8"Reader\t漢字 第一水準␞漢")},
  };
  for (const CommandCase& c : cases) {
    c.before(*voxa);
    ClearLog();
    EXPECT_EQ(voxa->Command(c.command, 0, 0), 1);
    EXPECT_EQ(LogLinesOf("Reader"), std::vector<std::string>{c.said}) << c.command;
  }
  // The speech rate goes round its five steps.
  ClearLog();
  for (int i = 0; i < 5; ++i) voxa->Command("SetSpeedToggle", 0, 0);
  std::vector<std::string> said = LogLinesOf("Reader");
  std::sort(said.begin(), said.end());
  EXPECT_EQ(said, (std::vector<std::string>{U8(u8"Reader\t速さ 1"), U8(u8"Reader\t速さ 2"), U8(u8"Reader\t速さ 3"), U8(u8"Reader\t速さ 4"),
                                            U8(u8"Reader\t速さ 5")}));
}

}  // namespace
}  // namespace lexiv::testing
