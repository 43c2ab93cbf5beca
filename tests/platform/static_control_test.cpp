#include "platform/controls/static_control.h"

#include <gtest/gtest.h>

#include "headless_fixture.h"

namespace lexiv::testing {
namespace {

class StaticTest : public HeadlessTest {
 protected:
  void SetUp() override { ASSERT_TRUE(frame.CreateTop(WS_OVERLAPPEDWINDOW | WS_VISIBLE)); }
  RecordingWindow frame{"frame", nullptr};
};

TEST_F(StaticTest, IconStaticNamesItsIconButShowsNoText) {
  struct Case {
    DWORD style;
    const char* text;
    std::string windowText;
    std::string image;
  };
  const Case cases[] = {
      {SS_ICON, "IDI_QUESTION", "", "IDI_QUESTION"},
      {SS_ICON, "IDI_WARNING", "", "IDI_EXCLAMATION"},
      {SS_BITMAP, "#150", "", "bitmap 150"},
      {SS_LEFT, "読み方", "読み方", ""},
  };
  for (const Case& c : cases) {
    StaticControl label;
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE | c.style;
    p.parent = frame.hwnd();
    p.text = c.text;
    ASSERT_TRUE(label.Create(p));
    EXPECT_EQ(WindowText(label.hwnd()), c.windowText) << c.text;
    EXPECT_EQ(label.ImageName(), c.image) << c.text;
    if (c.style == SS_BITMAP) {
      EXPECT_EQ(SendMessage(label.hwnd(), STM_SETIMAGE, IMAGE_BITMAP, 143), 150);
      EXPECT_EQ(label.ImageName(), "bitmap 143");
    }
  }
}

}  // namespace
}  // namespace lexiv::testing
