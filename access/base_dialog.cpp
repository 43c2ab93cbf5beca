#include "access/base_dialog.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "access/control_kind.h"
#include "access/window_operation.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/controls/control_text.h"
#include "platform/controls/list_box_messages.h"
#include "platform/controls/owner_draw.h"
#include "platform/core/font.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"

namespace lexiv::access {

using namespace lexiv::platform;

namespace {

// The list messages of the control's class: list box or combo box.
struct ListMessages {
  UINT add, setData, getData, getText, getTextLength;
  LRESULT error;
};
constexpr ListMessages kListBoxMessages{LB_ADDSTRING, LB_SETITEMDATA, LB_GETITEMDATA, LB_GETTEXT, LB_GETTEXTLEN, LB_ERR};
constexpr ListMessages kComboBoxMessages{CB_ADDSTRING, CB_SETITEMDATA, CB_GETITEMDATA, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_ERR};

const ListMessages& MessagesFor(HWND control) {
  return KindOf(control) == ControlKind::kComboBox ? kComboBoxMessages : kListBoxMessages;
}

constexpr WORD kMenuClosed = 0xFFFF;

}  // namespace

const MessageMap& BaseDialog::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<BaseDialog>(Dialog::ClassMessageMap())
                                    .On(WM_CREATE, &BaseDialog::OnCreate)
                                    .On(WM_INITMENU, &BaseDialog::OnInitMenu)
                                    .On(WM_MENUSELECT, &BaseDialog::OnMenuSelect)
                                    .On(WM_ENTERSIZEMOVE, &BaseDialog::OnEnterSizeMove)
                                    .On(WM_EXITSIZEMOVE, &BaseDialog::OnExitSizeMove)
                                    .On(WM_MEASUREITEM, &BaseDialog::OnMeasureItem)
                                    .On(WM_DELETEITEM, &BaseDialog::OnDeleteItem);
  return map;
}

BaseDialog::BaseDialog(DialogTemplate description) : Dialog(std::move(description)) {}

BaseDialog::~BaseDialog() {
  // The controls give back their items' data while they are destroyed, which needs this object.
  if (hwnd()) DestroyWindow(hwnd());
}

int BaseDialog::OnEnterKey(UINT) { return 0; }

LRESULT BaseDialog::OnCreate(WPARAM, LPARAM) {
  enhancedKeys_ = EnhancedKeysEnabled(WindowOperationLookup::kDialogBase);
  menuOrSizing_ = 0;
  ownerDrawnLists_.clear();
  return Default();
}

LRESULT BaseDialog::OnInitMenu(WPARAM wParam, LPARAM) {
  menuOrSizing_ = wParam;
  return Default();
}

LRESULT BaseDialog::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == kMenuClosed && lParam == 0) menuOrSizing_ = 0;
  return Default();
}

LRESULT BaseDialog::OnEnterSizeMove(WPARAM, LPARAM) {
  if (menuOrSizing_ == 0) menuOrSizing_ = 1;
  return Default();
}

LRESULT BaseDialog::OnExitSizeMove(WPARAM, LPARAM) {
  if (menuOrSizing_ == 1) menuOrSizing_ = 0;
  return Default();
}

bool BaseDialog::InOwnerDrawnTable(UINT controlId) const {
  return std::find(ownerDrawnLists_.begin(), ownerDrawnLists_.end(), controlId) != ownerDrawnLists_.end();
}

const OwnerDrawnItem* BaseDialog::ItemAt(HWND control, int index) const {
  const LRESULT data = SendMessage(control, MessagesFor(control).getData, static_cast<WPARAM>(index), 0);
  const auto it = items_.find(static_cast<std::uintptr_t>(data));
  return it == items_.end() ? nullptr : it->second.get();
}

