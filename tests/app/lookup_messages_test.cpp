// The main window's answers to lookups from other programs, sent here from the
// program's own thread (as the hook library does inside the dictionary): the
// request is read through the same path as another program's.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "lookup/lookup_protocol.h"
#include "platform/controls/status_bar.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/services/low_memory.h"

namespace lexiv::testing {
namespace {

using namespace lexiv::lookup;

std::string StatusText(HWND bar) {
  const LRESULT length = SendMessage(bar, SB_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(LOWORD(length)) + 1, '\0');
  SendMessage(bar, SB_GETTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

// A request and its text below 4 GiB, as the hook library builds them.
class LowRequest {
public:
  explicit LowRequest(const std::string &text, std::uint32_t mode = kCaretText,
                      std::uint32_t size = 0) {
    block_ = static_cast<char *>(
        AllocateBelow4GiB(sizeof(LookupRequest) + text.size() + 1));
    char *textCopy = block_ + sizeof(LookupRequest);
    std::memcpy(textCopy, text.c_str(), text.size() + 1);
    request().size =
        size != 0 ? size : static_cast<std::uint32_t>(text.size() + 1);
    request().textAddress = LowAddress(textCopy);
    request().mode = mode;
  }
  ~LowRequest() { FreeBelow4GiB(block_); }
  LookupRequest &request() {
    return *reinterpret_cast<LookupRequest *>(block_);
  }
  WPARAM address() { return reinterpret_cast<WPARAM>(block_); }

private:
  char *block_ = nullptr;
};

// A top-level window of "another program", where Escape returns.
class CallerWindow : public Window {};

class LookupMessagesTest : public AppFixture {
protected:
  void SetUp() override {
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << Report();
    driver.Run();
    frame = app->mainFrame();
    CreateParams params;
    params.text = "caller";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 100, 100};
    ASSERT_TRUE(caller.Create(params));
    SetForegroundWindow(caller.hwnd());
    driver.Run();
    reader.ClearCalls();
  }

  LRESULT Send(const char *name, WPARAM wParam, LPARAM lParam) {
    return SendMessage(frame->hwnd(), RegisterWindowMessage(name), wParam,
                       lParam);
  }
  LRESULT Search(LowRequest &request) {
    const LRESULT result =
        Send(kSearchMessage, request.address(), ToLParam(caller.hwnd()));
    driver.Run();
    return result;
  }
  bool Said(const std::string &text) const {
    for (const std::string &spoken : reader.SpokenTexts())
      if (spoken.find(text) != std::string::npos)
        return true;
    return false;
  }

  CMainFrame *frame = nullptr;
  CallerWindow caller;
};

TEST_F(LookupMessagesTest,
       ASearchShowsAndSpeaksTheHeadwordsAndEscapeReturnsToTheCaller) {
  LowRequest request(
      "橋を渡る"); // text at a caret: the headword is found at its start
  EXPECT_EQ(Search(request), 0);
  EXPECT_EQ(WindowText(frame->SearchBox()->hwnd()), "橋を渡る");
  ASSERT_GT(frame->TitleView()->ItemCount(), 0);
  EXPECT_NE(frame->TitleView()->ItemText(0).find("橋"), std::string::npos)
      << Report();
  EXPECT_TRUE(Said("橋")) << Report();
  EXPECT_EQ(GetForegroundWindow(), frame->hwnd());
  EXPECT_EQ(GetFocus(), frame->TitleView()->hwnd());
  EXPECT_EQ(frame->Flags().externalRequest, 1u);
  EXPECT_EQ(frame->Flags().callerWindow, caller.hwnd());

  driver.PressKey("Escape");
  driver.Run();
  EXPECT_EQ(GetForegroundWindow(), caller.hwnd());
  EXPECT_EQ(frame->Flags().externalRequest, 0u);
  EXPECT_FALSE(frame->Flags().callerWindow);
}

TEST_F(LookupMessagesTest, NothingFoundGivesTheForegroundBackAndSaysWhyLater) {
  LowRequest request("ゑゑゑゑ", kWholeText);
  EXPECT_EQ(Search(request), 1);
  EXPECT_EQ(GetForegroundWindow(), caller.hwnd());
  EXPECT_FALSE(frame->Flags().callerWindow);
  EXPECT_EQ(frame->Flags().externalRequest, 0u);
}

TEST_F(LookupMessagesTest, ARequestThatCannotBeReadIsRefusedAndChangesNothing) {
  LowRequest zeroSize("はし", kCaretText, 0);
  zeroSize.request().size = 0;
  LowRequest hugeSize("はし", kCaretText, 0xFFFFFFF0u);
  LowRequest noNul("はし", kCaretText, 0);
  noNul.request().size = 4; // the four text bytes, without the NUL after them
  LowRequest badBytes("\x82\x01", kCaretText, 0);
  LowRequest badAddress("はし");
  badAddress.request().textAddress = 0x10;
  LowRequest *cases[] = {&zeroSize, &hugeSize, &noNul, &badBytes, &badAddress};
  const std::string searchText = WindowText(frame->SearchBox()->hwnd());
  for (LowRequest *request : cases)
    EXPECT_EQ(Search(*request), kRequestRefused);
  EXPECT_TRUE(reader.SpokenTexts().empty()) << Report();
  EXPECT_EQ(WindowText(frame->SearchBox()->hwnd()), searchText);
  EXPECT_EQ(GetForegroundWindow(), caller.hwnd());
  EXPECT_FALSE(frame->Flags().callerWindow);
  EXPECT_EQ(frame->Flags().externalRequest, 0u);
}

TEST_F(LookupMessagesTest, AnOpenDialogRefusesTheSearchAndSaysSo) {
  frame->Flags().dialogOpen = 1;
  LowRequest request("はし");
  EXPECT_EQ(Search(request), 0);
  EXPECT_EQ(StatusText(frame->StatusBarWindow()), "設定画面中は検索できません");
  // Said first; the window brought forward announces itself after it.
  ASSERT_FALSE(reader.SpokenTexts().empty());
  EXPECT_EQ(reader.SpokenTexts().front(),
            "国語辞典\xFE設定画面中は\xFE検索できません")
      << Report();
  EXPECT_NE(WindowText(frame->SearchBox()->hwnd()), "はし");
  EXPECT_EQ(GetForegroundWindow(), frame->hwnd());

  reader.ClearCalls();
  driver.ClearBeeps();
  EXPECT_EQ(Send(kSearchInputMessage, 0, ToLParam(caller.hwnd())), 0);
  driver.Run();
  EXPECT_EQ(driver.Beeps(), std::vector<UINT>{0xFFFFFFFF});
  ASSERT_FALSE(reader.SpokenTexts().empty());
  EXPECT_EQ(reader.SpokenTexts().front(),
            "国語辞典\xFE設定画面中は検索できません")
      << Report();
  frame->Flags().dialogOpen = 0;
}

TEST_F(LookupMessagesTest, NothingCapturedBringsTheSearchBoxForward) {
  ShowWindow(frame->hwnd(), SW_MINIMIZE);
  EXPECT_EQ(Send(kSearchInputMessage, 0, ToLParam(caller.hwnd())), 0);
  driver.Run();
  EXPECT_FALSE(IsIconic(frame->hwnd()));
  EXPECT_EQ(GetForegroundWindow(), frame->hwnd());
  EXPECT_EQ(GetFocus(), frame->SearchBox()->hwnd());
  EXPECT_EQ(frame->Flags().callerWindow, caller.hwnd());
  EXPECT_EQ(frame->Flags().externalRequest, 1u);
}

TEST_F(LookupMessagesTest, TheHotKeyCheckReadsTheProbeAndObeysTheEnableFlag) {
  KeyProbe probe{};
  probe.virtualKey = 0x7A; // F11
  probe.keyState[0x11] = probe.keyState[0x10] = 0x80;
  const WPARAM address = reinterpret_cast<WPARAM>(&probe);
  const LPARAM self = static_cast<LPARAM>(GetCurrentProcessId());
  EXPECT_EQ(Send(kCheckCommandKeyMessage, address, self),
            static_cast<LRESULT>(kCaretLookupCommand));
  probe.keyState[0x10] = 0;
  EXPECT_EQ(Send(kCheckCommandKeyMessage, address, self), 0);
  probe.keyState[0x10] = 0x80;
  EXPECT_EQ(Send(kCheckCommandKeyMessage, 0x10, self),
            0); // an address that cannot be read

  EXPECT_EQ(Send(kHotKeyEnableMessage, 0, 5), 1); // asked without setting
  EXPECT_EQ(Send(kHotKeyEnableMessage, 1, 0), 1);
  EXPECT_EQ(Send(kCheckCommandKeyMessage, address, self), 0);
  EXPECT_EQ(Send(kHotKeyEnableMessage, 1, 1), 0);
  EXPECT_EQ(Send(kCheckCommandKeyMessage, address, self),
            static_cast<LRESULT>(kCaretLookupCommand));
}

TEST_F(LookupMessagesTest, TheHookHandleIsTheOneTheLibraryGave) {
  EXPECT_EQ(Send(kGetHookHandleMessage, 0, 0),
            static_cast<LRESULT>(app->state().hookHandle));
}

} // namespace
} // namespace lexiv::testing
