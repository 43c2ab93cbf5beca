#include "platform/terminal/terminal_input_delivery.h"

#include <gtest/gtest.h>

#include "headless_fixture.h"
#include "platform/core/drop_target.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"

namespace lexiv::testing {
namespace {

class RecordingDrop : public DropTarget {
 public:
  DWORD DragEnter(const DataObject&, DWORD allowed) override { return allowed & DROPEFFECT_COPY; }
  DWORD Drop(const DataObject& data, DWORD effect) override {
    texts.push_back(data.Get(CF_TEXT));
    return effect;
  }
  std::vector<std::string> texts;
};

// A frame with one child pane at (80, 32)-(240, 96) that has the focus; the screen's origin is
// at cell (0, 1), so the pane covers columns 10 to 29 and rows 3 to 6.
class TerminalDeliveryTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(frame.CreateTop());
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE;
    p.parent = frame.hwnd();
    p.id = 7;
    p.rect = RECT{80, 32, 240, 96};
    ASSERT_TRUE(pane.Create(p));
    SetFocus(pane.hwnd());
    RegisterDragDrop(frame.hwnd(), &drop);
    PumpPending();
    log.clear();
    delivery.SetOrigin(0, 1);
  }
  void Feed(std::string_view bytes, std::uint64_t nowMs = 1000) {
    std::vector<TerminalEvent> events;
    decoder.Feed(bytes, nowMs, events);
    for (const TerminalEvent& e : events) delivery.Deliver(e, nowMs);
    PumpPending();
  }
  std::vector<Received> log;
  RecordingWindow frame{"frame", &log, {WM_ACTIVATEAPP}};
  RecordingWindow pane{"pane", &log,
                       {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR, WM_IME_CHAR, WM_LBUTTONDOWN,
                        WM_LBUTTONUP, WM_LBUTTONDBLCLK}};
  RecordingDrop drop;
  TerminalInputDecoder decoder;
  TerminalInputDelivery delivery;
};

std::vector<std::pair<UINT, WPARAM>> Keys(const std::vector<Received>& log) {
  std::vector<std::pair<UINT, WPARAM>> keys;
  for (const Received& r : log) keys.emplace_back(r.message, r.wParam);
  return keys;
}

TEST_F(TerminalDeliveryTest, ModifiedKeyGoesDownWithItsModifiersAndComesUpAtOnce) {
  Feed("\x1b[23;6~");  // Ctrl+Shift+F11
  const std::vector<std::pair<UINT, WPARAM>> expected{
      {WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, VK_F11},
      {WM_KEYUP, VK_F11},       {WM_KEYUP, VK_SHIFT},   {WM_KEYUP, VK_CONTROL}};
  EXPECT_EQ(Keys(log), expected);
}

TEST_F(TerminalDeliveryTest, KittyReleaseComesWhenTheTerminalReportsIt) {
  decoder.SetReleasesReported(true);
  Feed("\x1b[1;3B");  // Alt+Down pressed
  EXPECT_EQ(Keys(log), (std::vector<std::pair<UINT, WPARAM>>{{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_DOWN}}));
  EXPECT_LT(GetKeyState(VK_DOWN), 0);
  log.clear();
  Feed("\x1b[1;3:3B");
  EXPECT_EQ(Keys(log), (std::vector<std::pair<UINT, WPARAM>>{{WM_SYSKEYUP, VK_DOWN}, {WM_SYSKEYUP, VK_MENU}}));
  EXPECT_GE(GetKeyState(VK_DOWN), 0);
}

TEST_F(TerminalDeliveryTest, TextArrivesAsShiftJisCharacters) {
  Feed("a\xe3\x81\x82\xef\xbd\xb1");  // a, あ, ｱ
  std::vector<std::pair<UINT, WPARAM>> chars;
  for (const Received& r : log)
    if (r.message == WM_CHAR || r.message == WM_IME_CHAR) chars.emplace_back(r.message, r.wParam);
  const std::vector<std::pair<UINT, WPARAM>> expected{
      {WM_CHAR, 'a'}, {WM_IME_CHAR, 0x82A0}, {WM_CHAR, 0x82}, {WM_CHAR, 0xA0}, {WM_CHAR, 0xB1}};
  EXPECT_EQ(chars, expected);
  EXPECT_TRUE(driver.Beeps().empty());
}

TEST_F(TerminalDeliveryTest, CharacterWithoutShiftJisIsDroppedWithABeep) {
  Feed("\xf0\x9f\x98\x80");  // an emoji
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(driver.Beeps().size(), 1u);
}

TEST_F(TerminalDeliveryTest, PasteIsDroppedOnTheMainWindowNotTyped) {
  Feed("\x1b[200~\xe8\xbe\x9e\xe6\x9b\xb8\nab\r\n\xf0\x9f\x98\x80x\x1b[201~");
  EXPECT_EQ(drop.texts, std::vector<std::string>{"辞書\r\nab\r\nx"});
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(driver.Beeps().size(), 1u);  // the emoji that Shift-JIS cannot hold
}

TEST_F(TerminalDeliveryTest, FocusReportsActivateAndDeactivateTheApplication) {
  Feed("\x1b[O");
  EXPECT_FALSE(IsApplicationActive());
  Feed("\x1b[I");
  EXPECT_TRUE(IsApplicationActive());
  EXPECT_EQ(log, (std::vector<Received>{{"frame", WM_ACTIVATEAPP, FALSE, 0}, {"frame", WM_ACTIVATEAPP, TRUE, 0}}));
}

TEST_F(TerminalDeliveryTest, ClicksReachTheWindowUnderThePointer) {
  // Column 12, row 4 (1-based 13, 5): pixel (100, 56) on the screen, (20, 24) in the pane.
  Feed("\x1b[<0;13;5M\x1b[<0;13;5m", 1000);
  Feed("\x1b[<0;13;5M\x1b[<0;13;5m", 1200);  // soon after, same cell: a double click
  Feed("\x1b[<0;13;5M", 3000);               // later: a new click
  const LPARAM at = MAKELPARAM(20, 24);
  const std::vector<Received> expected{
      {"pane", WM_LBUTTONDOWN, MK_LBUTTON, at}, {"pane", WM_LBUTTONUP, 0, at},
      {"pane", WM_LBUTTONDBLCLK, MK_LBUTTON, at}, {"pane", WM_LBUTTONUP, 0, at},
      {"pane", WM_LBUTTONDOWN, MK_LBUTTON, at}};
  EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace lexiv::testing
