// The dictionary in a process of its own (lexiv-headless) and this test as the
// other program of the session: the hot-key check and a lookup read this
// process's memory, a second copy brings the first forward and ends, and a
// block left behind by a copy that died is taken over.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lookup/lookup_protocol.h"
#include "lookup/process_block.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/focus.h"
#include "platform/services/file_mapping.h"
#include "platform/services/low_memory.h"
#include "platform/session_fixture.h"

namespace lexiv::testing {
namespace {

using namespace lexiv::lookup;

std::string ReadFile(const std::string &path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A top-level window of this program: the window a lookup names as its sender.
class TestWindow : public Window {};

struct Dictionary {
  pid_t pid = 0;
  HWND window;
  std::string speechLog;
};

class LookupSessionTest : public SessionTest {
protected:
  LookupSessionTest() {
    setenv("LEXIV_REGISTRY_DIR", hives_.path().c_str(), 1);
    std::filesystem::create_directories(productDir_);
  }
  ~LookupSessionTest() override {
    for (Dictionary &d : dictionaries_)
      Stop(d);
    unsetenv("LEXIV_REGISTRY_DIR");
  }

  void SetUp() override {
    SessionTest::SetUp();
    // The program believes it lies in a directory of the test's, where its
    // LEXIV.INI is; the dictionary is the sample one.
    WriteDirectories(productDir_);
    CreateParams params;
    params.text = "sender";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 100, 100};
    ASSERT_TRUE(sender_.Create(params));
  }

  // The dictionary's directories; the hook library is looked for in dllDir.
  void WriteDirectories(const std::string &dllDir) {
    std::ofstream(hives_.path() / "user.reg")
        << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\TKV\\Lexiv\\Directories]"
           "\n\"DicDir\"=\""
        << LEXIV_BIN_DIR << "/Dic/Yomigo/\"\n\"DllDir\"=\"" << dllDir
        << "\"\n";
  }

  void WriteHotKeys(const std::string &text) {
    std::ofstream(productDir_ + "LEXIV.INI") << text;
  }

  // Starts a copy; waits for its window (or for it to end, then window stays
  // null).
  Dictionary StartDictionary(const std::string &name) {
    Dictionary d;
    d.speechLog = dir() + "/" + name + ".voxa";
    const std::string ready = dir() + "/" + name + ".ready";
    setenv("VOXA_LOG", d.speechLog.c_str(), 1);
    std::vector<std::string> args = {std::string(LEXIV_BIN_DIR) +
                                         "/lexiv-headless",
                                     "--ready",
                                     ready,
                                     "--as",
                                     productDir_ + "lexiv",
                                     "/APP"};
    std::vector<char *> argv;
    for (std::string &a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    const int spawned =
        posix_spawn(&d.pid, argv[0], nullptr, nullptr, argv.data(), environ);
    unsetenv("VOXA_LOG");
    if (spawned != 0) {
      ADD_FAILURE() << "cannot start " << argv[0];
      return d;
    }
    dictionaries_.push_back(d);
    int status = 0;
    const bool settled = WaitFor([&] {
      if (std::ifstream(ready).good())
        return true;
      if (waitpid(d.pid, &status, WNOHANG) == d.pid) {
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        dictionaries_.back().pid = d.pid = 0;
        return true;
      }
      return false;
    });
    EXPECT_TRUE(settled) << name << " neither started nor ended";
    if (d.pid != 0)
      d.window = HWND{static_cast<std::uint32_t>(std::stoul(ReadFile(ready)))};
    dictionaries_.back() = d;
    return d;
  }

  void Stop(Dictionary &d) {
    if (d.pid <= 0)
      return;
    kill(d.pid, SIGKILL);
    waitpid(d.pid, nullptr, 0);
    d.pid = 0;
  }

  LRESULT SendToDictionary(const char *name, WPARAM wParam, LPARAM lParam) {
    const HWND window{ProcessBlock::ReadWindowValue()};
    return SendMessage(window, RegisterWindowMessage(name), wParam, lParam);
  }

  bool LogHas(const Dictionary &d, const std::string &text) {
    return WaitFor(
        [&] { return ReadFile(d.speechLog).find(text) != std::string::npos; },
        5000);
  }

  TempDir hives_;
  TempDir product_;
  std::string productDir_ = product_.dir();
  TestWindow sender_;
  std::vector<Dictionary> dictionaries_;
  int exitStatus_ = -1;
};

KeyProbe Probe(std::uint32_t key, std::initializer_list<std::uint32_t> held) {
  KeyProbe probe{};
  probe.virtualKey = key;
  for (const std::uint32_t h : held)
    probe.keyState[h] = 0x80;
  return probe;
}

TEST_F(LookupSessionTest, TheHotKeyCheckReadsTheProbeOutOfTheSendersMemory) {
  WriteHotKeys(
      "[DLLSection]\nModifyKey=CTRL\nSearchKey=F11,F12\nClipSearchKey=F10\n");
  const Dictionary d = StartDictionary("first");
  ASSERT_TRUE(d.window);
  EXPECT_EQ(ProcessBlock::ReadWindowValue(), d.window.value);
  const LPARAM self = static_cast<LPARAM>(GetCurrentProcessId());
  const struct {
    const char *what;
    KeyProbe probe;
    LRESULT command;
  } cases[] = {
      {"Ctrl+F11", Probe(0x7A, {0x11}), 100},
      {"Ctrl+Shift+F12", Probe(0x7B, {0x11, 0x10}), 100},
      {"Ctrl+F10", Probe(0x79, {0x11}), 101},
      {"F11 without Ctrl", Probe(0x7A, {}), 0},
      {"Ctrl+A", Probe(0x41, {0x11}), 0},
  };
  for (const auto &c : cases) {
    KeyProbe probe = c.probe;
    EXPECT_EQ(SendToDictionary(kCheckCommandKeyMessage,
                               reinterpret_cast<WPARAM>(&probe), self),
              c.command)
        << c.what;
  }
  // No hook library in the library directory: no hook handle.
  EXPECT_EQ(SendToDictionary(kGetHookHandleMessage, 0, 0), 0);
}

TEST_F(LookupSessionTest, ALookupIsShownAndSpokenAndTheDictionaryComesForward) {
  const Dictionary d = StartDictionary("first");
  ASSERT_TRUE(d.window);
  SetForegroundWindow(sender_.hwnd());
  const std::string text = "橋を渡る";
  auto *block = static_cast<char *>(
      AllocateBelow4GiB(sizeof(LookupRequest) + text.size() + 1));
  ASSERT_NE(block, nullptr);
  char *textCopy = block + sizeof(LookupRequest);
  std::memcpy(textCopy, text.c_str(), text.size() + 1);
  auto *request = reinterpret_cast<LookupRequest *>(block);
  *request = {static_cast<std::uint32_t>(text.size() + 1), LowAddress(textCopy),
              kCaretText, 0, 0};
  EXPECT_EQ(SendToDictionary(kSearchMessage, reinterpret_cast<WPARAM>(block),
                             ToLParam(sender_.hwnd())),
            0);
  FreeBelow4GiB(block);
  // The speech log is UTF-8.
  EXPECT_TRUE(LogHas(d, "\xE6\xA9\x8B")) << ReadFile(d.speechLog); // 橋
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == d.window; }, 5000));
}

