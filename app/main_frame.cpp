#include "app/main_frame.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "access/message_box.h"
#include "access/reader_callbacks.h"
#include "access/speech.h"
#include "access/speech_library.h"
#include "app/search_bar.h"
#include "platform/controls/edit_messages.h"
#include "platform/controls/list_view_messages.h"
#include "platform/core/accelerators.h"
#include "platform/core/drop_target.h"
#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"
#include "views/command_ids.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

constexpr UINT kSearchBarId = 0xE800;
constexpr UINT kStatusBarId = 0xE801;
constexpr UINT kCaptionBarId = 0xE802;
constexpr UINT kSplitterId = 0xE803;
constexpr int kCellWidth = 8;
// Half-width characters of the status bar's indicator texts: ｶﾅ, CAP, NUM.
constexpr int kIndicatorCells[] = {2, 3, 3};
constexpr char kIdeographicSpace[] = "　";

// A Shift-JIS character takes as many cells as it has bytes.
int TextCells(std::string_view sjis) { return static_cast<int>(sjis.size()); }

}  // namespace

// Text dropped on the main window is searched; anything else is refused.
class TextDropTarget : public DropTarget {
 public:
  explicit TextDropTarget(CMainFrame& frame) : frame_(frame) {}
  DWORD DragEnter(const DataObject& data, DWORD allowed) override {
    return data.Has(CF_TEXT) && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }
  DWORD Drop(const DataObject& data, DWORD allowed) override {
    if (DragEnter(data, allowed) == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    frame_.SearchDroppedText(data.Get(CF_TEXT));
    return DROPEFFECT_COPY;
  }

 private:
  CMainFrame& frame_;
};

const MessageMap& CMainFrame::ClassMessageMap() {
  static const MessageMap map = [] {
    MessageMapOf<CMainFrame> entries(FrameWindow::ClassMessageMap());
    entries.On(WM_SIZE, &CMainFrame::OnSize)
        .On(WM_SETFOCUS, &CMainFrame::OnSetFocus)
        .On(WM_ACTIVATEAPP, &CMainFrame::OnActivateApp)
        .On(WM_MENUSELECT, &CMainFrame::OnMenuSelect)
        .On(WM_CLOSE, &CMainFrame::OnClose)
        .On(WM_DESTROY, &CMainFrame::OnDestroy)
        .OnNotify(kSplitterId, NM_KILLFOCUS, &CMainFrame::OnSplitMoveEnded)
        .On(access::UM_SPEAK, &CMainFrame::OnSpeak)
        .On(access::UM_SPEAKGUIDE, &CMainFrame::OnSpeakGuide);
    for (const CommandEntry& entry : CommandTable()) {
      if (entry.handler != nullptr) entries.OnCommand(entry.id, entry.handler);
      if (entry.enableRule != nullptr) entries.OnUpdateCommand(entry.id, entry.enableRule);
    }
    return MessageMap(entries);
  }();
  return map;
}

CMainFrame::CMainFrame(ApplicationState& app) : app_(app) {}

CMainFrame::~CMainFrame() {
  if (hwnd()) DestroyWindow(hwnd());
  if (Accelerators()) DestroyAcceleratorTable(Accelerators());
  if (statusFont_) DeleteObject(statusFont_);
}

HWND CMainFrame::SearchBarWindow() const { return searchBar_ ? searchBar_->hwnd() : HWND{}; }
HWND CMainFrame::StatusBarWindow() const { return statusBar_ ? statusBar_->hwnd() : HWND{}; }
HWND CMainFrame::CaptionBarWindow() const { return captionBar_ ? captionBar_->hwnd() : HWND{}; }

bool CMainFrame::CreateMainWindow() {
  RegisterLookupMessages();
  CreateParams params;
  params.text = kTitle;
  params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  params.rect = UiThread::Current()->driver.ScreenRect();
  params.menu = BuildMenuBar();
  if (!Create(params)) return false;
  SetAccelerators(BuildAcceleratorTable());
  if (app_.settings.HasWindowPos()) SetWindowPlacement(hwnd(), &app_.settings.windowPos);

  if (!CreateSearchBar() || !CreateStatusBar() || !CreateCaptionBar()) {
    DestroyWindow(hwnd());
    return false;
  }
  dropTarget_ = std::make_unique<TextDropTarget>(*this);
  RegisterDragDrop(hwnd(), dropTarget_.get());
  if (!CreatePanes()) {
    DestroyWindow(hwnd());
    return false;
  }
  LayoutBars();
  return true;
}

bool CMainFrame::CreateSearchBar() {
  searchBar_ = std::make_unique<CSearchBar>();
  searchBar_->SetFrozenTest([this] { return flags_.rangeMode != 0; });
  CreateParams bar;
  bar.style = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS;
  bar.parent = hwnd();
  bar.id = kSearchBarId;
  bar.rect = RECT{0, 0, 0, kBarHeight};
  if (!searchBar_->Create(bar)) return false;
  SendMessage(searchBar_->hwnd(), TB_SETBUTTONSIZE, 0, MAKELPARAM(Toolbar::kDefaultButtonWidth, kBarHeight));

  std::vector<TBBUTTON> buttons;
  for (int place : SearchBarLayout()) {
    TBBUTTON button;
    if (place > 0) {
      button.idCommand = place;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = TBSTYLE_BUTTON;
    } else {
      button.fsStyle = TBSTYLE_SEP;
    }
    buttons.push_back(button);
  }
  SendMessage(searchBar_->hwnd(), TB_ADDBUTTONS, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));

