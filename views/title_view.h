// The headword list pane: a report-style list view that lists the headwords found. Every move
// through the list is spoken and makes the meaning view follow; Enter or a double click opens the
// entry in the meaning view, Escape or a right click goes back there. The main window makes it in
// the splitter's first column and hands it every search.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/dictionary_engine.h"
#include "platform/controls/list_view.h"
#include "platform/core/font.h"
#include "views/main_frame_state.h"

namespace lexiv {

class CTitleView : public platform::ListView {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  static constexpr int kMaxHits = 300;
  enum MoveDirection : int { kNoMove = 0, kMovedDown = 1, kMovedUp = 2 };

  explicit CTitleView(MainFrameState& frame) : frame_(frame) {}
  ~CTitleView() override;

  // Searches text (mode 0 key search, 1 text lookup) and lists the hits; 0 when hits are shown,
  // 1 otherwise (the reason has been said and the previous list is left as it was).
  int ShowSearchResults(const std::string& text, int mode, int pattern);
  // Makes index the selected and focused item (the current one when index is outside the list);
  // the index used, -1 for an empty list.
  int SelectItem(int index);
  // -1 when no item is current.
  int GetSelectedIndex() const;
  int ItemCount() const;
  // The column 0 text of an item, empty outside the list.
  std::string ItemText(int index) const;
  // The part of an item's column 0 text that is spoken for it.
  std::string ExtractSpokenPart(const std::string& itemText) const;
  // Speaks an item (-1: the selected one), with "見出し語" and the count when withCount is 1.
  void AnnounceItem(int index, int withCount);
  void ApplyColorsAndFont();
  // The list keeps its 12-point font at every zoom level.
  void ApplyZoom(int level);
  // Back to the entry in the meaning view with its saved selection, or the main window's Escape
  // command when there is none (or it was asked for by another application).
  void ReturnToMeaning();

  // While 0, selection changes are not announced (a lookup from another program sets it around
  // bringing the window forward).
  void SetAnnounceReady(platform::DWORD ready) { announceReady_ = ready; }

  // 1 when the last search text was kana only (the user typed a reading).
  platform::DWORD readingSearch() const { return readingSearch_; }
  platform::DWORD overflow() const { return overflow_; }
  // Whether every character of a Shift-JIS text is kana, the long-vowel mark or the full-width
  // asterisk (an empty text is).
  static bool IsReadingText(std::string_view sjis);

  bool PreTranslateMessage(platform::Msg& msg) override;

 protected:
  MainFrameState& frame() { return frame_; }

 private:
  // The display form of the settings (0 item text with its reading, 1 two columns, 2 headword).
  int DisplayForm() const;
  // Column 0 headed "見出し語", and in form 1 column 1 headed "読み"; the main window may have
  // made the first column already.
  void EnsureColumns();
  void AddItem(int index, const SearchHit& hit, int form);
  std::int32_t ItemEntryPosition(int index) const;
  void SetListCaption(int index);
  // The meaning view follows the list cursor.
  void ShowEntryOfItem(int index);
  // The entry of the item in the meaning view and the focus there (Enter, double click).
  void OpenItem();
  void AnnounceMove();
  void SetColumnWidthIfDifferent(int column, int width);

  platform::LRESULT OnCreate(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnDestroy(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnKeyDown(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnKeyUp(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnImeChar(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnSetFocus(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnButtonDown(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnItemChanged(platform::NMHDR* header);
  platform::LRESULT OnOpenItem(platform::NMHDR* header);
  platform::LRESULT OnRightClick(platform::NMHDR* header);

  MainFrameState& frame_;
  std::array<SearchHit, kMaxHits> hits_{};
  platform::DWORD announceReady_ = 1;
  platform::DWORD readingSearch_ = 0;
  platform::DWORD overflow_ = 0;
  int moveDirection_ = kNoMove;
  // The style the list is given back whenever it gains the focus.
  platform::DWORD styleWord_ = 0;
  // The list's font: the control's own at 12 points, with the display face put in when applied.
  platform::LOGFONT listFont_{};
  platform::HFONT font_;
  // A full-width space typed in the list has become Space; the key that typed it coming up
  // stands for Space coming up.
  bool fullWidthSpaceTyped_ = false;
};

}  // namespace lexiv
