#include "penra/editor_voice.h"

#include <string>

namespace lexiv::penra {

namespace {

constexpr VoxaValue kStatusCallbackKind = 0x20001;
constexpr VoxaValue kSwitchesKind = 0x10001;
constexpr VoxaValue kActiveSwitch = 28;

// The reader may ask us about our state; we have nothing to tell it.
int AnswerNothing(int, VoxaValue) { return 0; }

}  // namespace

ScreenReaderVoice::ScreenReaderVoice(const char* libraryName) : library_(libraryName) {
  if (!library_.loaded()) return;
  setStatus_ = library_.Find<decltype(&::VOXASetStatus)>("VOXASetStatus");
  getStatus_ = library_.Find<decltype(&::VOXAGetStatus)>("VOXAGetStatus");
  reset_ = library_.Find<decltype(&::VOXAVReset)>("VOXAVReset");
  read_ = library_.Find<decltype(&::VOXAPRead)>("VOXAPRead");
  if (setStatus_ != nullptr)
    setStatus_(kStatusCallbackKind, reinterpret_cast<VoxaValue>(static_cast<VoxaStatusCallback>(&AnswerNothing)), 0);
}

ScreenReaderVoice::~ScreenReaderVoice() {
  // The reader must not call back into a program that is going away.
  if (setStatus_ != nullptr) setStatus_(kStatusCallbackKind, 0, 0);
}

void ScreenReaderVoice::Say(std::string_view text) {
  if (read_ == nullptr || getStatus_ == nullptr || getStatus_(kSwitchesKind, kActiveSwitch, 0) == 0) return;
  if (reset_ != nullptr) reset_();
  read_(std::string(text).c_str(), 4, 1);
}

}  // namespace lexiv::penra
