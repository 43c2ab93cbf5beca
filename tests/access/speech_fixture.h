// A user-interface thread on the headless driver with the fake reader installed, and a window
// that owns deferred speech as the main window does, with a child pane that stands for the
// headword list. Both windows log the messages that reach them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "access/deferred_speech.h"
#include "access/fake_reader.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/headless/headless_driver.h"

namespace lexiv::access {

using namespace lexiv::platform;

struct Delivered {
  std::string window;
  UINT message = 0;
  friend bool operator==(const Delivered&, const Delivered&) = default;
};

class LoggingWindow : public Window {
 public:
  LoggingWindow(std::string name, std::vector<Delivered>* log) : name_(std::move(name)), log_(log) {}
  bool CreateTop() {
    CreateParams p;
    p.text = name_;
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = RECT{0, 0, 320, 200};
    return Create(p);
  }
  bool CreateChild(HWND parent) {
    CreateParams p;
    p.text = name_;
    p.style = WS_VISIBLE | WS_CHILD;
    p.parent = parent;
    p.id = 1;
    p.rect = RECT{0, 0, 100, 50};
    return Create(p);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_CLOSE:
      case WM_PAINT:
      case WM_SHOWWINDOW:
      case WM_USER + 1:
        log_->push_back(Delivered{name_, message});
        if (message == WM_KEYDOWN && onKeyDown) onKeyDown(static_cast<UINT>(wParam));
        if (message == WM_CLOSE) return 0;  // stays open: the tests look at it afterwards
        break;
      case UM_SPEAK:
        return deferred != nullptr ? deferred->OnSpeak(wParam, lParam) : 0;
      case UM_SPEAKGUIDE:
        return deferred != nullptr ? deferred->OnSpeakGuide(wParam, lParam) : 0;
      default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
  DeferredSpeech* deferred = nullptr;
  std::function<void(UINT vk)> onKeyDown;

 private:
  std::string name_;
  std::vector<Delivered>* log_;
};

class SpeechTest : public ::testing::Test {
 protected:
  SpeechTest() {
    EXPECT_TRUE(main.CreateTop());
    EXPECT_TRUE(list.CreateChild(main.hwnd()));
    main.deferred = &deferred;
    deferred.SetMainWindow(main.hwnd());
    deferred.SetHeadwordListFocusTest([this] { return GetFocus() == list.hwnd(); });
    SetForegroundWindow(main.hwnd());
    SetFocus(list.hwnd());
    PumpPending();
    delivered.clear();
  }

  std::uint64_t Now() { return driver.clock().NowMs(); }
  // The first message waiting in the queue (for any window), or 0.
  UINT FirstQueued() {
    Msg msg;
    return PeekMessage(&msg, HWND{}, 0, 0, PM_NOREMOVE) ? msg.message : 0;
  }

  HeadlessDriver driver;
  UiThread ui{driver};
  FakeReader reader;
  std::vector<Delivered> delivered;
  LoggingWindow main{"main", &delivered};
  LoggingWindow list{"list", &delivered};
  DeferredSpeech deferred;
};

}  // namespace lexiv::access
