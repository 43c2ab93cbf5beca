// A stand-in for speech-dispatcher on a Unix socket of its own: it answers the client library's
// protocol, records every request with the time it arrived, and plays each message for a time
// worked out from its text (the breaks it holds at their length, and a given time per
// character), with the begin, end and cancel notifications the real server sends. Tests and the
// latency benchmark point SPEECHD_ADDRESS at it and read what the reader handed over.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lexiv::testing {

class FakeSpeechServer {
 public:
  struct Voice {
    std::string name;
    std::string language;
  };
  struct Module {
    std::string name;
    std::vector<Voice> voices;
  };
  struct Request {
    std::string command;  // the request line as sent ("SET SELF LANGUAGE ja", "CHAR a", "SPEAK")
    std::string text;     // SPEAK: the message's text (UTF-8, SSML as the reader sends it); CHAR: the character
    std::uint64_t atNs = 0;  // CLOCK_MONOTONIC, when the request (for SPEAK: its text) was complete
  };

  // Modules and their voices as LIST OUTPUT_MODULES and LIST SYNTHESIS_VOICES answer them; the
  // first module is the one in use until the client chooses another.
  explicit FakeSpeechServer(std::vector<Module> modules = {{"espeak-ng", {{"Japanese", "ja"}}}});
  ~FakeSpeechServer();
  FakeSpeechServer(const FakeSpeechServer&) = delete;
  FakeSpeechServer& operator=(const FakeSpeechServer&) = delete;

  // Listens on socketPath; false when it cannot.
  bool Start(const std::string& socketPath);
  // The value for SPEECHD_ADDRESS.
  std::string Address() const { return "unix_socket:" + socketPath_; }

  // How long each character of a message takes to say (breaks take their own length).
  void SetMsPerCharacter(int ms) { msPerCharacter_ = ms; }

  std::vector<Request> Requests() const;
  // The texts of the SPEAK requests and the characters of the CHAR requests, in order.
  std::vector<std::string> Spoken() const;
  void ClearRequests();
  // The SPEAK and CHAR requests recorded since the last clear, which this clears. The client
  // waits for the answer to each text and the text is recorded before the answer goes, so what
  // a call that returned has said is there.
  std::vector<Request> TakeSaid();
  // True when nothing is being played or waits to be played.
  bool Idle() const;
  // Waits (polling the recorded state, at most limitMs) until done(requests) holds.
  bool WaitUntil(const std::function<bool(const std::vector<Request>&)>& done, int limitMs) const;

  static std::uint64_t NowNs();

 private:
  struct Message {
    int id = 0;
    std::uint64_t lengthMs = 0;
  };
  void AcceptLoop();
  void Serve(int fd);

  std::vector<Module> modules_;
  std::string socketPath_;
  int listenFd_ = -1;
  int wakeFd_[2] = {-1, -1};
  std::atomic<int> msPerCharacter_{0};
  std::thread acceptThread_;
  std::vector<std::thread> connections_;
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
  int playing_ = 0;  // messages queued or playing, over all connections
  int nextId_ = 1;
};

}  // namespace lexiv::testing
