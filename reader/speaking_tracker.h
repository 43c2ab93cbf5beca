// Which messages this client has sent that the speech server has not finished. The server's
// notifications (begin, end, cancel) arrive on libspeechd's own thread; the sends and the
// questions come from the program's thread.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>

namespace lexiv::reader {

class SpeakingTracker {
 public:
  // A message the server accepted, at a time in milliseconds of a monotonic clock.
  void Sent(std::uint64_t messageId, std::uint64_t nowMs);
  void Began(std::uint64_t messageId);
  void Finished(std::uint64_t messageId);  // end or cancel
  // Everything sent so far was cancelled (the program reset the speech).
  void CancelAll();
  // True while a message is between its sending and its end. A message the server has not begun
  // within kStartLimitMs is taken as lost, so that nobody waits for it for ever.
  bool Speaking(std::uint64_t nowMs);

  static constexpr std::uint64_t kStartLimitMs = 3000;

 private:
  struct Message {
    std::uint64_t sentMs = 0;
    bool begun = false;
  };
  std::mutex mutex_;
  std::map<std::uint64_t, Message> outstanding_;
  // Notifications that came before the send returned the message's id.
  std::set<std::uint64_t> finishedEarly_;
  std::set<std::uint64_t> begunEarly_;
  // Message ids grow; a note about an id at or below the last one sent that is not outstanding
  // is about a message already settled (cancelled by a reset, or another client's).
  std::uint64_t lastSentId_ = 0;
};

std::uint64_t MonotonicMs();

}  // namespace lexiv::reader
