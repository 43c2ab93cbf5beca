#include "speaking_tracker.h"

#include <time.h>

namespace lexiv::reader {

std::uint64_t MonotonicMs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1000000;
}

void SpeakingTracker::Sent(std::uint64_t messageId, std::uint64_t nowMs) {
  std::lock_guard lock(mutex_);
  if (messageId > lastSentId_) lastSentId_ = messageId;
  // Early notes of older messages can no longer be claimed.
  finishedEarly_.erase(finishedEarly_.begin(), finishedEarly_.lower_bound(messageId));
  begunEarly_.erase(begunEarly_.begin(), begunEarly_.lower_bound(messageId));
  if (finishedEarly_.erase(messageId) != 0) {
    begunEarly_.erase(messageId);
    return;
  }
  Message message;
  message.sentMs = nowMs;
  message.begun = begunEarly_.erase(messageId) != 0;
  outstanding_[messageId] = message;
}

void SpeakingTracker::Began(std::uint64_t messageId) {
  std::lock_guard lock(mutex_);
  const auto it = outstanding_.find(messageId);
  if (it != outstanding_.end()) it->second.begun = true;
  else if (messageId > lastSentId_) begunEarly_.insert(messageId);
}

void SpeakingTracker::Finished(std::uint64_t messageId) {
  std::lock_guard lock(mutex_);
  if (outstanding_.erase(messageId) == 0 && messageId > lastSentId_) finishedEarly_.insert(messageId);
}

void SpeakingTracker::CancelAll() {
  std::lock_guard lock(mutex_);
  outstanding_.clear();
}

bool SpeakingTracker::Speaking(std::uint64_t nowMs) {
  std::lock_guard lock(mutex_);
  for (auto it = outstanding_.begin(); it != outstanding_.end();) {
    if (!it->second.begun && nowMs - it->second.sentMs > kStartLimitMs) it = outstanding_.erase(it);
    else ++it;
  }
  return !outstanding_.empty();
}

}  // namespace lexiv::reader
