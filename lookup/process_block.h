// The dictionary's side of the shared block that names its main window to the
// hook library in every program and to every starting copy of the dictionary:
// the single-instance test at start-up, publishing the window once it can
// answer lookups, and letting go at exit.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/services/kernel_handles.h"
#include "platform/win_types.h"

namespace lexiv::lookup {

class ProcessBlock {
public:
  enum class Outcome {
    kOwned, // this copy holds the block (made afresh, or taken over from a dead
            // copy)
    kRunningCopy, // a live copy's window is in the block; it has been brought
                  // forward
    kFailed,      // the block cannot be made
  };

  ProcessBlock() = default;
  ~ProcessBlock();
  ProcessBlock(const ProcessBlock &) = delete;
  ProcessBlock &operator=(const ProcessBlock &) = delete;

  // The single-instance test: a block whose window is live means another copy
  // runs (it is brought to the foreground); a block whose window is gone is
  // taken over; no block is made. The value is 0 afterwards until Publish.
  Outcome Acquire();
  // Stores the main window's handle, when the block is held and its view not
  // yet let go.
  void Publish(platform::HWND mainWindow);
  // The window is being destroyed: the handle stays in the block, but this copy
  // stops using the view.
  void StopUsingView() { view_ = nullptr; }
  // Closes the block's handle (the block goes with its last holder).
  void Close();

  bool Held() const { return mapping_ != nullptr; }

  // The window handle a block holds, 0 when there is no block (what a starting
  // copy and the hook library read; the block is opened afresh and closed
  // again).
  static std::uint32_t ReadWindowValue();

private:
  platform::HANDLE mapping_ = nullptr;
  std::uint32_t *view_ = nullptr;
};

} // namespace lexiv::lookup
