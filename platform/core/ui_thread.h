// The user-interface thread of the process and everything it owns: the message queue, the
// windows by handle, focus and activation, keyboard state, timers, menus, accelerator tables,
// drop targets, idle handlers and event subscribers. Exactly one exists while the program runs
// (tests make one per test); the Windows-named functions act on it. Its members are the
// platform's own business: code built on the platform uses the functions.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/core/accelerators.h"
#include "platform/core/accessibility.h"
#include "platform/core/driver.h"
#include "platform/core/input.h"
#include "platform/core/keyboard_state.h"
#include "platform/core/menu_data.h"
#include "platform/core/message_queue.h"
#include "platform/core/remote_link.h"
#include "platform/core/timer_table.h"
#include "platform/win_types.h"

namespace lexiv::platform {

class CommandTarget;
class DropTarget;
class Window;
struct MenuLoopView;

class UiThread {
 public:
  explicit UiThread(Driver& driver);
  // Destroys every window that still exists.
  ~UiThread();
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;

  // The thread's state; null when none exists.
  static UiThread* Current();

  Driver& driver;
  Clock& clock;

  MessageQueue queue;
  KeyboardState threadKeys;
  KeyboardState asyncKeys;
  TimerTable timers;
  LONG lastMessageTime = 0;

  // Windows by handle; top-level windows in z-order (topmost first).
  std::unordered_map<std::uint32_t, Window*> windows;
  std::vector<Window*> topLevels;
  std::uint32_t nextHandle = 0x100;
  // Hands out a handle that no live window, menu or table uses.
  std::uint32_t NewHandle();

  HWND focus;
  HWND active;
  HWND lastActive;
  HWND foreground;
  bool appActive = false;
  bool altAlone = false;  // Alt went down and no other key since (Alt alone enters the menu)

  std::unordered_map<std::uint32_t, std::unique_ptr<MenuData>> menus;
  std::unordered_map<std::uint32_t, HMENU> systemMenus;  // by window handle
  std::unordered_map<std::uint32_t, std::vector<ACCEL>> acceleratorTables;
  std::unordered_map<std::uint32_t, DropTarget*> dropTargets;  // by window handle
  std::map<UINT, std::string> strings;
  std::map<int, std::function<void()>> idleHandlers;
  std::map<int, AccessListener> accessListeners;
  std::map<int, KeyboardHookProc> keyboardHooks;
  // WH_KEYBOARD procedures (windows_hooks.h), newest first: those installed for this program
  // alone, and the session's system-wide ones as loaded into this program.
  std::vector<WindowsHook> programHooks;
  std::vector<WindowsHook> sessionHooks;
  std::uint32_t nextProgramHook = 0;
  // The hook chains being run, innermost last, with the position CallNextHookEx goes on from.
  std::vector<HookCall> hookCalls;
  int nextRegistrationId = 1;
  CommandTarget* application = nullptr;
  MenuLoopView* menuLoop = nullptr;
  // The session this program joined (session.h); null while it runs alone.
  std::unique_ptr<RemoteLink> remote;
  // The input contexts of this thread's windows (input_context.cpp), made when first asked for.
  std::shared_ptr<void> inputContexts;
};

// The current thread's state; aborts when none exists (a program error, not an input error).
UiThread& Ui();

}  // namespace lexiv::platform
