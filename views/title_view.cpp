#include "views/title_view.h"

#include <algorithm>
#include <cstdio>

#include "access/speech.h"
#include "access/speech_library.h"
#include "platform/controls/list_view_messages.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/messages.h"
#include "platform/core/timers.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"
#include "platform/services/sjis_search.h"
#include "views/caption_bar.h"
#include "views/command_ids.h"
#include "views/mean_view.h"
#include "views/search_box.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER;
constexpr int kHeadwordGuideMode = 0x10000;
constexpr UINT kFullWidthSpace = 0x8140;
constexpr char kOpenBracket[] = "【";
constexpr char kCloseBracket[] = "】";
constexpr std::size_t kBracketBytes = sizeof kOpenBracket - 1;
// Room for the longest item text: a headword, a reading and the brackets.
constexpr int kItemTextBytes = 256;

std::string WithSeparator(std::string text) {
  text += access::kPhraseSeparator;
  return text;
}

bool IsMoveKeyUp(UINT vk) {
  switch (vk) {
    case VK_UP: case VK_DOWN: case VK_SPACE: case VK_NEXT: case VK_PRIOR: case VK_LEFT: case VK_HOME: case VK_END:
      return true;
    default:
      return false;
  }
}

}  // namespace

const MessageMap& CTitleView::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<CTitleView>(ListView::ClassMessageMap())
                                    .On(WM_CREATE, &CTitleView::OnCreate)
                                    .On(WM_DESTROY, &CTitleView::OnDestroy)
                                    .On(WM_KEYDOWN, &CTitleView::OnKeyDown)
                                    .On(WM_KEYUP, &CTitleView::OnKeyUp)
                                    .On(WM_IME_CHAR, &CTitleView::OnImeChar)
                                    .On(WM_SETFOCUS, &CTitleView::OnSetFocus)
                                    .On(WM_LBUTTONDOWN, &CTitleView::OnButtonDown)
                                    .On(WM_RBUTTONDOWN, &CTitleView::OnButtonDown)
                                    .OnReflectedNotify(LVN_ITEMCHANGED, &CTitleView::OnItemChanged)
                                    .OnReflectedNotify(NM_RETURN, &CTitleView::OnOpenItem)
                                    .OnReflectedNotify(NM_DBLCLK, &CTitleView::OnOpenItem)
                                    .OnReflectedNotify(NM_RCLICK, &CTitleView::OnRightClick);
  return map;
}

CTitleView::~CTitleView() {
  if (hwnd()) DestroyWindow(hwnd());
  if (font_) DeleteObject(font_);
}

int CTitleView::DisplayForm() const {
  const DWORD form = frame_.Settings().titleDispForm;
  return form <= 2 ? static_cast<int>(form) : 0;
}

// Searching and filling.

int CTitleView::ShowSearchResults(const std::string& text, int mode, int pattern) {
  if (!text.empty())
    if (CSearchBox* box = frame_.SearchBox()) SetWindowText(box->hwnd(), text.c_str());

  const int count = frame_.Engine().SearchHeadwords(text.c_str(), mode, pattern, hits_.data(), kMaxHits);
  const HWND main = frame_.MainWindow();
  if (count <= 0) {
    const char* message = count == 0 ? "見出し語がありません" : "見出し語取得エラー";
    frame_.SetMessageText(message);
    FrameFlags& flags = frame_.Flags();
    if (GetForegroundWindow() == main) {
      access::SpeakNow(message);
    } else {
      flags.externalRequest = 0;
      frame_.Speech().PostSpeech(message, 0, 1);
      if (flags.callerWindow && GetWindowLong(flags.callerWindow, GWL_WNDPROC) != 0) {
        SetForegroundWindow(flags.callerWindow);
        flags.callerWindow = HWND{};
      }
    }
    return 1;
  }

  announceReady_ = 0;
  moveDirection_ = kNoMove;
  EnsureColumns();
  SendMessage(hwnd(), LVM_DELETEALLITEMS, 0, 0);
  const int shown = std::min(count, kMaxHits);
  const int form = DisplayForm();
  for (int i = 0; i < shown; ++i) AddItem(i, hits_[static_cast<std::size_t>(i)], form);

  overflow_ = count > kMaxHits ? 1 : 0;
  readingSearch_ = IsReadingText(text) ? 1 : 0;
  SelectItem(0);
  const bool hadFocus = GetFocus() == hwnd();
  frame_.SetActivePane(0);

  if (main && GetForegroundWindow() != main) SetForegroundWindow(main);
  SetFocus(hwnd());
  if (hadFocus) {
    // No focus message makes the caption and the meaning follow the new list.
    SetListCaption(0);
    ShowEntryOfItem(0);
  }
  AnnounceItem(0, 1);
  announceReady_ = 1;
  frame_.SetMessageText("");
  return 0;
}

