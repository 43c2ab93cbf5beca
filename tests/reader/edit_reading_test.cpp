// The reader reading the focused edit of a program's main window on the headless driver: a small
// program with a label and an edit, driven with keys, heard through the reader's call log. A
// program that never tells the reader what to read on its own is read as screen readers read any
// program; one that does (as the dictionary does at start-up) speaks for its own windows.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "platform/controls/button_messages.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/help_viewer.h"
#include "platform/controls/dialog.h"
#include "platform/controls/edit_control.h"
#include "platform/controls/rich_edit_control.h"
#include "platform/controls/static_control.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/headless/headless_driver.h"
#include "support/fake_speech_server.h"
#include "support/temp_dir.h"
#include "voxa_library.h"

namespace lexiv::testing {
namespace {

using namespace lexiv::platform;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

int AnswerNothing(int, VoxaValue) { return 0; }

// Two lines of the text wrap in an edit ten cells wide: "晴れた日に" | "海へ行く" | "" | "abc def".
constexpr const char* kText = "晴れた日に海へ行く\r\n\r\nabc def";

enum class EditKind { kOneLine, kMultiLine, kRich };

class EditReadingTest : public ::testing::Test {
 protected:
  // A reader of its own: a copy of the library under a name of its own, its watcher beside it,
  // so that what other tests told the shared copy (kind 0x20002 above all) is not known to it.
  void StartReader(bool programSpeaksForItself) {
    static int copies = 0;
    const std::filesystem::path bin(LEXIV_BIN_DIR);
    const std::string copy = (dir_.path() / ("libvoxausr-edit-" + std::to_string(++copies) + ".so")).string();
    std::filesystem::copy_file(bin / "libvoxausr.so", copy);
    std::filesystem::copy_file(bin / "libvoxawatch.so", dir_.path() / "libvoxawatch.so");
    logPath_ = (dir_.path() / "voxa.log").string();
    ::setenv("VOXA_LOG", logPath_.c_str(), 1);
    ::setenv("LEXIV_REGISTRY_DIR", dir_.path().c_str(), 1);
    ASSERT_TRUE(voxa_.Bind(copy)) << ::dlerror();
    if (programSpeaksForItself) voxa_.SetStatus(0x20002, 0x6080101, 0);
    voxa_.SetStatus(0x20001, reinterpret_cast<VoxaValue>(&AnswerNothing), 0);
  }
  void TearDown() override {
    if (voxa_.SetStatus != nullptr) voxa_.SetStatus(0x20001, 0, 0);
    ::unsetenv("VOXA_LOG");
    ::unsetenv("SPEECHD_ADDRESS");
  }

  // The program's main window with a label and, after it, the edit: ten cells wide, three lines
  // high (one line without ES_MULTILINE).
  void CreateProgram(EditKind kind) {
    if (main_ != nullptr && IsWindow(main_->hwnd())) DestroyWindow(main_->hwnd());
    edit_.reset();
    label_ = std::make_unique<StaticControl>();
    main_ = std::make_unique<Window>();
    CreateParams params;
    params.text = "メモ";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 640, 400};
    ASSERT_TRUE(main_->Create(params));
    CreateParams label;
    label.className = "Static";
    label.text = "本文(&B)";
    label.style = WS_VISIBLE | WS_CHILD;
    label.parent = main_->hwnd();
    label.rect = RECT{0, 0, 80, 16};
    ASSERT_TRUE(label_->Create(label));
    CreateParams field;
    field.style = WS_VISIBLE | WS_CHILD | WS_TABSTOP;
    field.parent = main_->hwnd();
    field.id = 109;
    field.rect = RECT{0, 16, 80, 64};
    if (kind == EditKind::kRich) {
      edit_ = std::make_unique<RichEditControl>();
    } else {
      edit_ = std::make_unique<EditControl>();
      if (kind == EditKind::kMultiLine) field.style |= ES_MULTILINE;
    }
    ASSERT_TRUE(edit_->Create(field));
  }

