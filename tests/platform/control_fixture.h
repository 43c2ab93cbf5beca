// A parent window that records its controls' notifications, for the control tests.
#pragma once

#include <string>
#include <vector>

#include "headless_fixture.h"
#include "platform/controls/list_view_messages.h"

namespace lexiv::testing {

// One notification as a test compares it: WM_COMMAND codes and WM_NOTIFY codes, with the
// list view's old and new states where there are some.
struct Notice {
  UINT id = 0;
  int code = 0;
  int item = -1;
  UINT oldState = 0;
  UINT newState = 0;
  friend bool operator==(const Notice&, const Notice&) = default;
};

inline void PrintTo(const Notice& n, std::ostream* os) {
  *os << "{id " << n.id << " code " << n.code << " item " << n.item << " " << n.oldState << "->" << n.newState << "}";
}

class NoticeParent : public Window {
 public:
  std::vector<Notice> notices;
  std::vector<UINT> ignored;  // codes not recorded

  bool CreateTop() {
    CreateParams p;
    p.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    p.rect = RECT{0, 0, 400, 300};
    return Create(p);
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && lParam != 0) Record({LOWORD(wParam), HIWORD(wParam)});
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      Notice n{static_cast<UINT>(header->idFrom), static_cast<int>(header->code)};
      if (header->code == LVN_ITEMCHANGED || header->code == LVN_ITEMCHANGING || header->code == NM_DBLCLK ||
          header->code == NM_RCLICK || header->code == NM_CLICK) {
        const auto* lv = reinterpret_cast<const NMLISTVIEW*>(lParam);
        n.item = lv->iItem;
        n.oldState = lv->uOldState;
        n.newState = lv->uNewState;
      }
      Record(n);
    }
    return Window::WindowProc(message, wParam, lParam);
  }

 private:
  void Record(const Notice& n) {
    for (UINT code : ignored)
      if (static_cast<int>(code) == n.code) return;
    notices.push_back(n);
  }
};

// Creates a child control of type T.
template <typename T>
HWND MakeChild(T& control, HWND parent, UINT id, DWORD style, RECT rect = RECT{0, 0, 200, 100}, const char* text = "") {
  CreateParams p;
  p.style = WS_CHILD | WS_VISIBLE | style;
  p.parent = parent;
  p.id = id;
  p.rect = rect;
  p.text = text;
  return control.Create(p) ? control.hwnd() : HWND{};
}

}  // namespace lexiv::testing
