// Programs of one session: handles, classes and texts of another program's windows, synchronous
// sends with their copied buffers, nested and simultaneous sends, dead and hung receivers.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/controls/edit_messages.h"
#include "platform/services/program_log.h"
#include "platform/services/process_identity.h"
#include "session/peer_messages.h"
#include "session_fixture.h"

namespace lexiv::testing {
namespace {

using Messages = PeerMessages;

// This program's own window: answers PEER_ECHO and keeps the notes peers send it.
class TestWindow final : public Window {
 public:
  explicit TestWindow(const Messages& m) : m_(m) {
    CreateParams p;
    p.text = "test";
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = RECT{0, 0, 100, 100};
    Create(p);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == m_.echo) return static_cast<LRESULT>(wParam) + lParam;
    if (message == m_.note) {
      notes.push_back(static_cast<LRESULT>(wParam));
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
  std::vector<LRESULT> notes;

 private:
  const Messages& m_;
};

using Session = SessionTest;

TEST_F(Session, AnotherProgramsWindowsAnswerForTheirClassTextAndOwner) {
  const Peer peer = Start("alpha", {"--text", "line one\r\nline two"});
  ASSERT_TRUE(IsWindow(peer.window));
  EXPECT_EQ(ClassNameOf(peer.window), "LexivPeer");
  EXPECT_EQ(ClassNameOf(peer.edit), "Edit");
  char shortName[4];
  EXPECT_EQ(GetClassName(peer.window, shortName, sizeof shortName), 3);
  EXPECT_STREQ(shortName, "Lex");
  DWORD pid = 0;
  GetWindowThreadProcessId(peer.window, &pid);
  EXPECT_EQ(pid, static_cast<DWORD>(peer.pid));
  EXPECT_EQ(IsWindowUnicode(peer.edit), FALSE);
  EXPECT_NE(GetWindowLong(peer.window, GWL_WNDPROC), 0);
  EXPECT_EQ(WindowText(peer.window), "alpha");
  EXPECT_EQ(WindowText(peer.edit), "line one\r\nline two");

  // Handles are the session's: ours never collide with the peer's.
  TestWindow mine{Messages{}};
  EXPECT_NE(mine.hwnd(), peer.window);
  EXPECT_NE(mine.hwnd(), peer.edit);
  EXPECT_FALSE(IsWindow(HWND{peer.edit.value + 100000}));
}

TEST_F(Session, SendsCarryFullWidthParametersAndCopyBuffersBothWays) {
  const Messages m;
  const Peer peer = Start("alpha");
  EXPECT_EQ(SendMessage(peer.window, m.echo, 40, 2), 42);
  const WPARAM wide = WPARAM{1} << 40;
  EXPECT_EQ(SendMessage(peer.window, m.echo, wide, -5), static_cast<LRESULT>(wide) - 5);

  // Text in and out.
  EXPECT_TRUE(SetWindowText(peer.edit, "abc\r\ndefg"));
  char text[5];
  EXPECT_EQ(GetWindowText(peer.edit, text, sizeof text), 4);
  EXPECT_STREQ(text, "abc\r");
  // The selection through both DWORDs.
  SendMessage(peer.edit, EM_SETSEL, 1, 7);
  DWORD start = 99, end = 99;
  const LRESULT packed = SendMessage(peer.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 7u);
  EXPECT_EQ(packed, MAKELPARAM(1, 7));
  // A line into a buffer whose first word is its capacity: only that much comes back.
  char line[8] = {};
  const WORD capacity = 3;
  std::memcpy(line, &capacity, sizeof capacity);
  EXPECT_EQ(SendMessage(peer.edit, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 3);
  EXPECT_EQ(std::string(line, 3), "def");
  EXPECT_EQ(line[3], '\0');
  // A data block.
  char bytes[] = {1, 2, 3};
  COPYDATASTRUCT block{100, sizeof bytes, bytes};
  EXPECT_EQ(SendMessage(peer.window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&block)), 106);
  // A message whose parameter would be a pointer in our memory is not sent at all.
  EXPECT_EQ(SendMessage(peer.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(bytes)), 0);
  EXPECT_FALSE(PostMessage(peer.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("posted")));
}

TEST_F(Session, RegisteredMessagesHaveOneNumberPerNameForTheWholeSession) {
  const Messages m;
  EXPECT_GE(m.echo, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("peer_echo"), m.echo);
  EXPECT_NE(RegisterWindowMessage("PEER_ECHO2"), m.echo);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
  // The peer registered the same names in its own order; it answers ours.
  const Peer peer = Start("alpha");
  EXPECT_EQ(SendMessage(peer.window, RegisterWindowMessage("Peer_Echo"), 1, 2), 3);
}

TEST_F(Session, AReceiverSendingBackToAWaitingSenderIsAnswered) {
  const Messages m;
  TestWindow mine{m};
  const Peer peer = Start("alpha");
  // The peer sends PEER_ECHO to us while we wait for its reply.
  EXPECT_EQ(SendMessage(peer.window, m.call, ToWParam(mine.hwnd()), 5), 5 + 1 + 1000);
}

TEST_F(Session, TwoProgramsSendingToEachOtherAtOnceDoNotDeadlock) {
  const Messages m;
  TestWindow mine{m};
  const Peer a = Start("alpha");
  const Peer b = Start("beta");
  const std::uint64_t at = realTime_.NowMs() + 200;
  const WPARAM asker = static_cast<WPARAM>(mine.hwnd().value) << 32;
  ASSERT_TRUE(PostMessage(a.window, m.at, asker | b.window.value, static_cast<LPARAM>(at)));
  ASSERT_TRUE(PostMessage(b.window, m.at, asker | a.window.value, static_cast<LPARAM>(at)));
  ASSERT_TRUE(WaitFor([&] { return mine.notes.size() == 2; }));
  EXPECT_EQ(mine.notes, (std::vector<LRESULT>{7, 7}));
}

TEST_F(Session, ADeadReceiverAnswersZeroAndItsHandlesAreNoWindows) {
  const Messages m;
  Peer peer = Start("alpha");
  const std::string socket = dir() + "/p" + std::to_string(peer.pid) + ".sock";
  ASSERT_TRUE(std::ifstream(socket).good() || access(socket.c_str(), F_OK) == 0);
  Kill(peer);
  EXPECT_EQ(SendMessage(peer.window, m.echo, 1, 2), 0);
  EXPECT_FALSE(IsWindow(peer.window));
  EXPECT_FALSE(IsWindow(peer.edit));
  EXPECT_EQ(ClassNameOf(peer.window), "");
  EXPECT_FALSE(PostMessage(peer.window, m.echo, 1, 2));
  // The dead program's socket went with its records.
  EXPECT_NE(access(socket.c_str(), F_OK), 0);
  // A program started after it never gets its handles again.
  const Peer next = Start("beta");
  EXPECT_NE(next.window, peer.window);
  EXPECT_GT(next.window.value, peer.edit.value);
}

TEST_F(Session, AHungReceiverTimesOutAndItsLateReplyIsNotTakenForTheNext) {
  const Messages m;
  const UINT check = RegisterWindowMessage("WLKP_CHECKCMDKEY");  // a one-second time-out
  EXPECT_EQ(SendTimeoutFor(check), 1000u);
  EXPECT_EQ(SendTimeoutFor(RegisterWindowMessage("WLKPCNT_SEARCH")), 10000u);
  EXPECT_EQ(SendTimeoutFor(m.echo), 5000u);
  const Peer peer = Start("alpha");
  EXPECT_EQ(SendMessage(peer.window, check, 0, 0), 55);
  ASSERT_TRUE(PostMessage(peer.window, m.hang, 0, 2500));
  ASSERT_TRUE(WaitFor([&] { return access((dir() + "/alpha.ready.hung").c_str(), F_OK) == 0; }));
  EXPECT_EQ(SendMessage(peer.window, check, 0, 0), 0);
  // Once it answers again, each send gets its own reply, not the late one.
  ASSERT_TRUE(WaitFor([&] { return SendMessage(peer.window, m.echo, 20, 1) == 21; }));
  EXPECT_EQ(SendMessage(peer.window, check, 0, 0), 55);
  EXPECT_EQ(SendMessage(peer.window, m.echo, 30, 1), 31);
}

TEST_F(Session, PostedMessagesCrossAndEndAProgram) {
  const Messages m;
  Peer peer = Start("alpha");
  ASSERT_TRUE(PostMessage(peer.window, m.quit, 0, 0));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(peer.window); }));
  int status = -1;
  ASSERT_EQ(waitpid(peer.pid, &status, 0), peer.pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  peer.pid = 0;
  peers_.front().pid = 0;
}

// Joining refuses a directory that others could reach; the program carries on alone.
TEST(SessionDirectory, OneOpenToOthersIsRefusedAndTheProgramRunsAlone) {
  TempDir dir;
  chmod(dir.path().c_str(), 0755);
  SessionDirectoryVariable variable{dir.path().string()};
  HeadlessDriver driver;
  UiThread ui{driver};
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(JoinSession("lonely"));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("open to other users"), std::string::npos) << said;
  EXPECT_FALSE(InSession());
  EXPECT_GE(RegisterWindowMessage("LONELY"), 0xC000u);
  TestWindow window{Messages{}};
  EXPECT_TRUE(IsWindow(window.hwnd()));
}

TEST(SessionDirectory, ATableOfAnotherLayoutIsRefusedNotOverwritten) {
  TempDir dir;
  const std::string table = dir.path().string() + "/session.table";
  { std::ofstream(table) << "not a session table"; }
  SessionDirectoryVariable variable{dir.path().string()};
  HeadlessDriver driver;
  UiThread ui{driver};
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(JoinSession("lonely"));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("session.table"), std::string::npos) << said;
  std::ifstream in(table);
  std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, "not a session table");
  // The reason is in the program's log too.
  std::ifstream log(dir.path().string() + "/lonely.log");
  std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  EXPECT_NE(logged.find("session.table"), std::string::npos);
}

TEST(ProcessIdentity, AProcessIsItsPidAndStartTimeTogether) {
  const std::uint64_t start = ProcessStartTime(getpid());
  EXPECT_NE(start, 0u);
  EXPECT_TRUE(ProcessIsAlive(getpid(), start));
  EXPECT_FALSE(ProcessIsAlive(getpid(), start + 1));
  EXPECT_EQ(ProcessStartTime(0), 0u);
  EXPECT_EQ(ProcessStartTime(-1), 0u);
}

}  // namespace
}  // namespace lexiv::testing
