// The screen reader's keys that the main window passes on or answers itself, and its answers to
// the reader's own reading commands (the command callback).
#include <cstdio>
#include <cstring>
#include <string>

#include "access/speech.h"
#include "access/speech_library.h"
#include "app/main_frame.h"
#include "platform/controls/edit_messages.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

// The guide mode of a list item.
constexpr int kListItemGuideMode = 6;
constexpr int kHeadwordGuideMode = 0x10000;

std::string WithSeparator(std::string_view first, std::string_view second) {
  return std::string(first) + access::kPhraseSeparator + std::string(second);
}

// Characters (not bytes) before bytePos.
int CharsBefore(std::string_view text, std::size_t bytePos) {
  int chars = 0;
  for (std::size_t at = 0; at < bytePos && at < text.size(); at += SjisCharBytesAt(text, at)) ++chars;
  return chars;
}

}  // namespace

void CMainFrame::OnUpdateReaderPresent(CommandUI& ui) { ui.Enable(access::VOXAStatus() == 1); }

void CMainFrame::OnSpeedToggle() { access::VOXACommand("SetSpeedToggle", 0, 0); }
void CMainFrame::OnCurrentGuide() { access::VOXACommand("SetCurGuide", 0, 0); }
void CMainFrame::OnReadInputStatus() { access::VOXACommand("ReadInputSts", 0, 0); }

void CMainFrame::SpeakListPosition() {
  if (!titleView_) return;
  const int index = titleView_->GetSelectedIndex();
  if (index < 0) {
    access::SpeakNow("見出し語がありません");
    return;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%d件中 %d件目", titleView_->ItemCount(), index + 1);
  access::SpeakNow(text);
}

void CMainFrame::OnSpeakPosition() {
  if (!meanView_ || !titleView_ || !searchBox_) return;
  const HWND focus = GetFocus();
  if (focus == meanView_->hwnd()) {
    int line = 0;
    int column = 0;
    meanView_->CaretLineColumn(&line, &column);
    char text[48];
    std::snprintf(text, sizeof text, "%dの%d", line + 1, column + 1);
    access::SpeakNow(text);
  } else if (focus == titleView_->hwnd()) {
    SpeakListPosition();
  } else if (focus == searchBox_->hwnd()) {
    // Counted in characters, as the user moves through the box.
    const std::string text = WindowText(focus);
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int first = CharsBefore(text, start);
    const int after = CharsBefore(text, end);
    char position[48];
    if (start == end)
      std::snprintf(position, sizeof position, "%d", first + 1);
    else
      std::snprintf(position, sizeof position, "%dから%d選択中", first + 1, after);
    access::SpeakNow(WithSeparator("カーソル位置", position));
  }
}

void CMainFrame::OnReadAgain() {
  if (titleView_ && GetFocus() == titleView_->hwnd() && titleView_->GetSelectedIndex() >= 0) {
    const std::string spoken = titleView_->ExtractSpokenPart(titleView_->ItemText(titleView_->GetSelectedIndex()));
    const HeadwordReadingOptions& options = app_.headwordReading;
    if (options.titleMean() == 1) speech_.SetMeaningFollows(1);
    if (options.titleIme() == 1 && titleView_->readingSearch())
      speech_.PostSpeechWithGuide("", spoken, kHeadwordGuideMode);
    else
      speech_.PostSpeech(spoken, 1, 0);
    return;
  }
  access::VOXACommand("ReadAgain", 0, 0);
}

void CMainFrame::OnActAsEnter() {
  const HWND focus = GetFocus();
  if (focus) PostMessage(focus, WM_KEYDOWN, VK_RETURN, 0);
}

int CMainFrame::OnReaderCommand(const char* name) {
  if (name == nullptr || !titleView_ || !meanView_) return 0;
  const HWND focus = GetFocus();
  const bool inList = focus == titleView_->hwnd();
  const bool inMeaning = focus == meanView_->hwnd();
  if (std::strcmp(name, "ReadCurAtrb") == 0) {
    if (inList && titleView_->GetSelectedIndex() >= 0) {
      const std::string spoken = titleView_->ExtractSpokenPart(titleView_->ItemText(titleView_->GetSelectedIndex()));
      access::StopSpeech();
      if (titleView_->readingSearch() && app_.headwordReading.titleIme() == 1)
        access::Speak(spoken);
      else
        access::SpeakGuide(spoken, kListItemGuideMode);
      return 1;
    }
    if (inMeaning) {
      access::VOXACommand("ReadCurAtrb", 0, 0);
      UpdateWindow(meanView_->hwnd());
      return 1;
    }
    return 0;
  }
  if (std::strcmp(name, "ReadActiveTitle") == 0) {
    const char* part = nullptr;
    if (searchBox_ && focus == searchBox_->hwnd()) part = "読み方";
    if (inList) part = "見出し語一覧";
    if (inMeaning) part = "意味";
    if (part == nullptr) return 0;
    access::SpeakNow(WithSeparator(kTitle, part));
    return 1;
  }
  if (std::strcmp(name, "ReadCurPos") == 0) {
    if (!inList) return 0;
    SpeakListPosition();
    return 1;
  }
  return 0;
}

}  // namespace lexiv
