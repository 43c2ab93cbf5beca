#include "platform/core/messages.h"

#include <algorithm>

#include "platform/core/focus.h"
#include "platform/core/idle.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"
#include "platform/core/window_subclass.h"

namespace lexiv::platform {

using WI = WindowInternals;

namespace {

bool MatchesWindow(HWND filter, HWND target) {
  return !filter || target == filter || IsChild(filter, target);
}

bool MatchesRange(UINT message, UINT filterMin, UINT filterMax) {
  return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
}

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

std::deque<QueuedInput>::iterator FindInput(std::uint64_t seq) {
  auto& input = Ui().queue.Input();
  return std::find_if(input.begin(), input.end(), [seq](const QueuedInput& q) { return q.seq == seq; });
}

void EraseInput(std::uint64_t seq) {
  auto it = FindInput(seq);
  if (it != Ui().queue.Input().end()) Ui().queue.Input().erase(it);
}

void ApplyTakenKey(const Msg& msg) {
  UiThread& ui = Ui();
  const UINT vk = static_cast<UINT>(msg.wParam);
  const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  ui.threadKeys.Apply(vk, down);
  if (down) {
    const bool repeat = (msg.lParam & KF_PREVIOUS_STATE_BIT) != 0;
    if (vk == VK_MENU || vk == VK_F10) {
      if (!repeat) ui.altAlone = true;
    } else {
      ui.altAlone = false;
    }
  }
}

// Runs the keyboard hooks; true when one swallowed the key.
bool HookSwallows(const Msg& msg, bool remove) {
  UiThread& ui = Ui();
  const int code = remove ? HC_ACTION : HC_NOREMOVE;
  std::vector<KeyboardHookProc> hooks;
  for (const auto& [id, proc] : ui.keyboardHooks) hooks.push_back(proc);
  for (const auto& hook : hooks)
    if (hook(code, msg.wParam, msg.lParam) != 0) return true;
  // A hook installed or removed in another program takes effect at the next key.
  if (ui.remote) ui.remote->SyncSystemHooks();
  HookCall call;
  call.chain = ui.programHooks;
  call.chain.insert(call.chain.end(), ui.sessionHooks.begin(), ui.sessionHooks.end());
  if (call.chain.empty()) return false;
  const HOOKPROC first = call.chain.front().proc;
  ui.hookCalls.push_back(std::move(call));
  const LRESULT result = first(code, msg.wParam, msg.lParam);
  ui.hookCalls.pop_back();
  return result != 0;
}

// Mouse activation of a button going down; true when the click is eaten.
bool MouseActivationEats(const Msg& msg) {
  UiThread& ui = Ui();
  const HWND top = GetAncestorTop(msg.hwnd);
  const LRESULT answer =
      SendMessage(msg.hwnd, WM_MOUSEACTIVATE, ToWParam(top), MAKELPARAM(HTCLIENT, static_cast<WORD>(msg.message)));
  if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && IsWindow(top) && (ui.active != top || !ui.appActive))
    ActivateWindow(top, true);
  return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
}

bool TakeInput(Msg* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  UiThread& ui = Ui();
  std::size_t index = 0;
  while (index < ui.queue.Input().size()) {
    QueuedInput event = ui.queue.Input()[index];
    Msg msg = event.msg;
    if (event.toFocus) {
      const HWND target = ui.focus ? ui.focus : ui.active;
      if (!ui.focus && target) {
        if (msg.message == WM_KEYDOWN) msg.message = WM_SYSKEYDOWN;
        if (msg.message == WM_KEYUP) msg.message = WM_SYSKEYUP;
      }
      msg.hwnd = target;
      if (!target) {
        // No window of the thread takes keys: the key is lost, its state still counts.
        if (remove) {
          ui.queue.Input().erase(ui.queue.Input().begin() + static_cast<std::ptrdiff_t>(index));
          ApplyTakenKey(msg);
          continue;
        }
        ++index;
        continue;
      }
    } else if (!IsWindow(msg.hwnd) || !IsWindowEnabled(msg.hwnd)) {
      // A disabled window gets no mouse input.
      ui.queue.Input().erase(ui.queue.Input().begin() + static_cast<std::ptrdiff_t>(index));
      continue;
    }
    if (!MatchesWindow(filter, msg.hwnd) || !MatchesRange(msg.message, filterMin, filterMax)) {
      ++index;
      continue;
    }
    if (IsKeyMessage(msg.message) && HookSwallows(msg, remove)) {
      EraseInput(event.seq);
      if (remove) ApplyTakenKey(msg);
      index = 0;
      continue;
    }
    if (remove && IsButtonDown(msg.message)) {
      EraseInput(event.seq);
      if (MouseActivationEats(msg) || !IsWindow(msg.hwnd)) {
        index = 0;
        continue;
      }
    } else if (remove) {
      EraseInput(event.seq);
      if (IsKeyMessage(msg.message)) ApplyTakenKey(msg);
    }
    *out = msg;
    return true;
  }
  return false;
}

// Looks for a message without giving the driver a turn.
bool PeekQueued(Msg* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  UiThread& ui = Ui();
  const std::uint64_t now = ui.clock.NowMs();
  ui.timers.Update(now);
  auto& posted = ui.queue.Posted();
  for (auto it = posted.begin(); it != posted.end(); ++it) {
    if (MatchesWindow(filter, it->hwnd) && MatchesRange(it->message, filterMin, filterMax)) {
      *out = *it;
      if (remove) posted.erase(it);
      ui.lastMessageTime = static_cast<LONG>(out->time);
      return true;
    }
  }
  if (TakeInput(out, filter, filterMin, filterMax, remove)) {
    ui.lastMessageTime = static_cast<LONG>(out->time);
    return true;
  }
  if (ui.queue.QuitPosted()) {
    *out = Msg{};
    out->message = WM_QUIT;
    out->time = static_cast<DWORD>(now);
    out->wParam = static_cast<WPARAM>(remove ? ui.queue.TakeQuit() : ui.queue.QuitCode());
    ui.lastMessageTime = static_cast<LONG>(out->time);
    return true;
  }
  if (MatchesRange(WM_TIMER, filterMin, filterMax)) {
    auto timer = ui.timers.TakeReady([&](HWND h) { return IsWindow(h) && MatchesWindow(filter, h); }, remove);
    if (timer) {
      *out = Msg{};
      out->hwnd = timer->hwnd;
      out->message = WM_TIMER;
      out->wParam = timer->id;
      out->time = static_cast<DWORD>(now);
      ui.lastMessageTime = static_cast<LONG>(out->time);
      return true;
    }
  }
  return false;
}

// Messages other programs sent are answered before anything is taken from the queue, whatever
// the caller's filters: a modal loop, a dialog or a speech wait that drops posted messages still
// answers them, and they never enter the posted queue.
void ServeOtherPrograms() {
  UiThread& ui = Ui();
  if (ui.remote) ui.remote->ServeSentMessages();
}

bool HasWaitingMessage() {
  UiThread& ui = Ui();
  ui.timers.Update(ui.clock.NowMs());
  if (!ui.queue.Posted().empty() || !ui.queue.Input().empty() || ui.queue.QuitPosted()) return true;
  return ui.timers.TakeReady([](HWND h) { return IsWindow(h) != FALSE; }, false).has_value();
}

}  // namespace

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = FromHandle(hwnd);
  if (w == nullptr) {
    UiThread* ui = UiThread::Current();
    return hwnd && ui != nullptr && ui->remote ? ui->remote->Send(hwnd, message, wParam, lParam) : 0;
  }
  if (HasWindowSubclass(hwnd)) return CallThroughSubclasses(w, message, wParam, lParam);
  return WI::Call(w, message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  UiThread& ui = Ui();
  if (hwnd && FromHandle(hwnd) == nullptr) return ui.remote ? ui.remote->Post(hwnd, message, wParam, lParam) : FALSE;
  Msg msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = static_cast<DWORD>(ui.clock.NowMs());
  ui.queue.Post(msg);
  return TRUE;
}

