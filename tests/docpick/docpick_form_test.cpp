// The viewer as a user meets it: what the lists say, what the text box shows, how a manual is
// read, and what happens without a reader.
#include <gtest/gtest.h>

#include <algorithm>

#include "docpick_fixture.h"
#include "platform/controls/list_box_messages.h"
#include "platform/services/process_launcher.h"

namespace lexiv::docpick::testing {
namespace {

const std::string kSep = "\xFE";

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::vector<std::string> ListEntries(HWND list) {
  std::vector<std::string> entries;
  const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char buffer[512] = {};
    SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
    entries.push_back(buffer);
  }
  return entries;
}

class DocpickFormTest : public DocpickFixture {};

TEST_F(DocpickFormTest, ProductsComeInTheTablesOrderWithTheirSwitchesAndTheOtherManualsLast) {
  const std::string general = ManualDir("general");
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\System Global\\Directories", "Manual", general);
  // Out of order on purpose; BRIX's first row has no value and is left out, the user hive fills in
  // what the machine lacks, and the two switches rename their rows.
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\LEXIV\\Directories", "manual", ManualDir("lexiv"));
  WriteString(HKEY_CURRENT_USER, "Software\\TKV\\BRIX\\Directories", "manual8", ManualDir("brix8"));
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\Voxaread\\Directories", "manual", ManualDir("voxa"));
  WriteDword(HKEY_LOCAL_MACHINE, "Software\\TKV\\Voxaread\\Default", "model", 1);
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\zem\\Directories", "manual", ManualDir("zem"));
  WriteDword(HKEY_LOCAL_MACHINE, "Software\\TKV\\Zem\\Default", "ProductType", 0);
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\PENRA\\Directories", "manual", "");
  ASSERT_EQ(StartForm(), 0);
  const std::vector<std::string> expected{"HELMA300", "BRIX8", "ルミカ", "国語辞典", "その他のマニュアル"};
  EXPECT_EQ(ListEntries(form->productList()), expected);
  EXPECT_EQ(form->productDirectories().back(), general);
  // The first product is selected, and its manuals are the manual list.
  EXPECT_EQ(form->manualDirectory(), form->productDirectories().front());
  driver.RunFor(100);
  EXPECT_TRUE(Contains(Spoken(), "メニュー" + kSep + "HELMA300")) << Report();
}

TEST_F(DocpickFormTest, WithoutTheManualValueTheGeneralDirectoryIsUnderTheProductDirectory) {
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\System Global\\Directories", "ProductDir", "/opt/tkv");
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\Penra\\Directories", "ProductDir", "/opt/tkv/penra");
  ASSERT_EQ(StartForm(), 0);
  EXPECT_EQ(form->productDirectories().back(), "/opt/tkv/マニュアル");
  EXPECT_EQ(form->editorPath(), "/opt/tkv/penra/penra.exe");
}

TEST_F(DocpickFormTest, ManualsAreListedWithoutTheirTxtEndingAndWrapWithTheirWords) {
  OurManuals({{"GUIDE.TXT", "guide"}, {"Notes.Txt", "notes"}, {"a.txt", "a"}, {"picture.png", "x"}});
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\LEXIV\\Directories", "manual", ManualDir("lexiv"));
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  const std::vector<std::string> expected{"GUIDE", "Notes.Txt", "a"};
  EXPECT_EQ(ListEntries(form->manualList()), expected);

  Press("Enter");
  EXPECT_EQ(form->listMode(), 1);
  EXPECT_TRUE(form->HeadingActive(FormList::kManuals));
  EXPECT_FALSE(form->HeadingActive(FormList::kProducts));
  EXPECT_TRUE(Contains(Spoken(), "サブメニュー" + kSep + "GUIDE")) << Report();

  struct Step {
    const char* key;
    std::string said;
  };
  const Step steps[] = {
      {"Up", "ラスト" + kSep + "a"},
      {"Down", "トップ" + kSep + "GUIDE"},
      {"Right", "Notes.Txt"},
      {"Space", "a"},
      {"Space", "トップ" + kSep + "GUIDE"},
      {"End", "ラスト" + kSep + "a"},
      {"Home", "トップ" + kSep + "GUIDE"},
  };
  for (const Step& step : steps) {
    calls.clear();
    Press(step.key);
    EXPECT_TRUE(Contains(Spoken(), step.said)) << step.key << "\n" << Report();
  }
}

TEST_F(DocpickFormTest, PageKeysSayThePositionTheyReach) {
  std::vector<std::pair<std::string, std::string>> files;
  for (int i = 0; i < 10; ++i) files.push_back({"m" + std::to_string(i) + ".txt", "x"});
  OurManuals(files);
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Enter");
  Press("Down");
  Press("Down");  // entry 3 of 10
  // A page of eight entries: Page Down from entry 3 lands on the page's last, entry 8.
  MoveWindow(form->manualList(), 0, 32, 100, 8 * 16, TRUE);
  calls.clear();
  Press("PageDown");
  EXPECT_EQ(SendMessage(form->manualList(), LB_GETCURSEL, 0, 0), 7);
  EXPECT_TRUE(Contains(Spoken(), "ネクスト 8項目め" + kSep + "m7")) << Report();
  calls.clear();
  Press("PageUp");
  EXPECT_TRUE(Contains(Spoken(), "バック トップ" + kSep + "m0")) << Report();
  Press("End");
  calls.clear();
  Press("PageDown");
  EXPECT_TRUE(Contains(Spoken(), "ネクスト ラスト" + kSep + "m9")) << Report();
  // From the last entry, shown at the foot of the page from entry 3 on, Page Up goes to entry 3.
  calls.clear();
  Press("PageUp");
  EXPECT_TRUE(Contains(Spoken(), "バック 3項目め" + kSep + "m2")) << Report();
  Press("Home");
  calls.clear();
  Press("PageUp");
  EXPECT_TRUE(Contains(Spoken(), "バック トップ" + kSep + "m0")) << Report();
}

TEST_F(DocpickFormTest, AFullWidthSpaceMovesLikeSpace) {
  OurManuals({{"a.txt", "a"}, {"b.txt", "b"}});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Enter");
  calls.clear();
  ASSERT_EQ(driver.Type("　"), 0);
  driver.RunFor(100);
  EXPECT_EQ(SendMessage(form->manualList(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(Contains(Spoken(), "b")) << Report();
}

TEST_F(DocpickFormTest, EnterWithNoManualSpeaksTheHintAndOpensNothing) {
  OurManuals({});
  std::vector<std::vector<std::string>> started;
  ReplaceProgramStarter([&](const std::vector<std::string>& arguments) {
    started.push_back(arguments);
    return 0;
  });
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Enter");
  calls.clear();
  Press("Enter");
  EXPECT_TRUE(Contains(Spoken(), "スペースキーでマニュアルを選んで、エンターキーを押してください\xFF")) << Report();
  EXPECT_TRUE(started.empty());
  ReplaceProgramStarter(nullptr);
}

TEST_F(DocpickFormTest, EnterOpensTheManualReadOnlyInTheEditor) {
  const std::string ours = OurManuals({{"GUIDE.TXT", "guide"}});
  WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\Penra\\Directories", "ProductDir", "/opt/lexiv");
  std::vector<std::vector<std::string>> started;
  ReplaceProgramStarter([&](const std::vector<std::string>& arguments) {
    started.push_back(arguments);
    return 0;
  });
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Enter");
  Press("Enter");
  ASSERT_EQ(started.size(), 1u);
  const std::vector<std::string> expected{"/opt/lexiv/penra.exe", "/ro", "/endesc", ours + "GUIDE.TXT"};
  EXPECT_EQ(started[0], expected);
  ReplaceProgramStarter(nullptr);
}

TEST_F(DocpickFormTest, TheSelectedManualIsShownAMomentAfterTheKeysRest) {
  const std::string utf8Text = Utf8("はじめに\n本文です。\n");
  const std::string sjisText = "シフトJISの説明\r\n二行目";
  OurManuals({{"a_utf8.txt", utf8Text},
              {"b_sjis.txt", sjisText},
              {"c_fits.txt", std::string(65535, 'x')},
              {"d_large.txt", std::string(65536, 'x')}});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  // In the product list nothing of the text is spoken, but it is shown.
  EXPECT_EQ(TextBoxText(), "はじめに\r\n本文です。\r\n");
  Press("Enter");
  struct Step {
    const char* key;
    std::string shown;
    std::string firstLineSaid;
  };
  const Step steps[] = {
      {"Down", sjisText, "シフトJISの説明"},
      {"Down", std::string(65535, 'x'), std::string(65535, 'x')},
      {"Down", "サイズが大きすぎて表示できません", ""},
      {"Down", "はじめに\r\n本文です。\r\n", "はじめに"},
  };
  for (const Step& step : steps) {
    calls.clear();
    ASSERT_EQ(driver.PressKey(step.key), 0);
    driver.RunFor(10);
    const std::string before = TextBoxText();
    driver.RunFor(100);
    EXPECT_NE(before, step.shown) << "shown before the display delay";
    EXPECT_EQ(TextBoxText(), step.shown);
    if (!step.firstLineSaid.empty()) {
      EXPECT_TRUE(Contains(Spoken(), step.firstLineSaid)) << Report();
    }
  }
}

TEST_F(DocpickFormTest, TheStartButtonReadsPhraseByPhraseFromTheCaret) {
  OurManuals({{"a.txt", "価格は１,２００円、送料は無料。\n"}});
  ASSERT_EQ(StartForm(), 0);
  driver.RunFor(100);
  Press("Enter");
  Press("Tab");
  calls.clear();
  Press("Tab");
  EXPECT_EQ(GetFocus(), form->buttonBar());
  EXPECT_TRUE(Contains(Spoken(), "読み上げ開始")) << Report();
  calls.clear();
  Press("Enter", 500);
  EXPECT_FALSE(form->reading());
  EXPECT_EQ(form->StartButtonLook(), ButtonLook::kOff);
  // Each phrase is spoken and waited for, then the end is said.
  std::vector<std::string> sequence;
  for (const std::string& call : calls)
    if (call.rfind("VOXAObject1", 0) == 0 || call == "VOXAObject6") sequence.push_back(call);
  const std::vector<std::string> expected{"VOXAObject1\t価格は１,２００円、", "VOXAObject6",
                                          "VOXAObject1\t送料は無料。", "VOXAObject6", "VOXAObject1\t読み 終わり"};
  EXPECT_EQ(sequence, expected) << Report();

  // The arrows move along the bar and each button says its name.
  calls.clear();
  Press("Right");
  EXPECT_TRUE(Contains(Spoken(), "読み上げ停止")) << Report();
  // Escape goes back to the product list, and from there ends the program.
  Press("Escape");
  EXPECT_EQ(GetFocus(), form->productList());
  calls.clear();
  ASSERT_EQ(driver.PressKey("Escape"), 0);
  driver.Run();
  // The reader follows the focus again, the goodbye is said and waited for.
  const std::vector<std::string> last{"VOXAObject4", "VOXAObject2", "VOXAObject1\tマニュアル 終わり", "VOXAObject6"};
  ASSERT_GE(calls.size(), last.size()) << Report();
  EXPECT_EQ(std::vector<std::string>(calls.end() - 4, calls.end()), last) << Report();
}

// Starts the viewer with no reader object, or with one whose method 3 fails: the message is shown
// and the program ends.
class MissingReaderTest : public DocpickFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(MissingReaderTest, TheProgramSaysWhatItNeedsAndEnds) {
  OurManuals({});
  form = std::make_unique<DocpickForm>("libdocpick-test-no-such-reader.so");
  if (GetParam()) {
    static const VoxaObjectMethods failing = {RecordingReader::AddRef,
                                              RecordingReader::Release,
                                              RecordingReader::Speak,
                                              RecordingReader::Stop,
                                              [](VoxaObject*) -> long { return -1; },
                                              RecordingReader::On,
                                              nullptr,
                                              RecordingReader::Wait,
                                              nullptr,
                                              nullptr,
                                              RecordingReader::State};
    auto* reader = new RecordingReader{{&failing}, &calls};
    form->UseReader(ReaderObject(&reader->base));
  }
  std::string shown;
  driver.Then([&] {
    char text[256] = {};
    GetWindowText(GetDlgItem(GetActiveWindow(), 0xFFFF), text, sizeof text);
    shown = text;
    driver.PressKey("Enter");
  });
  EXPECT_EQ(form->Start(), -1);
  EXPECT_EQ(shown, "Voxaread Version3.0以上が必要です");
  EXPECT_FALSE(IsWindow(form->hwnd()));
}

INSTANTIATE_TEST_SUITE_P(NoObjectOrAFailingMethod3, MissingReaderTest, ::testing::Bool());

}  // namespace
}  // namespace lexiv::docpick::testing
