// Cross-process costs in a session: a SendMessage to another program's window and its reply;
// and what a system-wide keyboard hook adds to each key another program takes, when the hook
// asks this program about every key as the lookup's hook does (two sends a key press, one with a
// probe this program reads out of the other's memory).
//
// Run: build/bin/session_bench (it starts build/bin/lexiv-session-peer beside itself).
#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/core/windows_hooks.h"
#include "platform/headless/headless_driver.h"
#include "platform/services/library_loader.h"

extern char** environ;
using namespace lexiv::platform;

namespace {

// The dictionary's side of the hook's two questions: no hook handle to give, and no key is a
// hot key, after reading the probe as the dictionary does.
class DictionaryStandIn final : public Window {
 public:
  DictionaryStandIn() {
    CreateParams p;
    p.text = "dictionary";
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = RECT{0, 0, 100, 100};
    Create(p);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == getHookHandle_) return 0;
    if (message == checkKey_) {
      unsigned char probe[260];
      iovec local{probe, sizeof probe};
      iovec remote{reinterpret_cast<void*>(wParam), sizeof probe};
      if (process_vm_readv(static_cast<pid_t>(lParam), &local, 1, &remote, 1, 0) != sizeof probe) return 0;
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }

 private:
  UINT getHookHandle_ = RegisterWindowMessage("WLKP_GETHOOKHANDLE");
  UINT checkKey_ = RegisterWindowMessage("WLKP_CHECKCMDKEY");
};

struct BenchSession {
  BenchSession() {
    char pattern[] = "/tmp/lexiv-bench-session-XXXXXX";
    dir = mkdtemp(pattern);
    setenv("LEXIV_SESSION_DIR", dir.c_str(), 1);
    if (!JoinSession("session-bench")) std::abort();
    dictionary = std::make_unique<DictionaryStandIn>();
    setenv("LEXIV_BENCH_TARGET", std::to_string(dictionary->hwnd().value).c_str(), 1);
    const std::string ready = dir + "/peer.ready";
    std::vector<std::string> args = {std::string(LEXIV_BIN_DIR) + "/lexiv-session-peer", "--name", "peer", "--ready", ready,
                                     "--text", ""};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&peerPid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) std::abort();
    SystemClock clock;
    const std::uint64_t until = clock.NowMs() + 10000;
    while (!std::ifstream(ready).good()) {
      if (clock.NowMs() > until) std::abort();
      clock.Sleep(2);
    }
    std::uint32_t window = 0, edit = 0;
    std::ifstream(ready) >> window >> edit;
    peerWindow = HWND{window};
  }
  ~BenchSession() {
    kill(peerPid, SIGKILL);
    waitpid(peerPid, nullptr, 0);
    dictionary.reset();
    LeaveSession();
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  std::string dir;
  HeadlessDriver driver;
  UiThread ui{driver};
  std::unique_ptr<DictionaryStandIn> dictionary;
  pid_t peerPid = 0;
  HWND peerWindow;
};

BenchSession& Session() {
  static BenchSession session;
  return session;
}

void BM_SendMessageRoundTrip(benchmark::State& state) {
  BenchSession& s = Session();
  const UINT echo = RegisterWindowMessage("PEER_ECHO");
  WPARAM i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(SendMessage(s.peerWindow, echo, ++i, 1));
}
BENCHMARK(BM_SendMessageRoundTrip)->UseRealTime();

// The peer times n key presses (down and up) taken and dispatched to its edit, per press.
void KeyPresses(benchmark::State& state, bool hooked) {
  BenchSession& s = Session();
  const UINT timeKeys = RegisterWindowMessage("PEER_TIMEKEYS");
  HHOOK hook;
  if (hooked) {
    LibraryHandle module = LoadLibraryA((std::string(LEXIV_BIN_DIR) + "/libbenchlookuphook.so").c_str());
    hook = SetWindowsHookEx(WH_KEYBOARD, reinterpret_cast<HOOKPROC>(GetProcAddress(module, "AskAboutKey")), module, 0);
    if (!hook) std::abort();
  }
  constexpr int kPresses = 200;
  for (auto _ : state) {
    const LRESULT nanoseconds = SendMessage(s.peerWindow, timeKeys, kPresses, 0);
    state.SetIterationTime(static_cast<double>(nanoseconds) / 1e9 / kPresses);
  }
  if (hooked) UnhookWindowsHookEx(hook);
}
void BM_KeyPressInAnotherProgram(benchmark::State& state) { KeyPresses(state, false); }
void BM_KeyPressInAnotherProgramWithTheLookupHook(benchmark::State& state) { KeyPresses(state, true); }
BENCHMARK(BM_KeyPressInAnotherProgram)->UseManualTime()->Iterations(50);
BENCHMARK(BM_KeyPressInAnotherProgramWithTheLookupHook)->UseManualTime()->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
