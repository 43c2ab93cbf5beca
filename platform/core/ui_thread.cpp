#include "platform/core/ui_thread.h"

#include <cstdio>
#include <cstdlib>

#include "platform/core/window.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {
UiThread* g_current = nullptr;
}  // namespace

UiThread::UiThread(Driver& d) : driver(d), clock(d.GetClock()) {
  if (g_current != nullptr) {
    std::fprintf(stderr, "lexiv platform: a second user-interface thread was made\n");
    std::abort();
  }
  g_current = this;
}

UiThread::~UiThread() {
  while (!topLevels.empty()) {
    Window* w = topLevels.front();
    if (!DestroyWindow(w->hwnd())) topLevels.erase(topLevels.begin());
  }
  // What is left stands for other applications' windows.
  std::vector<HWND> rest;
  for (const auto& [value, w] : windows) rest.push_back(HWND{value});
  for (HWND h : rest) DestroyWindow(h);
  remote.reset();
  g_current = nullptr;
}

UiThread* UiThread::Current() { return g_current; }

std::uint32_t UiThread::NewHandle() {
  // In a session, handles come from the session, so no two programs' windows share one.
  if (remote) return remote->NewHandle();
  for (;;) {
    std::uint32_t h = nextHandle++;
    if (h < 0x100 || h >= 0xFFFFFF00u) {
      nextHandle = 0x100;
      continue;
    }
    if (windows.count(h) || menus.count(h) || acceleratorTables.count(h)) continue;
    return h;
  }
}

UiThread& Ui() {
  if (g_current == nullptr) {
    std::fprintf(stderr, "lexiv platform: no user-interface thread\n");
    std::abort();
  }
  return *g_current;
}

}  // namespace lexiv::platform