TEST_F(LookupSessionTest, ASecondCopyBringsTheFirstForwardAndEnds) {
  const Dictionary first = StartDictionary("first");
  ASSERT_TRUE(first.window);
  SetForegroundWindow(sender_.hwnd());
  const Dictionary second = StartDictionary("second");
  EXPECT_FALSE(second.window);
  EXPECT_EQ(exitStatus_, 1);
  EXPECT_TRUE(
      WaitFor([&] { return GetForegroundWindow() == first.window; }, 5000));
  EXPECT_EQ(ProcessBlock::ReadWindowValue(), first.window.value);
}

TEST_F(LookupSessionTest, ABlockLeftByACopyThatDiedIsTakenOver) {
  Dictionary first = StartDictionary("first");
  ASSERT_TRUE(first.window);
  // This program keeps the block alive after its maker has gone.
  const HANDLE held = OpenFileMappingA(FILE_MAP_READ, TRUE, kProcessBlockName);
  ASSERT_NE(held, nullptr);
  Stop(first);
  const Dictionary second = StartDictionary("second");
  ASSERT_TRUE(second.window);
  EXPECT_EQ(ProcessBlock::ReadWindowValue(), second.window.value);
  CloseHandle(held);
}


// The whole path with the real hook library: the dictionary installs it, this
// program (any program of the session) loads it on its next key, and the hot key
// pressed in an edit here is captured, read out of this process and looked up.
TEST_F(LookupSessionTest, AHotKeyInAnEditOfAnotherProgramIsLookedUp) {
  WriteDirectories(std::string(LEXIV_BIN_DIR) + "/");
  const Dictionary d = StartDictionary("first");
  ASSERT_TRUE(d.window);
  ASSERT_NE(SendToDictionary(kGetHookHandleMessage, 0, 0), 0)
      << "the dictionary did not install the hook";
  EditControl edit;
  CreateParams child;
  child.text = "橋を渡る";
  child.style = WS_VISIBLE | WS_CHILD | ES_MULTILINE;
  child.parent = sender_.hwnd();
  child.id = 1;
  child.rect = RECT{0, 0, 80, 40};
  ASSERT_TRUE(edit.Create(child));
  SetForegroundWindow(sender_.hwnd());
  SetFocus(edit.hwnd());

  // A key that is no hot key reaches the edit.
  ASSERT_EQ(driver.PressKey("End"), 0);
  ASSERT_EQ(driver.PressKey("Ctrl+Home"), 0);
  PumpPending();
  ASSERT_EQ(driver.PressKey("Ctrl+Shift+F11"), 0);
  EXPECT_TRUE(LogHas(d, "\xE6\xA9\x8B")) << ReadFile(d.speechLog); // 橋
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == d.window; }, 5000));
  // The edit lost neither its text nor its caret, and the hot key typed nothing.
  char text[32] = {};
  GetWindowText(edit.hwnd(), text, sizeof text);
  EXPECT_STREQ(text, "橋を渡る");
  DWORD start = 1, end = 1;
  SendMessage(edit.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
              reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);

  // With the dictionary gone the same key is an ordinary key again.
  Dictionary gone = d;
  Stop(gone);
  SetForegroundWindow(sender_.hwnd());
  SetFocus(edit.hwnd());
  ASSERT_EQ(driver.PressKey("Ctrl+Shift+F11"), 0);
  ASSERT_EQ(driver.PressKey("Shift+End"), 0);
  PumpPending();
  SendMessage(edit.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
              reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 8u) << "keys after the hot key were lost";
}

} // namespace
} // namespace lexiv::testing
