// The manuals the program is installed with: each is read by people with any editor (UTF-8) and by
// the manual readers, which take at most 64 KiB and work in Shift-JIS.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/services/shift_jis_text.h"

namespace lexiv::manuals {
namespace {

constexpr std::size_t kReaderLimitBytes = 64 * 1024;

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::filesystem::path> TextFiles(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error))
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(ManualFilesTest, EveryManualIsUtf8ThatShiftJisHoldsAndFitsTheReaders) {
  const std::vector<std::filesystem::path> manuals = TextFiles(std::filesystem::path(LEXIV_SOURCE_DIR) / "data/manual");
  ASSERT_FALSE(manuals.empty());
  for (const std::filesystem::path& manual : manuals) {
    const std::string name = manual.filename().string();
    EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return c > ' ' && c < 0x7F; })) << name;
    const std::string text = ReadBytes(manual);
    EXPECT_LT(text.size(), kReaderLimitBytes) << name;
    EXPECT_FALSE(text.empty()) << name;
    std::string sjis;
    ASSERT_TRUE(platform::Utf8ToSjis(text, sjis)) << name << " is not UTF-8 that Shift-JIS can hold";
    std::string back;
    ASSERT_TRUE(platform::SjisToUtf8(sjis, back)) << name;
    EXPECT_EQ(back, text) << name << " changes on its way through Shift-JIS";
    EXPECT_LT(sjis.size(), kReaderLimitBytes) << name;
  }
}

TEST(ManualFilesTest, TheBuildPutsEveryManualBesideThePrograms) {
  const std::vector<std::filesystem::path> sources = TextFiles(std::filesystem::path(LEXIV_SOURCE_DIR) / "data/manual");
  const std::vector<std::filesystem::path> built = TextFiles(std::filesystem::path(LEXIV_BIN_DIR) / "Manual");
  ASSERT_EQ(built.size(), sources.size());
  for (std::size_t i = 0; i < sources.size(); ++i) {
    EXPECT_EQ(built[i].filename(), sources[i].filename());
    EXPECT_EQ(ReadBytes(built[i]), ReadBytes(sources[i])) << built[i];
  }
}

}  // namespace
}  // namespace lexiv::manuals
