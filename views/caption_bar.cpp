#include "views/caption_bar.h"

#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "views/mean_view.h"
#include "views/title_view.h"

namespace lexiv {

using namespace lexiv::platform;

namespace {

constexpr int kPaneCount = 2;
// The texts the panes start with (strings 59144 and 59145).
constexpr const char* kInitialCaptions[kPaneCount] = {"見出し語", "意味"};

}  // namespace

void CCaptionBar::SetCaptions(int firstPaneWidth) {
  // A pane keeps what it says across a new layout; an empty one gets its initial text.
  std::string texts[kPaneCount];
  for (int pane = 0; pane < kPaneCount; ++pane) {
    texts[pane] = PaneText(pane);
    if (texts[pane].empty()) texts[pane] = kInitialCaptions[pane];
  }
  const int edges[kPaneCount] = {firstPaneWidth > 0 ? firstPaneWidth : 0, -1};
  SendMessage(hwnd(), SB_SETPARTS, kPaneCount, reinterpret_cast<LPARAM>(edges));
  for (int pane = 0; pane < kPaneCount; ++pane)
    SetCaption(kListPaneId + static_cast<UINT>(pane), texts[pane]);
}

void CCaptionBar::SetCaption(UINT paneId, std::string_view text) {
  if (paneId != kListPaneId && paneId != kMeaningPaneId) return;
  const WPARAM pane = paneId - kListPaneId;
  const std::string terminated(text);
  SendMessage(hwnd(), SB_SETTEXT, pane, reinterpret_cast<LPARAM>(""));
  SendMessage(hwnd(), SB_SETTEXT, pane, reinterpret_cast<LPARAM>(terminated.c_str()));
}

void CCaptionBar::RefreshCaptions() {
  for (int pane = 0; pane < kPaneCount; ++pane)
    SetCaption(kListPaneId + static_cast<UINT>(pane), PaneText(pane));
}

bool CCaptionBar::PaneHighlighted(int pane) const {
  const HWND focus = GetFocus();
  if (!focus) return false;
  if (pane == 0) return frame_.TitleView() != nullptr && focus == frame_.TitleView()->hwnd();
  if (pane == 1) return frame_.MeanView() != nullptr && focus == frame_.MeanView()->hwnd();
  return false;
}

void CCaptionBar::DescribeContents(std::vector<std::string>& lines) const {
  const std::size_t first = lines.size();
  StatusBar::DescribeContents(lines);
  for (int pane = 0; pane < kPaneCount && first + static_cast<std::size_t>(pane) < lines.size(); ++pane)
    if (PaneHighlighted(pane)) lines[first + static_cast<std::size_t>(pane)] += " (active)";
}

}  // namespace lexiv
