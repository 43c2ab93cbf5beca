#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"

namespace lexiv::testing {
namespace {

constexpr UINT kMsgA = WM_USER + 1;
constexpr UINT kMsgB = WM_USER + 2;
constexpr UINT kMsgC = WM_USER + 3;

using MessageQueueTest = HeadlessTest;

// Posts a message when it receives kMsgA: a message posted by a handler.
class PostingWindow : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT r = RecordingWindow::WindowProc(message, wParam, lParam);
    if (message == WM_KEYDOWN && wParam == 'A') PostMessage(hwnd(), kMsgC, 0, 0);
    return r;
  }
};

TEST_F(MessageQueueTest, OrderOfPostedSentAndInputMessages) {
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    std::vector<UINT> expected;
  };
  const std::vector<Case> cases = {
      {"posted messages come out first in, first out",
       [](HWND h) {
         PostMessage(h, kMsgA, 0, 0);
         PostMessage(h, kMsgB, 0, 0);
       },
       {kMsgA, kMsgB}},
      {"a sent message is handled at once, before what was posted",
       [](HWND h) {
         PostMessage(h, kMsgA, 0, 0);
         SendMessage(h, kMsgB, 0, 0);
       },
       {kMsgB, kMsgA}},
      {"posted messages are taken before waiting input",
       [](HWND h) {
         InjectKey('X', true);
         PostMessage(h, kMsgA, 0, 0);
       },
       {kMsgA, WM_KEYDOWN}},
      {"a message posted by a key's handler comes before the next key",
       [](HWND) {
         InjectKey('A', true);
         InjectKey('B', true);
       },
       {WM_KEYDOWN, kMsgC, WM_KEYDOWN}},
  };
  for (const Case& c : cases) {
    std::vector<Received> log;
    PostingWindow w("w", &log, {kMsgA, kMsgB, kMsgC, WM_KEYDOWN});
    ASSERT_TRUE(w.CreateTop());
    SetFocus(w.hwnd());
    c.act(w.hwnd());
    PumpPending();
    std::vector<UINT> got;
    for (const Received& r : log) got.push_back(r.message);
    EXPECT_EQ(got, c.expected) << c.name;
    DestroyWindow(w.hwnd());
    // Key-up states left from the case must not leak into the next.
    InjectKey('A', false);
    InjectKey('B', false);
    InjectKey('X', false);
    PumpPending();
  }
}

