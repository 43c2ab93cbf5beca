#include "platform/core/input.h"

#include <algorithm>

#include "platform/core/key_names.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/core/window_internals.h"

namespace lexiv::platform {

namespace {

struct ScanEntry {
  UINT vk;
  UINT scan;
};

// Set-1 scan codes of the keys the program and its tests use.
constexpr ScanEntry kScanCodes[] = {
    {VK_ESCAPE, 0x01}, {'1', 0x02},       {'2', 0x03},       {'3', 0x04},      {'4', 0x05},      {'5', 0x06},
    {'6', 0x07},       {'7', 0x08},       {'8', 0x09},       {'9', 0x0A},      {'0', 0x0B},      {VK_BACK, 0x0E},
    {VK_TAB, 0x0F},    {'Q', 0x10},       {'W', 0x11},       {'E', 0x12},      {'R', 0x13},      {'T', 0x14},
    {'Y', 0x15},       {'U', 0x16},       {'I', 0x17},       {'O', 0x18},      {'P', 0x19},      {VK_RETURN, 0x1C},
    {VK_CONTROL, 0x1D}, {'A', 0x1E},      {'S', 0x1F},       {'D', 0x20},      {'F', 0x21},      {'G', 0x22},
    {'H', 0x23},       {'J', 0x24},       {'K', 0x25},       {'L', 0x26},      {VK_SHIFT, 0x2A}, {'Z', 0x2C},
    {'X', 0x2D},       {'C', 0x2E},       {'V', 0x2F},       {'B', 0x30},      {'N', 0x31},      {'M', 0x32},
    {VK_MENU, 0x38},   {VK_SPACE, 0x39},  {VK_CAPITAL, 0x3A}, {VK_F1, 0x3B},   {VK_F2, 0x3C},    {VK_F3, 0x3D},
    {VK_F4, 0x3E},     {VK_F5, 0x3F},     {VK_F6, 0x40},     {VK_F7, 0x41},    {VK_F8, 0x42},    {VK_F9, 0x43},
    {VK_F10, 0x44},    {VK_HOME, 0x47},   {VK_UP, 0x48},     {VK_PRIOR, 0x49}, {VK_LEFT, 0x4B},  {VK_RIGHT, 0x4D},
    {VK_END, 0x4F},    {VK_DOWN, 0x50},   {VK_NEXT, 0x51},   {VK_INSERT, 0x52}, {VK_DELETE, 0x53}, {VK_F11, 0x57},
    {VK_F12, 0x58},    {VK_CONVERT, 0x79}, {VK_NONCONVERT, 0x7B},
};

WPARAM MouseKeyFlags(UINT message) {
  const UiThread& ui = Ui();
  WPARAM flags = 0;
  if (ui.asyncKeys.IsDown(VK_SHIFT)) flags |= MK_SHIFT;
  if (ui.asyncKeys.IsDown(VK_CONTROL)) flags |= MK_CONTROL;
  const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
  const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
  if (left) flags |= MK_LBUTTON;
  if (right) flags |= MK_RBUTTON;
  return flags;
}

}  // namespace

UINT ScanCodeOf(UINT vk) {
  for (const ScanEntry& e : kScanCodes)
    if (e.vk == vk) return e.scan;
  return 0;
}

bool IsExtendedKey(UINT vk) {
  switch (vk) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT:
    case VK_DOWN: case VK_INSERT: case VK_DELETE: case VK_APPS: case VK_RCONTROL: case VK_RMENU: case VK_DIVIDE:
      return true;
    default:
      return false;
  }
}

