#include "penra/editor_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/controls/edit_messages.h"
#include "platform/core/focus.h"
#include "platform/headless_fixture.h"
#include "platform/services/process_launcher.h"
#include "platform/services/shift_jis_text.h"
#include "platform/services/whole_file.h"
#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

using penra::EditorWindow;
using penra::PenraOptions;
using penra::TextEncoding;

std::string Bytes(const char8_t* utf8) { return reinterpret_cast<const char*>(utf8); }

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

ino_t Inode(const std::filesystem::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_ino;
}

class RecordingVoice final : public penra::EditorVoice {
 public:
  void Say(std::string_view text) override { said.emplace_back(text); }
  std::vector<std::string> said;
};

// The editor on the headless driver, on a file of the test's directory. Literals in this file
// are program text (Shift-JIS); file contents written as u8 literals are UTF-8.
class EditorWindowTest : public HeadlessTest {
 protected:
  void TearDown() override { InterruptAtomicWritesBeforeRename(false); }

  std::filesystem::path File(const char* name) const { return dir.path() / name; }

  EditorWindow& Open(PenraOptions options) {
    editor = std::make_unique<EditorWindow>(std::move(options), voice);
    EXPECT_TRUE(editor->Open());
    PumpPending();
    return *editor;
  }
  EditorWindow& OpenFile(const std::filesystem::path& path, bool readOnly = false, bool endOnEscape = false) {
    PenraOptions options;
    options.file = path.string();
    options.readOnly = readOnly;
    options.endOnEscape = endOnEscape;
    return Open(options);
  }
  std::string EditText() const { return WindowText(editor->EditWindow()); }
  // The program asked to end: its window is gone and its WM_QUIT waits (taken here, so that the
  // next editor of the test runs).
  static bool Ended(HWND window) {
    Msg msg;
    const bool quit = PeekMessage(&msg, HWND{}, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
    return quit && !IsWindow(window);
  }

  TempDir dir;
  RecordingVoice voice;
  std::unique_ptr<EditorWindow> editor;
};

// A file is shown as program text and saved back in the encoding and line ends it had.
struct RoundTripCase {
  const char* label;
  std::string fileBytes;
  TextEncoding encoding;
  std::string shown;  // program text, as the edit holds it
  std::string saved;  // the file after typing "です" at the end of the first line and Ctrl+S
};

TEST_F(EditorWindowTest, SavesBackInTheFilesOwnEncodingThroughARename) {
  const std::vector<RoundTripCase> cases = {
      {"UTF-8, lines ending in LF", Bytes(u8"今日は\n晴れ\n"), TextEncoding::kUtf8, "今日は\r\n晴れ\r\n",
       Bytes(u8"今日はです\n晴れ\n")},
      {"UTF-8 with a byte-order mark", Bytes(u8"\uFEFF今日は\n"), TextEncoding::kUtf8, "今日は\r\n",
       Bytes(u8"\uFEFF今日はです\n")},
      {"Shift-JIS, lines ending in CR LF", std::string("今日は\r\n晴れ\r\n"), TextEncoding::kShiftJis,
       "今日は\r\n晴れ\r\n", std::string("今日はです\r\n晴れ\r\n")},
      {"Shift-JIS half-width katakana only", std::string("ｶﾀｶﾅ\n"), TextEncoding::kShiftJis, "ｶﾀｶﾅ\r\n",
       std::string("ｶﾀｶﾅです\n")},
      {"plain ASCII counts as UTF-8", "abc\n", TextEncoding::kUtf8, "abc\r\n", Bytes(u8"abcです\n")},
  };
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.label);
    const std::filesystem::path path = File("note.txt");
    WriteBytes(path, c.fileBytes);
    const ino_t before = Inode(path);
    OpenFile(path);
    EXPECT_EQ(editor->Format().encoding, c.encoding);
    EXPECT_EQ(EditText(), c.shown);
    EXPECT_EQ(GetFocus(), editor->EditWindow());
    PressKeys("End \"です\"");
    EXPECT_NE(editor->StatusPosition().find("変更あり"), std::string::npos) << editor->StatusPosition();
    PressKeys("Ctrl+S");
    EXPECT_EQ(ReadBytes(path), c.saved);
    EXPECT_NE(Inode(path), before) << "the file is replaced, not written in place";
    EXPECT_EQ(editor->StatusMessage(), "保存しました");
    EXPECT_EQ(editor->StatusPosition().find("変更あり"), std::string::npos);
    ASSERT_FALSE(voice.said.empty());
    EXPECT_EQ(voice.said.back(), "保存しました");
    editor.reset();
  }
}

