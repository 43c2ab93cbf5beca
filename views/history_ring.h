// The entries shown lately, newest last, as a ring of entry positions: the meaning view pushes each
// entry it shows, the history commands move back and forward through it. Pushing while the
// current slot is not the newest drops the entries newer than the current one.
#pragma once

#include <cstdint>
#include <vector>

namespace lexiv {

class HistoryRing {
 public:
  static constexpr int kCapacity = 20;
  enum Move : int { kNoMove = 0, kMovedBack = 1, kMovedForward = 2 };

  HistoryRing() : slots_(kCapacity, 0) {}

  // Stores position as the newest entry (nothing happens when it is the newest already).
  void Push(std::int32_t position);
  bool CanGoBack() const { return current_ != oldest_; }
  bool CanGoForward() const { return current_ != newest_; }
  // The entry one back / one forward, -1 when there is none.
  std::int32_t Back();
  std::int32_t Forward();

  int capacity() const { return static_cast<int>(slots_.size()); }
  int lastMove() const { return lastMove_; }
  int oldest() const { return oldest_; }
  int current() const { return current_; }
  int newest() const { return newest_; }

 private:
  std::vector<std::int32_t> slots_;
  int lastMove_ = kNoMove;
  int oldest_ = -1;
  int current_ = -1;
  int newest_ = -1;
};

}  // namespace lexiv