void PostQuitMessage(int exitCode) { Ui().queue.PostQuit(exitCode); }

BOOL PeekMessage(Msg* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (msg == nullptr) return FALSE;
  ServeOtherPrograms();
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  if (PeekQueued(msg, hwnd, filterMin, filterMax, remove)) return TRUE;
  Ui().driver.PollInput();
  return PeekQueued(msg, hwnd, filterMin, filterMax, remove) ? TRUE : FALSE;
}

int GetMessage(Msg* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (msg == nullptr) return -1;
  UiThread& ui = Ui();
  for (;;) {
    ServeOtherPrograms();
    if (PeekQueued(msg, hwnd, filterMin, filterMax, true)) return msg->message == WM_QUIT ? 0 : 1;
    ui.driver.Present();
    DWORD timeout = INFINITE;
    if (auto due = ui.timers.NextDue()) {
      const std::uint64_t now = ui.clock.NowMs();
      timeout = *due > now ? static_cast<DWORD>(std::min<std::uint64_t>(*due - now, INFINITE - 1)) : 0;
    }
    if (!ui.driver.WaitForInput(timeout)) {
      *msg = Msg{};
      return -1;
    }
  }
}

BOOL TranslateMessage(const Msg* msg) {
  if (msg == nullptr) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (msg->character != 0) {
        const UINT message = msg->character > 0xFF             ? WM_IME_CHAR
                             : msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR
                                                             : WM_CHAR;
        PostMessage(msg->hwnd, message, msg->character, msg->lParam);
      }
      return TRUE;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT DispatchMessage(const Msg* msg) {
  if (msg == nullptr || !msg->hwnd) return 0;
  return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LONG GetMessageTime() { return Ui().lastMessageTime; }

bool WalkPreTranslateTree(Msg& msg) {
  HWND hwnd = msg.hwnd;
  while (hwnd) {
    Window* w = FromHandle(hwnd);
    if (w == nullptr) return false;
    Window* parent = WI::Parent(*w);
    const HWND next = parent != nullptr ? parent->hwnd() : HWND{};
    if (WI::Guarded(w, [&] { return w->PreTranslateMessage(msg); })) return true;
    hwnd = next;
  }
  return false;
}

void ProcessMessage(Msg& msg) {
  if (WalkPreTranslateTree(msg)) return;
  TranslateMessage(&msg);
  DispatchMessage(&msg);
}

int RunMessageLoop() {
  bool idleDue = true;
  for (;;) {
    if (idleDue && !HasWaitingMessage()) {
      RunIdlePass();
      idleDue = false;
    }
    Msg msg;
    const int got = GetMessage(&msg, HWND{}, 0, 0);
    if (got < 0) return -1;
    if (got == 0) return static_cast<int>(msg.wParam);
    ProcessMessage(msg);
    idleDue = true;
  }
}

int PumpPending() {
  int count = 0;
  Msg msg;
  ServeOtherPrograms();
  while (PeekQueued(&msg, HWND{}, 0, 0, true)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    ProcessMessage(msg);
    ++count;
  }
  RunIdlePass();
  return count;
}

// Used by the modal loop.
bool QueueHasWaitingMessage() { return HasWaitingMessage(); }

}  // namespace lexiv::platform