void InjectKey(UINT vk, bool down, UINT character, bool extended) {
  UiThread& ui = Ui();
  if (vk == 0 || vk > 0xFF) return;
  const bool wasDown = ui.asyncKeys.IsDown(vk);
  const bool altBefore = ui.asyncKeys.IsDown(VK_MENU);
  const bool ctrl = ui.asyncKeys.IsDown(VK_CONTROL);
  ui.asyncKeys.Apply(vk, down);
  const bool altNow = ui.asyncKeys.IsDown(VK_MENU);
  UINT message;
  if (down)
    message = ((altNow || vk == VK_F10) && !ctrl) ? WM_SYSKEYDOWN : WM_KEYDOWN;
  else
    message = ((altBefore || vk == VK_F10) && !ctrl) ? WM_SYSKEYUP : WM_KEYUP;
  std::uint64_t lParam = 1;
  lParam |= static_cast<std::uint64_t>(ScanCodeOf(vk) & 0xFF) << 16;
  if (extended || IsExtendedKey(vk)) lParam |= std::uint64_t{1} << 24;
  if ((down ? altNow : altBefore) && !ctrl) lParam |= std::uint64_t{1} << 29;
  if (down ? wasDown : true) lParam |= std::uint64_t{1} << 30;
  if (!down) lParam |= std::uint64_t{1} << 31;
  QueuedInput input;
  input.msg.message = message;
  input.msg.wParam = vk;
  input.msg.lParam = static_cast<LPARAM>(lParam);
  input.msg.time = static_cast<DWORD>(ui.clock.NowMs());
  input.msg.character = down ? character : 0;
  input.toFocus = true;
  ui.queue.PostInput(input);
}

void keybd_event(BYTE vk, BYTE scan, DWORD flags, UINT_PTR extraInfo) {
  (void)scan;
  (void)extraInfo;
  const bool down = !(flags & KEYEVENTF_KEYUP);
  UINT character = 0;
  if (down) {
    const UiThread& ui = Ui();
    KeyChord chord{vk, ui.asyncKeys.IsDown(VK_CONTROL), ui.asyncKeys.IsDown(VK_SHIFT), ui.asyncKeys.IsDown(VK_MENU)};
    character = CharacterOfKey(chord);
  }
  InjectKey(vk, down, character, (flags & KEYEVENTF_EXTENDEDKEY) != 0);
}

void InjectMouseButton(HWND hwnd, POINT clientPoint, UINT message) {
  UiThread& ui = Ui();
  if (!IsWindow(hwnd)) return;
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) ui.asyncKeys.Apply(VK_LBUTTON, true);
  if (message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK) ui.asyncKeys.Apply(VK_RBUTTON, true);
  if (message == WM_LBUTTONUP) ui.asyncKeys.Apply(VK_LBUTTON, false);
  if (message == WM_RBUTTONUP) ui.asyncKeys.Apply(VK_RBUTTON, false);
  QueuedInput input;
  input.msg.hwnd = hwnd;
  input.msg.message = message;
  input.msg.wParam = MouseKeyFlags(message);
  input.msg.lParam = MAKELPARAM(static_cast<WORD>(clientPoint.x), static_cast<WORD>(clientPoint.y));
  input.msg.time = static_cast<DWORD>(ui.clock.NowMs());
  POINT screen = clientPoint;
  ClientToScreen(hwnd, &screen);
  input.msg.pt = screen;
  ui.queue.PostInput(input);
}

int InstallKeyboardHook(KeyboardHookProc proc) {
  UiThread& ui = Ui();
  const int id = ui.nextRegistrationId++;
  ui.keyboardHooks[id] = std::move(proc);
  return id;
}

void RemoveKeyboardHook(int id) {
  if (UiThread* ui = UiThread::Current()) ui->keyboardHooks.erase(id);
}

LRESULT CallNextHookEx(HHOOK, int code, WPARAM wParam, LPARAM lParam) {
  UiThread& ui = Ui();
  if (ui.hookCalls.empty()) return 0;
  const std::size_t depth = ui.hookCalls.size() - 1;
  const std::size_t next = ++ui.hookCalls[depth].position;
  if (next >= ui.hookCalls[depth].chain.size()) return 0;
  const HOOKPROC proc = ui.hookCalls[depth].chain[next].proc;
  return proc(code, wParam, lParam);
}

short GetKeyState(int vk) {
  const BYTE state = Ui().threadKeys.Get(static_cast<UINT>(vk));
  return static_cast<short>(((state & kKeyPressed) ? 0xFF80 : 0) | (state & kKeyToggled));
}

short GetAsyncKeyState(int vk) {
  return static_cast<short>(Ui().asyncKeys.IsDown(static_cast<UINT>(vk)) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* state256) {
  if (state256 == nullptr) return FALSE;
  Ui().threadKeys.CopyTo(state256);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* state256) {
  if (state256 == nullptr) return FALSE;
  Ui().threadKeys.CopyFrom(state256);
  return TRUE;
}

}  // namespace lexiv::platform
