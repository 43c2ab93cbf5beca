// The services that programs of one session share: named blocks seen by every program and gone
// with their last holder, memory read from a peer during its send (and refused outside the
// session), the clipboard, programs started in tmux windows, and what stays per process (atoms).
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/services/clipboard.h"
#include "platform/services/desktop_clipboard.h"
#include "platform/services/file_mapping.h"
#include "platform/services/local_atoms.h"
#include "platform/services/outside_command.h"
#include "platform/services/process_identity.h"
#include "platform/services/process_launcher.h"
#include "platform/services/process_memory.h"
#include "platform/services/system_errors.h"
#include "platform/core/program_on_terminal.h"
#include "session/peer_messages.h"
#include "session_fixture.h"

namespace lexiv::testing {
namespace {


constexpr const char* kBlock = "LexivTestBlock";

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Sets or clears an environment variable for the life of the object, putting the old value back.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~EnvironmentVariable() {
    if (old_)
      setenv(name_.c_str(), old_->c_str(), 1);
    else
      unsetenv(name_.c_str());
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// No desktop clipboard and no tmux reach the tests that do not ask for one.
struct NoDesktop {
  EnvironmentVariable tmux{"TMUX", nullptr};
  EnvironmentVariable wayland{"WAYLAND_DISPLAY", nullptr};
  EnvironmentVariable display{"DISPLAY", nullptr};
};

// A tmux server of the test's own (tmux -L NAME), killed at the end; TMUX points at it, so the
// programs that look for "the tmux they run in" find this one.
class PrivateTmux {
 public:
  explicit PrivateTmux(const std::string& name) : name_(name) {
    started_ = Tmux({"new-session", "-d", "-x", "80", "-y", "24", "sleep 600"}).Succeeded();
    if (!started_) return;
    const OutsideCommandResult socket = Tmux({"display-message", "-p", "#{socket_path},#{pid},0"});
    std::string value = socket.output.substr(0, socket.output.find('\n'));
    variable_.emplace("TMUX", value.c_str());
  }
  ~PrivateTmux() {
    variable_.reset();
    Tmux({"kill-server"});
  }
  bool started() const { return started_; }
  OutsideCommandResult Tmux(std::vector<std::string> arguments, std::string_view input = {}) const {
    arguments.insert(arguments.begin(), {"tmux", "-L", name_});
    return RunOutsideCommand(arguments, input, true, 5000);
  }
  int Windows() const {
    const std::string list = Tmux({"list-windows", "-F", "#{window_id}"}).output;
    return static_cast<int>(std::count(list.begin(), list.end(), '\n'));
  }

 private:
  std::string name_;
  bool started_ = false;
  std::optional<EnvironmentVariable> variable_;
};

std::string TmuxName() { return "lexiv-test-" + std::to_string(getpid()) + "-" + std::to_string(std::rand()); }

using SharedServices = SessionTest;

TEST_F(SharedServices, ANamedBlockIsSeenByBothProgramsAndGoesWithItsLastHolder) {
  const ServiceMessages m;
  const Peer peer = Start("alpha");
  SetLastError(0);
  HANDLE mine = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4, kBlock);
  ASSERT_TRUE(mine);
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  auto* view = static_cast<DWORD*>(MapViewOfFile(mine, FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(*view, 0u);
  *view = 0x1234;
  const std::string file = SharedBlockPath(dir(), kBlock);
  EXPECT_TRUE(Exists(file));

  // The peer's CreateFileMappingA finds ours, and each sees what the other writes.
  EXPECT_EQ(SendMessage(peer.window, m.blockCreate, 4, 0), 2);
  EXPECT_EQ(SendMessage(peer.window, m.blockRead, 0, 0), 0x1234);
  EXPECT_EQ(SendMessage(peer.window, m.blockWrite, 0x5678, 0), 1);
  EXPECT_EQ(*view, 0x5678u);

  // Closing the handle keeps the block while our view lives; the peer keeps it after both.
  EXPECT_TRUE(CloseHandle(mine));
  EXPECT_FALSE(CloseHandle(mine));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_FALSE(UnmapViewOfFile(view));
  EXPECT_TRUE(Exists(file));
  HANDLE reader = OpenFileMappingA(FILE_MAP_READ, TRUE, kBlock);
  ASSERT_TRUE(reader);
  const auto* read = static_cast<const DWORD*>(MapViewOfFile(reader, FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(*read, 0x5678u);
  // A handle opened for reading gives no view to write through.
  EXPECT_EQ(MapViewOfFile(reader, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  UnmapViewOfFile(read);
  CloseHandle(reader);

  // With the last holder's close the block is gone: its file, and the name.
  EXPECT_EQ(SendMessage(peer.window, m.blockClose, 0, 0), 1);
  EXPECT_FALSE(Exists(file));
  EXPECT_FALSE(OpenFileMappingA(FILE_MAP_READ, TRUE, kBlock));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(SendMessage(peer.window, m.blockOpen, 0, 0), 0);
}

TEST_F(SharedServices, ABlockWhoseLastHolderWasKilledIsMadeAfreshByTheNextCreate) {
  const ServiceMessages m;
  Peer alpha = Start("alpha");
  Peer beta = Start("beta");
  ASSERT_EQ(SendMessage(alpha.window, m.blockCreate, 4, 0), 1);
  ASSERT_EQ(SendMessage(alpha.window, m.blockWrite, 77, 0), 1);
  ASSERT_EQ(SendMessage(beta.window, m.blockOpen, 0, 0), 1);

  // One holder killed: the other still holds the block, and it is found as it stands.
  Kill(alpha);
  HANDLE found = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4, kBlock);
  ASSERT_TRUE(found);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  auto* view = static_cast<DWORD*>(MapViewOfFile(found, FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(*view, 77u);
  UnmapViewOfFile(view);
  CloseHandle(found);

  // The last holder killed: nobody holds it. The first program to notice removes its file, and
  // the next create makes a new, zeroed block.
  Kill(beta);
  const std::string file = SharedBlockPath(dir(), kBlock);
  EXPECT_TRUE(Exists(file));
  EXPECT_FALSE(IsWindow(beta.window));
  EXPECT_FALSE(Exists(file));
  EXPECT_FALSE(OpenFileMappingA(FILE_MAP_READ, TRUE, kBlock));
  SetLastError(0);
  HANDLE fresh = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8, kBlock);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  view = static_cast<DWORD*>(MapViewOfFile(fresh, FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view[0], 0u);
  EXPECT_EQ(view[1], 0u);
  // A program started now finds this one.
  const Peer gamma = Start("gamma");
  EXPECT_EQ(SendMessage(gamma.window, m.blockCreate, 4, 0), 2);
  UnmapViewOfFile(view);
  CloseHandle(fresh);
}

// Our window answers PEER_LOOKUP as the dictionary answers a lookup: it reads the request and its
// text out of the sender while the sender waits.
class LookupWindow final : public Window {
 public:
  explicit LookupWindow(const ServiceMessages& m) : m_(m) {
    CreateParams p;
    p.text = "reader";
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = RECT{0, 0, 100, 100};
    Create(p);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != m_.lookup) return Window::WindowProc(message, wParam, lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(HwndFromParam(lParam), &pid);
    HANDLE process = OpenProcess(PROCESS_VM_READ, TRUE, pid);
    if (!process) return -1;
    std::uint32_t request[5] = {};
    std::size_t got = 99;
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(wParam), request, sizeof request, &got)) {
      CloseHandle(process);
      return -1;
    }
    EXPECT_EQ(got, sizeof request);
    std::string buffer(request[0], '\0');
    const bool read = ReadProcessMemory(process, reinterpret_cast<const void*>(std::uintptr_t{request[1]}), buffer.data(),
                                        buffer.size(), &got);
    // An address the sender does not have: the read fails and nothing crashes.
    std::size_t none = 99;
    char byte = 0;
    unreadable = !ReadProcessMemory(process, reinterpret_cast<const void*>(std::uintptr_t{16}), &byte, 1, &none) && none == 0;
    CloseHandle(process);
    if (!read) return -1;
    text = buffer.c_str();
    mode = request[2];
    return 0;
  }
  std::string text;
  std::uint32_t mode = 0;
  bool unreadable = false;

 private:
  const ServiceMessages& m_;
};

TEST_F(SharedServices, AProgramReadsTheMemoryOfAPeerWhileItsSendWaits) {
  const ServiceMessages m;
  LookupWindow mine{m};
  const Peer peer = Start("alpha");
  EXPECT_EQ(SendMessage(peer.window, m.lookupMe, ToWParam(mine.hwnd()), 0), 0);
  EXPECT_EQ(mine.text, "ピア text");
  EXPECT_EQ(mine.mode, 1u);
  EXPECT_TRUE(mine.unreadable);

  // Our own memory, as the hook inside the dictionary reads it.
  HANDLE self = OpenProcess(PROCESS_VM_READ, TRUE, static_cast<DWORD>(getpid()));
  ASSERT_TRUE(self);
  const char mineText[] = "自分";
  char copy[sizeof mineText] = {};
  std::size_t got = 0;
  EXPECT_TRUE(ReadProcessMemory(self, mineText, copy, sizeof copy, &got));
  EXPECT_STREQ(copy, mineText);
  CloseHandle(self);

  // A handle opened for a peer reads nothing once the peer is gone.
  Peer beta = Start("beta");
  HANDLE dying = OpenProcess(PROCESS_VM_READ, TRUE, static_cast<DWORD>(beta.pid));
  ASSERT_TRUE(dying);
  Kill(beta);
  got = 99;
  EXPECT_FALSE(ReadProcessMemory(dying, mineText, copy, 1, &got));
  EXPECT_EQ(got, 0u);
  CloseHandle(dying);
  EXPECT_FALSE(OpenProcess(PROCESS_VM_READ, TRUE, static_cast<DWORD>(beta.pid)));
}

// A process outside the session: it runs, but never joined.
class Stranger {
 public:
  explicit Stranger(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = 0;
  }
  ~Stranger() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = 0;
};

TEST_F(SharedServices, OpenProcessRefusesEveryProcessOutsideTheSession) {
  Stranger child({"sleep", "30"});
  ASSERT_GT(child.pid(), 0);
  ASSERT_TRUE(WaitFor([&] { return ProcessStartTime(child.pid()) != 0; }));
  EXPECT_FALSE(OpenProcess(PROCESS_VM_READ, TRUE, static_cast<DWORD>(child.pid())));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(OpenProcess(PROCESS_VM_READ, TRUE, 0));
  EXPECT_FALSE(OpenProcess(PROCESS_VM_READ, TRUE, 0x7FFFFFF0));
}

TEST_F(SharedServices, OpenProcessRefusesAProcessOfAnotherUserEvenToRoot) {
  if (!CommandIsAvailable("setpriv") || getuid() != 0) GTEST_SKIP() << "needs root and setpriv to start a process as nobody";
  Stranger other({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "sleep", "30"});
  if (other.pid() <= 0 || !WaitFor([&] { return ProcessOwner(other.pid()) > 0; }, 3000))
    GTEST_SKIP() << "no process could be started as nobody";
  EXPECT_FALSE(OpenProcess(PROCESS_VM_READ, TRUE, static_cast<DWORD>(other.pid())));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(SharedServices, TheClipboardCrossesProgramsBothWays) {
  const NoDesktop alone;
  const ServiceMessages m;
  const Peer peer = Start("alpha");
  ASSERT_TRUE(OpenClipboard(HWND{}));
  EmptyClipboard();
  ASSERT_TRUE(SetClipboardData(CF_TEXT, "辞書 one"));
  CloseClipboard();
  EXPECT_EQ(SendMessage(peer.window, m.clipGet, 0, 0), static_cast<LRESULT>(std::strlen("辞書 one")));
  EXPECT_EQ(ReadAll(dir() + "/alpha.ready.clip"), "辞書 one");

  ASSERT_EQ(SendMessage(peer.window, m.clipSet, 2, 0), 1);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  ASSERT_TRUE(OpenClipboard(HWND{}));
  const char* text = GetClipboardData(CF_TEXT);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "ピア 2");
  // Emptied here, it is empty there.
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(SendMessage(peer.window, m.clipGet, 0, 0), -1);
}

TEST_F(SharedServices, TheClipboardIsExchangedWithTmuxAndTheNewestTextWins) {
  if (!CommandIsAvailable("tmux")) GTEST_SKIP() << "tmux is not installed";
  EnvironmentVariable wayland{"WAYLAND_DISPLAY", nullptr};
  EnvironmentVariable display{"DISPLAY", nullptr};
  // A peer outside tmux: what it sets stays in the session.
  std::optional<Peer> outside;
  {
    EnvironmentVariable tmux{"TMUX", nullptr};
    outside = Start("outside");
  }
  PrivateTmux tmux(TmuxName());
  ASSERT_TRUE(tmux.started());
  EXPECT_EQ(ReachableDesktopClipboard(), DesktopClipboard::kTmux);
  const ServiceMessages m;

  // Set here: tmux has it too, in UTF-8 with its own line ends.
  ASSERT_TRUE(OpenClipboard(HWND{}));
  ASSERT_TRUE(SetClipboardData(CF_TEXT, "共有\r\nline"));
  CloseClipboard();
  EXPECT_EQ(tmux.Tmux({"save-buffer", "-"}).output, reinterpret_cast<const char*>(u8"共有\nline"));

  // Changed in tmux: the desktop's text is newer and wins, here and in the peer.
  ASSERT_TRUE(tmux.Tmux({"set-buffer", reinterpret_cast<const char*>(u8"外から")}).Succeeded());
  ASSERT_TRUE(OpenClipboard(HWND{}));
  ASSERT_NE(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_STREQ(GetClipboardData(CF_TEXT), "外から");
  CloseClipboard();
  EXPECT_EQ(SendMessage(outside->window, m.clipGet, 0, 0), static_cast<LRESULT>(std::strlen("外から")));

  // Set in a program that cannot reach tmux: tmux still holds what was last exchanged, so the
  // session's own text stands.
  ASSERT_EQ(SendMessage(outside->window, m.clipSet, 3, 0), 1);
  EXPECT_EQ(ClipboardText(), "ピア 3");
  EXPECT_EQ(tmux.Tmux({"save-buffer", "-"}).output, reinterpret_cast<const char*>(u8"外から"));
}

TEST_F(SharedServices, APlatformProgramStartedInTmuxOpensInANewWindowOfTheSession) {
  if (!CommandIsAvailable("tmux")) GTEST_SKIP() << "tmux is not installed";
  PrivateTmux tmux(TmuxName());
  ASSERT_TRUE(tmux.started());
  ASSERT_EQ(tmux.Windows(), 1);
  const std::string ready = dir() + "/started.ready";
  // Named as a Windows program would name it: the extension is looked for without.
  const std::string parameters = "--name started --ready " + ready;
  EXPECT_EQ(ShellExecuteA(HWND{}, nullptr, "lexiv-session-peer.exe", parameters.c_str(), nullptr, 1), kShellExecuteSucceeded);
  EXPECT_EQ(tmux.Windows(), 2);
  // It joined this session: it got LEXIV_SESSION_DIR from us, not from the tmux server.
  ASSERT_TRUE(WaitFor([&] { return Exists(ready); }));
  std::uint32_t window = 0;
  std::ifstream(ready) >> window;
  EXPECT_EQ(ClassNameOf(HWND{window}), "LexivPeer");
  PostMessage(HWND{window}, RegisterWindowMessage("PEER_QUIT"), 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(HWND{window}); }));
  // Programs that are not ours start as before, with no window.
  EXPECT_EQ(FindPlatformProgram("sh"), "");
  EXPECT_EQ(FindPlatformProgram("lexiv-session-peer"), PlatformProgramDirectory() + "lexiv-session-peer");
}

TEST_F(SharedServices, AProgramOnOurTerminalIsWaitedForWhileWeAnswerTheSession) {
  const ServiceMessages m;
  // Our window answers PEER_ECHO, which the started program sends before it ends.
  class EchoWindow final : public Window {
   public:
    explicit EchoWindow(UINT echo) : echo_(echo) {
      CreateParams p;
      p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
      p.rect = RECT{0, 0, 10, 10};
      Create(p);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == echo_) return static_cast<LRESULT>(wParam) + lParam;
      return Window::WindowProc(message, wParam, lParam);
    }

   private:
    UINT echo_;
  } mine{PeerMessages{}.echo};
  const std::string ready = dir() + "/borrower.ready";
  EXPECT_EQ(RunProgramOnThisTerminal({std::string(LEXIV_BIN_DIR) + "/lexiv-session-peer", "--name", "borrower", "--ready",
                                      ready, "--call", std::to_string(mine.hwnd().value)}),
            0);
  EXPECT_EQ(ReadAll(ready + ".call"), "11\n");
  EXPECT_EQ(RunProgramOnThisTerminal({"lexiv-no-such-program"}), -1);
}

TEST_F(SharedServices, AtomsArePerProcess) {
  const ServiceMessages m;
  const Peer peer = Start("alpha");
  const LRESULT theirs = SendMessage(peer.window, m.atomAdd, 0, 0);
  EXPECT_GE(theirs, 0xC000);
  EXPECT_EQ(FindAtomA("LexivPeerAtom"), 0);
}

}  // namespace
}  // namespace lexiv::testing