void CTitleView::AddItem(int index, const SearchHit& hit, int form) {
  std::string text = hit.headword;
  if (form == 0) text = text + kOpenBracket + hit.reading + kCloseBracket;
  LVITEM item;
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = text.data();
  item.lParam = hit.entryPos;
  const int at = static_cast<int>(SendMessage(hwnd(), LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
  if (form == 1 && at >= 0) {
    std::string reading = hit.reading;
    LVITEM sub;
    sub.iSubItem = 1;
    sub.pszText = reading.data();
    SendMessage(hwnd(), LVM_SETITEMTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
  }
}

void CTitleView::EnsureColumns() {
  const int form = DisplayForm();
  struct Heading {
    const char* text;
    int width;
  };
  const Heading headings[2] = {{"見出し語", static_cast<int>(frame_.Settings().splitPos)},
                               {"読み", static_cast<int>(frame_.Settings().titleWidth2)}};
  const int wanted = form == 1 ? 2 : 1;
  for (int column = 0; column < wanted; ++column) {
    std::string text = headings[column].text;
    LVCOLUMN existing;
    existing.mask = LVCF_WIDTH;
    LVCOLUMN heading;
    heading.mask = LVCF_FMT | LVCF_TEXT;
    heading.fmt = LVCFMT_LEFT;
    heading.pszText = text.data();
    if (SendMessage(hwnd(), LVM_GETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&existing))) {
      SendMessage(hwnd(), LVM_SETCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&heading));
    } else {
      heading.mask |= LVCF_WIDTH;
      heading.cx = std::max(0, headings[column].width);
      SendMessage(hwnd(), LVM_INSERTCOLUMN, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&heading));
    }
  }
}

int CTitleView::SelectItem(int index) {
  const int count = ItemCount();
  if (count <= 0) return -1;
  const int current = GetSelectedIndex();
  LVITEM state;
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (current >= 0) {
    state.state = 0;
    SendMessage(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(current), reinterpret_cast<LPARAM>(&state));
  }
  const int target = index >= 0 && index < count ? index : current;
  if (target < 0) return -1;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(target), reinterpret_cast<LPARAM>(&state));
  SendMessage(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(target), FALSE);
  return target;
}

