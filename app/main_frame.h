// The main window: the search bar, the caption bar, the two panes in a splitter and the status bar;
// the dictionary engine; the state its panes share; and the commands of the command table.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "access/deferred_speech.h"
#include "app/application_state.h"
#include "app/command_table.h"
#include "engine/dictionary_engine.h"
#include "platform/controls/splitter.h"
#include "platform/controls/static_control.h"
#include "platform/controls/status_bar.h"
#include "platform/core/font.h"
#include "platform/core/frame_window.h"
#include "views/caption_bar.h"
#include "views/main_frame_state.h"
#include "views/mean_view.h"
#include "views/search_box.h"
#include "views/title_view.h"

namespace lexiv {

class CSearchBar;
class TextDropTarget;

class CMainFrame : public platform::FrameWindow, public MainFrameState {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  // Pixel heights of the bars: one terminal row each.
  static constexpr int kBarHeight = 16;
  static constexpr const char* kTitle = "国語辞典";

  explicit CMainFrame(ApplicationState& app);
  ~CMainFrame() override;

  // Makes the window with its bars and panes and applies the saved placement, split and zoom.
  // False when any part could not be made (the window is then destroyed).
  bool CreateMainWindow();

  // MainFrameState.
  FrameFlags& Flags() override { return flags_; }
  HistoryRing& History() override { return history_; }
  access::DeferredSpeech& Speech() override { return speech_; }
  SettingsRecord& Settings() override { return app_.settings; }
  DisplayState& Display() override { return app_.display; }
  HeadwordReadingOptions& HeadwordReading() override { return app_.headwordReading; }
  FindState& Find() override { return app_.find; }
  platform::DWORD& SuppressAnnouncement() override { return app_.suppressAnnouncement; }
  DictionaryEngine& Engine() override { return engine_; }
  platform::HWND MainWindow() const override { return hwnd(); }
  CTitleView* TitleView() override { return titleView_.get(); }
  CMeanView* MeanView() override { return meanView_.get(); }
  CSearchBox* SearchBox() override { return searchBox_.get(); }
  CCaptionBar* CaptionBar() override { return captionBar_.get(); }
  void SetActivePane(int column) override;
  int SplitColumnWidth() const override;
  void SetMessageText(std::string_view text) override;
  int RangeModeStep(int state, std::string_view caption) override;
  void Exit() override;

  platform::HWND SearchBarWindow() const;
  platform::HWND StatusBarWindow() const;
  platform::HWND CaptionBarWindow() const;
  platform::Splitter* SplitterWindow() { return splitter_.get(); }
  platform::DWORD statusBarVisible() const { return statusBarVisible_; }
  // 0 for the normal screen, else the enlargement 1 to 7.
  int ZoomLevel() const;
  // The status bar is shown: its flag is on and the screen is enlarged two steps at most.
  bool StatusBarShown() const;
  const std::string& rangeCaption() const { return rangeCaption_; }

  bool OnCmdMsg(platform::UINT id, platform::UINT code, platform::HWND control) override;
  platform::LRESULT WindowProc(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam) override;

 private:
  friend std::span<const CommandEntry> CommandTable();
  friend class TextDropTarget;

  bool CreateSearchBar();
  bool CreateStatusBar();
  bool CreateCaptionBar();
  bool CreatePanes();
  void LayoutBars();
  bool FocusInMeaningView() const;
  bool MeaningViewHasText() const;
  // Beeps, writes text into the message pane, says it at once and waits for the speech to end.
  void Announce(const std::string& text);
  void ShowHistoryEntry(std::int32_t position);
  void SearchDroppedText(const std::string& text);

