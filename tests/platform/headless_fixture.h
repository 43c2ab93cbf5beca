// A user-interface thread on the headless driver, and a window that records what it receives.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/core/window_functions.h"
#include "platform/headless/headless_driver.h"

namespace lexiv::testing {

using namespace lexiv::platform;

class HeadlessTest : public ::testing::Test {
 protected:
  // Keys by name, separated by spaces; text in quotes is typed. Each is handled before the next.
  void PressKeys(const std::string& keys) {
    std::size_t i = 0;
    while (i < keys.size()) {
      if (keys[i] == ' ') {
        ++i;
      } else if (keys[i] == '"') {
        const std::size_t close = keys.find('"', i + 1);
        ASSERT_EQ(driver.Type(keys.substr(i + 1, close - i - 1)), 0);
        i = close + 1;
      } else {
        const std::size_t end = std::min(keys.find(' ', i), keys.size());
        ASSERT_EQ(driver.PressKey(keys.substr(i, end - i)), 0) << keys.substr(i, end - i);
        i = end;
      }
      PumpPending();
    }
  }

  HeadlessDriver driver;
  UiThread ui{driver};
};

// One received message, as tests compare them.
struct Received {
  std::string window;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  friend bool operator==(const Received&, const Received&) = default;
};

inline void PrintTo(const Received& r, std::ostream* os) {
  *os << r.window << " 0x" << std::hex << r.message << " w=0x" << r.wParam << " l=0x" << r.lParam << std::dec;
}

// Records the messages listed in `watched` (every message when empty) into a shared log.
class RecordingWindow : public Window {
 public:
  RecordingWindow(std::string name, std::vector<Received>* log, std::vector<UINT> watched = {})
      : name_(std::move(name)), log_(log), watched_(std::move(watched)) {}

  bool CreateTop(DWORD style = WS_VISIBLE | WS_OVERLAPPEDWINDOW) {
    CreateParams p;
    p.text = name_;
    p.style = style;
    p.rect = RECT{0, 0, 320, 200};
    return Create(p);
  }
  bool CreateChild(HWND parent, UINT id, DWORD style = WS_VISIBLE | WS_CHILD) {
    CreateParams p;
    p.text = name_;
    p.style = style;
    p.parent = parent;
    p.id = id;
    p.rect = RECT{0, 0, 100, 50};
    return Create(p);
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (log_ != nullptr && (watched_.empty() || std::find(watched_.begin(), watched_.end(), message) != watched_.end()))
      log_->push_back(Received{name_, message, wParam, lParam});
    return Window::WindowProc(message, wParam, lParam);
  }

  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::vector<Received>* log_;
  std::vector<UINT> watched_;
};

}  // namespace lexiv::testing