TEST_F(EditorWindowTest, AFailedSaveKeepsTheOldFileAndTheText) {
  const std::filesystem::path path = File("note.txt");
  WriteBytes(path, "old\n");
  OpenFile(path);
  PressKeys("\"new \"");
  InterruptAtomicWritesBeforeRename(true);
  PressKeys("Ctrl+S");
  EXPECT_EQ(ReadBytes(path), "old\n");
  EXPECT_EQ(editor->StatusMessage().rfind("保存できません", 0), 0u) << editor->StatusMessage();
  EXPECT_EQ(voice.said.back(), editor->StatusMessage());
  EXPECT_EQ(driver.Beeps().size(), 1u);
  EXPECT_NE(editor->StatusPosition().find("変更あり"), std::string::npos);
  InterruptAtomicWritesBeforeRename(false);
  PressKeys("Ctrl+S");
  EXPECT_EQ(ReadBytes(path), "new old\n");

  // A directory that does not exist: nothing is written, and the reason is told.
  OpenFile(File("missing") / "note.txt");
  PressKeys("\"x\" Ctrl+S");
  EXPECT_NE(editor->StatusMessage().find("フォルダがありません"), std::string::npos) << editor->StatusMessage();
  EXPECT_EQ(EditText(), "x");
}

TEST_F(EditorWindowTest, SavingThroughASymbolicLinkReplacesTheFileItNames) {
  const std::filesystem::path target = File("real.txt"), link = File("link.txt");
  WriteBytes(target, "old\n");
  std::filesystem::create_symlink(target, link);
  OpenFile(link);
  PressKeys("\"new \" Ctrl+S");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "new old\n");
}

TEST_F(EditorWindowTest, ANewFileIsCreatedOnSave) {
  const std::filesystem::path path = File("new.txt");
  OpenFile(path);
  EXPECT_NE(editor->StatusMessage().find("新しいファイル"), std::string::npos);
  PressKeys("\"辞書\" Enter \"abc\" Ctrl+S");
  EXPECT_EQ(ReadBytes(path), Bytes(u8"辞書\nabc"));
}

TEST_F(EditorWindowTest, ReadOnlyRefusesEveryChangeOutLoud) {
  const std::filesystem::path path = File("manual.txt");
  WriteBytes(path, Bytes(u8"マニュアル\n"));
  OpenFile(path, /*readOnly=*/true);
  EXPECT_NE(editor->StatusPosition().find("読み取り専用"), std::string::npos);
  const std::vector<std::string> changes = {"\"x\"",  "\"辞\"", "BackSpace",    "Delete", "Enter",
                                            "Ctrl+V", "Ctrl+X", "Shift+Insert", "Ctrl+S"};
  PressKeys("Shift+End Ctrl+C");
  for (const std::string& keys : changes) {
    SCOPED_TRACE(keys);
    voice.said.clear();
    driver.ClearBeeps();
    PressKeys(keys);
    EXPECT_EQ(voice.said, std::vector<std::string>{"読み取り専用です"});
    EXPECT_EQ(driver.Beeps().size(), 1u);
    EXPECT_EQ(editor->StatusMessage(), "読み取り専用です");
  }
  EXPECT_EQ(EditText(), "マニュアル\r\n");
  EXPECT_EQ(ReadBytes(path), Bytes(u8"マニュアル\n"));
  // Moving and copying stay possible and say nothing of the editor's own.
  voice.said.clear();
  PressKeys("Ctrl+End Ctrl+Home Right Shift+Right Ctrl+C");
  EXPECT_TRUE(voice.said.empty());
}

// A file that cannot be opened as text is told, shown as nothing, and never written over.
struct UnopenableCase {
  const char* label;
  bool directory;
  std::string bytes;
  const char* reason;
};

TEST_F(EditorWindowTest, AFileItCannotReadIsToldAndNeverOverwritten) {
  const std::vector<UnopenableCase> cases = {
      {"a directory", true, "", "フォルダです"},
      {"binary bytes", false,
       std::string("\x7F"
                   "ELF\0\1\2",
                   7),
       "UTF-8 でもシフトJIS でもないため開けません"},
      {"neither UTF-8 nor Shift-JIS", false, "\x81\x20\xFF\xFE text", "UTF-8 でもシフトJIS でもないため開けません"},
      {"UTF-8 with a character Shift-JIS lacks", false, Bytes(u8"絵文字😀\n"),
       "シフトJIS にない文字があるため開けません"},
      {"larger than the editor opens", false, std::string(penra::kMaxTextFileBytes + 1, 'a'),
       "1MB より大きいファイルです"},
  };
  for (const UnopenableCase& c : cases) {
    SCOPED_TRACE(c.label);
    const std::filesystem::path path = File(c.label);
    if (c.directory)
      std::filesystem::create_directory(path);
    else
      WriteBytes(path, c.bytes);
    voice.said.clear();
    OpenFile(path);
    const std::string expected = std::string("ファイルを読み込めません ") + c.label + " " + c.reason;
    EXPECT_EQ(editor->StatusMessage(), expected);
    EXPECT_EQ(voice.said, std::vector<std::string>{expected});
    EXPECT_EQ(EditText(), "");
    PressKeys("\"x\" Ctrl+S");
    EXPECT_EQ(EditText(), "");
    EXPECT_EQ(editor->StatusMessage(), "読み取り専用です");
    if (c.directory)
      EXPECT_TRUE(std::filesystem::is_directory(path));
    else
      EXPECT_EQ(ReadBytes(path), c.bytes);
    editor.reset();
  }
}

