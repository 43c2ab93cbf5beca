#include "access/deferred_speech.h"

#include "access/speech.h"
#include "access/speech_library.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"

namespace lexiv::access {

using namespace lexiv::platform;

void DeferredSpeech::RemoveQueued(UINT message) {
  Msg msg;
  while (PeekMessage(&msg, mainWindow_, message, message, PM_REMOVE)) {
    // A quit request passes every filter; it must survive.
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
  }
}

void DeferredSpeech::PostSpeech(std::string_view text, WPARAM wParam, LPARAM lParam) {
  if (speakPending_) {
    RemoveQueued(UM_SPEAK);
    speakText_.clear();
    StopSpeech();
  }
  speakText_ = text;
  speakPending_ = mainWindow_ && PostMessage(mainWindow_, UM_SPEAK, wParam, lParam);
  if (!speakPending_) speakText_.clear();
}

void DeferredSpeech::PostSpeechWithGuide(std::string_view headText, std::string_view guideText, int mode) {
  if (guidePending_) {
    RemoveQueued(UM_SPEAKGUIDE);
    VOXAVReset();
  }
  guideHeadText_ = headText;
  guideText_ = guideText;
  guidePending_ = mainWindow_ && PostMessage(mainWindow_, UM_SPEAKGUIDE, static_cast<WPARAM>(mode), 0);
  if (!guidePending_) {
    guideHeadText_.clear();
    guideText_.clear();
  }
}

LRESULT DeferredSpeech::OnSpeak(WPARAM wParam, LPARAM lParam) {
  // Another application is in front: the text waits for the next post.
  if (lParam == 0 && GetForegroundWindow() != mainWindow_) return 0;
  if (wParam == 1)
    SpeakNow(speakText_);
  else
    Speak(speakText_);
  FollowWithMeaning();
  meaningFollows_ = 0;
  speakText_.clear();
  speakPending_ = false;
  return 0;
}

LRESULT DeferredSpeech::OnSpeakGuide(WPARAM wParam, LPARAM /*lParam*/) {
  SpeakNow(guideHeadText_);
  // After an interruption the reader is silent, so a second look would not see the key: the
  // meaning must not follow a headword the user cut short.
  if (!SpeechInterrupted()) {
    SpeakGuide(guideText_, static_cast<int>(wParam));
    FollowWithMeaning();
  }
  meaningFollows_ = 0;
  guideHeadText_.clear();
  guideText_.clear();
  guidePending_ = false;
  return 0;
}

void DeferredSpeech::FollowWithMeaning() {
  if (!focusInHeadwordList_ || !focusInHeadwordList_()) return;
  if (meaningFollows_ != 1 || !meaningSource_) return;
  if (SpeechInterrupted()) return;
  const std::optional<std::string> meaning = meaningSource_();
  std::string text(1, kPauseMark);
  text += meaning ? *meaning : std::string(kMeaningErrorText);
  Speak(text);
}

bool DeferredSpeech::SpeechInterrupted() {
  if (!ReaderActive()) return false;
  while (VOXAGetVStatus() != 0) {
    Msg msg;
    if (!PeekMessage(&msg, mainWindow_, 0, 0, PM_NOREMOVE)) continue;
    switch (msg.message) {
      case WM_CLOSE:
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_SYSCOMMAND:
      case WM_LBUTTONDOWN:
      case WM_QUIT:
        StopSpeech();
        return true;
      default:
        PeekMessage(&msg, mainWindow_, 0, 0, PM_REMOVE);
        if (msg.message == WM_PAINT || msg.message == WM_SHOWWINDOW) DispatchMessage(&msg);
        break;
    }
  }
  return false;
}

void DeferredSpeech::CancelQueued() {
  RemoveQueued(UM_SPEAK);
  RemoveQueued(UM_SPEAKGUIDE);
  speakText_.clear();
  guideHeadText_.clear();
  guideText_.clear();
  speakPending_ = false;
  guidePending_ = false;
}

}  // namespace lexiv::access
