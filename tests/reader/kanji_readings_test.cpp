// The kanji readings file: what Build writes, Find answers; a damaged file is refused whole, so
// a lookup never reads past the table.
#include "reader/kanji_readings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "support/temp_dir.h"

namespace lexiv::testing {
namespace {

using reader::KanjiReadings;

std::string ValidTable() {
  // Out of order and with a duplicate: Build sorts and keeps the first text of a code.
  return KanjiReadings::Build({{0x8BB4, "hashi, kyou"}, {0x88A0, "a"}, {0x9260, "hashi, chiyo"}, {0x88A0, "dup"}});
}

TEST(KanjiReadingsTest, FindsEveryEntryAndNothingElse) {
  const std::string bytes = ValidTable();
  KanjiReadings table;
  ASSERT_EQ(table.Adopt(bytes), 0);
  EXPECT_EQ(table.size(), 3u);
  EXPECT_EQ(table.Find(0x8BB4), "hashi, kyou");
  EXPECT_EQ(table.Find(0x88A0), "a");
  EXPECT_EQ(table.Find(0x9260), "hashi, chiyo");
  for (std::uint16_t absent : {0x0000, 0x889F, 0x8BB5, 0xFFFF}) EXPECT_EQ(table.Find(absent), "") << std::hex << absent;
}

TEST(KanjiReadingsTest, ADamagedTableIsRefusedAndLeftEmpty) {
  const std::string valid = ValidTable();
  // The first record starts at 16; its text length at 18, its offset at 20.
  const struct {
    const char* what;
    std::function<void(std::string&)> damage;
  } cases[] = {
      {"empty", [](std::string& b) { b.clear(); }},
      {"header cut short", [](std::string& b) { b.resize(12); }},
      {"wrong magic", [](std::string& b) { b[0] = 'X'; }},
      {"last text byte missing", [](std::string& b) { b.pop_back(); }},
      {"a byte too many", [](std::string& b) { b.push_back('x'); }},
      {"count too large", [](std::string& b) { b[8] = 100; }},
      {"records out of order", [](std::string& b) { b[16] = static_cast<char>(0xFF); b[17] = static_cast<char>(0xFF); }},
      {"text past the end", [](std::string& b) { b[18] = 100; }},
      {"offset past the end", [](std::string& b) { b[23] = 1; }},
  };
  for (const auto& c : cases) {
    std::string bytes = valid;
    c.damage(bytes);
    KanjiReadings table;
    ASSERT_EQ(table.Adopt(valid), 0);
    EXPECT_EQ(table.Adopt(bytes), -1) << c.what;
    EXPECT_FALSE(table.loaded()) << c.what;
    EXPECT_EQ(table.Find(0x8BB4), "") << c.what;
  }
}

TEST(KanjiReadingsTest, OpensAFileAndRefusesWhatIsNotOne) {
  TempDir dir;
  const std::string path = (dir.path() / "kanji-readings.bin").string();
  const std::string bytes = ValidTable();
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  KanjiReadings table;
  ASSERT_EQ(table.Open(path), 0);
  EXPECT_EQ(table.Find(0x8BB4), "hashi, kyou");

  const std::string truncated = (dir.path() / "truncated.bin").string();
  std::ofstream(truncated, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size() - 1));
  const std::string empty = (dir.path() / "empty.bin").string();
  std::ofstream{empty};
  for (const std::string& bad : {truncated, empty, (dir.path() / "missing.bin").string(), dir.path().string()}) {
    EXPECT_EQ(table.Open(bad), -1) << bad;
    EXPECT_FALSE(table.loaded()) << bad;
  }
}

}  // namespace
}  // namespace lexiv::testing
