// The search box is drawn in the colour scheme the user chose, as the panes are: the search bar
// hands the box's colour request to the box, which answers with the scheme's colours.
#include <gtest/gtest.h>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "platform/controls/control_colors.h"
#include "platform/core/window_functions.h"

namespace lexiv::testing {
namespace {

class SearchBoxColorsTest : public AppFixture {};

TEST_F(SearchBoxColorsTest, TheBoxAsksForTheSchemesColours) {
  ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
  CMainFrame& frame = *app->mainFrame();
  const HWND box = frame.SearchBox()->hwnd();
  ASSERT_EQ(GetParent(box), frame.SearchBarWindow());
  for (int scheme = 0; scheme < kColorSchemeCount; ++scheme) {
    SCOPED_TRACE(scheme);
    frame.Display().SetColorIndex(scheme);
    const ControlColors colors = RequestEditColors(box);
    if (scheme == 0) {
      // The system's colours: on the terminal, its own.
      EXPECT_EQ(colors.text, CLR_DEFAULT);
      EXPECT_EQ(colors.background, CLR_DEFAULT);
    } else {
      EXPECT_EQ(colors.text, frame.Display().TextColor());
      EXPECT_EQ(colors.background, frame.Display().BackgroundColor());
    }
  }
}

}  // namespace
}  // namespace lexiv::testing
