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
//
// Shared services (named blocks, memory, clipboard, atoms):
//   PEER_BLOCK_CREATE  CreateFileMappingA "LexivTestBlock" of wParam bytes, mapped: 0 failed,
//                      1 made new, 2 opened an existing one (ERROR_ALREADY_EXISTS)
//   PEER_BLOCK_OPEN    OpenFileMappingA "LexivTestBlock" for writing, mapped: 1, or 0 (none)
//   PEER_BLOCK_WRITE   stores wParam as the block's first 32-bit value; 1, or 0 without a block
//   PEER_BLOCK_READ    the block's first 32-bit value; -1 without a block
//   PEER_BLOCK_CLOSE   unmaps the view and closes the handle; 1
//   PEER_LOOKUP_ME     builds a 20-byte request {size, text address, 1, 0, 0} and its text
//                      "ピア text" below 4 GiB, sends PEER_LOOKUP (address of the request, this
//                      window) to window wParam and returns its reply
//   PEER_CLIP_SET      sets the clipboard to "ピア N" (N = wParam); 1 when it could
//   PEER_CLIP_GET      writes the clipboard's text to READY.clip; its length, -1 when none
//   PEER_ATOM_ADD      AddAtomA("LexivPeerAtom"); the atom
// With --call HWND the program sends PEER_ECHO (5, 6) to HWND at start, writes the result to
// READY.call and ends (a program that another starts on its own terminal).
#include <cstdint>
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
#include "platform/services/clipboard.h"
#include "platform/services/file_mapping.h"
#include "platform/services/local_atoms.h"
#include "platform/services/low_memory.h"
#include "platform/services/system_errors.h"
#include "platform/services/whole_file.h"
#include "session/peer_messages.h"

using namespace lexiv::platform;
using lexiv::testing::PeerMessages;
using lexiv::testing::ServiceMessages;

namespace {


std::string hungMark;
std::string readyFile;

// ---- Shared services: named blocks, memory read by others, the clipboard, atoms ----

struct PeerBlock {
  HANDLE handle;
  DWORD* view = nullptr;
};
PeerBlock block;

void CloseBlock() {
  if (block.view != nullptr) UnmapViewOfFile(block.view);
  if (block.handle) CloseHandle(block.handle);
  block = PeerBlock{};
}

// Handles the shared-service messages; false for any other message.
bool ServiceMessage(const ServiceMessages& m, HWND self, UINT message, WPARAM wParam, LRESULT* result) {
  if (message == m.blockCreate) {
    CloseBlock();
    block.handle = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(wParam), "LexivTestBlock");
    const bool existed = GetLastError() == static_cast<DWORD>(ERROR_ALREADY_EXISTS);
    if (block.handle) block.view = static_cast<DWORD*>(MapViewOfFile(block.handle, FILE_MAP_WRITE, 0, 0, 0));
    *result = block.view == nullptr ? 0 : existed ? 2 : 1;
    return true;
  }
  if (message == m.blockOpen) {
    CloseBlock();
    block.handle = OpenFileMappingA(FILE_MAP_WRITE, TRUE, "LexivTestBlock");
    if (block.handle) block.view = static_cast<DWORD*>(MapViewOfFile(block.handle, FILE_MAP_WRITE, 0, 0, 0));
    *result = block.view != nullptr ? 1 : 0;
    return true;
  }
  if (message == m.blockWrite) {
    if (block.view != nullptr) *block.view = static_cast<DWORD>(wParam);
    *result = block.view != nullptr ? 1 : 0;
    return true;
  }
  if (message == m.blockRead) {
    *result = block.view != nullptr ? static_cast<LRESULT>(*block.view) : -1;
    return true;
  }
  if (message == m.blockClose) {
    CloseBlock();
    *result = 1;
    return true;
  }
  if (message == m.lookupMe) {
    static const char kText[] = "ピア text";
    auto* request = static_cast<std::uint32_t*>(AllocateBelow4GiB(20));
    char* text = static_cast<char*>(AllocateBelow4GiB(sizeof kText));
    *result = -2;
    if (request != nullptr && text != nullptr) {
      std::memcpy(text, kText, sizeof kText);
      request[0] = sizeof kText;
      request[1] = LowAddress(text);
      request[2] = 1;
      *result = SendMessage(HwndFromParam(wParam), m.lookup, reinterpret_cast<WPARAM>(request), ToLParam(self));
    }
    FreeBelow4GiB(text);
    FreeBelow4GiB(request);
    return true;
  }
  if (message == m.clipSet) {
    const std::string text = "ピア " + std::to_string(wParam);
    *result = OpenClipboard(self) && EmptyClipboard() && SetClipboardData(CF_TEXT, text) ? 1 : 0;
    CloseClipboard();
    return true;
  }
  if (message == m.clipGet) {
    *result = -1;
    if (OpenClipboard(self)) {
      if (const char* text = GetClipboardData(CF_TEXT)) {
        WriteFileAtomically(readyFile + ".clip", text);
        *result = static_cast<LRESULT>(std::strlen(text));
      }
      CloseClipboard();
    }
    return true;
  }
  if (message == m.atomAdd) {
    *result = AddAtomA("LexivPeerAtom");
    return true;
  }
  return false;
}
// ---- end of the shared services ----

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
    if (LRESULT result = 0; ServiceMessage(services_, hwnd(), message, wParam, &result)) return result;
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
  ServiceMessages services_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string name = "peer", ready, text = "line one\r\nline two", call;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--call") == 0) call = argv[i + 1];
    if (std::strcmp(argv[i], "--name") == 0) name = argv[i + 1];
    if (std::strcmp(argv[i], "--ready") == 0) ready = argv[i + 1];
    if (std::strcmp(argv[i], "--text") == 0) text = argv[i + 1];
    if (std::strcmp(argv[i], "--hook") == 0) hookModule = argv[i + 1];
  }
  hungMark = ready + ".hung";
  readyFile = ready;
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
  if (!call.empty()) {
    const LRESULT result = SendMessage(HWND{static_cast<std::uint32_t>(std::stoul(call))}, messages.echo, 5, 6);
    return WriteFileAtomically(ready + ".call", std::to_string(result) + "\n") == 0 ? 0 : 4;
  }
  const std::string handles = std::to_string(window.hwnd().value) + " " + std::to_string(edit.hwnd().value) + "\n";
  if (!ready.empty() && WriteFileAtomically(ready, handles) != 0) return 4;
  return RunMessageLoop() < 0 ? 5 : 0;
}
