// A stand-in for the dictionary's side of the lookup, for the hook library's tests: it publishes
// its window in the shared block as the dictionary does, takes F11 for the caret lookup and F12
// for the clipboard lookup (whatever modifiers are held), and writes each request it gets to a
// log, one line each, read out of the sender as the dictionary reads it:
//
//   CHECK <key>                                  a key-down offered to the hot-key check
//   SEARCH <mode> <size> <window> <text in hex>  a lookup (size as the request gives it)
//   REFUSED                                      a lookup whose request could not be read
//   INPUT <window>                               nothing could be captured
//
//   lexiv-lookup-recorder --ready FILE --log FILE
#include <cstdio>
#include <cstring>
#include <string>

#include "lookup/lookup_protocol.h"
#include "lookup/request_reader.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/headless/headless_driver.h"
#include "platform/services/file_mapping.h"
#include "platform/services/whole_file.h"

using namespace lexiv::platform;
namespace lookup = lexiv::lookup;

namespace {

std::string logFile;

void Log(const std::string& line) {
  if (std::FILE* out = std::fopen(logFile.c_str(), "a")) {
    std::fputs((line + "\n").c_str(), out);
    std::fclose(out);
  }
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  char two[3];
  for (const unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02X", c);
    hex += two;
  }
  return hex.empty() ? "-" : hex;
}

class Recorder final : public Window {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == getHookHandle_) return 0;
    if (message == checkKey_) {
      lookup::ProcessMemory sender(static_cast<DWORD>(lParam));
      const auto probe = lookup::ReadKeyProbe(sender, wParam);
      if (!probe) return 0;
      Log("CHECK " + std::to_string(probe->virtualKey));
      if (probe->virtualKey == 0x7A) return lookup::kCaretLookupCommand;
      if (probe->virtualKey == 0x7B) return lookup::kClipboardLookupCommand;
      return 0;
    }
    if (message == search_) {
      DWORD pid = 0;
      GetWindowThreadProcessId(HwndFromParam(lParam), &pid);
      lookup::ProcessMemory sender(pid);
      lookup::LookupRequest raw{};
      const auto request = lookup::ReadLookupRequest(sender, wParam);
      if (!request || !sender.Read(wParam, &raw, sizeof raw)) {
        Log("REFUSED");
        return lookup::kRequestRefused;
      }
      Log("SEARCH " + std::to_string(request->mode) + " " + std::to_string(raw.size) + " " +
          std::to_string(HwndFromParam(lParam).value) + " " + Hex(request->text));
      return 0;
    }
    if (message == searchInput_) {
      Log("INPUT " + std::to_string(HwndFromParam(lParam).value));
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }

 private:
  UINT getHookHandle_ = RegisterWindowMessage(lookup::kGetHookHandleMessage);
  UINT checkKey_ = RegisterWindowMessage(lookup::kCheckCommandKeyMessage);
  UINT search_ = RegisterWindowMessage(lookup::kSearchMessage);
  UINT searchInput_ = RegisterWindowMessage(lookup::kSearchInputMessage);
};

}  // namespace

int main(int argc, char** argv) {
  std::string ready;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--ready") == 0) ready = argv[i + 1];
    if (std::strcmp(argv[i], "--log") == 0) logFile = argv[i + 1];
  }
  HeadlessDriver driver;
  driver.ServeSessionWhenIdle(true);
  UiThread ui{driver};
  if (!JoinSession("lookup-recorder")) return 2;
  Recorder recorder;
  CreateParams top;
  top.text = "recorder";
  top.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
  top.rect = RECT{0, 0, 100, 100};
  if (!recorder.Create(top)) return 3;
  const HANDLE block = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                          lookup::kProcessBlockBytes, lookup::kProcessBlockName);
  auto* view = block ? static_cast<std::uint32_t*>(MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
  if (view == nullptr) return 3;
  *view = recorder.hwnd().value;
  if (!ready.empty() && WriteFileAtomically(ready, std::to_string(recorder.hwnd().value) + "\n") != 0) return 4;
  return RunMessageLoop() < 0 ? 5 : 0;
}
