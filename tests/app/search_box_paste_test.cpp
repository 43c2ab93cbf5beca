// Ctrl+V in the search box pastes there once, before the main window's keys see it.
#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/clipboard.h"
#include "views/search_box.h"

namespace lexiv::testing {
namespace {

class SearchBoxPasteTest : public AppFixture {};

TEST_F(SearchBoxPasteTest, CtrlVPastesOnceAndCtrlAltVDoesNot) {
  struct Case {
    const char* chord;
    const char* boxText;
  };
  const Case cases[] = {
      {"Ctrl+V", "あい"},
      {"Ctrl+Alt+V", ""},
  };
  ASSERT_EQ(NewApp().Start("lexiv"), 0);
  const HWND box = app->mainFrame()->SearchBox()->hwnd();
  PutClipboardTextFromOutside("あい");
  for (const Case& c : cases) {
    SetWindowText(box, "");
    driver.PressKey(c.chord);
    PumpPending();
    EXPECT_EQ(WindowText(box), c.boxText) << c.chord;
  }
}

}  // namespace
}  // namespace lexiv::testing