  static constexpr char kLabel[] = "検索語";
  searchLabel_ = std::make_unique<StaticControl>();
  CreateParams label;
  label.text = kLabel;
  label.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
  label.parent = searchBar_->hwnd();
  label.rect = RECT{0, 0, TextCells(kLabel) * kCellWidth, kBarHeight};
  if (!searchLabel_->Create(label)) return false;
  searchBar_->EmbedControl(0, 0, TextCells(kLabel) * kCellWidth, searchLabel_->hwnd());

  // Room for ten half-width characters and the border.
  const int boxWidth = 10 * kCellWidth + 16;
  searchBox_ = std::make_unique<CSearchBox>(*this);
  CreateParams box;
  box.style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
  box.exStyle = WS_EX_CLIENTEDGE;
  box.parent = searchBar_->hwnd();
  box.id = CSearchBox::kControlId;
  box.rect = RECT{0, 0, boxWidth, kBarHeight};
  if (!searchBox_->Create(box)) return false;
  SendMessage(searchBox_->hwnd(), EM_LIMITTEXT, CSearchBox::kMaxChars, 0);
  searchBar_->EmbedControl(1, CSearchBox::kControlId, boxWidth, searchBox_->hwnd());
  return true;
}

bool CMainFrame::CreateStatusBar() {
  statusBar_ = std::make_unique<StatusBar>();
  CreateParams bar;
  bar.style = WS_CHILD | WS_VISIBLE;
  bar.parent = hwnd();
  bar.id = kStatusBarId;
  bar.rect = RECT{0, 0, 0, kBarHeight};
  if (!statusBar_->Create(bar)) return false;
  SetMessageBar(statusBar_->hwnd());
  ApplyStatusBarFont();
  return true;
}

bool CMainFrame::CreateCaptionBar() {
  captionBar_ = std::make_unique<CCaptionBar>(*this);
  CreateParams bar;
  bar.style = WS_CHILD | WS_VISIBLE;
  bar.parent = hwnd();
  bar.id = kCaptionBarId;
  bar.rect = RECT{0, kBarHeight, 0, 2 * kBarHeight};
  if (!captionBar_->Create(bar)) return false;
  captionBar_->SetCaptions(static_cast<int>(app_.settings.splitPos) - 2);
  return true;
}