// Two UTF-8 characters with one Shift-JIS spelling: saving would turn the wave dash into the
// full-width tilde, so the text is shown but cannot be changed or saved.
TEST_F(EditorWindowTest, AFileThatSavingWouldChangeOpensReadOnly) {
  const std::filesystem::path path = File("wave.txt");
  const std::string bytes = Bytes(u8"10〜20\n");
  WriteBytes(path, bytes);
  OpenFile(path);
  EXPECT_TRUE(editor->ReadOnly());
  EXPECT_EQ(EditText(), "10～20\r\n");
  EXPECT_EQ(voice.said, std::vector<std::string>{"保存すると変わる文字があるため、読み取り専用で開きました"});
  PressKeys("\"x\" Ctrl+S");
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(EditorWindowTest, EscapeEndsTheProgramOnlyWithEndEsc) {
  const std::filesystem::path path = File("note.txt");
  WriteBytes(path, "text\n");
  OpenFile(path);
  PressKeys("Escape");
  EXPECT_TRUE(IsWindow(editor->hwnd())) << "without /endesc Escape is the edit's";

  OpenFile(path, false, /*endOnEscape=*/true);
  const HWND window = editor->hwnd();
  PressKeys("Escape");
  EXPECT_TRUE(Ended(window));

  // Unsaved changes: the first press warns, the same key again ends; another key in between
  // starts over.
  OpenFile(path, false, true);
  const HWND changed = editor->hwnd();
  PressKeys("\"x\" Escape");
  EXPECT_TRUE(IsWindow(changed));
  EXPECT_EQ(voice.said.back(), "変更が保存されていません。もう一度押すと終了します");
  PressKeys("Right Escape");
  EXPECT_TRUE(IsWindow(changed));
  PressKeys("Escape");
  EXPECT_TRUE(Ended(changed));
  EXPECT_EQ(ReadBytes(path), "text\n");
}

TEST_F(EditorWindowTest, CtrlQEndsAndClipboardKeysGoThroughTheSessionClipboard) {
  const std::filesystem::path path = File("note.txt");
  WriteBytes(path, Bytes(u8"辞書\n"));
  OpenFile(path);
  PressKeys("Shift+End Ctrl+C Ctrl+End Ctrl+V Ctrl+Home Shift+Right Ctrl+X");
  EXPECT_EQ(EditText(), "書\r\n辞書");
  PressKeys("Ctrl+End Ctrl+V");
  EXPECT_EQ(EditText(), "書\r\n辞書辞");
  EXPECT_EQ(editor->StatusPosition().rfind("2行 4桁 UTF-8", 0), 0u) << editor->StatusPosition();
  const HWND window = editor->hwnd();
  PressKeys("Ctrl+S Ctrl+Q");
  EXPECT_TRUE(Ended(window));
}

TEST_F(EditorWindowTest, PlainEditShowsTheSameFile) {
  const std::filesystem::path path = File("note.txt");
  WriteBytes(path, "abc\n");
  PenraOptions options;
  options.file = path.string();
  options.plainEdit = true;
  Open(options);
  char name[32] = {};
  GetClassName(editor->EditWindow(), name, sizeof name);
  EXPECT_STREQ(name, "Edit");
  EXPECT_EQ(EditText(), "abc\r\n");
  OpenFile(path);
  GetClassName(editor->EditWindow(), name, sizeof name);
  EXPECT_STREQ(name, "RyxEditCtrl");
}

// How programs start the editor: a quoted path with blanks, options in any case.
TEST_F(EditorWindowTest, AQuotedPathWithBlanksFromAStartingProgram) {
  std::filesystem::create_directory(dir.path() / "my manuals");
  const std::filesystem::path path = dir.path() / "my manuals" / "read me.txt";
  WriteBytes(path, "hello\n");
  std::vector<std::string> started;
  ReplaceProgramStarter([&](const std::vector<std::string>& arguments) {
    started = arguments;
    return 0;
  });
  const std::string parameters = "/EndEsc /RO \"" + path.string() + "\"";
  const std::intptr_t result = ShellExecuteA(HWND{}, nullptr, "/bin/true", parameters.c_str(), nullptr, 1);
  ReplaceProgramStarter({});
  ASSERT_EQ(result, kShellExecuteSucceeded);
  ASSERT_EQ(started.size(), 4u);
  const PenraOptions options = penra::ParsePenraArguments({started.begin() + 1, started.end()});
  EXPECT_TRUE(options.readOnly);
  EXPECT_TRUE(options.endOnEscape);
  EXPECT_FALSE(options.plainEdit);
  EXPECT_EQ(options.file, path.string());
  Open(options);
  EXPECT_EQ(EditText(), "hello\r\n");
  // A path quoted once more by its caller still names the file.
  EXPECT_EQ(penra::ParsePenraArguments({"/edit", "\"" + path.string() + "\""}).file, path.string());
  EXPECT_TRUE(penra::ParsePenraArguments({"/EDIT"}).plainEdit);
}

}  // namespace
}  // namespace lexiv::testing
