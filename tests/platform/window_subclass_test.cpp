#include "platform/core/window_subclass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless_fixture.h"

namespace lexiv::testing {
namespace {

using WindowSubclassTest = HeadlessTest;

std::vector<std::string> g_seen;

// Notes its name; the second one turns WM_USER into WM_USER + 1 on its way on.
LRESULT First(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, UINT_PTR) {
  if (message >= WM_USER) g_seen.push_back("first");
  return DefSubclassProc(hwnd, message, wParam, lParam);
}
LRESULT Second(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, UINT_PTR refData) {
  if (message >= WM_USER) g_seen.push_back("second " + std::to_string(refData));
  if (message == WM_USER) return DefSubclassProc(hwnd, WM_USER + 1, wParam, lParam) + 100;
  if (message == WM_USER + 2) return 7;  // taken
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST_F(WindowSubclassTest, TheLastSetRunsFirstAndPassesOnWhatItDoesNotTake) {
  std::vector<Received> log;
  RecordingWindow window("w", &log, {WM_USER, WM_USER + 1, WM_USER + 2});
  ASSERT_TRUE(window.CreateTop());
  const HWND hwnd = window.hwnd();
  g_seen.clear();
  ASSERT_TRUE(SetWindowSubclass(hwnd, &First, 1, 0));
  ASSERT_TRUE(SetWindowSubclass(hwnd, &Second, 1, 5));
  ASSERT_TRUE(SetWindowSubclass(hwnd, &Second, 1, 6)) << "the same subclass again only changes its data";

  EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 100);
  EXPECT_EQ(SendMessage(hwnd, WM_USER + 2, 0, 0), 7);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"second 6", "first", "second 6"}));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].message, WM_USER + 1) << "the window got the changed message, and not the taken one";

  EXPECT_TRUE(RemoveWindowSubclass(hwnd, &Second, 1));
  EXPECT_FALSE(RemoveWindowSubclass(hwnd, &Second, 1));
  g_seen.clear();
  SendMessage(hwnd, WM_USER + 2, 0, 0);
  EXPECT_EQ(g_seen, std::vector<std::string>{"first"});
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(WindowSubclassTest, ADestroyedWindowLosesItsSubclasses) {
  std::vector<Received> log;
  RecordingWindow window("w", &log);
  ASSERT_TRUE(window.CreateTop());
  const HWND hwnd = window.hwnd();
  ASSERT_TRUE(SetWindowSubclass(hwnd, &First, 1, 0));
  EXPECT_TRUE(HasWindowSubclass(hwnd));
  DestroyWindow(hwnd);
  EXPECT_FALSE(HasWindowSubclass(hwnd));
  EXPECT_FALSE(SetWindowSubclass(hwnd, &First, 1, 0));
}

}  // namespace
}  // namespace lexiv::testing
