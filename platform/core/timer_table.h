// The window timers of the thread. A timer that elapses becomes ready; the queue turns a ready
// timer into one WM_TIMER when nothing else is waiting, so elapses that pile up while the thread
// is busy coalesce into a single message, and ready timers come out in the order they elapsed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

struct TimerEntry {
  HWND hwnd;
  UINT_PTR id = 0;
  UINT periodMs = 0;
  std::uint64_t dueMs = 0;    // next elapse
  bool ready = false;
  std::uint64_t readyMs = 0;  // when it became ready (orders the WM_TIMER messages)
};

class TimerTable {
 public:
  // Starts or restarts (same window and id) a timer. Returns the id, 0 when hwnd is null.
  UINT_PTR Set(HWND hwnd, UINT_PTR id, UINT periodMs, std::uint64_t nowMs);
  // Returns false when no such timer exists.
  bool Kill(HWND hwnd, UINT_PTR id);
  void KillAll(HWND hwnd);
  // Marks every timer whose due time has come as ready and schedules its next elapse.
  void Update(std::uint64_t nowMs);
  // The earliest ready timer whose window passes the filter; with remove, it is no longer ready.
  std::optional<TimerEntry> TakeReady(const std::function<bool(HWND)>& filter, bool remove);
  // The earliest due time of a timer that is not yet ready.
  std::optional<std::uint64_t> NextDue() const;
  bool Empty() const { return timers_.empty(); }

 private:
  std::vector<TimerEntry> timers_;
};

}  // namespace lexiv::platform
