// The form's text box: the manual shown a moment after the manual list comes to rest, the
// reading buttons, and the text size.
#include "docpick/docpick_form.h"
#include "docpick/list_speech.h"
#include "docpick/manual_table.h"
#include "docpick/manual_text.h"
#include "platform/core/messages.h"
#include "platform/core/timers.h"
#include "platform/core/window_functions.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

constexpr char kTooLarge[] = "サイズが大きすぎて表示できません";
constexpr UINT kReadingStepMs = 1;

}  // namespace

void DocpickForm::RestartDisplayTimer() {
  KillTimer(hwnd(), kDisplayTimer);
  SetTimer(hwnd(), kDisplayTimer, kDisplayDelayMs);
}

LRESULT DocpickForm::OnTimer(WPARAM id, LPARAM) {
  if (id == kDisplayTimer) {
    KillTimer(hwnd(), kDisplayTimer);
    DisplaySelectedManual();
  } else if (id == kReadingTimer && reading_ != nullptr) {
    if (!reading_->Step()) {
      KillTimer(hwnd(), kReadingTimer);
      buttons_->SetLook(kStartReading, ButtonLook::kOff);
    }
  }
  return 0;
}

void DocpickForm::DisplaySelectedManual() {
  if (reading()) {
    reading_->StopNow();
    KillTimer(hwnd(), kReadingTimer);
    buttons_->SetLook(kStartReading, ButtonLook::kOff);
    reader_.StopSpeech();
    reader_.ReadSpeechState();
  }
  const int index = static_cast<int>(SendMessage(listFile_->hwnd(), LB_GETCURSEL, 0, 0));
  if (SendMessage(listFile_->hwnd(), LB_GETCOUNT, 0, 0) <= 0 || index < 0 ||
      index >= static_cast<int>(SendMessage(file1_->hwnd(), LB_GETCOUNT, 0, 0))) {
    SetText("");
    return;
  }
  const std::string path = JoinPath(file1Path_, ManualFileName(index));
  if (!IsTextFileName(path)) return;
  std::string text;
  switch (LoadManualText(path, text)) {
    case ManualLoad::kLoaded:
      SetText(text);
      if (listMode_ == 1) reader_.Speak(std::string(FirstLine(text)));
      break;
    case ManualLoad::kTooLarge: SetText(kTooLarge); break;
    case ManualLoad::kUnreadable: SetText(""); break;
  }
}

void DocpickForm::SetText(const std::string& sjis) {
  SetWindowText(text1_->hwnd(), sjis.c_str());
  SendMessage(text1_->hwnd(), EM_SETSEL, 0, 0);
}

void DocpickForm::TextFocused(bool focused) {
  if (!focused) {
    reader_.StopFollowingFocus();
    return;
  }
  labelMain_->SetActive(false);
  labelSub_->SetActive(false);
  reader_.StopSpeech();
  reader_.FollowFocus();
  reader_.Speak("読み上げモード");
}

void DocpickForm::ReadingButtonPressed(int item) {
  if (reading_ == nullptr) return;
  switch (item) {
    case kStartReading:
      if (reading_->Start()) {
        buttons_->SetLook(kStartReading, ButtonLook::kActive);
        SetTimer(hwnd(), kReadingTimer, kReadingStepMs);
      }
      break;
    case kStopReading: reading_->RequestStop(); break;
    case kRewind: reading_->Ask(ReadingEngine::Request::kRewind); break;
    case kBackOnePhrase: reading_->Ask(ReadingEngine::Request::kBackOnePhrase); break;
    case kSkipSpeech: reader_.StopSpeech(); break;
    case kFastForward: reading_->Ask(ReadingEngine::Request::kFastForward); break;
    default: break;  // the spare button only shows that it was pressed
  }
}

void DocpickForm::ReadingButtonFocused(int item) { Say(ReadingButtonName(item)); }

void DocpickForm::Zoom(bool enlarge) {
  const double points = enlarge ? textPoints_ * 1.2 : textPoints_ / 1.2;
  textPoints_ = std::max(6, std::min(72, static_cast<int>(points + 0.5)));
  CHARFORMAT format;
  format.dwMask = CFM_SIZE;
  format.yHeight = textPoints_ * kTwipsPerPoint;
  SendMessage(text1_->hwnd(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  Layout();
}

}  // namespace lexiv::docpick