int BaseDialog::OwnerDrawnItemHeight(HWND control, const OwnerDrawnItem* item) const {
  const HFONT font{static_cast<std::uint32_t>(SendMessage(control, WM_GETFONT, 0, 0))};
  LOGFONT description;
  int height = GetObject(font, sizeof description, &description) != 0 ? std::abs(description.lfHeight) : FontPixelHeight(font);
  if (height == 0) height = FontPixelHeight(font);
  if (item != nullptr && item->image && item->image->heightPx > height) return item->image->heightPx;
  return height + 2;
}

LRESULT BaseDialog::OnMeasureItem(WPARAM, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (measure == nullptr || (measure->CtlType != ODT_LISTBOX && measure->CtlType != ODT_COMBOBOX) ||
      !InOwnerDrawnTable(measure->CtlID))
    return Default();
  const HWND control = GetDlgItem(hwnd(), static_cast<int>(measure->CtlID));
  const auto it = items_.find(static_cast<std::uintptr_t>(measure->itemData));
  const int height = OwnerDrawnItemHeight(control, it == items_.end() ? nullptr : it->second.get());
  measure->itemHeight = static_cast<UINT>(height);
  if (measure->CtlType == ODT_COMBOBOX && SendMessage(control, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) < height)
    SendMessage(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  return TRUE;
}

LRESULT BaseDialog::OnDeleteItem(WPARAM, LPARAM lParam) {
  const auto* gone = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
  if (gone == nullptr) return Default();
  // Only objects made here are freed: other data is the caller's.
  if (items_.erase(static_cast<std::uintptr_t>(gone->itemData)) != 0) return TRUE;
  return Default();
}

int BaseDialog::AddListItem(UINT controlId, std::string_view text, const ItemBitmap* bitmap) {
  const HWND control = GetDlgItem(hwnd(), static_cast<int>(controlId));
  if (!control) return -1;
  if (!InOwnerDrawnTable(controlId)) {
    if (static_cast<int>(ownerDrawnLists_.size()) >= kMaxOwnerDrawnLists) return -1;
    ownerDrawnLists_.push_back(controlId);
  }
  std::unique_ptr<OwnerDrawnItem> item(new (std::nothrow) OwnerDrawnItem);
  if (!item) return -2;
  item->text = std::string(text);
  if (bitmap != nullptr) item->image = *bitmap;

  const ListMessages& messages = MessagesFor(control);
  const LRESULT index = SendMessage(control, messages.add, 0, reinterpret_cast<LPARAM>(item->text.c_str()));
  if (index < 0) return static_cast<int>(index);
  const auto key = reinterpret_cast<std::uintptr_t>(item.get());
  items_[key] = std::move(item);
  if (SendMessage(control, messages.setData, static_cast<WPARAM>(index), static_cast<LPARAM>(key)) == messages.error) {
    items_.erase(key);
    return static_cast<int>(messages.error);
  }
  return static_cast<int>(index);
}

int BaseDialog::GetListItemText(UINT controlId, int index, std::string& text) const {
  text.clear();
  const HWND control = GetDlgItem(hwnd(), static_cast<int>(controlId));
  if (!control || index < 0) return -1;
  const ListMessages& messages = MessagesFor(control);
  const LRESULT length = SendMessage(control, messages.getTextLength, static_cast<WPARAM>(index), 0);
  if (length < 0) return -1;
  if (InOwnerDrawnTable(controlId)) {
    if (const OwnerDrawnItem* item = ItemAt(control, index)) text = item->text;
    return static_cast<int>(text.size());
  }
  std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = SendMessage(control, messages.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  if (copied < 0) return -1;
  text.assign(buffer.c_str(), std::min(buffer.size() - 1, static_cast<std::size_t>(copied)));
  return static_cast<int>(text.size());
}

int BaseDialog::GetListItemText(UINT controlId, int index, char* buffer, int size) const {
  std::string text;
  const int length = GetListItemText(controlId, index, text);
  if (buffer != nullptr && size > 0) buffer[0] = '\0';
  if (length < 0 || buffer == nullptr || static_cast<std::size_t>(length) + 1 > static_cast<std::size_t>(std::max(size, 0))) return -1;
  CopyToBuffer(text, buffer, size);
  return length;
}

}  // namespace lexiv::access