bool CMainFrame::CreatePanes() {
  // A split that does not fit the window is replaced by 30 % of its width.
  WINDOWPLACEMENT placement;
  GetWindowPlacement(hwnd(), &placement);
  RECT reference = placement.rcNormalPosition;
  if (reference.Width() <= 0 || reference.Height() <= 0) GetWindowRect(hwnd(), &reference);
  const int width = reference.Width();
  if (app_.settings.splitPos == 0 || static_cast<LONG>(app_.settings.splitPos) >= width)
    app_.settings.splitPos = static_cast<DWORD>(width > 0 ? width * 30 / 100 : 0);

  splitter_ = std::make_unique<Splitter>();
  CreateParams split;
  split.style = WS_CHILD | WS_VISIBLE;
  split.parent = hwnd();
  split.id = kSplitterId;
  split.rect = RECT{0, 2 * kBarHeight, 0, 2 * kBarHeight};
  if (!splitter_->Create(split)) return false;

  titleView_ = std::make_unique<CTitleView>(*this);
  CreateParams list;
  list.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER;
  list.parent = splitter_->hwnd();
  list.id = Splitter::PaneId(0);
  if (!titleView_->Create(list)) return false;
  LVCOLUMN column;
  column.mask = LVCF_WIDTH;
  column.cx = static_cast<int>(app_.settings.splitPos);
  SendMessage(titleView_->hwnd(), LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));

  meanView_ = std::make_unique<CMeanView>(*this);
  CreateParams mean;
  mean.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY;
  mean.parent = splitter_->hwnd();
  mean.id = Splitter::PaneId(1);
  if (!meanView_->Create(mean)) return false;
  splitter_->SetColumnWidth(static_cast<int>(app_.settings.splitPos));

  titleView_->ApplyColorsAndFont();
  meanView_->ApplyColorsAndFont();

  speech_.SetMainWindow(hwnd());
  speech_.SetHeadwordListFocusTest([this] { return titleView_ && GetFocus() == titleView_->hwnd(); });
  speech_.SetMeaningSource([this]() -> std::optional<std::string> {
    if (!meanView_ || meanView_->EntryError()) return std::nullopt;
    return WindowText(meanView_->hwnd());
  });
  // The reader asks whether the focus is in the meaning pane (its status question 10).
  access::SetMeaningViewFocusTest([this] { return meanView_ && GetFocus() == meanView_->hwnd(); });
  flags_.viewsReady = 1;
  access::RegisterReaderCommandCallback([this](const char* name) { return OnReaderCommand(name); });
  // A screen enlarged at the last exit comes back enlarged, without a word.
  if (app_.settings.zoomMode == 1) ApplyZoomLevel();
  return true;
}

