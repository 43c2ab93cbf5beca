// The hot-key test as the hook library makes it for every key going down in
// another program: the hook handle asked for, then the key probe sent for the
// dictionary to read out of this program's memory and check. Here the
// dictionary is the real one (lexiv-headless, in a process of its own) and this
// program plays the other program; the key is not a hot key, as nearly every
// key is not.
//
// Run: build/bin/hot_key_check_bench (it starts build/bin/lexiv-headless beside
// itself).
#include <benchmark/benchmark.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lookup/lookup_protocol.h"
#include "penra/ryx_edit_control.h"
#include "platform/core/focus.h"
#include "lookup/process_block.h"
#include "platform/core/clock.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/headless/headless_driver.h"

extern char **environ;
using namespace lexiv::platform;

namespace {

struct BenchSession {
  BenchSession() {
    char pattern[] = "/tmp/lexiv-bench-hotkey-XXXXXX";
    dir = mkdtemp(pattern);
    setenv("LEXIV_SESSION_DIR", dir.c_str(), 1);
    setenv("LEXIV_REGISTRY_DIR", dir.c_str(), 1);
    if (!JoinSession("hot-key-bench"))
      std::abort();
    const std::string ready = dir + "/lexiv.ready";
    std::vector<std::string> args = {std::string(LEXIV_BIN_DIR) +
                                         "/lexiv-headless",
                                     "--ready", ready, "/APP"};
    std::vector<char *> argv;
    for (std::string &a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&dictionaryPid, argv[0], nullptr, nullptr, argv.data(),
                    environ) != 0)
      std::abort();
    SystemClock clock;
    const std::uint64_t until = clock.NowMs() + 20000;
    while (!std::ifstream(ready).good()) {
      if (clock.NowMs() > until)
        std::abort();
      clock.Sleep(2);
    }
  }
  ~BenchSession() {
    kill(dictionaryPid, SIGKILL);
    waitpid(dictionaryPid, nullptr, 0);
    LeaveSession();
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  std::string dir;
  HeadlessDriver driver;
  UiThread ui{driver};
  pid_t dictionaryPid = 0;
};

BenchSession &Session() {
  static BenchSession session;
  return session;
}

void BM_HotKeyCheckOfAKeyDown(benchmark::State &state) {
  Session();
  const UINT getHookHandle =
      RegisterWindowMessage(lexiv::lookup::kGetHookHandleMessage);
  const UINT checkKey =
      RegisterWindowMessage(lexiv::lookup::kCheckCommandKeyMessage);
  const LPARAM self = static_cast<LPARAM>(GetCurrentProcessId());
  lexiv::lookup::KeyProbe probe{};
  probe.virtualKey = 0x41; // A, with Ctrl held: a key the program itself wants
  probe.keyState[0x11] = 0x80;
  for (auto _ : state) {
    // The hook opens the block afresh for every key, as here.
    const HWND dictionary{lexiv::lookup::ProcessBlock::ReadWindowValue()};
    benchmark::DoNotOptimize(SendMessage(dictionary, getHookHandle, 0, 0));
    const LRESULT command = SendMessage(dictionary, checkKey,
                                        reinterpret_cast<WPARAM>(&probe), self);
    if (command != 0)
      state.SkipWithError("a key that is no hot key was taken for one");
  }
}
BENCHMARK(BM_HotKeyCheckOfAKeyDown)->UseRealTime();

// Its parts: finding the dictionary's window in the shared block, and one send
// without a probe.
void BM_FindDictionaryWindow(benchmark::State &state) {
  Session();
  for (auto _ : state)
    benchmark::DoNotOptimize(lexiv::lookup::ProcessBlock::ReadWindowValue());
}
BENCHMARK(BM_FindDictionaryWindow)->UseRealTime();

void BM_AskForTheHookHandle(benchmark::State &state) {
  Session();
  const UINT getHookHandle =
      RegisterWindowMessage(lexiv::lookup::kGetHookHandleMessage);
  const HWND dictionary{lexiv::lookup::ProcessBlock::ReadWindowValue()};
  for (auto _ : state)
    benchmark::DoNotOptimize(SendMessage(dictionary, getHookHandle, 0, 0));
}
BENCHMARK(BM_AskForTheHookHandle)->UseRealTime();

// What the real hook library adds to a key in another program: penra's edit
// control ("RyxEditCtrl") in this program has the focus, the dictionary has installed its hook, and a key
// that is no hot key goes down and up through this program's message loop,
// where the session calls the library's procedure for each of the two.
class BenchWindow : public Window {};

void BM_KeyPressInPenrasEditThroughTheHook(benchmark::State &state) {
  BenchSession &session = Session();
  const UINT getHookHandle =
      RegisterWindowMessage(lexiv::lookup::kGetHookHandleMessage);
  const HWND dictionary{lexiv::lookup::ProcessBlock::ReadWindowValue()};
  if (SendMessage(dictionary, getHookHandle, 0, 0) == 0) {
    state.SkipWithError("the dictionary installed no hook");
    return;
  }
  static BenchWindow top;
  static lexiv::penra::RyxEditControl edit;
  if (!top.hwnd()) {
    CreateParams params;
    params.text = "editor";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 320, 200};
    top.Create(params);
    CreateParams child;
    child.text = "abc";
    child.style = WS_VISIBLE | WS_CHILD | ES_MULTILINE;
    child.parent = top.hwnd();
    child.id = 1;
    child.rect = RECT{0, 0, 200, 100};
    edit.Create(child);
  }
  SetForegroundWindow(top.hwnd());
  SetFocus(edit.hwnd());
  bool right = true;
  for (auto _ : state) {
    // Right and Left in turn leave the edit as it was.
    session.driver.PressKey(right ? "Right" : "Left");
    PumpPending();
    right = !right;
  }
}
BENCHMARK(BM_KeyPressInPenrasEditThroughTheHook)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
