#include "access/speech.h"

#include <string>

#include "access/speech_library.h"
#include "platform/core/driver.h"
#include "platform/core/messages.h"
#include "platform/core/timers.h"

namespace lexiv::access {

using namespace lexiv::platform;

namespace {

// The reader takes NUL-terminated text.
std::string Terminated(std::string_view text) { return std::string(text); }

}  // namespace

bool ReaderActive() { return VOXAGetStatus(kReaderSwitches, kSwitchActive, 0) != 0; }

void Speak(std::string_view text) {
  if (!ReaderActive()) return;
  VOXAVReset();
  VOXAPRead(Terminated(text).c_str(), 4, 1);
}

void SpeakNow(std::string_view text) {
  if (!ReaderActive()) return;
  const ReaderValue saved13 = VOXASetStatus(kReaderSwitches, 13, 1);
  const ReaderValue saved9 = VOXASetStatus(kReaderSwitches, 9, 1);
  VOXAVReset();
  Sleep(200);
  VOXAPRead(Terminated(text).c_str(), 4, 1);
  VOXASetStatus(kReaderSwitches, 13, saved13);
  VOXASetStatus(kReaderSwitches, 9, saved9);
}

void SpeakGuide(std::string_view text, int mode) {
  if (!ReaderActive()) return;
  VOXACGuide(Terminated(text).c_str(), mode);
}

void StopSpeech() {
  if (!ReaderActive()) return;
  VOXAVReset();
  Sleep(50);
}

UINT WaitSpeechEnd(HWND window) {
  if (!ReaderActive()) return 0;
  while (VOXAGetVStatus() != 0) {
    Msg msg;
    if (!PeekMessage(&msg, window, 0, 0, PM_NOREMOVE)) continue;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_CLOSE:
      // Dropping the quit request would keep the program running.
      case WM_QUIT:
        return msg.message;
      default:
        PeekMessage(&msg, window, 0, 0, PM_REMOVE);
        break;
    }
  }
  return 0;
}

void BeepTimes(int count) {
  if (!ReaderActive()) return;
  for (int i = 0; i < count; ++i) {
    MessageBeep(0xFFFFFFFF);
    Sleep(50);
  }
}

}  // namespace lexiv::access
