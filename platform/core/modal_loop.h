// A nested message loop that runs until the code inside it ends it: a dialog inside a command
// inside a wait. Loops nest; each ends on its own flag.
#pragma once

namespace lexiv::platform {

class ModalLoop {
 public:
  // Pumps messages (pre-translation, translation, dispatch, the idle pass) until End. Returns the
  // result given to End; -1 when WM_QUIT ended it (the quit is posted again for the loop outside)
  // or when the driver has no more input.
  int Run();
  void End(int result);
  bool IsRunning() const { return running_; }

 private:
  bool running_ = false;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace lexiv::platform
