// The static control (class "Static"): a text, or with SS_ICON an icon. An icon static's window
// text names its icon when it is created or set with WM_SETTEXT: a stock icon ("IDI_QUESTION",
// "IDI_EXCLAMATION", ...) or a resource name; it reports an empty text, so nobody reads the icon's
// name aloud. STM_SETICON and STM_SETIMAGE take an image number (a stock icon id or a resource
// id; this platform has no image objects) and return the previous one.
#pragma once

#include <string>

#include "platform/core/window.h"

namespace lexiv::platform {

inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr DWORD SS_ICON = 0x0003;
inline constexpr DWORD SS_BITMAP = 0x000E;
inline constexpr DWORD SS_TYPEMASK = 0x001F;
inline constexpr DWORD SS_NOPREFIX = 0x0080;
inline constexpr DWORD SS_SUNKEN = 0x1000;

inline constexpr UINT STM_SETICON = 0x0170;
inline constexpr UINT STM_GETICON = 0x0171;
inline constexpr UINT STM_SETIMAGE = 0x0172;
inline constexpr UINT STM_GETIMAGE = 0x0173;
inline constexpr WPARAM IMAGE_BITMAP = 0;
inline constexpr WPARAM IMAGE_ICON = 1;

// Stock icon ids.
inline constexpr UINT IDI_APPLICATION = 32512;
inline constexpr UINT IDI_HAND = 32513;
inline constexpr UINT IDI_QUESTION = 32514;
inline constexpr UINT IDI_EXCLAMATION = 32515;
inline constexpr UINT IDI_ASTERISK = 32516;
inline constexpr UINT IDI_ERROR = IDI_HAND;
inline constexpr UINT IDI_WARNING = IDI_EXCLAMATION;
inline constexpr UINT IDI_INFORMATION = IDI_ASTERISK;

// "IDI_QUESTION" for IDI_QUESTION and so on; empty for a number that is no stock icon.
std::string StockIconName(UINT id);
// The stock id of a name ("IDI_QUESTION", also "IDI_WARNING" ...); 0 when it names none.
UINT StockIconId(std::string_view name);

class StaticControl : public Window {
  LEXIV_DECLARE_MESSAGE_MAP();

 public:
  std::string_view ClassName() const override { return "Static"; }
  int AccessRole() const override;
  void DescribeContents(std::vector<std::string>& lines) const override;

  bool IsImage() const;
  // The icon's or image's name ("IDI_QUESTION", "bitmap 150"); empty for a text static.
  const std::string& ImageName() const { return imageName_; }

 protected:
  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnSetText(WPARAM, LPARAM);
  LRESULT OnGetText(WPARAM, LPARAM);
  LRESULT OnGetTextLength(WPARAM, LPARAM);
  LRESULT OnSetIcon(WPARAM, LPARAM);
  LRESULT OnGetIcon(WPARAM, LPARAM);
  LRESULT OnSetImage(WPARAM, LPARAM);
  LRESULT OnGetImage(WPARAM, LPARAM);

 private:
  void SetImage(UINT id, bool bitmap);

  std::string imageName_;
  UINT imageId_ = 0;
};

}  // namespace lexiv::platform