TEST_F(MessageQueueTest, PeekWithoutRemovalLeavesTheMessageForTheNextGet) {
  std::vector<Received> log;
  RecordingWindow w("w", &log);
  ASSERT_TRUE(w.CreateTop());
  PostMessage(w.hwnd(), kMsgA, 7, 8);
  Msg peeked;
  ASSERT_TRUE(PeekMessage(&peeked, HWND{}, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(peeked.message, kMsgA);
  Msg got;
  ASSERT_EQ(GetMessage(&got, HWND{}, 0, 0), 1);
  EXPECT_EQ(got.message, kMsgA);
  EXPECT_EQ(got.wParam, 7u);
  EXPECT_FALSE(PeekMessage(&peeked, HWND{}, 0, 0, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, FilteredPeekFindsAWaitingKeyDownForOneWindow) {
  RecordingWindow frame("frame", nullptr);
  RecordingWindow pane("pane", nullptr);
  RecordingWindow other("other", nullptr);
  ASSERT_TRUE(frame.CreateTop());
  ASSERT_TRUE(pane.CreateChild(frame.hwnd(), 1));
  ASSERT_TRUE(other.CreateTop());
  SetFocus(pane.hwnd());
  PumpPending();
  PostMessage(other.hwnd(), WM_KEYDOWN, 'Z', 0);  // a posted key for another window
  InjectKey(VK_NEXT, true);                       // the user's key, bound for the focused pane
  struct Case {
    const char* name;
    HWND filter;
    UINT low;
    UINT high;
    bool found;
    UINT vk;
  };
  const Case cases[] = {
      {"the pane itself", pane.hwnd(), WM_KEYDOWN, WM_KEYDOWN, true, VK_NEXT},
      {"its frame (descendants match)", frame.hwnd(), WM_KEYDOWN, WM_KEYDOWN, true, VK_NEXT},
      {"another window's posted key", other.hwnd(), WM_KEYDOWN, WM_KEYDOWN, true, 'Z'},
      {"a range without key-downs", pane.hwnd(), WM_CHAR, WM_CHAR, false, 0},
      {"every window: the posted one first", HWND{}, WM_KEYDOWN, WM_KEYDOWN, true, 'Z'},
  };
  for (const Case& c : cases) {
    Msg msg;
    EXPECT_EQ(PeekMessage(&msg, c.filter, c.low, c.high, PM_NOREMOVE) != 0, c.found) << c.name;
    if (c.found) {
      EXPECT_EQ(msg.wParam, c.vk) << c.name;
    }
  }
  Msg msg;
  ASSERT_TRUE(PeekMessage(&msg, pane.hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, pane.hwnd());
  EXPECT_FALSE(PeekMessage(&msg, frame.hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
}

TEST_F(MessageQueueTest, QuitComesAfterEverythingPosted) {
  std::vector<Received> log;
  RecordingWindow w("w", &log, {kMsgA});
  ASSERT_TRUE(w.CreateTop());
  PostQuitMessage(3);
  PostMessage(w.hwnd(), kMsgA, 0, 0);
  Msg msg;
  ASSERT_EQ(GetMessage(&msg, HWND{}, 0, 0), 1);
  EXPECT_EQ(msg.message, kMsgA);
  ASSERT_EQ(GetMessage(&msg, HWND{}, 0, 0), 0);
  EXPECT_EQ(msg.wParam, 3u);
  // With nothing left and no script, the headless driver ends the wait.
  EXPECT_EQ(GetMessage(&msg, HWND{}, 0, 0), -1);
}

TEST_F(MessageQueueTest, TranslationTurnsKeysIntoCharacters) {
  struct Case {
    const char* name;
    UINT vk;
    UINT character;
    bool alt;
    std::vector<Received> expected;
  };
  const std::vector<Case> cases = {
      {"a letter", 'A', 'a', false, {{"w", WM_CHAR, 'a', 0}}},
      {"a double-byte character through the input method: WM_IME_CHAR, then two bytes by default",
       VK_PROCESSKEY, 0x8140, false,
       {{"w", WM_IME_CHAR, 0x8140, 0}, {"w", WM_CHAR, 0x81, 0}, {"w", WM_CHAR, 0x40, 0}}},
      {"Alt with a letter", 'X', 'x', true, {{"w", WM_SYSCHAR, 'x', 0}}},
      {"a key without a character", VK_DOWN, 0, false, {}},
  };
  for (const Case& c : cases) {
    std::vector<Received> log;
    RecordingWindow w("w", &log, {WM_CHAR, WM_SYSCHAR, WM_IME_CHAR});
    ASSERT_TRUE(w.CreateTop(WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    SetFocus(w.hwnd());
    if (c.alt) InjectKey(VK_MENU, true);
    InjectKey(c.vk, true, c.character);
    InjectKey(c.vk, false);
    if (c.alt) InjectKey(VK_MENU, false);
    PumpPending();
    for (Received& r : log) r.lParam = 0;
    EXPECT_EQ(log, c.expected) << c.name;
    DestroyWindow(w.hwnd());
  }
}

// A pane that turns Space into Down before anything else sees it, and swallows Escape.
class PreTranslatingPane : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  bool PreTranslateMessage(Msg& msg) override {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_SPACE) msg.wParam = VK_DOWN;
    return msg.wParam == VK_ESCAPE;
  }
};

class PreTranslatingFrame : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  bool PreTranslateMessage(Msg& msg) override {
    if (msg.message == WM_KEYDOWN) seen.push_back(static_cast<UINT>(msg.wParam));
    return false;
  }
  std::vector<UINT> seen;
};

TEST_F(MessageQueueTest, PreTranslationWalksFromTheTargetUpAndMayChangeOrConsumeAKey) {
  std::vector<Received> log;
  PreTranslatingFrame frame("frame", nullptr);
  PreTranslatingPane pane("pane", &log, {WM_KEYDOWN});
  ASSERT_TRUE(frame.CreateTop());
  ASSERT_TRUE(pane.CreateChild(frame.hwnd(), 1));
  SetFocus(pane.hwnd());
  InjectKey(VK_SPACE, true);
  InjectKey(VK_ESCAPE, true);
  InjectKey(VK_UP, true);
  PumpPending();
  EXPECT_EQ(frame.seen, (std::vector<UINT>{VK_DOWN, VK_UP}));
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].wParam, VK_DOWN);
  EXPECT_EQ(log[1].wParam, VK_UP);
}

}  // namespace
}  // namespace lexiv::testing
