// The base of the program's own dialogs that are not plain option dialogs (the message box, the
// manual list). It gives their controls the enhanced dialog keys in the dialog's own
// pre-translation (Up and Down between controls, Enter moving on, Space stepping through lists
// and radio groups; see base_dialog_keys.cpp), lets a derived dialog take Enter for a control
// (OnEnterKey), and keeps owner-drawn list boxes and combo boxes whose items carry a text and an
// optional bitmap.
//
// WindowOperation is read each time the dialog window is created: only 1 switches the enhanced
// keys on. Enter is offered to OnEnterKey whatever the setting. While a menu of the dialog is open
// or the dialog is being moved or sized, no key rule applies.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/controls/dialog.h"

namespace lexiv::access {

// A bitmap shown before an owner-drawn item's text: the bitmap resource and its size in pixels.
struct ItemBitmap {
  platform::UINT resourceId = 0;
  int widthPx = 0;
  int heightPx = 0;
};

// The owner data of an owner-drawn item.
struct OwnerDrawnItem {
  std::string text;
  std::optional<ItemBitmap> image;
};

class BaseDialog : public platform::Dialog {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  // The owner-drawn list controls a dialog may keep.
  static constexpr int kMaxOwnerDrawnLists = 10;

  explicit BaseDialog(platform::DialogTemplate description);
  ~BaseDialog() override;

  // Enter went down in a control (for the edit part of a combo box: the combo box's id). Non-zero
  // takes the key; the base takes nothing.
  virtual int OnEnterKey(platform::UINT controlId);

  // Adds an item to an owner-drawn list box or combo box; returns its index. -1 when the control
  // does not exist or 10 other controls already hold items, -2 when the item could not be made,
  // and the control's error (LB_ERR, LB_ERRSPACE) when it refused the item. bitmap may be null.
  int AddListItem(platform::UINT controlId, std::string_view text, const ItemBitmap* bitmap);
  // The text of an item and its length in bytes: from the item's owner data for a control that
  // holds items added here (empty when it has none), else the control's own text; -1 for an
  // index or control that does not exist.
  int GetListItemText(platform::UINT controlId, int index, std::string& text) const;
  // As above into buffer; -1 when the text and its terminator do not fit in size bytes.
  int GetListItemText(platform::UINT controlId, int index, char* buffer, int size) const;

  bool EnhancedKeys() const { return enhancedKeys_; }
  bool MenuOrSizing() const { return menuOrSizing_ != 0; }
  // The pixel height an owner-drawn item of the control asks for.
  int OwnerDrawnItemHeight(platform::HWND control, const OwnerDrawnItem* item) const;

 protected:
  bool PreTranslateMessage(platform::Msg& msg) override;

 private:
  bool InOwnerDrawnTable(platform::UINT controlId) const;
  // The item object behind an item's data, when it is one of ours.
  const OwnerDrawnItem* ItemAt(platform::HWND control, int index) const;
  // The key rules; true when the message was taken.
  bool ApplyKeyRules(platform::Msg& msg);
  bool ApplyImeSpace(const platform::Msg& msg);

  platform::LRESULT OnCreate(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnInitMenu(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnMenuSelect(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnEnterSizeMove(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnExitSizeMove(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnMeasureItem(platform::WPARAM wParam, platform::LPARAM lParam);
  platform::LRESULT OnDeleteItem(platform::WPARAM wParam, platform::LPARAM lParam);

  bool enhancedKeys_ = false;
  platform::WPARAM menuOrSizing_ = 0;  // the open menu's handle, or 1 while moving or sizing
  std::vector<platform::UINT> ownerDrawnLists_;
  // The item objects by the address their items carry as data.
  std::unordered_map<std::uintptr_t, std::unique_ptr<OwnerDrawnItem>> items_;
};

}  // namespace lexiv::access