void CMainFrame::LayoutBars() {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int width = client.Width();
  const int height = client.Height();
  if (searchBar_) MoveWindow(searchBar_->hwnd(), 0, 0, width, kBarHeight, TRUE);
  if (captionBar_) MoveWindow(captionBar_->hwnd(), 0, kBarHeight, width, kBarHeight, TRUE);
  int bottom = height;
  if (statusBar_) {
    const bool shown = StatusBarShown();
    ShowWindow(statusBar_->hwnd(), shown ? SW_SHOWNA : SW_HIDE);
    if (shown) {
      bottom = height - kBarHeight;
      MoveWindow(statusBar_->hwnd(), 0, bottom, width, kBarHeight, TRUE);
      int edges[4];
      int right = width;
      for (int i = 3; i >= 1; --i) {
        edges[i] = right;
        right -= (kIndicatorCells[i - 1] + 1) * kCellWidth;
      }
      edges[3] = -1;
      edges[0] = right;
      SendMessage(statusBar_->hwnd(), SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
      SendMessage(statusBar_->hwnd(), SB_SETTEXT, 1, reinterpret_cast<LPARAM>("ｶﾅ"));
      SendMessage(statusBar_->hwnd(), SB_SETTEXT, 2, reinterpret_cast<LPARAM>("CAP"));
      SendMessage(statusBar_->hwnd(), SB_SETTEXT, 3, reinterpret_cast<LPARAM>("NUM"));
    }
  }
  if (splitter_) {
    const int top = 2 * kBarHeight;
    MoveWindow(splitter_->hwnd(), 0, top, width, bottom > top ? bottom - top : 0, TRUE);
    if (captionBar_) captionBar_->SetCaptions(splitter_->ColumnWidth() - 2);
  }
}

void CMainFrame::SetActivePane(int column) {
  if (splitter_) splitter_->SetActivePane(column);
}

int CMainFrame::SplitColumnWidth() const { return splitter_ ? splitter_->ColumnWidth() : 0; }

void CMainFrame::SetMessageText(std::string_view text) { FrameWindow::SetMessageText(std::string(text)); }

bool CMainFrame::OnCmdMsg(UINT id, UINT code, HWND control) {
  const UINT outer = commandCode_;
  commandCode_ = code;
  const bool handled = FrameWindow::OnCmdMsg(id, code, control);
  commandCode_ = outer;
  return handled;
}

bool CMainFrame::FocusInMeaningView() const { return meanView_ && GetFocus() == meanView_->hwnd(); }
bool CMainFrame::MeaningViewHasText() const { return meanView_ && meanView_->HasText(); }

void CMainFrame::Announce(const std::string& text) {
  MessageBeep(0xFFFFFFFF);
  SetMessageText(text);
  access::SpeakNow(text);
  access::WaitSpeechEnd(meanView_ ? meanView_->hwnd() : HWND{});
}

// Messages.

LRESULT CMainFrame::OnSize(WPARAM, LPARAM) {
  LayoutBars();
  return Default();
}

LRESULT CMainFrame::OnSetFocus(WPARAM, LPARAM) {
  if (splitter_ && splitter_->ActivePane())
    SetFocus(splitter_->ActivePane());
  else if (searchBox_)
    SetFocus(searchBox_->hwnd());
  return 0;
}

LRESULT CMainFrame::OnActivateApp(WPARAM active, LPARAM) {
  if (active && flags_.viewsReady) {
    flags_.activation = 1;
    access::SpeakNow(kTitle);
    // Let the window settle while the title is said; the user's next action ends the wait.
    while (access::ReaderActive() && access::VOXAGetVStatus() != 0) {
      Msg msg;
      if (!PeekMessage(&msg, HWND{}, 0, 0, PM_NOREMOVE)) continue;
      const UINT next = msg.message;
      if (next == WM_DESTROY || next == WM_CLOSE || next == WM_KEYDOWN || next == WM_SYSCOMMAND ||
          next == WM_LBUTTONDOWN || next == WM_QUIT)
        break;
      PeekMessage(&msg, HWND{}, 0, 0, PM_REMOVE);
      ProcessMessage(msg);
    }
  }
  return Default();
}

LRESULT CMainFrame::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Default();
  if (HIWORD(wParam) == 0xFFFF && lParam == 0 && meanView_) SendMessage(meanView_->hwnd(), WM_SIZE, 0, 0);
  return result;
}

LRESULT CMainFrame::OnClose(WPARAM, LPARAM) {
  flags_.viewsReady = 0;
  ShowWindow(hwnd(), SW_SHOW);
  access::VOXAVReset();
  access::UnregisterReaderCommandCallback();
  flags_.callerWindow = HWND{};
  app_.suppressAnnouncement = 1;
  flags_.activation = 0;
  if (titleView_) {
    RECT pane;
    GetWindowRect(titleView_->hwnd(), &pane);
    app_.settings.splitPos = static_cast<DWORD>(pane.Width());
  }
  WINDOWPLACEMENT placement;
  GetWindowPlacement(hwnd(), &placement);
  if (IsIconic(hwnd())) {
    placement = SettingsRecord::ZeroPlacement();
  } else if (IsZoomed(hwnd())) {
    placement.flags |= WPF_RESTORETOMAXIMIZED;
  }
  app_.settings.windowPos = placement;
  return Default();
}

