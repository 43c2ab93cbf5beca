#include "platform/core/clock.h"

#include <cerrno>
#include <ctime>

// <chrono> holds a literal that the program's code page cannot represent, so the POSIX clock
// is used directly.
namespace lexiv::platform {

namespace {
std::int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}
}  // namespace

SystemClock::SystemClock() : startNs_(MonotonicNs()) {}

std::uint64_t SystemClock::NowMs() const {
  return static_cast<std::uint64_t>((MonotonicNs() - startNs_) / 1000000) + 1000;
}

void SystemClock::Sleep(std::uint32_t ms) {
  timespec request{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
  timespec remaining{};
  while (nanosleep(&request, &remaining) != 0 && errno == EINTR) request = remaining;
}

}  // namespace lexiv::platform
