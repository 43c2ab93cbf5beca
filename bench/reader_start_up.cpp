// reader_start_up LIBRARY [guide]: the reader's start-up as the program makes it, timed inside one
// process: the library loaded by path, the program's start-up status call, an option read; with
// "guide", one headword guide as well (the first, which maps the kanji table). Prints the
// microseconds taken. bench/reader_start_up.sh runs it many times for two libraries.
#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstring>

#include "voxausr.h"

namespace {

// <chrono> cannot be compiled with the CP932 execution character set (its "µs" suffix).
long long NowMicroseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: reader_start_up LIBRARY [guide]\n");
    return 1;
  }
  const bool guide = argc > 2 && std::strcmp(argv[2], "guide") == 0;
  const long long start = NowMicroseconds();
  void* library = ::dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "reader_start_up: %s\n", ::dlerror());
    return 2;
  }
  auto setStatus = reinterpret_cast<decltype(&::VOXASetStatus)>(::dlsym(library, "VOXASetStatus"));
  auto getStatus = reinterpret_cast<decltype(&::VOXAGetStatus)>(::dlsym(library, "VOXAGetStatus"));
  auto cGuide = reinterpret_cast<decltype(&::VOXACGuide)>(::dlsym(library, "VOXACGuide"));
  if (setStatus == nullptr || getStatus == nullptr || cGuide == nullptr) return 2;
  setStatus(0x20002, 0x6080101, 0);
  getStatus(0x10001, 7, 0);
  if (guide) cGuide("\x8B\xB4", 0x10000);  // 橋
  std::printf("%lld\n", NowMicroseconds() - start);
  return 0;
}