  // The edit holds the text with the caret at its start and has just gained the focus.
  void FocusEditWith(const char* text) {
    SetFocus(main_->hwnd());
    SetWindowText(edit_->hwnd(), text);
    SetFocus(edit_->hwnd());
  }

  // Keys by name separated by spaces, text in quotes typed; each handled before the next.
  void Press(const std::string& keys) {
    std::size_t i = 0;
    while (i < keys.size()) {
      if (keys[i] == ' ') {
        ++i;
        continue;
      }
      if (keys[i] == '"') {
        const std::size_t close = keys.find('"', i + 1);
        ASSERT_EQ(driver_.Type(keys.substr(i + 1, close - i - 1)), 0);
        i = close + 1;
      } else {
        const std::size_t end = std::min(keys.find(' ', i), keys.size());
        ASSERT_EQ(driver_.PressKey(keys.substr(i, end - i)), 0) << keys.substr(i, end - i);
        i = end;
      }
      PumpPending();
    }
  }

  // What the reader said on its own since the log was last cleared, one text per line.
  std::vector<std::string> ReaderSaid() const {
    std::vector<std::string> said;
    std::ifstream in(logPath_);
    for (std::string line; std::getline(in, line);)
      if (line.rfind("Reader\t", 0) == 0) said.push_back(line.substr(7));
    return said;
  }
  void ClearLog() const { std::ofstream(logPath_, std::ios::trunc); }

