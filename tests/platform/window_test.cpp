#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "headless_fixture.h"
#include "platform/core/drop_target.h"
#include "platform/core/focus.h"

namespace lexiv::testing {
namespace {

using WindowTest = HeadlessTest;

TEST_F(WindowTest, DestructionSendsDestroyParentFirstAndNcDestroyChildrenFirst) {
  std::vector<Received> log;
  const std::vector<UINT> watched = {WM_DESTROY, WM_NCDESTROY};
  RecordingWindow frame("frame", &log, watched);
  RecordingWindow pane("pane", &log, watched);
  RecordingWindow inner("inner", &log, watched);
  RecordingWindow dialog("dialog", &log, watched);
  ASSERT_TRUE(frame.CreateTop());
  ASSERT_TRUE(pane.CreateChild(frame.hwnd(), 1));
  ASSERT_TRUE(inner.CreateChild(pane.hwnd(), 2));
  CreateParams owned;
  owned.style = WS_POPUP;
  owned.parent = frame.hwnd();  // the owner
  ASSERT_TRUE(dialog.Create(owned));
  const HWND handles[] = {frame.hwnd(), pane.hwnd(), inner.hwnd(), dialog.hwnd()};
  ASSERT_TRUE(DestroyWindow(frame.hwnd()));
  std::vector<std::string> order;
  for (const Received& r : log) order.push_back(r.window + (r.message == WM_DESTROY ? " destroy" : " ncdestroy"));
  EXPECT_EQ(order, (std::vector<std::string>{"dialog destroy", "dialog ncdestroy", "frame destroy", "pane destroy",
                                             "inner destroy", "inner ncdestroy", "pane ncdestroy", "frame ncdestroy"}));
  for (HWND h : handles) EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(DestroyWindow(handles[0]));
}

TEST_F(WindowTest, HandlesAreNotReusedAndAutoDeleteWindowsDeleteThemselves) {
  std::set<std::uint32_t> seen;
  for (int i = 0; i < 50; ++i) {
    auto* w = new Window();
    w->SetAutoDelete(true);
    CreateParams p;
    ASSERT_TRUE(w->Create(p));
    EXPECT_TRUE(seen.insert(w->hwnd().value).second);
    DestroyWindow(w->hwnd());  // deletes w
  }
}

// A window that destroys itself while handling a message.
class SelfDestroying : public Window {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_USER) {
      DestroyWindow(hwnd());
      return 7;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
};

TEST_F(WindowTest, AWindowMayDestroyItselfInsideItsOwnHandler) {
  auto* w = new SelfDestroying();
  w->SetAutoDelete(true);
  CreateParams p;
  ASSERT_TRUE(w->Create(p));
  const HWND h = w->hwnd();
  EXPECT_EQ(SendMessage(h, WM_USER, 0, 0), 7);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowTest, TextIsCutToTheBufferWithoutSplittingACharacter) {
  Window w;
  CreateParams p;
  p.text = "国語abc";
  ASSERT_TRUE(w.Create(p));
  struct Case {
    int size;
    const char* expected;
  };
  const Case cases[] = {{0, ""}, {1, ""}, {2, ""}, {3, "国"}, {4, "国"}, {5, "国語"}, {6, "国語a"}, {100, "国語abc"}};
  for (const Case& c : cases) {
    char buffer[100];
    std::memset(buffer, 'x', sizeof buffer);
    const int copied = GetWindowText(w.hwnd(), buffer, c.size);
    if (c.size == 0) {
      EXPECT_EQ(copied, 0);
      EXPECT_EQ(buffer[0], 'x');  // nothing written into a buffer of no bytes
      continue;
    }
    EXPECT_STREQ(buffer, c.expected) << "size " << c.size;
    EXPECT_EQ(copied, static_cast<int>(std::strlen(c.expected)));
  }
  EXPECT_EQ(GetWindowTextLength(w.hwnd()), 7);
}

TEST_F(WindowTest, ShowStatesAndPlacementRoundTrip) {
  std::vector<Received> log;
  RecordingWindow w("w", &log, {WM_SIZE});
  CreateParams p;
  p.style = WS_OVERLAPPEDWINDOW;
  p.rect = RECT{10, 20, 410, 320};
  ASSERT_TRUE(w.Create(p));
  struct Case {
    int command;
    UINT showCmd;
    bool iconic;
    bool zoomed;
  };
  const Case cases[] = {
      {SW_MAXIMIZE, SW_SHOWMAXIMIZED, false, true},
      {SW_MINIMIZE, SW_SHOWMINIMIZED, true, false},
      {SW_RESTORE, SW_SHOWMAXIMIZED, false, true},  // a minimised maximised window comes back maximised
      {SW_SHOWNORMAL, SW_SHOWNORMAL, false, false},
  };
  for (const Case& c : cases) {
    ShowWindow(w.hwnd(), c.command);
    WINDOWPLACEMENT wp;
    ASSERT_TRUE(GetWindowPlacement(w.hwnd(), &wp));
    EXPECT_EQ(wp.length, 44u);
    EXPECT_EQ(wp.showCmd, c.showCmd) << "command " << c.command;
    EXPECT_EQ(IsIconic(w.hwnd()) != 0, c.iconic);
    EXPECT_EQ(IsZoomed(w.hwnd()) != 0, c.zoomed);
    EXPECT_EQ(wp.rcNormalPosition, (RECT{10, 20, 410, 320}));
  }
  RECT r;
  GetWindowRect(w.hwnd(), &r);
  EXPECT_EQ(r, (RECT{10, 20, 410, 320}));

  WINDOWPLACEMENT saved;
  saved.showCmd = SW_SHOWNORMAL;
  saved.rcNormalPosition = RECT{5, 6, 105, 206};
  log.clear();
  ASSERT_TRUE(SetWindowPlacement(w.hwnd(), &saved));
  GetWindowRect(w.hwnd(), &r);
  EXPECT_EQ(r, saved.rcNormalPosition);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].lParam, MAKELPARAM(100, 200));
  saved.length = 40;
  EXPECT_FALSE(SetWindowPlacement(w.hwnd(), &saved));
}

class TextDropTarget : public DropTarget {
 public:
  std::vector<std::string> dropped;
  DWORD DragEnter(const DataObject& data, DWORD allowed) override {
    return data.Has(CF_TEXT) && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }
  DWORD Drop(const DataObject& data, DWORD effect) override {
    dropped.push_back(data.Get(CF_TEXT));
    return effect;
  }
};

TEST_F(WindowTest, DroppedTextReachesTheNearestRegisteredTarget) {
  RecordingWindow frame("frame", nullptr);
  RecordingWindow pane("pane", nullptr);
  ASSERT_TRUE(frame.CreateTop());
  ASSERT_TRUE(pane.CreateChild(frame.hwnd(), 1));
  TextDropTarget target;
  ASSERT_EQ(RegisterDragDrop(frame.hwnd(), &target), 0);
  EXPECT_EQ(driver.DropText(pane.hwnd(), "愛"), DROPEFFECT_COPY);
  EXPECT_EQ(driver.DropFiles(pane.hwnd(), "/tmp/a.txt"), DROPEFFECT_NONE);
  EXPECT_EQ(target.dropped, std::vector<std::string>{"愛"});
  RevokeDragDrop(frame.hwnd());
  EXPECT_EQ(driver.DropText(pane.hwnd(), "恋"), DROPEFFECT_NONE);
}

}  // namespace
}  // namespace lexiv::testing
