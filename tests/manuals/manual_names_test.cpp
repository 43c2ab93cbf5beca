#include "manuals/manual_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace lexiv::manuals {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

// A file name as the file system spells it.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(CompareManualNamesTest, ComparesCharacterCodesWithADoubleByteCharacterAsOneCode) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {
      {"C", "a", -1},  // capitals first
      {"a", "b", -1},
      {"b", "b", 0},
      {"a", "ab", -1},  // a name before its longer names
      {"ab", "a", 1},
      // A half-width katakana (0xB1) is one small code, a double-byte character (0x82A0) a large
      // one: comparing the bytes one by one would put the double-byte character first.
      {"\xB1", "\x82\xA0", -1},
      {"Z", "\xB1", -1},
      // Two double-byte characters with the same lead byte differ by their trail bytes.
      {"\x82\xA0", "\x82\xA2", -1},
      // A trail byte that looks like a lower-case letter is part of its character.
      {"\x83\x61", "\x83\x62", -1},
      {"", "a", -1},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(CompareManualNames(c.a, c.b)), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(Sign(CompareManualNames(c.b, c.a)), -c.sign) << c.b << " / " << c.a;
  }
}

class ListManualsTest : public ::testing::Test {
 protected:
  void Make(const std::string& name) { std::ofstream(dir_.path() / name) << "text\n"; }
  std::string Directory() const { return dir_.path().string(); }
  testing::TempDir dir_;
};

TEST_F(ListManualsTest, ListsTextFilesByNameWithoutExtensionInCodeOrder) {
  // Names on disk are UTF-8; the list holds program text.
  const std::vector<std::string> files = {"b.txt", "a.txt", "C.txt", "a.b.txt", "Notes.TXT", Utf8(u8"手引き.txt"),
                                         Utf8(u8"ｱ.txt"), "x.txt", "x.TXT", "readme.md", "txt"};
  for (const std::string& name : files) Make(name);
  std::filesystem::create_directory(dir_.path() / "folder.txt");

  const std::vector<ManualFile> manuals = ListManuals(Directory() + "/");
  std::vector<std::string> names, fileNames;
  for (const ManualFile& manual : manuals) {
    names.push_back(manual.name);
    fileNames.push_back(manual.fileName);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"C", "Notes", "a", "a.b", "b", "x", "x", "\xB1", "手引き"}));
  // Equal names keep the order of their file names; each manual keeps the name it has on disk.
  EXPECT_EQ(fileNames, (std::vector<std::string>{"C.txt", "Notes.TXT", "a.txt", "a.b.txt", "b.txt", "x.TXT", "x.txt",
                                                 "\xB1.txt", "手引き.txt"}));
  EXPECT_EQ(ListManuals(Directory()).size(), manuals.size()) << "the trailing separator is optional";
  EXPECT_TRUE(HasManuals(Directory()));
}

TEST_F(ListManualsTest, NoManualsInADirectoryWithoutTextFilesOrWithoutADirectory) {
  Make("readme.md");
  Make("notes.txt.bak");
  EXPECT_TRUE(ListManuals(Directory()).empty());
  EXPECT_FALSE(HasManuals(Directory()));
  EXPECT_TRUE(ListManuals(Directory() + "/missing").empty());
  EXPECT_FALSE(HasManuals(Directory() + "/missing"));
  EXPECT_TRUE(ListManuals("").empty());
  EXPECT_FALSE(HasManuals(""));
}

}  // namespace
}  // namespace lexiv::manuals
