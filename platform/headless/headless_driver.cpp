#include "platform/headless/headless_driver.h"

#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/core/drop_target.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"

namespace lexiv::platform {

namespace {

// Ten minutes of polling with nothing to give: a wait that can never end.
constexpr std::uint64_t kPollLimitMs = 10 * 60 * 1000;

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

bool HeadlessDriver::WaitForInput(DWORD timeoutMs) {
  const std::uint64_t now = clock_.NowMs();
  const std::uint64_t timerDue = timeoutMs == INFINITE ? UINT64_MAX : now + std::max<DWORD>(timeoutMs, 1);
  if (advanceUntilMs_ > now) {
    clock_.AdvanceTo(std::min(advanceUntilMs_, timerDue));
    return true;
  }
  if (steps_.empty()) {
    if (serveSession_) return WaitForSession(timeoutMs);
    exhausted_ = true;
    return false;
  }
  if (steps_.front().timed && FrontDueMs() > now) {
    clock_.AdvanceTo(std::min(FrontDueMs(), timerDue));
    return true;
  }
  RunStep();
  return true;
}

bool HeadlessDriver::WaitForSession(DWORD timeoutMs) {
  UiThread* ui = UiThread::Current();
  const int fd = ui != nullptr && ui->remote ? ui->remote->WaitDescriptor() : -1;
  pollfd waiting{fd, POLLIN, 0};
  static const SystemClock realTime;
  const std::uint64_t start = realTime.NowMs();
  poll(&waiting, 1, timeoutMs == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(timeoutMs, 1u << 30)));
  clock_.Advance(realTime.NowMs() - start);
  return true;
}

void HeadlessDriver::PollInput() {
  const std::uint64_t now = clock_.NowMs();
  if (advanceUntilMs_ > now) {
    clock_.Advance(1);
    return;
  }
  if (!steps_.empty() && steps_.front().timed && FrontDueMs() <= now) {
    RunStep();
    return;
  }
  clock_.Advance(1);
  IdlePollGuard();
}

void HeadlessDriver::IdlePollGuard() {
  if (++idlePollMs_ < kPollLimitMs) return;
  std::fprintf(stderr, "headless driver: the program polled for ten minutes of virtual time with no input to give\n");
  std::abort();
}

void HeadlessDriver::RunStep() {
  idlePollMs_ = 0;
  lastStepMs_ = clock_.NowMs();
  auto step = std::move(steps_.front().run);
  steps_.pop_front();
  step();
}

void HeadlessDriver::Then(std::function<void()> step) {
  if (steps_.empty()) lastStepMs_ = clock_.NowMs();
  steps_.push_back(Step{std::move(step), false, 0});
  NewInput();
}

void HeadlessDriver::ThenAfter(std::uint32_t ms, std::function<void()> step) {
  if (steps_.empty()) lastStepMs_ = clock_.NowMs();
  steps_.push_back(Step{std::move(step), true, ms});
  NewInput();
}

void HeadlessDriver::Advance(std::uint32_t ms) {
  advanceUntilMs_ = std::max(advanceUntilMs_, clock_.NowMs()) + ms;
  NewInput();
}

int HeadlessDriver::Run() {
  exhausted_ = false;
  idlePollMs_ = 0;
  return RunMessageLoop();
}

int HeadlessDriver::RunFor(std::uint32_t ms) {
  Advance(ms);
  return Run();
}

void HeadlessDriver::KeyDown(UINT vk, UINT character) {
  InjectKey(vk, true, character);
  NewInput();
}

void HeadlessDriver::KeyUp(UINT vk) {
  InjectKey(vk, false);
  NewInput();
}

void HeadlessDriver::PressChord(const KeyChord& chord, int downCount) {
  if (chord.ctrl) KeyDown(VK_CONTROL);
  if (chord.shift) KeyDown(VK_SHIFT);
  if (chord.alt) KeyDown(VK_MENU);
  const UINT character = CharacterOfKey(chord);
  for (int i = 0; i < downCount; ++i) KeyDown(chord.vk, character);
  KeyUp(chord.vk);
  if (chord.alt) KeyUp(VK_MENU);
  if (chord.shift) KeyUp(VK_SHIFT);
  if (chord.ctrl) KeyUp(VK_CONTROL);
}

int HeadlessDriver::PressKey(std::string_view chord) { return HoldKey(chord, 1); }

int HeadlessDriver::HoldKey(std::string_view name, int downCount) {
  KeyChord chord;
  if (ParseKeyChord(name, &chord) != 0 || downCount < 1) return -1;
  PressChord(chord, downCount);
  return 0;
}

int HeadlessDriver::Type(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
      if (i + 1 >= text.size()) return -1;
      ++i;
    }
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    UINT vk = VK_PACKET;
    UINT character = c;
    if (IsLeadByte(c)) {
      vk = VK_PROCESSKEY;
      character = (static_cast<UINT>(c) << 8) | static_cast<unsigned char>(text[++i]);
    } else if (c >= 0x80) {
      vk = VK_PROCESSKEY;
    } else if (c >= 'a' && c <= 'z') {
      vk = c - ('a' - 'A');
    } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      vk = c;
    } else if (c == ' ') {
      vk = VK_SPACE;
    } else if (c == '\r') {
      vk = VK_RETURN;
    } else if (c == '\t') {
      vk = VK_TAB;
    }
    KeyDown(vk, character);
    KeyUp(vk);
  }
  return 0;
}

void HeadlessDriver::Click(HWND hwnd, POINT clientPoint, Button button) {
  const bool left = button == Button::kLeft;
  InjectMouseButton(hwnd, clientPoint, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
  InjectMouseButton(hwnd, clientPoint, left ? WM_LBUTTONUP : WM_RBUTTONUP);
  NewInput();
}

void HeadlessDriver::DoubleClick(HWND hwnd, POINT clientPoint, Button button) {
  const bool left = button == Button::kLeft;
  Click(hwnd, clientPoint, button);
  InjectMouseButton(hwnd, clientPoint, left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK);
  InjectMouseButton(hwnd, clientPoint, left ? WM_LBUTTONUP : WM_RBUTTONUP);
}

bool HeadlessDriver::OpenComposition(std::string_view sjisText, std::vector<BYTE> attributes, DWORD conversion) {
  return platform::OpenComposition(GetFocus(), sjisText, std::move(attributes), conversion);
}

bool HeadlessDriver::CloseComposition() { return platform::CloseComposition(GetFocus()); }

DWORD HeadlessDriver::DropText(HWND hwnd, std::string_view sjisText) {
  DataObject data;
  data.Set(CF_TEXT, std::string(sjisText));
  return DropData(hwnd, data, DROPEFFECT_COPY | DROPEFFECT_MOVE);
}

DWORD HeadlessDriver::DropFiles(HWND hwnd, std::string_view paths) {
  DataObject data;
  data.Set(CF_HDROP, std::string(paths));
  return DropData(hwnd, data, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

}  // namespace lexiv::platform