  HeadlessDriver driver_;
  UiThread ui_{driver_};
  std::unique_ptr<Window> main_;
  std::unique_ptr<StaticControl> label_;
  std::unique_ptr<Window> edit_;
  TempDir dir_;
  std::string logPath_;
  VoxaFunctions voxa_;
};

struct KeysCase {
  const char* keys;
  std::vector<std::string> said;  // UTF-8, as the log writes it
};

TEST_F(EditReadingTest, EachMoveInAMultiLineEditReadsWhatTheKeyReachedOrChanged) {
  StartReader(false);
  CreateProgram(EditKind::kMultiLine);
  const KeysCase cases[] = {
      // The character at the caret, a double-byte character whole.
      {"Right", {U8(u8"れ")}},
      {"Right Right Left", {U8(u8"れ"), U8(u8"た"), U8(u8"れ")}},
      {"Down End", {U8(u8"海へ行く"), U8(u8"改行")}},
      {"Left", {}},  // nothing to move to: nothing said
      // The display line: a wrapped line as shown, an empty one, the page.
      {"Down", {U8(u8"海へ行く")}},
      {"Down Down Down Up", {U8(u8"海へ行く"), U8(u8"空行"), U8(u8"abc def"), U8(u8"空行")}},
      {"PageDown", {U8(u8"abc def")}},
      {"Ctrl+End Ctrl+Home", {U8(u8"abc def"), U8(u8"晴れた日に")}},
      // The word at the caret, without the blank after it; Japanese words by kind of character.
      {"Ctrl+Right Ctrl+Right", {U8(u8"れた"), U8(u8"日")}},
      {"Ctrl+End Ctrl+Left Ctrl+Left", {U8(u8"abc def"), U8(u8"def"), U8(u8"abc")}},
      // The text a selection gains and loses; a plain key after it moves the caret.
      {"Shift+Right Shift+Right Shift+Left", {U8(u8"晴␞選択"), U8(u8"れ␞選択"), U8(u8"れ␞選択解除")}},
      {"Shift+Right Shift+Left", {U8(u8"晴␞選択"), U8(u8"晴␞選択解除")}},
      {"Shift+Down", {U8(u8"晴れた日に␞選択")}},
      {"Shift+Right Right", {U8(u8"晴␞選択"), U8(u8"れ")}},
      {"Ctrl+A", {U8(u8"晴れた日に海へ行く\\r\\n\\r\\nabc def␞選択")}},
      // Typing: the characters as they come, a line end by name; deletions say what went.
      {"Ctrl+End \"x\" \"あ\" Return", {U8(u8"abc def"), "x", U8(u8"あ"), U8(u8"改行")}},
      {"Ctrl+End BackSpace BackSpace", {U8(u8"abc def"), "f", "e"}},
      {"Delete", {U8(u8"晴")}},
      {"Ctrl+End \"xy\" Ctrl+Z", {U8(u8"abc def"), "x", "y", "xy"}},
      {"Ctrl+End Shift+Ctrl+Left Ctrl+X", {U8(u8"abc def"), U8(u8"def␞選択"), "def"}},
  };
  for (const KeysCase& c : cases) {
    FocusEditWith(kText);
    ClearLog();
    Press(c.keys);
    EXPECT_EQ(ReaderSaid(), c.said) << c.keys;
  }
}

TEST_F(EditReadingTest, TheOneLineAndTheRichEditAreReadTheSameWay) {
  struct Case {
    EditKind kind;
    const char* text;
    const char* keys;
    std::vector<std::string> said;
  };
  const Case cases[] = {
      // End reaches the text's end, where there is no character to say.
      {EditKind::kOneLine, "abc 東京", "Right Ctrl+Right End Home", {"b", U8(u8"東京"), "a"}},
      {EditKind::kOneLine, "abc 東京", "End Shift+Left \"駅\"", {U8(u8"京␞選択"), U8(u8"駅")}},
      {EditKind::kRich, "一行目\r\n二行目", "Down Right Shift+End", {U8(u8"二行目"), U8(u8"行"), U8(u8"行目␞選択")}},
      {EditKind::kRich, "一行目\r\n二行目", "Ctrl+End Up", {U8(u8"二行目"), U8(u8"一行目")}},
  };
  StartReader(false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    CreateProgram(c.kind);
    if (HasFatalFailure()) return;
    FocusEditWith(c.text);
    ClearLog();
    Press(c.keys);
    EXPECT_EQ(ReaderSaid(), c.said);
  }
}

TEST_F(EditReadingTest, ACharacterTheReaderFindsIsSpokenByItsDescription) {
  FakeSpeechServer server;
  ASSERT_TRUE(server.Start((dir_.path() / "speechd.sock").string()));
  ::setenv("SPEECHD_ADDRESS", server.Address().c_str(), 1);
  StartReader(false);
  CreateProgram(EditKind::kMultiLine);
  ASSERT_EQ(voxa_.GetStatus(0x10001, 28, 0), 1);
  FocusEditWith(kText);
  server.ClearRequests();
  Press("Right Down");
  std::vector<std::string> heard;
  for (const FakeSpeechServer::Request& said : server.TakeSaid())
    heard.push_back(std::regex_replace(said.text, std::regex("<[^>]*>"), ""));
  const std::vector<std::string> expected{U8(u8"ひらがなの れ"), U8(u8"海へ行く")};
  EXPECT_EQ(heard, expected);
}

TEST_F(EditReadingTest, InADialogTheOpeningIsReadAsBeforeAndTheEditByItsKeys) {
  StartReader(false);
  CreateProgram(EditKind::kOneLine);
  RegisterControlClass("Static", [] { return std::unique_ptr<Window>(new StaticControl()); });
  auto control = [](const char* className, const char* text, UINT id, DWORD style, int top) {
    DialogControl c;
    c.className = className;
    c.text = text;
    c.id = id;
    c.style = WS_CHILD | WS_VISIBLE | style;
    c.rect = RECT{10, top, 90, top + 12};
    return c;
  };
  DialogTemplate description;
  description.caption = "検索";
  description.width = 200;
  description.height = 80;
  description.controls = {control("Static", "検索する文字列(&N)", 100, SS_LEFT, 10),
                          control("Edit", "東京", 101, WS_TABSTOP | ES_AUTOHSCROLL, 24),
                          control("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 40)};
  Dialog dialog(description);
  ClearLog();
  for (const char* key : {"Home", "Right", "Escape"}) driver_.Then([this, key] { driver_.PressKey(key); });
  dialog.DoModal(main_->hwnd());
  // The opening, then the control it focuses (with the text the dialog selects, which is not read
  // again as a selection), then the caret's characters.
  const std::vector<std::string> expected{U8(u8"検索␞検索する文字列"), U8(u8"検索する文字列␞エディット␞東京"),
                                          U8(u8"東"), U8(u8"京")};
  EXPECT_EQ(ReaderSaid(), expected);
}

TEST_F(EditReadingTest, TheEditGainingTheFocusIsReadByItsLabelAndTheCaretsLine) {
  StartReader(false);
  CreateProgram(EditKind::kMultiLine);
  FocusEditWith(kText);
  const std::vector<std::string> firstLine{U8(u8"本文␞エディット␞晴れた日に")};
  EXPECT_EQ(ReaderSaid(), firstLine);
  Press("Down Down");
  ClearLog();
  SetFocus(main_->hwnd());
  SetFocus(edit_->hwnd());
  const std::vector<std::string> emptyLine{U8(u8"本文␞エディット␞空行")};
  EXPECT_EQ(ReaderSaid(), emptyLine);

  // What the program does to the text on its own is its business, not the reader's.
  ClearLog();
  SetWindowText(edit_->hwnd(), "abc");
  SendMessage(edit_->hwnd(), EM_SETSEL, 0, 2);
  EXPECT_TRUE(ReaderSaid().empty());
}

TEST_F(EditReadingTest, APasswordIsNeverSpelledOut) {
  StartReader(false);
  CreateProgram(EditKind::kOneLine);
  SetWindowLong(edit_->hwnd(), GWL_STYLE, GetWindowLong(edit_->hwnd(), GWL_STYLE) | ES_PASSWORD);
  FocusEditWith("secret");
  const std::vector<std::string> hidden{U8(u8"本文␞エディット␞******")};
  EXPECT_EQ(ReaderSaid(), hidden);
  ClearLog();
  Press("Right Ctrl+Right Shift+Home \"x\" BackSpace");
  EXPECT_TRUE(ReaderSaid().empty());
}

TEST_F(EditReadingTest, AProgramThatSaysWhatTheReaderReadsSpeaksItsOwnEdits) {
  // As the dictionary does at start-up: kind 0x20002 set before the status callback.
  StartReader(true);
  CreateProgram(EditKind::kMultiLine);
  FocusEditWith(kText);
  Press("Right Down Ctrl+Right Shift+Right Ctrl+A Ctrl+End \"x\" Return BackSpace");
  EXPECT_TRUE(ReaderSaid().empty());
}

TEST_F(EditReadingTest, TheHelpViewerIsReadLikeAnotherProgramsEditInAProgramThatSpeaks) {
  StartReader(true);
  CreateProgram(EditKind::kMultiLine);
  const std::string file = dir_.path().string() + "/help.HLP";
  std::ofstream(file) << reinterpret_cast<const char*>(u8"一行目\n二行目\n");
  SetFocus(main_->hwnd());
  ASSERT_TRUE(WinHelpA(main_->hwnd(), file.c_str(), HELP_FINDER, 0));
  ClearLog();
  Press("Down");
  const std::vector<std::string> said = ReaderSaid();
  ASSERT_FALSE(said.empty());
  EXPECT_NE(said.back().find(reinterpret_cast<const char*>(u8"二行目")), std::string::npos) << said.back();
  // The program's own edit stays its own.
  Press("Escape");
  ClearLog();
  FocusEditWith(kText);
  Press("Down");
  EXPECT_TRUE(ReaderSaid().empty());
}

}  // namespace
}  // namespace lexiv::testing
