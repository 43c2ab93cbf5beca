#include "platform/services/file_listing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace lexiv::platform {
namespace {

TEST(FileNameMatchesTest, WildcardsAndCaseAsOnWindows) {
  struct MatchCase {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const std::vector<MatchCase> cases = {
      {"*.txt", "a.txt", true},
      {"*.txt", "A.TXT", true},
      {"*.txt", ".txt", true},
      {"*.txt", "a.txt.bak", false},
      {"*.txt", "atxt", false},
      {"*", "", true},
      {"a*b*c", "aXXbYc", true},
      {"a*b", "abXb", true},
      {"a*b", "abXc", false},
      {"?.txt", "あ.txt", true},   // a double-byte character is one character
      {"??.txt", "あ.txt", false},
      {"*A*", "\x83\x41", false},  // the trail byte of a double-byte character is not a letter
      {"\x83\x61.txt", "\x83\x41.txt", false},  // trail bytes that look like letters do not fold
  };
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.name);
    EXPECT_EQ(FileNameMatches(c.pattern, c.name), c.matches);
  }
}

TEST(ListMatchingFilesTest, ListsMatchingRegularFilesInByteOrder) {
  testing::TempDir dir;
  const std::string onDisk = reinterpret_cast<const char*>(u8"マニュアル.txt");
  for (const std::string name : {"b.txt", "a.txt", "C.txt", "D.TXT", "notes.md"}) std::ofstream(dir.path() / name) << "x";
  std::ofstream(dir.path() / onDisk) << "x";
  std::filesystem::create_directory(dir.path() / "folder.txt");

  std::vector<std::string> names;
  EXPECT_EQ(ListMatchingFiles(dir.dir(), "*.txt", names), 5);
  EXPECT_THAT(names, ::testing::ElementsAre("C.txt", "D.TXT", "a.txt", "b.txt", "マニュアル.txt"));

  EXPECT_EQ(ListMatchingFiles(dir.path().string(), "*.none", names), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(ListMatchingFiles(dir.dir() + "missing/", "*.txt", names), -1);
}

}  // namespace
}  // namespace lexiv::platform
