// The main window's zoom commands, the status bar toggle, the two option dialogs of the display,
// the about box and the appendix help files.
#include <algorithm>
#include <cstdio>
#include <string>

#include "access/speech.h"
#include "access/speech_library.h"
#include "app/about_box.h"
#include "app/display_font_dialog.h"
#include "app/focus_keeper.h"
#include "app/headword_reading_dialog.h"
#include "app/help_files.h"
#include "app/main_frame.h"
#include "manuals/manual_list_dialog.h"
#include "platform/controls/help_viewer.h"
#include "platform/controls/rich_edit_messages.h"
#include "platform/core/caret.h"
#include "platform/core/focus.h"
#include "platform/core/font.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

constexpr int kMaxZoomLevel = 7;
// The text size the panes scale from, and the status bar's, at every level.
constexpr int kBaseTextPoints = 12;
// Above this level the status bar gives its row to the enlarged text.
constexpr int kLastLevelWithStatusBar = 2;
// What the reader reads by itself while the about box is open: everything.
constexpr access::ReaderValue kAboutOwnReading = 0xFFFF;

}  // namespace

int CMainFrame::ZoomLevel() const {
  return app_.settings.zoomMode == 1 ? static_cast<int>(app_.settings.zoomRate) : 0;
}

bool CMainFrame::StatusBarShown() const { return statusBarVisible_ != 0 && ZoomLevel() <= kLastLevelWithStatusBar; }

void CMainFrame::SetZoomLevel(int level) {
  if (level <= 0) {
    app_.settings.zoomMode = 0;
  } else {
    app_.settings.zoomMode = 1;
    app_.settings.zoomRate = static_cast<DWORD>(level);
  }
}

void CMainFrame::ApplyZoomLevel() {
  LayoutBars();
  const auto rate = static_cast<int>(app_.settings.zoomRate);
  if (meanView_) meanView_->ApplyZoom(rate);
  if (titleView_) titleView_->ApplyZoom(rate);
}

void CMainFrame::ApplyStatusBarFont() {
  if (!statusBar_) return;
  LOGFONT description;
  description.lfHeight = -MulDiv(kBaseTextPoints, GetDeviceCaps(LOGPIXELSY), 72);
  description.lfCharSet = SHIFTJIS_CHARSET;
  app_.display.CopyFontName(description.lfFaceName, LF_FACESIZE);
  const HFONT font = CreateFontIndirect(&description);
  SendMessage(statusBar_->hwnd(), WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
  if (statusFont_) DeleteObject(statusFont_);
  statusFont_ = font;
}

void CMainFrame::ChangeZoom(int level) {
  FocusKeeper keep;
  SetZoomLevel(level);
  ApplyZoomLevel();
  if (level == 0) {
    access::SpeakNow("通常画面");
  } else {
    char text[16];
    std::snprintf(text, sizeof text, "拡大%d", level);
    access::SpeakNow(text);
  }
  // The layout changed under the box: it gets a caret of its own again.
  if (searchBox_ && GetFocus() == searchBox_->hwnd()) {
    RECT client;
    GetClientRect(searchBox_->hwnd(), &client);
    CreateCaret(searchBox_->hwnd(), 2, std::max<LONG>(client.Height(), 1));
    ShowCaret(searchBox_->hwnd());
  }
}

void CMainFrame::OnZoomUp() {
  const int level = ZoomLevel();
  ChangeZoom(level >= kMaxZoomLevel ? 0 : level + 1);
}

void CMainFrame::OnZoomDown() {
  const int level = ZoomLevel();
  ChangeZoom(level == 0 ? kMaxZoomLevel : level - 1);
}

void CMainFrame::OnZoomNormal() {
  app_.settings.zoomRate = 1;
  ChangeZoom(0);
}

void CMainFrame::OnUpdateZoomNormal(CommandUI& ui) { ui.SetRadio(ZoomLevel() == 0); }

void CMainFrame::OnToggleStatusBar() {
  statusBarVisible_ = statusBarVisible_ ? 0 : 1;
  LayoutBars();
}

void CMainFrame::OnUpdateStatusBar(CommandUI& ui) {
  ui.Enable(ZoomLevel() <= kLastLevelWithStatusBar);
  ui.SetCheck(statusBarVisible_ ? 1 : 0);
}

void CMainFrame::OnDisplayFont() {
  FocusKeeper keep;
  CDisplayFontDialog dialog(app_.display);
  if (RunGuarded([&] { return dialog.Run(hwnd()); }, true) != IDOK) return;
  DisplayState& display = app_.display;
  display.CopyFontName(app_.settings.fontName, kFontNameBytes);
  app_.settings.textColor = display.TextColor();
  app_.settings.textBkColor = display.BackgroundColor();
  if (searchBox_) InvalidateRect(searchBox_->hwnd(), nullptr, TRUE);
  if (titleView_) titleView_->ApplyColorsAndFont();
  if (meanView_) meanView_->ApplyColorsAndFont();
  ApplyStatusBarFont();
  LayoutBars();
}

void CMainFrame::OnHeadwordReading() {
  FocusKeeper keep;
  CHeadwordReadingDialog dialog(app_.headwordReading);
  if (RunGuarded([&] { return dialog.Run(hwnd()); }, false) != IDOK) return;
  app_.settings.titleIme = app_.headwordReading.titleIme();
  app_.settings.titleMean = app_.headwordReading.titleMean();
}

void CMainFrame::OnAbout() {
  FocusKeeper keep;
  const access::ReaderValue kept = access::VOXASetStatus(access::kReaderOwnReading, kAboutOwnReading, 0);
  CAboutBox box(app_.productVersionMS, app_.productVersionLS);
  RunGuarded([&] { return box.DoModal(hwnd()); }, true);
  access::VOXASetStatus(access::kReaderOwnReading, kept, 0);
}

void CMainFrame::OnOnlineManuals() {
  FocusKeeper keep;
  RunGuarded(
      [&] {
        manuals::OpenManualList(app_.dirs.manual, hwnd());
        return 0;
      },
      true);
}

void CMainFrame::OpenAppendix(int index) {
  const char* name = AppendixFileName(index);
  if (name == nullptr) return;
  const std::string path = app_.dirs.productDir + name;
  WinHelpA(hwnd(), path.c_str(), HELP_FINDER, 0);
}

}  // namespace lexiv
