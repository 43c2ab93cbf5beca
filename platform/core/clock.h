// Time for the user-interface thread. Every timer, sleep and message time goes through a Clock:
// the real one in the program, a virtual one in tests, so that no test ever waits.
#pragma once

#include <cstdint>

namespace lexiv::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual std::uint64_t NowMs() const = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

class SystemClock final : public Clock {
 public:
  SystemClock();
  std::uint64_t NowMs() const override;
  void Sleep(std::uint32_t ms) override;

 private:
  std::int64_t startNs_;
};

// Time moves only when told to: a Sleep advances it at once.
class VirtualClock final : public Clock {
 public:
  std::uint64_t NowMs() const override { return nowMs_; }
  void Sleep(std::uint32_t ms) override { nowMs_ += ms; }
  void Advance(std::uint64_t ms) { nowMs_ += ms; }
  // Moves to an absolute time; a time in the past is ignored.
  void AdvanceTo(std::uint64_t ms) {
    if (ms > nowMs_) nowMs_ = ms;
  }

 private:
  std::uint64_t nowMs_ = 1000;  // GetTickCount is never 0, as on a machine that has been up a while
};

}  // namespace lexiv::platform