int CTitleView::ItemCount() const { return static_cast<int>(SendMessage(hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

int CTitleView::GetSelectedIndex() const {
  return static_cast<int>(SendMessage(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

std::string CTitleView::ItemText(int index) const {
  if (index < 0 || index >= ItemCount()) return {};
  char buffer[kItemTextBytes] = {};
  LVITEM item;
  item.iSubItem = 0;
  item.pszText = buffer;
  item.cchTextMax = kItemTextBytes;
  SendMessage(hwnd(), LVM_GETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  buffer[kItemTextBytes - 1] = '\0';
  return buffer;
}

std::int32_t CTitleView::ItemEntryPosition(int index) const {
  LVITEM item;
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessage(hwnd(), LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return static_cast<std::int32_t>(item.lParam);
}

// Speaking.

bool CTitleView::IsReadingText(std::string_view sjis) {
  std::size_t bytePos = 0;
  while (bytePos < sjis.size()) {
    const std::size_t charBytes = SjisCharBytesAt(sjis, bytePos);
    const auto lead = static_cast<unsigned char>(sjis[bytePos]);
    if (charBytes == 1) {
      // Half-width katakana; a lead byte without its trail byte is not.
      if (lead <= 0xA5 || lead > 0xDF) return false;
    } else {
      const unsigned code = (static_cast<unsigned>(lead) << 8) | static_cast<unsigned char>(sjis[bytePos + 1]);
      const bool kana = code > 0x829D && code < 0x8391;
      if (!kana && code != 0x815B && code != 0x8196) return false;
    }
    bytePos += charBytes;
  }
  return true;
}

std::string CTitleView::ExtractSpokenPart(const std::string& itemText) const {
  if (DisplayForm() != 0) return itemText;
  const std::size_t open = FindSjisText(itemText, kOpenBracket, 0, itemText.size(), true, true);
  const std::string headword = open == kNoMatch ? itemText : itemText.substr(0, open);
  if (readingSearch_) return headword;
  const std::size_t close = FindSjisText(itemText, kCloseBracket, 0, itemText.size(), true, true);
  if (open != kNoMatch && close != kNoMatch && open > 0 && close > 0 && close >= open + kBracketBytes)
    return itemText.substr(open + kBracketBytes, close - open - kBracketBytes);
  return headword;
}

void CTitleView::AnnounceItem(int index, int withCount) {
  std::string prefix;
  if (withCount == 1) {
    FrameFlags& flags = frame_.Flags();
    if (flags.activation == 1) {
      flags.activation = 0;
      if (frame_.SuppressAnnouncement()) {
        frame_.SuppressAnnouncement() = 0;
        return;
      }
    }
    prefix = WithSeparator("見出し語");
  }
  if (index == -1) index = GetSelectedIndex();
  if (index < 0) return;
  const std::string spoken = ExtractSpokenPart(ItemText(index));

  std::string countText;
  if (withCount == 1) {
    char count[32];
    std::snprintf(count, sizeof count, "%d件", ItemCount());
    countText = count;
    if (overflow_) countText += "オーバー";
    countText += access::kPhraseSeparator;
  }
  const HeadwordReadingOptions& options = frame_.HeadwordReading();
  if (options.titleIme() == 1 && readingSearch_) {
    prefix += countText;
    if (prefix.empty()) return;
    if (options.titleMean() == 1) frame_.Speech().SetMeaningFollows(1);
    frame_.Speech().PostSpeechWithGuide(prefix, spoken, kHeadwordGuideMode);
  } else {
    prefix += countText + spoken;
    if (prefix.empty()) return;
    if (options.titleMean() == 1) frame_.Speech().SetMeaningFollows(1);
    frame_.Speech().PostSpeech(prefix, 1, 0);
  }
}

void CTitleView::AnnounceMove() {
  if (frame_.SuppressAnnouncement()) return;
  const int index = GetSelectedIndex();
  if (index < 0) return;
  Sleep(50);
  access::VOXAVReset();
  std::string edge;
  if (moveDirection_ == kMovedDown && index == ItemCount() - 1) edge = "下端";
  if (moveDirection_ == kMovedUp && index == 0) edge = "上端";
  const std::string spoken = ExtractSpokenPart(ItemText(index));
  if (spoken.empty()) return;
  edge += access::kPhraseSeparator;
  const HeadwordReadingOptions& options = frame_.HeadwordReading();
  if (options.titleMean() == 1) frame_.Speech().SetMeaningFollows(1);
  if (options.titleIme() == 1 && readingSearch_)
    frame_.Speech().PostSpeechWithGuide(edge, spoken, kHeadwordGuideMode);
  else
    frame_.Speech().PostSpeech(edge + spoken, 1, 0);
}

// Display.

void CTitleView::ApplyColorsAndFont() {
  const DisplayState& display = frame_.Display();
  const ColorPair colors = display.ControlColors();
  const COLORREF background = colors.background;
  const COLORREF text = colors.text;
  SendMessage(hwnd(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
  SendMessage(hwnd(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(background));
  SendMessage(hwnd(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));

  LOGFONT description = listFont_;
  display.CopyFontName(description.lfFaceName, LF_FACESIZE);
  const HFONT font = CreateFontIndirect(&description);
  SendMessage(hwnd(), WM_SETFONT, static_cast<WPARAM>(font.value), TRUE);
  if (font_) DeleteObject(font_);
  font_ = font;
  EnsureColumns();
}

void CTitleView::ApplyZoom(int) {}

void CTitleView::SetListCaption(int index) {
  CCaptionBar* caption = frame_.CaptionBar();
  if (caption == nullptr) return;
  char text[64];
  std::snprintf(text, sizeof text, "見出し語一覧 %d/%d件", index + 1, ItemCount());
  caption->SetCaption(CCaptionBar::kListPaneId, text);
}

void CTitleView::SetColumnWidthIfDifferent(int column, int width) {
  if (SendMessage(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0) != width)
    SendMessage(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(static_cast<WORD>(width), 0));
}

// Moving to the meaning view.

void CTitleView::ShowEntryOfItem(int index) {
  CMeanView* meaning = frame_.MeanView();
  if (meaning == nullptr || index < 0) return;
  std::int32_t position = ItemEntryPosition(index);
  meaning->ShowEntry(0, position, 1, 0, 0, 0, 0);
}

void CTitleView::OpenItem() {
  CMeanView* meaning = frame_.MeanView();
  const int index = GetSelectedIndex();
  if (meaning == nullptr || index < 0) return;
  std::int32_t position = ItemEntryPosition(index);
  meaning->SetCurrentPosition(position);
  // The meaning follows the cursor only when no key is waiting, so an Enter typed together with
  // a move finds the pane still showing the item before: that entry is read first.
  const int readIt = meaning->DisplayedPosition() == position ? 0 : 1;
  meaning->ShowEntry(0, position, readIt, 1, 1, 0, 0);
  frame_.Flags().externalRequest = 0;
  frame_.SetActivePane(1);
}

void CTitleView::ReturnToMeaning() {
  CMeanView* meaning = frame_.MeanView();
  if (meaning != nullptr && meaning->CurrentPosition() >= 0 && frame_.Flags().externalRequest == 0) {
    std::int32_t position = meaning->CurrentPosition();
    const CHARRANGE saved = meaning->SavedSelection();
    meaning->ShowEntry(0, position, 1, 0, 0, saved.cpMin, saved.cpMax);
    access::SpeakNow("パス");
    frame_.SetActivePane(1);
    SetFocus(meaning->hwnd());
    return;
  }
  frame_.Exit();
}

// Keys.

bool CTitleView::PreTranslateMessage(Msg& msg) {
  if (msg.message != WM_KEYDOWN || msg.hwnd != hwnd()) return ListView::PreTranslateMessage(msg);
  UINT vk = static_cast<UINT>(msg.wParam);
  if (GetKeyState(VK_SPACE) < 0 || vk == VK_SPACE) vk = GetKeyState(VK_SHIFT) < 0 ? VK_UP : VK_DOWN;
  const int current = GetSelectedIndex();
  switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
      if (GetKeyState(VK_CONTROL) < 0) {
        moveDirection_ = kNoMove;
        break;
      }
      // The list pages itself; the main window's paging commands are off while the list has the
      // focus, so the key ends here.
      moveDirection_ = vk == VK_PRIOR ? kMovedUp : kMovedDown;
      SendMessage(hwnd(), WM_KEYDOWN, vk, msg.lParam);
      return true;
    case VK_END:
      moveDirection_ = kMovedDown;
      break;
    case VK_HOME:
      moveDirection_ = kMovedUp;
      break;
    case VK_UP:
      moveDirection_ = kMovedUp;
      if (current == 0) vk = VK_END;
      break;
    case VK_DOWN:
      moveDirection_ = kMovedDown;
      if (current >= 0 && current == ItemCount() - 1) vk = VK_HOME;
      break;
    default:
      moveDirection_ = kNoMove;
      break;
  }
  msg.wParam = vk;
  return ListView::PreTranslateMessage(msg);
}

LRESULT CTitleView::OnKeyDown(WPARAM wParam, LPARAM) {
  const HWND self = hwnd();
  if (wParam == VK_ESCAPE) ReturnToMeaning();
  return IsWindow(self) ? Default() : 0;
}

LRESULT CTitleView::OnKeyUp(WPARAM wParam, LPARAM) {
  const LRESULT result = Default();
  UINT vk = static_cast<UINT>(wParam);
  if (vk == VK_PROCESSKEY && fullWidthSpaceTyped_) vk = VK_SPACE;
  fullWidthSpaceTyped_ = false;
  if (IsMoveKeyUp(vk)) AnnounceMove();
  return result;
}

LRESULT CTitleView::OnImeChar(WPARAM wParam, LPARAM lParam) {
  if (wParam == kFullWidthSpace && (lParam & KF_EXTENDED_BIT) == 0) {
    fullWidthSpaceTyped_ = true;
    PostMessage(hwnd(), WM_KEYDOWN, VK_SPACE, lParam);
    return 0;
  }
  return Default();
}

LRESULT CTitleView::OnButtonDown(WPARAM, LPARAM) {
  moveDirection_ = kNoMove;
  return Default();
}

// Focus and notifications.

LRESULT CTitleView::OnCreate(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (result == -1) return result;
  styleWord_ = static_cast<DWORD>(GetWindowLong(hwnd(), GWL_STYLE)) | kListStyle;
  if (DisplayForm() == 1) styleWord_ &= ~LVS_NOCOLUMNHEADER;
  SetWindowLong(hwnd(), GWL_STYLE, static_cast<LPARAM>(styleWord_));

  const HFONT initial{static_cast<std::uint32_t>(SendMessage(hwnd(), WM_GETFONT, 0, 0))};
  if (!GetObject(initial, sizeof listFont_, &listFont_)) listFont_ = LOGFONT{};
  listFont_.lfHeight = MulDiv(12, GetDeviceCaps(LOGPIXELSY), 72);
  listFont_.lfWidth = 0;
  listFont_.lfWeight = 0;
  return result;
}

LRESULT CTitleView::OnDestroy(WPARAM, LPARAM) {
  const LRESULT result = Default();
  if (font_) {
    DeleteObject(font_);
    font_ = HFONT{};
  }
  return result;
}

LRESULT CTitleView::OnSetFocus(WPARAM, LPARAM) {
  const HWND main = frame_.MainWindow();
  if (!main || !frame_.Flags().viewsReady || !IsWindow(main)) return Default();
  const HWND self = hwnd();
  const LRESULT result = Default();
  if (ItemCount() > 0) {
    const int index = GetSelectedIndex();
    SetListCaption(index);
    if (CCaptionBar* caption = frame_.CaptionBar()) caption->RefreshCaptions();
    ShowEntryOfItem(index);
    if (announceReady_) AnnounceItem(-1, 1);
  } else {
    SendMessage(main, WM_COMMAND, ID_SEARCH_BY_READING, 0);
  }
  if (!IsWindow(self)) return result;
  if (static_cast<DWORD>(GetWindowLong(self, GWL_STYLE)) != styleWord_)
    SetWindowLong(self, GWL_STYLE, static_cast<LPARAM>(styleWord_));
  const SettingsRecord& settings = frame_.Settings();
  if (DisplayForm() == 1) {
    SetColumnWidthIfDifferent(0, static_cast<int>(settings.titleWidth1));
    SetColumnWidthIfDifferent(1, static_cast<int>(settings.titleWidth2));
  } else {
    SetColumnWidthIfDifferent(0, std::max(frame_.SplitColumnWidth() - 16, 0));
  }
  return result;
}

LRESULT CTitleView::OnItemChanged(NMHDR* header) {
  const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
  // Only the item that gains the focus: an item that keeps it while losing its selection is on
  // its way out.
  const bool gainsFocus = (change->uNewState & LVIS_FOCUSED) && !(change->uOldState & LVIS_FOCUSED);
  if (!gainsFocus || announceReady_ != 1) return 0;
  const int index = change->iItem;
  const int count = ItemCount();
  SetListCaption(index);
  if ((moveDirection_ == kMovedDown && index == 0) || (moveDirection_ == kMovedUp && index == count - 1))
    access::BeepTimes(2);
  Msg waiting;
  if (!PeekMessage(&waiting, hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE)) ShowEntryOfItem(index);
  return 0;
}

LRESULT CTitleView::OnOpenItem(NMHDR*) {
  OpenItem();
  return 0;
}

LRESULT CTitleView::OnRightClick(NMHDR*) {
  ReturnToMeaning();
  return 0;
}

}  // namespace lexiv
