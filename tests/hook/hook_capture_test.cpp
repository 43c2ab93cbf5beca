// The hook's keyboard procedure in a program of its own, with a stand-in dictionary in another
// process (lexiv-lookup-recorder: F11 is the caret lookup, F12 the clipboard lookup) that logs
// what reaches it, read out of this program as the dictionary reads it.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hook/keyboard_hook.h"
#include "hook/text_capture.h"
#include "penra/ryx_edit_control.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/edit_messages.h"
#include "platform/controls/list_box.h"
#include "platform/controls/rich_edit_control.h"
#include "platform/core/focus.h"
#include "platform/core/input_context.h"
#include "platform/services/clipboard.h"
#include "platform/services/local_atoms.h"
#include "platform/session_fixture.h"

namespace lexiv::testing {
namespace {

constexpr WPARAM kF11 = 0x7A, kF12 = 0x7B;
constexpr LPARAM kKeyUp = LPARAM{1} << 31;

std::string Hex(const std::string& bytes) {
  std::string hex;
  char two[3];
  for (const unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02X", c);
    hex += two;
  }
  return hex.empty() ? "-" : hex;
}

class Top : public Window {};
// A control of any class name, for the classes the hook does not read.
class NamedControl : public Window {
 public:
  explicit NamedControl(std::string name) : name_(std::move(name)) {}
  std::string_view ClassName() const override { return name_; }

