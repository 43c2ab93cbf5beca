// The KANJIDIC compiler: which readings a line gives, and what it does with a file that is not
// KANJIDIC.
#include "reader/kanjidic_compiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "kanji_fixture.h"
#include "reader/program_text.h"
#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

std::string Euc(const char8_t* utf8) { return Utf8ToEucJp(reinterpret_cast<const char*>(utf8)); }
std::string Shown(const std::string& sjis) { return reader::LogText(sjis); }

TEST(KanjidicLineTest, LinesWithoutAKanjiEntryAreSkipped) {
  reader::KanjiEntry entry;
  const std::string lines[] = {
      Euc(u8"# KANJIDIC comment/"),
      Euc(u8"丼 5027 U4e3c B4 {bowl}"),  // no reading
      Euc(u8"あ 2422 キョウ"),             // not a kanji
      "",
      Euc(u8"橋"),
  };
  for (const std::string& line : lines) EXPECT_FALSE(reader::ParseKanjidicLine(line, entry)) << line;
  ASSERT_TRUE(reader::ParseKanjidicLine(Euc(u8"橋 3636 U6a4b キョウ はし T1 ばせ {bridge}\r\n"), entry));
  EXPECT_EQ(entry.code, 0x8BB4);
  EXPECT_EQ(Shown(entry.readings), Shown("はし、キョウ"));
}

TEST(KanjidicCompilerTest, AFileWithoutKanjiIsRefusedAndNothingIsWritten) {
  TempDir dir;
  const std::string source = (dir.path() / "not-kanjidic").string();
  std::ofstream(source) << "hello\nworld\n";
  const std::string table = (dir.path() / "table.bin").string();
  std::string error;
  EXPECT_EQ(reader::CompileKanjidic(source, table, error), -1);
  EXPECT_NE(error.find("not a KANJIDIC file"), std::string::npos) << error;
  EXPECT_EQ(reader::CompileKanjidic((dir.path() / "missing").string(), table, error), -1);
  EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(table));
}

}  // namespace
}  // namespace lexiv::testing