LRESULT CMainFrame::OnDestroy(WPARAM, LPARAM) {
  // Closing takes the command callback back; a window destroyed without closing (a start-up
  // that failed after it was made) must not leave the reader calling into a program that
  // goes on without it.
  if (flags_.viewsReady) {
    flags_.viewsReady = 0;
    access::UnregisterReaderCommandCallback();
  }
  access::SetMeaningViewFocusTest(nullptr);
  RevokeDragDrop(hwnd());
  engine_.CloseDictionary();
  PostQuitMessage(0);
  return Default();
}

// The end of a keyboard split move: the caption over the list and the list's first column
// follow the new width (the column only where one column is shown without a header).
LRESULT CMainFrame::OnSplitMoveEnded(NMHDR*) {
  if (!splitter_ || !titleView_) return 0;
  RECT pane;
  GetClientRect(titleView_->hwnd(), &pane);
  const int width = static_cast<int>(pane.Width());
  if (captionBar_) captionBar_->SetCaptions(std::max(width - 2, 0));
  if (app_.settings.titleDispForm != 1)
    SendMessage(titleView_->hwnd(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(static_cast<WORD>(std::max(width - 16, 0)), 0));
  return 0;
}

LRESULT CMainFrame::OnSpeak(WPARAM wParam, LPARAM lParam) { return speech_.OnSpeak(wParam, lParam); }
LRESULT CMainFrame::OnSpeakGuide(WPARAM wParam, LPARAM lParam) { return speech_.OnSpeakGuide(wParam, lParam); }

// Commands.

void CMainFrame::OnSearchBoxEnter() {
  if (searchBox_) searchBox_->RunEnterAction();
}

void CMainFrame::OnUpdateSearchBoxEnter(CommandUI& ui) {
  ui.Enable(searchBox_ && SendMessage(searchBox_->hwnd(), EM_LINELENGTH, static_cast<WPARAM>(-1), 0) != 0);
}

void CMainFrame::OnUpdateFocusInMeaningWithText(CommandUI& ui) { ui.Enable(FocusInMeaningView() && MeaningViewHasText()); }
void CMainFrame::OnUpdateFocusInMeaning(CommandUI& ui) { ui.Enable(FocusInMeaningView()); }

void CMainFrame::OnSearchAtCursor() {
  if (!meanView_ || !titleView_) return;
  const HWND view = meanView_->hwnd();
  ShowWindow(view, SW_HIDE);
  CHARRANGE caret;
  SendMessage(view, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  const bool selectedHere = !meanView_->HasSelection();
  if (selectedHere) {
    const std::string text = WindowText(view);
    std::size_t end = static_cast<std::size_t>(caret.cpMax);
    for (int chars = 0; chars < 40 && end < text.size(); ++chars) end += SjisCharBytesAt(text, end);
    CHARRANGE range{caret.cpMax, static_cast<LONG>(end)};
    SendMessage(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  if (titleView_->ShowSearchResults(meanView_->SelectedText(0), 1, 0) != 0) {
    // Nothing found: the caret goes back where it was, so that the user is not left with a
    // selection of forty characters they did not make.
    if (selectedHere) SendMessage(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    if (GetFocus() != view) SetFocus(view);
  }
  ShowWindow(view, SW_SHOW);
}

void CMainFrame::OnSearchByReading() {
  if (!meanView_ || !titleView_ || !searchBox_) return;
  if (!meanView_->HasSelection())
    SetFocus(searchBox_->hwnd());
  else
    titleView_->ShowSearchResults(meanView_->SelectedText(0), 1, 0);
}

void CMainFrame::SearchDroppedText(const std::string& text) {
  if (titleView_) titleView_->ShowSearchResults(text, 0, 0);
}

void CMainFrame::StartRangeCommand(UINT command, const char* caption) {
  if (!meanView_) return;
  meanView_->SetRangeCommand(command);
  RangeModeStep(1, caption);
}

void CMainFrame::OnRangeSearch() { StartRangeCommand(ID_RANGE_SEARCH, "範囲を指定して検索"); }
void CMainFrame::OnRangeCopy() { StartRangeCommand(ID_RANGE_COPY, "コピー"); }

int CMainFrame::RangeModeStep(int state, std::string_view caption) {
  if (!meanView_) return 0;
  std::string status;
  const HMENU bar = GetMenu(hwnd());
  auto enableInputs = [&](bool on) {
    if (titleView_) EnableWindow(titleView_->hwnd(), on ? TRUE : FALSE);
    if (searchBox_) EnableWindow(searchBox_->hwnd(), on ? TRUE : FALSE);
    if (searchBar_) EnableWindow(searchBar_->hwnd(), on ? TRUE : FALSE);
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
      EnableMenuItem(bar, static_cast<UINT>(i), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
  };
  switch (state) {
    case 1:
      if (meanView_->HasSelection()) {
        meanView_->RangeAction();
        flags_.rangeMode = 0;
        break;
      }
      flags_.rangeMode = 1;
      rangeCaption_ = caption;
      status = rangeCaption_ + kIdeographicSpace + "どこから";
      enableInputs(false);
      if (searchBar_) {
        for (int place : SearchBarLayout())
          if (place > 0) SendMessage(searchBar_->hwnd(), TB_ENABLEBUTTON, static_cast<WPARAM>(place), FALSE);
      }
      DrawMenuBar(hwnd());
      access::SpeakNow(status);
      break;
    case 2: {
      status = rangeCaption_ + kIdeographicSpace + "どこまで";
      flags_.rangeMode = 2;
      int line = 0;
      int column = 0;
      meanView_->CaretLineColumn(&line, &column);
      char words[64];
      std::snprintf(words, sizeof words, "%dの%dから どこまで", line + 1, column + 1);
      access::SpeakNow(words);
      break;
    }
    case 3:
      flags_.rangeMode = 0;
      rangeCaption_.clear();
      enableInputs(true);
      DrawMenuBar(hwnd());
      break;
    default:
      return static_cast<int>(flags_.rangeMode);
  }
  SetMessageText(status);
  return static_cast<int>(flags_.rangeMode);
}

void CMainFrame::OnGoToHeadwords() {
  if (!titleView_ || !splitter_) return;
  if (titleView_->GetSelectedIndex() < 0) {
    LVITEM item;
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessage(titleView_->hwnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
  }
  splitter_->SetActivePane(0);
  SetFocus(titleView_->hwnd());
}

void CMainFrame::OnUpdateGoToHeadwords(CommandUI& ui) {
  ui.Enable(titleView_ && titleView_->ItemCount() > 0 && GetFocus() != titleView_->hwnd());
}

void CMainFrame::ShowHistoryEntry(std::int32_t position) {
  if (!meanView_ || !splitter_) return;
  flags_.externalRequest = 0;
  std::int32_t shown = position;
  meanView_->ShowEntry(0, shown, 1, 0, 1, 0, 0);
  meanView_->SetCurrentPosition(position);
  SendMessage(meanView_->hwnd(), EM_SETSEL, 0, 0);
  splitter_->SetActivePane(1);
  SetFocus(meanView_->hwnd());
}

void CMainFrame::OnHistoryBack() {
  if (history_.CanGoBack()) ShowHistoryEntry(history_.Back());
}

void CMainFrame::OnHistoryForward() {
  if (history_.CanGoForward()) ShowHistoryEntry(history_.Forward());
}

void CMainFrame::OnUpdateHistoryBack(CommandUI& ui) { ui.Enable(history_.CanGoBack()); }
void CMainFrame::OnUpdateHistoryForward(CommandUI& ui) { ui.Enable(history_.CanGoForward()); }

void CMainFrame::OnHistoryBackByKey() {
  if (history_.CanGoBack())
    ShowHistoryEntry(history_.Back());
  else
    Announce("前の検索履歴はありません");
}

void CMainFrame::OnHistoryForwardByKey() {
  if (history_.CanGoForward())
    ShowHistoryEntry(history_.Forward());
  else
    Announce("次の検索履歴はありません");
}

void CMainFrame::TurnPage(int direction) {
  if (!meanView_) return;
  // A held key must not pile up page turns.
  Msg waiting;
  if (PeekMessage(&waiting, hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) return;
  std::int32_t position = meanView_->CurrentPosition();
  if (meanView_->ShowEntry(direction, position, 1, 0, 1, 0, 0) == 1) {
    if (position != meanView_->CurrentPosition()) {
      SendMessage(meanView_->hwnd(), EM_SETSEL, 0, 0);
      meanView_->SetCurrentPosition(position);
    }
  } else {
    Announce(direction == 1 ? "前の辞書はありません" : "次の辞書はありません");
  }
  SetFocus(meanView_->hwnd());
}

void CMainFrame::OnPreviousEntry() { TurnPage(1); }
void CMainFrame::OnNextEntry() { TurnPage(2); }

void CMainFrame::OnCopyAll() {
  if (!meanView_ || !splitter_) return;
  const HWND view = meanView_->hwnd();
  ShowWindow(view, SW_HIDE);
  CHARRANGE kept;
  SendMessage(view, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  SendMessage(view, EM_SETSEL, 0, -1);
  SendMessage(view, WM_COPY, 0, 0);
  SendMessage(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  ShowWindow(view, SW_SHOW);
  access::SpeakNow("コピー 実行");
  splitter_->SetActivePane(1);
  SetFocus(view);
}

void CMainFrame::OnSplitMove() {
  if (splitter_) splitter_->StartKeyboardSplit();
}

void CMainFrame::OnNextPane() {
  if (commandCode_ != 1 || !flags_.viewsReady || !searchBox_ || !titleView_ || !meanView_ || !splitter_) return;
  std::vector<HWND> order{searchBox_->hwnd()};
  if (titleView_->ItemCount() > 0) order.push_back(titleView_->hwnd());
  if (meanView_->HasText()) order.push_back(meanView_->hwnd());
  const HWND focus = GetFocus();
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] != focus) continue;
    const HWND next = order[(i + 1) % order.size()];
    SetFocus(next);
    if (next == titleView_->hwnd()) splitter_->SetActivePane(0);
    if (next == meanView_->hwnd()) splitter_->SetActivePane(1);
    return;
  }
}

void CMainFrame::OnExit() { Exit(); }

void CMainFrame::Exit() {
  const HWND hadFocus = GetFocus();
  if (flags_.callerWindow && IsWindow(flags_.callerWindow)) {
    if (IsWindow(hadFocus)) SetFocus(hadFocus);
    access::StopSpeech();
    SetForegroundWindow(flags_.callerWindow);
    flags_.callerWindow = HWND{};
    flags_.externalRequest = 0;
    return;
  }
  const int answer = access::ShowMessage("国語辞典を終了しますか", kTitle, MB_OKCANCEL | MB_ICONQUESTION, 0, hwnd());
  if (answer == IDCANCEL) {
    access::SpeakNow("パス");
    if (IsWindow(hadFocus)) SetFocus(hadFocus);
    return;
  }
  flags_.callerWindow = HWND{};
  flags_.activation = 1;
  app_.suppressAnnouncement = 0;
  speech_.CancelQueued();
  PostMessage(hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace lexiv
