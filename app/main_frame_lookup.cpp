// The main window's answers to the hook library in other programs: the hook
// handle, the hot-key check, a lookup of captured text, a lookup with nothing
// captured (the dictionary comes forward to its search box), and switching the
// hot keys off. Each is a synchronous message: the sender waits, so its probe,
// request and text exist while they are read here.
#include <string>

#include "access/speech.h"
#include "app/main_frame.h"
#include "lookup/hot_key_config.h"
#include "lookup/lookup_protocol.h"
#include "lookup/request_reader.h"
#include "platform/core/driver.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/pointer.h"
#include "platform/core/session.h"
#include "platform/core/timers.h"
#include "platform/core/window_functions.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

constexpr char kRefusedWhileDialogOpen[] = "設定画面中は検索できません";
// The pause between the steps of taking the foreground, so each is handled
// before the next.
constexpr DWORD kForegroundStepMs = 10;

} // namespace

void CMainFrame::RegisterLookupMessages() {
  lookupMessages_.getHookHandle =
      RegisterWindowMessage(lookup::kGetHookHandleMessage);
  lookupMessages_.checkCommandKey =
      RegisterWindowMessage(lookup::kCheckCommandKeyMessage);
  lookupMessages_.search = RegisterWindowMessage(lookup::kSearchMessage);
  lookupMessages_.searchInput =
      RegisterWindowMessage(lookup::kSearchInputMessage);
  lookupMessages_.hotKeyEnable =
      RegisterWindowMessage(lookup::kHotKeyEnableMessage);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleLookupMessage(message, wParam, lParam, result))
    return result;
  return FrameWindow::WindowProc(message, wParam, lParam);
}

bool CMainFrame::HandleLookupMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT &result) {
  // Registered numbers are 0xC000 and above; 0 means a name could not be
  // registered.
  if (message < 0xC000)
    return false;
  const LookupMessages &m = lookupMessages_;
  if (message == m.getHookHandle) {
    result = static_cast<LRESULT>(app_.hookHandle);
  } else if (message == m.checkCommandKey) {
    result = OnCheckCommandKey(wParam, lParam);
  } else if (message == m.search) {
    result = OnLookupSearch(wParam, lParam);
  } else if (message == m.searchInput) {
    result = OnLookupSearchInput(lParam);
  } else if (message == m.hotKeyEnable) {
    result = OnHotKeyEnable(wParam, lParam);
  } else {
    return false;
  }
  return true;
}

LRESULT CMainFrame::OnCheckCommandKey(WPARAM probeAddress,
                                      LPARAM senderProcess) {
  if (hotKeysEnabled_ == 0)
    return 0;
  lookup::ProcessMemory sender(static_cast<DWORD>(senderProcess));
  const std::optional<lookup::KeyProbe> probe =
      lookup::ReadKeyProbe(sender, probeAddress);
  if (!probe)
    return 0;
  return static_cast<LRESULT>(lookup::CheckHotKey(app_.hotKeys, *probe));
}

LRESULT CMainFrame::OnHotKeyEnable(WPARAM set, LPARAM value) {
  const DWORD previous = hotKeysEnabled_;
  if (set != 0)
    hotKeysEnabled_ = static_cast<DWORD>(value);
  return static_cast<LRESULT>(previous);
}

void CMainFrame::StopReadAll() {
  if (meanView_ && meanView_->readAllRunning())
    PostMessage(meanView_->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
}

void CMainFrame::RefuseLookupWhileDialogOpen(const char *spoken) {
  SetMessageText(kRefusedWhileDialogOpen);
  access::SpeakNow(spoken);
  SetForegroundWindow(hwnd());
}

LRESULT CMainFrame::OnLookupSearch(WPARAM requestAddress, LPARAM senderWindow) {
  if (!flags_.viewsReady || !titleView_)
    return lookup::kRequestRefused;
  const HWND sender = HwndFromParam(senderWindow);
  const bool fromOurselves = sender == hwnd();
  DWORD senderProcess = GetCurrentProcessId();
  if (!fromOurselves)
    GetWindowThreadProcessId(sender, &senderProcess);

  lookup::ProcessMemory memory(senderProcess);
  if (!memory.IsOpen())
    return lookup::kRequestRefused;
  const std::optional<lookup::LookupText> request =
      lookup::ReadLookupRequest(memory, requestAddress);
  if (!request)
    return lookup::kRequestRefused;
  // Recorded only once the request proved readable: a refused one leaves Escape
  // as it was.
  if (!fromOurselves)
    flags_.callerWindow = sender;

  if (flags_.dialogOpen) {
    RefuseLookupWhileDialogOpen("国語辞典\xFE設定画面中は\xFE検索できません");
    return 0;
  }
  StopReadAll();
  if (!fromOurselves)
    flags_.externalRequest = 1;
  const int result = titleView_->ShowSearchResults(
      request->text, static_cast<int>(request->mode),
      static_cast<int>(request->pattern));
  if (result == 0 && IsIconic(hwnd()))
    ShowWindow(hwnd(), SW_SHOWNORMAL);
  return result;
}

void CMainFrame::ComeForwardToSearchBox() {
  if (IsIconic(hwnd()))
    ShowWindow(hwnd(), SW_SHOWNORMAL);
  // A program may take the foreground from another only as the user would give
  // it: the window is put on top and clicked at its top edge, then the pointer
  // goes back where it was.
  constexpr UINT kTopmostFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS;
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, kTopmostFlags);
  Sleep(kForegroundStepMs);
  POINT pointer{};
  GetCursorPos(&pointer);
  RECT frame{};
  GetWindowRect(hwnd(), &frame);
  SetCursorPos(frame.left + (frame.right - frame.left) / 2, frame.top + 2);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  Sleep(kForegroundStepMs);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  Sleep(kForegroundStepMs);
  SetCursorPos(pointer.x, pointer.y);
  SetForegroundWindow(hwnd());
  Sleep(kForegroundStepMs);
  if (searchBox_)
    SetFocus(searchBox_->hwnd());
  SetWindowPos(hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, kTopmostFlags);
}

LRESULT CMainFrame::OnLookupSearchInput(LPARAM returnWindow) {
  StopReadAll();
  const HWND caller = HwndFromParam(returnWindow);
  if (caller != hwnd()) {
    flags_.externalRequest = 1;
    flags_.callerWindow = caller;
  }
  if (titleView_)
    titleView_->SetAnnounceReady(0);
  if (flags_.dialogOpen) {
    MessageBeep(0xFFFFFFFF);
    RefuseLookupWhileDialogOpen("国語辞典\xFE設定画面中は検索できません");
  } else {
    ComeForwardToSearchBox();
  }
  if (titleView_)
    titleView_->SetAnnounceReady(1);
  return 0;
}

} // namespace lexiv
