// What the reader hands the speech server for the program's guide calls: the real library, copied
// beside a kanji table compiled from the KANJIDIC fixture (or beside none), talking to the stand-in
// speech server.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include "kanji_fixture.h"
#include "support/fake_speech_server.h"
#include "voxa_library.h"

namespace lexiv::testing {
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

constexpr int kHeadwordGuide = 0x10000;

class GuideSpeechTest : public ::testing::Test {
 protected:
  // A fresh instance of the library (a copy under a name of its own has never connected), with
  // the fixture's kanji table beside it or without one.
  void Start(bool withKanjiTable) {
    server_ = std::make_unique<FakeSpeechServer>();
    ASSERT_TRUE(server_->Start((dir_.path() / "speechd.sock").string()));
    if (withKanjiTable) {
      ASSERT_FALSE(CompileKanjiFixture(dir_.path()).empty());
    }
    static int copies = 0;
    const std::string copy = (dir_.path() / ("libvoxausr-guide-" + std::to_string(++copies) + ".so")).string();
    std::filesystem::copy_file(VoxaLibraryPath(), copy);
    logPath_ = (dir_.path() / "voxa.log").string();
    ::setenv("VOXA_LOG", logPath_.c_str(), 1);
    ::setenv("SPEECHD_ADDRESS", server_->Address().c_str(), 1);
    ASSERT_TRUE(voxa_.Bind(copy));
    ASSERT_EQ(voxa_.GetStatus(0x10001, 28, 0), 1);
    server_->TakeSaid();
  }
  void TearDown() override {
    ::unsetenv("SPEECHD_ADDRESS");
    ::unsetenv("VOXA_LOG");
  }

  // A move in the headword list after a reading search, as the program makes it: a reset, then
  // the edge word (or nothing) said at once, then the headword in the headword guide mode.
  void MoveTo(const char* edge, const char* headword) {
    voxa_.VReset();
    const VoxaValue urgent = voxa_.SetStatus(0x10001, 13, 1);
    const VoxaValue hold = voxa_.SetStatus(0x10001, 9, 1);
    voxa_.VReset();
    voxa_.PRead((std::string(edge) + "\xFE").c_str(), 4, 1);
    voxa_.SetStatus(0x10001, 13, urgent);
    voxa_.SetStatus(0x10001, 9, hold);
    voxa_.CGuide(headword, kHeadwordGuide);
  }

  // What the listener hears, as one line: the texts of the server's messages in order, markup
  // dropped, a pause (a break, or the gap between two messages) written ␞.
  std::string Heard() {
    std::string heard;
    for (const FakeSpeechServer::Request& said : server_->TakeSaid()) {
      std::string text = std::regex_replace(said.text, std::regex("<break[^>]*>"), "\x1F");
      text = std::regex_replace(text, std::regex("<[^>]*>"), "");
      heard += "\x1F" + text;
    }
    heard = std::regex_replace(heard, std::regex("\x1F+"), U8(u8"␞"));
    heard = std::regex_replace(heard, std::regex(U8(u8"^␞|␞$")), "");
    return heard;
  }

  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::ifstream in(logPath_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  TempDir dir_;
  std::unique_ptr<FakeSpeechServer> server_;
  VoxaFunctions voxa_;
  std::string logPath_;
};

TEST_F(GuideSpeechTest, MovingThroughHashiTellsTheKanjiApart) {
  Start(/*withKanjiTable=*/true);
  const struct {
    const char* edge;
    const char* headword;
    std::string heard;
  } moves[] = {
      {"", "橋", U8(u8"橋␞はし、キョウ")},
      {"", "端", U8(u8"端␞はし、タン")},
      {"下端", "箸", U8(u8"下端␞箸␞はし、チョ")},
      {"上端", "東京", U8(u8"上端␞東京␞ひがし、トウ␞みやこ、キョウ")},
      {"", "はし", U8(u8"はし")},  // all kana: said once
  };
  for (const auto& move : moves) {
    MoveTo(move.edge, move.headword);
    EXPECT_EQ(Heard(), move.heard);
  }
  // The log keeps the program's own calls; what the reader made of them is not in it.
  const std::vector<std::string> log = LogLines();
  EXPECT_EQ(std::count(log.begin(), log.end(), U8(u8"VOXACGuide\t橋\t65536")), 1);
  for (const std::string& line : log) EXPECT_EQ(line.find(U8(u8"キョウ")), std::string::npos) << line;
}

TEST_F(GuideSpeechTest, ACharacterAtTheCaretIsItsDescriptionUntilCharacterNamesAreOff) {
  Start(/*withKanjiTable=*/true);
  const struct {
    const char* character;
    std::string heard;
  } cases[] = {
      {"橋", U8(u8"はし、キョウ")},
      {"あ", U8(u8"ひらがなの あ")},
      {"「", U8(u8"かぎかっこ")},
      {"\xF1\x60", U8(u8"まる 21")},
  };
  for (const auto& c : cases) {
    voxa_.CGuide(c.character, 0);
    EXPECT_EQ(Heard(), c.heard);
  }
  // A list item the reader asks for is a headword too.
  voxa_.CGuide("箸", 6);
  const std::string listItem = U8(u8"箸␞はし、チョ");  // (a macro's argument text must stay CP932)
  EXPECT_EQ(Heard(), listItem);

  voxa_.Command("SetCurGuide", 0, 0);
  EXPECT_EQ(Heard(), U8(u8"文字説明 なし"));
  voxa_.CGuide("橋", 0);
  EXPECT_EQ(Heard(), U8(u8"橋")) << "with character names off, the character is said plainly";
  voxa_.CGuide("橋", kHeadwordGuide);
  const std::string headword = U8(u8"橋␞はし、キョウ");
  EXPECT_EQ(Heard(), headword) << "the switch is about characters at the caret";
}

TEST_F(GuideSpeechTest, WithoutAKanjiTableKanjiAreSpelledAsBefore) {
  Start(/*withKanjiTable=*/false);
  voxa_.CGuide("橋", kHeadwordGuide);
  const std::vector<FakeSpeechServer::Request> said = server_->TakeSaid();
  ASSERT_EQ(said.size(), 2u);
  EXPECT_EQ(said[0].text, U8(u8"<speak>橋</speak>"));
  EXPECT_EQ(said[1].text, U8(u8"<speak><say-as interpret-as=\"characters\">橋</say-as></speak>"));

  voxa_.CGuide("橋", 0);
  const std::vector<FakeSpeechServer::Request> character = server_->TakeSaid();
  ASSERT_EQ(character.size(), 1u);
  EXPECT_EQ(character[0].command.rfind("CHAR", 0), 0u);
  EXPECT_EQ(character[0].text, U8(u8"橋"));

  voxa_.CGuide("あ", 0);
  EXPECT_EQ(Heard(), U8(u8"ひらがなの あ")) << "kana need no table";
}

}  // namespace
}  // namespace lexiv::testing
