#include "platform/services/profile_strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace lexiv::platform {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class ProfileStringsTest : public ::testing::Test {
 protected:
  std::string Ini() const { return (dir_.path() / "LEXIV.INI").string(); }
  testing::TempDir dir_;
};

TEST_F(ProfileStringsTest, ReadsValuesByTheWindowsRules) {
  WriteText(Ini(),
            "; hot keys\r\n"
            "[DLLSection]\r\n"
            "  ModifyKey = CTRL,SHIFT  \r\n"
            "SearchKey=F11\r\n"
            "Quoted=\"  spaced  \"\r\n"
            "Reading=あいう\r\n"
            "\x83\x41=katakana a\r\n"
            "[ Other ]\r\n"
            "SearchKey=F5\r\n"
            "[DLLSection]\r\n"
            "ClipSearchKey=F12\r\n");
  struct ReadCase {
    const char* label;
    const char* section;
    const char* key;
    const char* defaultValue;
    std::uint32_t bufferSize;
    std::string fileName;
    std::string expected;
  };
  const std::string missingFile = (dir_.path() / "NONE.INI").string();
  const std::vector<ReadCase> cases = {
      {"plain", "DLLSection", "SearchKey", "", 50, Ini(), "F11"},
      {"asked with trailing blanks", "DLLSection", "SearchKey    ", "", 50, Ini(), "F11"},
      {"names without case", "dllsection", "SEARCHKEY", "", 50, Ini(), "F11"},
      {"value trimmed", "DLLSection", "ModifyKey", "", 50, Ini(), "CTRL,SHIFT"},
      {"quotes removed", "DLLSection", "Quoted", "", 50, Ini(), "  spaced  "},
      {"section name trimmed", "Other", "SearchKey", "", 50, Ini(), "F5"},
      {"first section of a name wins", "DLLSection", "ClipSearchKey", "none", 50, Ini(), "none"},
      {"trail byte is not a letter", "DLLSection", "\x83\x61", "none", 50, Ini(), "none"},
      {"double-byte key", "DLLSection", "\x83\x41", "", 50, Ini(), "katakana a"},
      {"missing key", "DLLSection", "Nothing", "dflt", 50, Ini(), "dflt"},
      {"missing section", "Nowhere", "SearchKey", "dflt", 50, Ini(), "dflt"},
      {"missing file", "DLLSection", "SearchKey", "dflt", 50, missingFile, "dflt"},
      {"default loses trailing blanks", "Nowhere", "SearchKey", "dflt  ", 50, Ini(), "dflt"},
      {"null default", "Nowhere", "SearchKey", nullptr, 50, Ini(), ""},
      {"cut to the buffer", "DLLSection", "ModifyKey", "", 4, Ini(), "CTR"},
      {"cut before a double-byte character", "DLLSection", "Reading", "", 4, Ini(), "あ"},
      {"default cut too", "Nowhere", "SearchKey", "defaults", 5, Ini(), "defa"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.label);
    char buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    std::uint32_t copied =
        GetPrivateProfileStringA(c.section, c.key, c.defaultValue, buffer, c.bufferSize, c.fileName.c_str());
    EXPECT_EQ(std::string(buffer), c.expected);
    EXPECT_EQ(copied, c.expected.size());
    EXPECT_EQ(buffer[c.bufferSize], '#') << "wrote past the buffer";
  }

  char untouched[4] = {'#', '#', '#', '#'};
  EXPECT_EQ(GetPrivateProfileStringA("DLLSection", "SearchKey", "", untouched, 0, Ini().c_str()), 0u);
  EXPECT_EQ(untouched[0], '#');
}

TEST_F(ProfileStringsTest, ReadsIntegers) {
  WriteText(Ini(), "[S]\nPlain=12\nSigned= -3 \nTrailing=7abc\nWord=abc\n");
  struct IntCase {
    const char* key;
    std::uint32_t expected;
  };
  const std::vector<IntCase> cases = {
      {"Plain", 12}, {"Signed", static_cast<std::uint32_t>(-3)}, {"Trailing", 7}, {"Word", 0}, {"Missing", 99},
  };
  for (const IntCase& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(GetPrivateProfileIntA("S", c.key, 99, Ini().c_str()), c.expected);
  }
}

TEST_F(ProfileStringsTest, WritingChangesOnlyWhatItNames) {
  const std::string original =
      "; keep me\r\n"
      "[DLLSection]\r\n"
      "SearchKey = F11\r\n"
      "odd line\r\n"
      "\r\n"
      "[Other]\r\n"
      "A=1";
  struct WriteCase {
    const char* label;
    const char* section;
    const char* key;
    const char* value;
    std::string expected;
  };
  const std::vector<WriteCase> cases = {
      {"replace a key", "dllsection", "SEARCHKEY  ", "F12", "; keep me\r\n[DLLSection]\r\nSEARCHKEY=F12\r\nodd line\r\n\r\n[Other]\r\nA=1"},
      {"add a key", "DLLSection", "ClipSearchKey", "F10",
       "; keep me\r\n[DLLSection]\r\nSearchKey = F11\r\nodd line\r\nClipSearchKey=F10\r\n\r\n[Other]\r\nA=1"},
      {"add a key to the last section", "Other", "B", "2",
       "; keep me\r\n[DLLSection]\r\nSearchKey = F11\r\nodd line\r\n\r\n[Other]\r\nA=1\r\nB=2\r\n"},
      {"add a section", "New", "K", "v",
       "; keep me\r\n[DLLSection]\r\nSearchKey = F11\r\nodd line\r\n\r\n[Other]\r\nA=1\r\n\r\n[New]\r\nK=v\r\n"},
      {"delete a key", "DLLSection", "SearchKey", nullptr, "; keep me\r\n[DLLSection]\r\nodd line\r\n\r\n[Other]\r\nA=1"},
      {"delete a section", "DLLSection", nullptr, nullptr, "; keep me\r\n[Other]\r\nA=1"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.label);
    WriteText(Ini(), original);
    EXPECT_TRUE(WritePrivateProfileStringA(c.section, c.key, c.value, Ini().c_str()));
    EXPECT_EQ(ReadText(Ini()), c.expected);
  }
}

TEST_F(ProfileStringsTest, WritingCreatesAMissingFileButNeverReplacesAnUnreadableOne) {
  std::string fresh = (dir_.path() / "NEW.INI").string();
  ASSERT_TRUE(WritePrivateProfileStringA("DLLSection", "SearchKey", "F11", fresh.c_str()));
  EXPECT_EQ(ReadText(fresh), "[DLLSection]\r\nSearchKey=F11\r\n");
  char buffer[8];
  EXPECT_EQ(GetPrivateProfileStringA("DLLSection", "SearchKey", "", buffer, sizeof buffer, fresh.c_str()), 3u);

  std::filesystem::create_directory(dir_.path() / "DIR.INI");
  EXPECT_FALSE(WritePrivateProfileStringA("S", "K", "v", (dir_.path() / "DIR.INI").c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.path() / "DIR.INI"));
}

}  // namespace
}  // namespace lexiv::platform
