// The connection to speech-dispatcher. It never starts a server: without one it stays closed and
// tries again now and then. All calls come from the program's thread; libspeechd's callbacks
// only touch the tracker.
#pragma once

#include <cstdint>
#include <string>

#include "speaking_tracker.h"

namespace lexiv::reader {

class SpeechChannel {
 public:
  SpeechChannel() = default;
  ~SpeechChannel();
  SpeechChannel(const SpeechChannel&) = delete;
  SpeechChannel& operator=(const SpeechChannel&) = delete;

  // Connects when not connected and the last attempt is old enough; true when connected.
  bool Connect();
  bool Connected() const { return connection_ != nullptr; }

  // Queues SSML text; a character is spoken by its name. False when not connected or refused.
  bool SaySsml(const std::string& ssml);
  bool SayCharacter(const std::string& utf8Character);
  void CancelAll();
  // -100 (slowest) to 100.
  void SetRate(int rate);
  bool Speaking();

  static constexpr std::uint64_t kRetryMs = 5000;

 private:
  void Track(int messageId);
  void Close();
  // Chooses the server's Japanese voice; says once on stderr when it has none.
  void ChooseJapaneseVoice();

  void* connection_ = nullptr;  // libspeechd's SPDConnection, an unnamed struct
  std::uint64_t lastAttemptMs_ = 0;
  bool attempted_ = false;
  int rate_ = 0;
  bool toldNoJapaneseVoice_ = false;
};

}  // namespace lexiv::reader
