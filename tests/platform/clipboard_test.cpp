#include "platform/services/clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lexiv::platform {
namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override { PutClipboardTextFromOutside(""); }
  void TearDown() override {
    WatchClipboard({});
    CloseClipboard();
  }
};

TEST_F(ClipboardTest, OnlyAnOpenedClipboardChangesOrIsRead) {
  EXPECT_FALSE(SetClipboardData(CF_TEXT, "x"));
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_FALSE(CloseClipboard());

  ASSERT_TRUE(OpenClipboard(HWND{7u}));
  EXPECT_FALSE(OpenClipboard(HWND{8u})) << "one opening at a time";
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(SetClipboardData(13, "unicode"));
  EXPECT_TRUE(SetClipboardData(CF_TEXT, std::string("国語\0tail", 9)));
  EXPECT_STREQ(GetClipboardData(CF_TEXT), "国語");
  EXPECT_TRUE(CloseClipboard());

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(ClipboardText(), "国語");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_STREQ(GetClipboardData(CF_TEXT), "国語");
}

TEST_F(ClipboardTest, TheWatcherSeesTheProgramsChangesOnly) {
  std::vector<std::string> seen;
  WatchClipboard([&](std::string_view text) { seen.emplace_back(text); });
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, "copied");
  CloseClipboard();
  PutClipboardTextFromOutside("pasted");
  EXPECT_EQ(seen, (std::vector<std::string>{"", "copied"}));
  EXPECT_EQ(ClipboardText(), "pasted");
}

}  // namespace
}  // namespace lexiv::platform
