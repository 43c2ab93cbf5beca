// A small platform program for the session's tests: it joins the session given by
// LEXIV_SESSION_DIR, makes a top-level window (class "LexivPeer") holding a multi-line edit, writes
// both handles to the file named by --ready, and answers what the tests send until PEER_QUIT.
//
//   lexiv-session-peer --name NAME --ready FILE [--text TEXT]
//
// Messages (registered by name):
//   PEER_ECHO     returns wParam + lParam
//   PEER_HANG     writes the file READY.hung, then sleeps lParam ms without looking at its queue
//                 (a hung program), returns 1
//   WLKP_CHECKCMDKEY  returns 55 (a message with a one-second time-out)
//   PEER_CALL     sends PEER_ECHO (lParam, 1) to window wParam, returns its result + 1000
//   PEER_AT       waits until real time lParam (SystemClock ms), then sends PEER_ECHO (7, 0) to
//                 window wParam and reports the result to the window that asked with PEER_NOTE
//   PEER_QUIT     ends the program
//   PEER_TYPE     types the letter key wParam (down and up), as the keyboard would
//   PEER_HOOK     installs the system-wide keyboard hook SwallowQ of the module given with --hook;
//                 returns its handle
//   PEER_TIMEKEYS types wParam key presses into its edit, takes and dispatches them, and returns
//                 the nanoseconds that took (for the session benchmark)
//   PEER_FRONT    brings window wParam (another program's) to the foreground; returns the result
//   WM_COPYDATA   returns dwData + the sum of the bytes
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/controls/edit_control.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/clock.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/windows_hooks.h"
#include "platform/services/library_loader.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/headless/headless_driver.h"
#include "platform/services/whole_file.h"

using namespace lexiv::platform;

namespace {

struct PeerMessages {
  UINT echo = RegisterWindowMessage("PEER_ECHO");
  UINT hang = RegisterWindowMessage("PEER_HANG");
  UINT call = RegisterWindowMessage("PEER_CALL");
  UINT at = RegisterWindowMessage("PEER_AT");
  UINT note = RegisterWindowMessage("PEER_NOTE");
  UINT quit = RegisterWindowMessage("PEER_QUIT");
  UINT check = RegisterWindowMessage("WLKP_CHECKCMDKEY");
  UINT type = RegisterWindowMessage("PEER_TYPE");
  UINT hook = RegisterWindowMessage("PEER_HOOK");
  UINT timeKeys = RegisterWindowMessage("PEER_TIMEKEYS");
  UINT front = RegisterWindowMessage("PEER_FRONT");
};

std::string hungMark;
std::string hookModule;

std::int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

SystemClock& RealTime() {
  static SystemClock clock;
  return clock;
}

class PeerWindow final : public Window {
 public:
  explicit PeerWindow(const PeerMessages& m) : m_(m) {}
  std::string_view ClassName() const override { return "LexivPeer"; }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == m_.echo) return static_cast<LRESULT>(wParam) + lParam;
    if (message == m_.check) return 55;
    if (message == m_.hang) {
      // The test waits for this mark, so that what it sends next finds the program hung.
      WriteFileAtomically(hungMark, "hung\n");
      RealTime().Sleep(static_cast<std::uint32_t>(lParam));
      return 1;
    }
    if (message == m_.call) return SendMessage(HwndFromParam(wParam), m_.echo, static_cast<WPARAM>(lParam), 1) + 1000;
    if (message == m_.at) {
      const auto when = static_cast<std::uint64_t>(lParam);
      const HWND target = HwndFromParam(wParam);
      // Posted by the test with its window in the high half of wParam.
      const HWND asker{static_cast<std::uint32_t>(static_cast<std::uint64_t>(wParam) >> 32)};
      while (RealTime().NowMs() < when) RealTime().Sleep(1);
      const LRESULT result = SendMessage(target, m_.echo, 7, 0);
      SendMessage(asker, m_.note, static_cast<WPARAM>(result), 0);
      return 0;
    }
    if (message == m_.type) {
      const UINT vk = static_cast<UINT>(wParam);
      InjectKey(vk, true, vk);
      InjectKey(vk, false);
      return 0;
    }
    if (message == m_.hook) {
      LibraryHandle module = LoadLibraryA(hookModule.c_str());
      const auto proc = reinterpret_cast<HOOKPROC>(GetProcAddress(module, "SwallowQ"));
      return static_cast<LRESULT>(SetWindowsHookEx(WH_KEYBOARD, proc, module, 0).value);
    }
    if (message == m_.timeKeys) {
      const auto start = MonotonicNs();
      for (WPARAM i = 0; i < wParam; ++i) {
        InjectKey('A', true, 'a');
        InjectKey('A', false);
        Msg msg;
        while (PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE)) {
          TranslateMessage(&msg);
          DispatchMessage(&msg);
        }
      }
      const auto elapsed = MonotonicNs() - start;
      SetWindowText(GetDlgItem(hwnd(), 1), "");
      return static_cast<LRESULT>(elapsed);
    }
    if (message == m_.front) return SetForegroundWindow(HwndFromParam(wParam));
    if (message == m_.quit) {
      PostQuitMessage(0);
      return 0;
    }
    if (message == WM_COPYDATA) {
      const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      LRESULT sum = static_cast<LRESULT>(block->dwData);
      for (DWORD i = 0; i < block->cbData; ++i) sum += static_cast<const unsigned char*>(block->lpData)[i];
      return sum;
    }
    return Window::WindowProc(message, wParam, lParam);
  }

 private:
  const PeerMessages& m_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string name = "peer", ready, text = "line one\r\nline two";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--name") == 0) name = argv[i + 1];
    if (std::strcmp(argv[i], "--ready") == 0) ready = argv[i + 1];
    if (std::strcmp(argv[i], "--text") == 0) text = argv[i + 1];
    if (std::strcmp(argv[i], "--hook") == 0) hookModule = argv[i + 1];
  }
  hungMark = ready + ".hung";
  HeadlessDriver driver;
  driver.ServeSessionWhenIdle(true);
  UiThread ui{driver};
  if (!JoinSession(name)) return 2;
  PeerMessages messages;
  PeerWindow window(messages);
  CreateParams top;
  top.text = name;
  top.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
  top.rect = RECT{0, 0, 320, 200};
  if (!window.Create(top)) return 3;
  EditControl edit;
  CreateParams child;
  child.text = text;
  child.style = WS_VISIBLE | WS_CHILD | ES_MULTILINE;
  child.parent = window.hwnd();
  child.id = 1;
  child.rect = RECT{0, 0, 200, 100};
  if (!edit.Create(child)) return 3;
  SetFocus(edit.hwnd());
  const std::string handles = std::to_string(window.hwnd().value) + " " + std::to_string(edit.hwnd().value) + "\n";
  if (!ready.empty() && WriteFileAtomically(ready, handles) != 0) return 4;
  return RunMessageLoop() < 0 ? 5 : 0;
}
