#include "platform/core/timer_table.h"

#include <algorithm>

namespace lexiv::platform {

UINT_PTR TimerTable::Set(HWND hwnd, UINT_PTR id, UINT periodMs, std::uint64_t nowMs) {
  if (!hwnd) return 0;
  periodMs = std::max(periodMs, USER_TIMER_MINIMUM);
  for (TimerEntry& t : timers_) {
    if (t.hwnd == hwnd && t.id == id) {
      t.periodMs = periodMs;
      t.dueMs = nowMs + periodMs;
      t.ready = false;
      return id;
    }
  }
  timers_.push_back(TimerEntry{hwnd, id, periodMs, nowMs + periodMs, false, 0});
  return id;
}

bool TimerTable::Kill(HWND hwnd, UINT_PTR id) {
  auto it = std::find_if(timers_.begin(), timers_.end(), [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  return true;
}

void TimerTable::KillAll(HWND hwnd) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const TimerEntry& t) { return t.hwnd == hwnd; }),
                timers_.end());
}

void TimerTable::Update(std::uint64_t nowMs) {
  for (TimerEntry& t : timers_) {
    if (t.dueMs > nowMs) continue;
    if (!t.ready) {
      t.ready = true;
      t.readyMs = t.dueMs;
    }
    // Elapses missed while the thread was busy coalesce.
    const std::uint64_t missed = (nowMs - t.dueMs) / t.periodMs + 1;
    t.dueMs += missed * t.periodMs;
  }
}

std::optional<TimerEntry> TimerTable::TakeReady(const std::function<bool(HWND)>& filter, bool remove) {
  TimerEntry* best = nullptr;
  for (TimerEntry& t : timers_) {
    if (!t.ready || !filter(t.hwnd)) continue;
    if (best == nullptr || t.readyMs < best->readyMs) best = &t;
  }
  if (best == nullptr) return std::nullopt;
  TimerEntry found = *best;
  if (remove) best->ready = false;
  return found;
}

std::optional<std::uint64_t> TimerTable::NextDue() const {
  std::optional<std::uint64_t> next;
  for (const TimerEntry& t : timers_)
    if (!next || t.dueMs < *next) next = t.dueMs;
  return next;
}

}  // namespace lexiv::platform
