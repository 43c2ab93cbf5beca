// What the main window shares with its panes, the search box and the caption bar: the flags that
// several of them read and set, the history ring, the deferred announcements, the settings and
// display state, the dictionary engine, and the few operations a pane asks of the frame (leave
// range mode, exit, write the status bar's message pane). The main window implements it; each
// pane gets a pointer when it is made and never outlives the main window.
#pragma once

#include <string_view>

#include "access/deferred_speech.h"
#include "engine/dictionary_engine.h"
#include "platform/win_types.h"
#include "views/display_state.h"
#include "views/find_state.h"
#include "views/headword_reading_options.h"
#include "views/history_ring.h"
#include "views/settings_record.h"

namespace lexiv {

class CTitleView;
class CMeanView;
class CSearchBox;
class CCaptionBar;

struct FrameFlags {
  platform::DWORD viewsReady = 0;       // both panes exist; 0 from the moment the window closes
  platform::DWORD dialogOpen = 0;       // a modal dialog of a command is open
  platform::DWORD activation = 1;       // a pane gaining the focus announces itself
  platform::DWORD externalRequest = 0;  // the entry shown was asked for by another application
  platform::DWORD rangeMode = 0;        // 0 none, 1 waiting for the start, 2 for the end
  platform::HWND callerWindow;          // the other application's window of the current lookup
};

class MainFrameState {
 public:
  virtual ~MainFrameState() = default;

  virtual FrameFlags& Flags() = 0;
  virtual HistoryRing& History() = 0;
  virtual access::DeferredSpeech& Speech() = 0;
  virtual SettingsRecord& Settings() = 0;
  virtual DisplayState& Display() = 0;
  virtual HeadwordReadingOptions& HeadwordReading() = 0;
  virtual FindState& Find() = 0;
  // The application's announcement-suppression flag: a pane that gains the focus stays silent
  // once while it is set, and clears it.
  virtual platform::DWORD& SuppressAnnouncement() = 0;
  virtual DictionaryEngine& Engine() = 0;

  virtual platform::HWND MainWindow() const = 0;
  // Null until the window has made them.
  virtual CTitleView* TitleView() = 0;
  virtual CMeanView* MeanView() = 0;
  virtual CSearchBox* SearchBox() = 0;
  virtual CCaptionBar* CaptionBar() = 0;
  // Makes the splitter's pane active: 0 the headword list, 1 the meaning view.
  virtual void SetActivePane(int column) = 0;
  // The headword list's column width as laid out by the splitter, in pixels.
  virtual int SplitColumnWidth() const = 0;
  // The status bar's message pane.
  virtual void SetMessageText(std::string_view text) = 0;

  // Range mode: state 1 starts it with caption, 2 fixes the start point, 3 ends it; returns the
  // new range mode.
  virtual int RangeModeStep(int state, std::string_view caption) = 0;
  // Escape in a pane: return to the application that asked for the lookup, or ask to exit.
  virtual void Exit() = 0;
};

}  // namespace lexiv
