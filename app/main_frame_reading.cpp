// The main window's reading commands (a line, the paragraph, everything) and its find commands.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "access/speech.h"
#include "app/find_dialog.h"
#include "app/focus_keeper.h"
#include "app/main_frame.h"
#include "platform/controls/edit_messages.h"
#include "platform/controls/rich_edit_messages.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

std::string LineColumnText(const CMeanView& view) {
  int line = 0;
  int column = 0;
  view.CaretLineColumn(&line, &column);
  char text[48];
  std::snprintf(text, sizeof text, "%dの%d", line + 1, column + 1);
  return text;
}

}  // namespace

void CMainFrame::OnUpdateMeaningHasText(CommandUI& ui) { ui.Enable(MeaningViewHasText()); }

void CMainFrame::OnReadLine() {
  if (!meanView_) return;
  const HWND view = meanView_->hwnd();
  CHARRANGE selection;
  SendMessage(view, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  // The end that moves: the start while it lies before the anchor.
  const long at = selection.cpMin < meanView_->SelectionAnchor() ? selection.cpMin : selection.cpMax;
  const LRESULT line = SendMessage(view, EM_LINEFROMCHAR, static_cast<WPARAM>(at), 0);
  const LRESULT first = SendMessage(view, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  const LRESULT length = first < 0 ? 0 : SendMessage(view, EM_LINELENGTH, static_cast<WPARAM>(first), 0);
  if (length > 0) {
    // EM_GETLINE takes the buffer's size in its first word and writes no terminator.
    std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 2)) + 1, '\0');
    const auto size = static_cast<WORD>(std::min<std::size_t>(text.size(), 0xFFFF));
    std::memcpy(text.data(), &size, sizeof size);
    const LRESULT copied =
        SendMessage(view, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    if (!text.empty()) access::Speak(text);
  }
  access::WaitSpeechEnd(HWND{});
  access::BeepTimes(3);
}

void CMainFrame::OnReadParagraph() {
  if (!meanView_) return;
  meanView_->ReadParagraph();
  access::BeepTimes(3);
  if (GetFocus() != meanView_->hwnd()) SetFocus(meanView_->hwnd());
}

void CMainFrame::OnReadAll() {
  if (!meanView_ || !titleView_) return;
  const HWND focus = GetFocus();
  const std::string separator(1, access::kPhraseSeparator);
  if (focus == meanView_->hwnd()) {
    if (meanView_->ReadAll(1, 1) == 1) {
      access::BeepTimes(3);
      access::SpeakNow("終わり");
    } else {
      access::SpeakNow("パス" + separator + LineColumnText(*meanView_));
    }
  } else if (focus == titleView_->hwnd()) {
    if (meanView_->ReadAll(0, 0) == 1) {
      access::BeepTimes(3);
      return;
    }
    // The key that stopped the reading moves the list, and the move is heard instead.
    Msg waiting;
    if (PeekMessage(&waiting, titleView_->hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) return;
    const int index = titleView_->GetSelectedIndex();
    char position[32];
    std::snprintf(position, sizeof position, "%d件目", index + 1);
    access::SpeakNow("読みストップ" + separator + position + separator +
                     titleView_->ExtractSpokenPart(titleView_->ItemText(index)));
  }
}

bool CMainFrame::RunFindDialog() {
  if (!meanView_) return false;
  CFindDialog dialog(app_.find);
  if (meanView_->HasSelection()) dialog.ProposeText(meanView_->SelectedText(0));
  return RunGuarded([&] { return dialog.Run(hwnd()); }, true) == IDOK;
}

void CMainFrame::FindInMeaning(int forward) {
  if (!meanView_) return;
  if (meanView_->FindText(forward) == 1) {
    access::SpeakNow(LineColumnText(*meanView_));
  } else {
    static constexpr char kNotFound[] = "検索文字が見つかりません。";
    SetMessageText(kNotFound);
    access::SpeakNow(kNotFound);
  }
}

void CMainFrame::OnFind() {
  FocusKeeper keep;
  if (RunFindDialog()) FindInMeaning(1);
}

void CMainFrame::OnFindNext() {
  if (app_.find.text().empty()) {
    OnFind();
    return;
  }
  FocusKeeper keep;
  FindInMeaning(1);
}

void CMainFrame::OnFindPrevious() {
  FocusKeeper keep;
  if (!app_.find.text().empty() || RunFindDialog()) FindInMeaning(0);
}

}  // namespace lexiv
