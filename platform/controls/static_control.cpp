#include "platform/controls/static_control.h"

#include <cstdlib>

#include "platform/core/accessibility.h"
#include "platform/core/window_functions.h"

namespace lexiv::platform {

namespace {

struct StockIcon {
  UINT id;
  const char* name;
};

// The first name of each id is the one reported.
constexpr StockIcon kStockIcons[] = {
    {IDI_APPLICATION, "IDI_APPLICATION"}, {IDI_HAND, "IDI_HAND"},         {IDI_QUESTION, "IDI_QUESTION"},
    {IDI_EXCLAMATION, "IDI_EXCLAMATION"}, {IDI_ASTERISK, "IDI_ASTERISK"}, {IDI_ERROR, "IDI_ERROR"},
    {IDI_WARNING, "IDI_WARNING"},         {IDI_INFORMATION, "IDI_INFORMATION"},
};

}  // namespace

std::string StockIconName(UINT id) {
  for (const StockIcon& icon : kStockIcons)
    if (icon.id == id) return icon.name;
  return {};
}

UINT StockIconId(std::string_view name) {
  for (const StockIcon& icon : kStockIcons)
    if (name == icon.name) return icon.id;
  return 0;
}

const MessageMap& StaticControl::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<StaticControl>(Window::ClassMessageMap())
      .On(WM_CREATE, &StaticControl::OnCreate)
      .On(WM_SETTEXT, &StaticControl::OnSetText)
      .On(WM_GETTEXT, &StaticControl::OnGetText)
      .On(WM_GETTEXTLENGTH, &StaticControl::OnGetTextLength)
      .On(STM_SETICON, &StaticControl::OnSetIcon)
      .On(STM_GETICON, &StaticControl::OnGetIcon)
      .On(STM_SETIMAGE, &StaticControl::OnSetImage)
      .On(STM_GETIMAGE, &StaticControl::OnGetImage);
  return map;
}

bool StaticControl::IsImage() const {
  const LPARAM type = GetWindowLong(hwnd(), GWL_STYLE) & SS_TYPEMASK;
  return type == SS_ICON || type == SS_BITMAP;
}

int StaticControl::AccessRole() const { return ROLE_SYSTEM_STATICTEXT; }

void StaticControl::DescribeContents(std::vector<std::string>& lines) const {
  if (IsImage()) lines.push_back("image " + (imageName_.empty() ? std::string("(none)") : imageName_));
}

LRESULT StaticControl::OnCreate(WPARAM, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
  if (IsImage() && cs != nullptr && cs->lpszName != nullptr) OnSetText(0, reinterpret_cast<LPARAM>(cs->lpszName));
  return 0;
}

// An image static takes its text as the image's name: a stock icon's name, "#150" or "150" for a
// resource number, or any other resource name.
LRESULT StaticControl::OnSetText(WPARAM wParam, LPARAM lParam) {
  if (!IsImage()) return Default();
  const std::string name = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
  const bool bitmap = (GetWindowLong(hwnd(), GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
  if (const UINT stock = StockIconId(name)) {
    SetImage(stock, bitmap);
    return TRUE;
  }
  const std::string digits = !name.empty() && name[0] == '#' ? name.substr(1) : name;
  char* end = nullptr;
  const unsigned long number = std::strtoul(digits.c_str(), &end, 10);
  if (!digits.empty() && end != nullptr && *end == '\0' && number > 0 && number <= 0xFFFF) {
    SetImage(static_cast<UINT>(number), bitmap);
  } else {
    imageId_ = 0;
    imageName_ = name;
  }
  (void)wParam;
  return TRUE;
}

LRESULT StaticControl::OnGetText(WPARAM wParam, LPARAM lParam) {
  if (!IsImage()) return Default();
  if (lParam != 0 && wParam > 0) *reinterpret_cast<char*>(lParam) = '\0';
  return 0;
}

LRESULT StaticControl::OnGetTextLength(WPARAM, LPARAM) { return IsImage() ? 0 : Default(); }

LRESULT StaticControl::OnSetIcon(WPARAM wParam, LPARAM) {
  const UINT previous = imageId_;
  SetImage(static_cast<UINT>(wParam), false);
  return static_cast<LRESULT>(previous);
}

LRESULT StaticControl::OnGetIcon(WPARAM, LPARAM) { return static_cast<LRESULT>(imageId_); }

LRESULT StaticControl::OnSetImage(WPARAM wParam, LPARAM lParam) {
  const UINT previous = imageId_;
  SetImage(static_cast<UINT>(lParam), wParam == IMAGE_BITMAP);
  return static_cast<LRESULT>(previous);
}

LRESULT StaticControl::OnGetImage(WPARAM, LPARAM) { return static_cast<LRESULT>(imageId_); }

void StaticControl::SetImage(UINT id, bool bitmap) {
  imageId_ = id;
  const std::string stock = StockIconName(id);
  if (id == 0) imageName_.clear();
  else if (!stock.empty()) imageName_ = stock;
  else imageName_ = std::string(bitmap ? "bitmap " : "icon ") + std::to_string(id);
}

}  // namespace lexiv::platform
