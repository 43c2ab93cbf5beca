#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/focus.h"
#include "platform/core/modal_loop.h"

namespace lexiv::testing {
namespace {

constexpr UINT kOpenOuter = WM_USER + 1;
constexpr UINT kOpenInner = WM_USER + 2;
constexpr UINT kEndOuter = WM_USER + 3;
constexpr UINT kEndInner = WM_USER + 4;
constexpr UINT kQuitInside = WM_USER + 5;

// A command that runs a dialog-like loop, inside which another one can run.
class NestingWindow : public Window {
 public:
  std::vector<std::string> events;
  ModalLoop outer;
  ModalLoop inner;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kOpenOuter:
        events.push_back("outer opens");
        events.push_back("outer ends with " + std::to_string(outer.Run()));
        return 0;
      case kOpenInner:
        events.push_back("inner opens");
        events.push_back("inner ends with " + std::to_string(inner.Run()));
        return 0;
      case kEndOuter:
        outer.End(1);
        return 0;
      case kEndInner:
        inner.End(2);
        return 0;
      case kQuitInside:
        PostQuitMessage(9);
        return 0;
      default:
        return Window::WindowProc(message, wParam, lParam);
    }
  }
};

using ModalLoopTest = HeadlessTest;

TEST_F(ModalLoopTest, NestedLoopsEndOnTheirOwnFlags) {
  struct Case {
    const char* name;
    std::vector<UINT> posts;  // each posted when the program waits
    std::vector<std::string> expected;
    int loopResult;
  };
  const std::vector<Case> cases = {
      {"the inner loop ends first, the outer keeps running",
       {kOpenOuter, kOpenInner, kEndInner, kEndOuter},
       {"outer opens", "inner opens", "inner ends with 2", "outer ends with 1"},
       -1},
      {"ending the outer loop from inside the inner one waits for the inner",
       {kOpenOuter, kOpenInner, kEndOuter, kEndInner},
       {"outer opens", "inner opens", "inner ends with 2", "outer ends with 1"},
       -1},
      {"a quit request ends every loop and reaches the main loop",
       {kOpenOuter, kOpenInner, kQuitInside},
       {"outer opens", "inner opens", "inner ends with -1", "outer ends with -1"},
       9},
      {"a loop with no more input unwinds",
       {kOpenOuter},
       {"outer opens", "outer ends with -1"},
       -1},
  };
  for (const Case& c : cases) {
    NestingWindow w;
    CreateParams p;
    p.style = WS_OVERLAPPEDWINDOW;
    ASSERT_TRUE(w.Create(p));
    for (UINT message : c.posts) driver.Then([&w, message] { PostMessage(w.hwnd(), message, 0, 0); });
    EXPECT_EQ(driver.Run(), c.loopResult) << c.name;
    EXPECT_EQ(w.events, c.expected) << c.name;
    DestroyWindow(w.hwnd());
  }
}

}  // namespace
}  // namespace lexiv::testing