  // Messages.
  platform::LRESULT OnSize(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnSetFocus(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnActivateApp(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnMenuSelect(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnClose(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnDestroy(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnSplitMoveEnded(platform::NMHDR* header);
  platform::LRESULT OnSpeak(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnSpeakGuide(platform::WPARAM wParam, platform::LPARAM lParam);

  // Commands (see the command table).
  void OnSearchBoxEnter();
  void OnUpdateSearchBoxEnter(platform::CommandUI& ui);
  void OnSearchAtCursor();
  void OnSearchByReading();
  void OnRangeSearch();
  void OnRangeCopy();
  void OnGoToHeadwords();
  void OnUpdateGoToHeadwords(platform::CommandUI& ui);
  void OnHistoryBack();
  void OnUpdateHistoryBack(platform::CommandUI& ui);
  void OnHistoryForward();
  void OnUpdateHistoryForward(platform::CommandUI& ui);
  void OnHistoryBackByKey();
  void OnHistoryForwardByKey();
  void OnPreviousEntry();
  void OnNextEntry();
  void OnCopyAll();
  void OnSplitMove();
  void OnExit();
  void OnNextPane();
  void OnUpdateFocusInMeaningWithText(platform::CommandUI& ui);
  void OnUpdateFocusInMeaning(platform::CommandUI& ui);
  void TurnPage(int direction);
  void StartRangeCommand(platform::UINT command, const char* caption);

  // Reading and finding (main_frame_reading.cpp).
  void OnReadLine();
  void OnReadParagraph();
  void OnReadAll();
  void OnUpdateMeaningHasText(platform::CommandUI& ui);
  void OnFind();
  void OnFindNext();
  void OnFindPrevious();
  // The find dialog, with the meaning's selection proposed; true on OK.
  bool RunFindDialog();
  void FindInMeaning(int forward);

  // Zoom, the status bar, the option dialogs, the about box, the manual list and the appendix
  // (main_frame_view.cpp).
  void SetZoomLevel(int level);
  void ApplyZoomLevel();
  // The status bar's font: the display face at the base text size, 12 points at every level.
  void ApplyStatusBarFont();
  void ChangeZoom(int level);
  void OnZoomUp();
  void OnZoomDown();
  void OnZoomNormal();
  void OnUpdateZoomNormal(platform::CommandUI& ui);
  template <int Level>
  void OnZoomTo() {
    ChangeZoom(Level);
  }
  template <int Level>
  void OnUpdateZoomTo(platform::CommandUI& ui) {
    ui.SetRadio(ZoomLevel() == Level);
  }
  void OnToggleStatusBar();
  void OnUpdateStatusBar(platform::CommandUI& ui);
  void OnDisplayFont();
  void OnHeadwordReading();
  void OnAbout();
  void OnOnlineManuals();
  template <int Index>
  void OnAppendix() {
    OpenAppendix(Index);
  }
  void OpenAppendix(int index);
  // Runs a command's modal dialog with the dialog-open flag set (lookups from other programs
  // wait meanwhile); all but the headword reading dialog let the pane that gets the focus back
  // announce itself.
  template <typename RunDialog>
  int RunGuarded(RunDialog&& run, bool clearSuppression) {
    flags_.dialogOpen = 1;
    if (clearSuppression) app_.suppressAnnouncement = 0;
    const int result = run();
    flags_.dialogOpen = 0;
    return result;
  }

  // Lookups from other programs (main_frame_lookup.cpp): the registered messages' numbers, taken
  // when the window is made (the session assigns them), and their handlers.
  struct LookupMessages {
    platform::UINT getHookHandle = 0;
    platform::UINT checkCommandKey = 0;
    platform::UINT search = 0;
    platform::UINT searchInput = 0;
    platform::UINT hotKeyEnable = 0;
  };
  void RegisterLookupMessages();
  // True when message is one of them, with its reply in result.
  bool HandleLookupMessage(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam,
                           platform::LRESULT& result);
  platform::LRESULT OnCheckCommandKey(platform::WPARAM probeAddress, platform::LPARAM senderProcess);
  platform::LRESULT OnLookupSearch(platform::WPARAM requestAddress, platform::LPARAM senderWindow);
  platform::LRESULT OnLookupSearchInput(platform::LPARAM returnWindow);
  platform::LRESULT OnHotKeyEnable(platform::WPARAM set, platform::LPARAM value);
  // Says that a dialog of ours is open, with the window brought forward so the user can finish it.
  void RefuseLookupWhileDialogOpen(const char* spoken);
  // Brings the window forward with the focus in the search box, as the user would by clicking it.
  void ComeForwardToSearchBox();
  void StopReadAll();

  // The screen reader's keys and its reading commands (main_frame_reader.cpp).
  void OnSpeedToggle();
  void OnCurrentGuide();
  void OnReadInputStatus();
  void OnSpeakPosition();
  void OnReadAgain();
  void OnActAsEnter();
  void OnUpdateReaderPresent(platform::CommandUI& ui);
  // "見出し語がありません", or the item count and the current item.
  void SpeakListPosition();
  int OnReaderCommand(const char* name);

  ApplicationState& app_;
  DictionaryEngine engine_;
  HistoryRing history_;
  FrameFlags flags_;
  access::DeferredSpeech speech_;
  std::string rangeCaption_;
  platform::UINT rangeCommand_ = 0;
  platform::DWORD statusBarVisible_ = 1;
  platform::UINT commandCode_ = 0;  // the notification code of the command being routed
  LookupMessages lookupMessages_;
  platform::DWORD hotKeysEnabled_ = 1;  // changed only by another program's WLKPCNT_WLKPKEY

  std::unique_ptr<CSearchBar> searchBar_;
  std::unique_ptr<platform::StaticControl> searchLabel_;
  std::unique_ptr<CSearchBox> searchBox_;
  std::unique_ptr<platform::StatusBar> statusBar_;
  platform::HFONT statusFont_;
  std::unique_ptr<CCaptionBar> captionBar_;
  std::unique_ptr<platform::Splitter> splitter_;
  std::unique_ptr<CTitleView> titleView_;
  std::unique_ptr<CMeanView> meanView_;
  std::unique_ptr<TextDropTarget> dropTarget_;
};

}  // namespace lexiv
