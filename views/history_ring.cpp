#include "views/history_ring.h"

namespace lexiv {

void HistoryRing::Push(std::int32_t position) {
  const int size = capacity();
  if (size == 0) return;
  if (newest_ >= 0 && slots_[newest_] == position) return;
  const int slot = (current_ + 1) % size;
  newest_ = slot;
  current_ = slot;
  if (slot == oldest_) oldest_ = (oldest_ + 1) % size;
  if (oldest_ == -1) oldest_ = 0;
  slots_[slot] = position;
  lastMove_ = kNoMove;
}

std::int32_t HistoryRing::Back() {
  if (!CanGoBack()) return -1;
  current_ = current_ == 0 ? capacity() - 1 : current_ - 1;
  lastMove_ = kMovedBack;
  return slots_[current_];
}

std::int32_t HistoryRing::Forward() {
  if (!CanGoForward()) return -1;
  current_ = (current_ + 1) % capacity();
  lastMove_ = kMovedForward;
  return slots_[current_];
}

}  // namespace lexiv
