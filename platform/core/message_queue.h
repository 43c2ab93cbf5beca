// The message queue of the user-interface thread. Posted messages and input (keys and mouse
// buttons from the driver) wait in two FIFOs; posted messages are taken before input, as Windows
// does, so a message posted by a key's handler is handled before the next key. A key carries no
// window until it is taken: it goes to the window that has the focus at that moment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "platform/win_types.h"

namespace lexiv::platform {

struct Msg {
  HWND hwnd;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
  // For a key going down: the character the keyboard makes of it (a byte for WM_CHAR, a
  // double-byte code, lead byte high, for WM_IME_CHAR); 0 for none. TranslateMessage posts it.
  UINT character = 0;
};
using MSG = Msg;

// One input event waiting in the queue.
struct QueuedInput {
  Msg msg;              // for keys, hwnd is resolved when the event is taken
  bool toFocus = false; // a key: goes to the focus window (or the active window without focus)
  std::uint64_t seq = 0; // finds the event again after a callback has changed the queue
};

class MessageQueue {
 public:
  void Post(const Msg& msg) { posted_.push_back(msg); }
  void PostInput(QueuedInput input) {
    input.seq = ++lastSeq_;
    input_.push_back(input);
  }
  std::deque<Msg>& Posted() { return posted_; }
  std::deque<QueuedInput>& Input() { return input_; }
  void PostQuit(int exitCode) {
    quitPosted_ = true;
    quitCode_ = exitCode;
  }
  bool QuitPosted() const { return quitPosted_; }
  int QuitCode() const { return quitCode_; }
  int TakeQuit() {
    quitPosted_ = false;
    return quitCode_;
  }
  void Clear() {
    posted_.clear();
    input_.clear();
    quitPosted_ = false;
  }

 private:
  std::deque<Msg> posted_;
  std::deque<QueuedInput> input_;
  bool quitPosted_ = false;
  int quitCode_ = 0;
  std::uint64_t lastSeq_ = 0;
};

}  // namespace lexiv::platform