 private:
  std::string name_;
};

class HookCaptureTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    CreateParams params;
    params.text = "editor";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 320, 200};
    ASSERT_TRUE(top_.Create(params));
    SetForegroundWindow(top_.hwnd());
  }
  void TearDown() override {
    if (recorder_ > 0) {
      kill(recorder_, SIGKILL);
      waitpid(recorder_, nullptr, 0);
    }
  }

  void StartRecorder() {
    const std::string ready = dir() + "/recorder.ready";
    std::vector<std::string> args = {std::string(LEXIV_BIN_DIR) + "/lexiv-lookup-recorder", "--ready", ready,
                                     "--log", log_};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ASSERT_EQ(posix_spawn(&recorder_, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    ASSERT_TRUE(WaitFor([&] { return std::ifstream(ready).good(); }));
  }

  template <typename Control>
  Control& Focus(Control& control, const char* text, DWORD style = ES_MULTILINE) {
    CreateParams child;
    child.text = text;
    child.style = WS_VISIBLE | WS_CHILD | style;
    child.parent = top_.hwnd();
    child.id = 1;
    child.rect = RECT{0, 0, 200, 100};
    EXPECT_TRUE(control.Create(child));
    SetFocus(control.hwnd());
    return control;
  }

  std::vector<std::string> Log() const {
    std::ifstream in(log_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The lines after the key check.
  std::vector<std::string> Requests() const {
    std::vector<std::string> lines;
    for (const std::string& line : Log())
      if (line.rfind("CHECK", 0) != 0) lines.push_back(line);
    return lines;
  }
  std::string Search(DWORD mode, std::size_t size, HWND window, const std::string& text) const {
    return "SEARCH " + std::to_string(mode) + " " + std::to_string(size) + " " + std::to_string(window.value) + " " +
           Hex(text);
  }
  static std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  Top top_;
  pid_t recorder_ = 0;
  std::string log_ = dir() + "/recorder.log";
};

TEST_F(HookCaptureTest, KeysThatAreNoHotKeysPassOn) {
  StartRecorder();
  EditControl edit;
  Focus(edit, "abc");
  EXPECT_EQ(hook::KeyboardProc(0, 'A', 0), 0);               // offered, not a hot key
  EXPECT_EQ(hook::KeyboardProc(0, kF11, kKeyUp), 0);         // going up
  EXPECT_EQ(hook::KeyboardProc(-1, kF11, 0), 0);             // a negative code
  EXPECT_EQ(Log(), std::vector<std::string>{"CHECK 65"});
  EXPECT_TRUE(Requests().empty());
}

TEST_F(HookCaptureTest, TheAtomSwitchesHotKeysOffInThisProgramOnly) {
  StartRecorder();
  EditControl edit;
  Focus(edit, "abc");
  const ATOM atom = AddAtomA("TKV_WLKPCNT_SEARCHKEY");
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 0);
  EXPECT_TRUE(Log().empty());
  DeleteAtomA(atom);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(HookCaptureTest, WithoutTheDictionaryEveryKeyPassesOn) {
  EditControl edit;
  Focus(edit, "abc");
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 0);
  EXPECT_EQ(hook::KeyboardProc(0, kF12, 0), 0);
}

TEST_F(HookCaptureTest, AnEditWithoutSelectionSendsTheTextAfterTheCaretAndPutsTheCaretBack) {
  StartRecorder();
  EditControl edit;
  Focus(edit, "abc");
  SendMessage(edit.hwnd(), EM_SETSEL, 0, 0);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  // The request's size is the text's with its NUL (only the clipboard's is always 41).
  EXPECT_EQ(Requests(), std::vector<std::string>{Search(1, 4, top_.hwnd(), "abc")});
  EXPECT_EQ(Selection(edit.hwnd()), std::make_pair(DWORD{0}, DWORD{0}));
}

TEST_F(HookCaptureTest, ATwoLineSelectionIsJoinedInAnEditAndCutAtTheBreakInARichEdit) {
  StartRecorder();
  EditControl edit;
  Focus(edit, "ab\r\ncd");
  SendMessage(edit.hwnd(), EM_SETSEL, 0, 6);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  RichEditControl rich;
  Focus(rich, "ab\r\ncd", 0);
  SendMessage(rich.hwnd(), EM_SETSEL, 0, 6);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  EXPECT_EQ(Requests(), (std::vector<std::string>{Search(0, 5, top_.hwnd(), "abcd"), Search(0, 3, top_.hwnd(), "ab")}));
  EXPECT_EQ(Selection(rich.hwnd()), std::make_pair(DWORD{0}, DWORD{6}));
}

TEST_F(HookCaptureTest, ASelectionLongerThanARequestCarriesIsCutOnACharacterBoundary) {
  StartRecorder();
  std::string text = "a";
  while (text.size() < 5000) text += "辞書";
  EditControl edit;
  Focus(edit, text.c_str());
  SendMessage(edit.hwnd(), EM_SETSEL, 0, text.size());
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  // "a" and then whole characters: 4,095 bytes of text.
  const std::string sent = text.substr(0, 4095);
  EXPECT_EQ(Requests(), std::vector<std::string>{Search(0, 4096, top_.hwnd(), sent)});
}

// The editor's own control answers the private messages: its selection, else the text from its
// caret to the end of the caret's line; the caret and the selection stay as they were.
TEST_F(HookCaptureTest, TheEditorsControlHandsOverItsSelectionOrItsCaretsText) {
  StartRecorder();
  penra::RyxEditControl edit;
  Focus(edit, "first\r\n辞書を引く\r\nlast");
  SendMessage(edit.hwnd(), EM_SETSEL, 11, 11);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  EXPECT_EQ(Selection(edit.hwnd()), std::make_pair(DWORD{11}, DWORD{11}));
  SendMessage(edit.hwnd(), EM_SETSEL, 7, 11);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  EXPECT_EQ(Selection(edit.hwnd()), std::make_pair(DWORD{7}, DWORD{11}));
  EXPECT_EQ(Requests(), (std::vector<std::string>{Search(1, 7, top_.hwnd(), "を引く"), Search(0, 5, top_.hwnd(), "辞書")}));
}

TEST_F(HookCaptureTest, AControlOfAnotherClassSendsNothingCapturedWithItsWindow) {
  StartRecorder();
  ListBox list;
  Focus(list, "", 0);
  NamedControl later("RichEdit50W"), otherCase("richedit20w");
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  Focus(later, "", 0);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  Focus(otherCase, "", 0);
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  EXPECT_EQ(Requests(), (std::vector<std::string>{"INPUT " + std::to_string(list.hwnd().value),
                                                  "INPUT " + std::to_string(later.hwnd().value),
                                                  "INPUT " + std::to_string(otherCase.hwnd().value)}));
}

TEST_F(HookCaptureTest, TheCompositionsTargetClauseIsSentAndTheControlLeftUnread) {
  StartRecorder();
  EditControl edit;
  Focus(edit, "abc");
  // 辞書を引く with 辞書 the clause being converted.
  const std::vector<BYTE> attributes = {3, 3, 3, 3, 2, 2, 2, 2, 2, 2};
  ASSERT_TRUE(OpenComposition(edit.hwnd(), "辞書を引く", attributes, IME_CMODE_NATIVE));
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  // In symbol mode the composition is no text: the control is read.
  ASSERT_TRUE(OpenComposition(edit.hwnd(), "辞書を引く", attributes, IME_CMODE_NATIVE | IME_CMODE_SYMBOL));
  EXPECT_EQ(hook::KeyboardProc(0, kF11, 0), 1);
  CloseComposition(edit.hwnd());
  EXPECT_EQ(Requests(), (std::vector<std::string>{Search(1, 5, top_.hwnd(), "辞書"), Search(1, 4, top_.hwnd(), "abc")}));
}

TEST_F(HookCaptureTest, TheClipboardKeySendsItsFirstFortyBytesOrBeeps) {
  StartRecorder();
  EditControl edit;
  Focus(edit, "abc");
  ASSERT_TRUE(OpenClipboard(top_.hwnd()));
  EmptyClipboard();
  CloseClipboard();
  driver.ClearBeeps();
  EXPECT_EQ(hook::KeyboardProc(0, kF12, 0), 1);
  EXPECT_EQ(driver.Beeps(), std::vector<UINT>{0xFFFFFFFF});
  EXPECT_TRUE(Requests().empty());

  // 39 ASCII bytes, then a double-byte character across byte 40, then more: 100 bytes.
  std::string text(39, 'x');
  text += "辞";
  text += std::string(100 - text.size(), 'y');
  ASSERT_TRUE(OpenClipboard(top_.hwnd()));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, text);
  CloseClipboard();
  EXPECT_EQ(hook::KeyboardProc(0, kF12, 0), 1);
  EXPECT_EQ(Requests(), std::vector<std::string>{Search(0, 41, top_.hwnd(), std::string(39, 'x'))});
}

TEST(CopyDbcsRangeTest, CopiesWholeCharactersWithinItsRoom) {
  char out[8];
  const struct {
    const char* what;
    std::string src;
    std::size_t from, to, room;
    std::string copied;
  } cases[] = {
      {"a range", "abcdef", 1, 4, 8, "bcd"},
      {"from past to", "abcdef", 4, 2, 8, ""},
      {"a character starting before the end comes whole", "a辞b", 0, 2, 8, "a辞"},
      {"stops at a NUL", std::string("ab\0cd", 5), 0, 5, 8, "ab"},
      {"stops at the room, the NUL inside it", "abcdefghij", 0, 10, 8, "abcdefg"},
      {"a character that does not fit is left out", "abcdef辞", 0, 8, 8, "abcdef"},
      {"a lead byte at the very end", "ab\x82", 0, 3, 8, "ab\x82"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hook::CopyDbcsRange(c.src, c.from, c.to, out, c.room), c.copied.size()) << c.what;
    EXPECT_EQ(std::string(out), c.copied) << c.what;
  }
}

}  // namespace
}  // namespace lexiv::testing
