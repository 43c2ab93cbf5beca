#include "platform/controls/status_bar.h"

#include <algorithm>
#include <cstring>

#include "platform/core/accessibility.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {

StatusBar::StatusBar() : parts_(1) {}

const MessageMap& StatusBar::ClassMessageMap() {
  static const MessageMap map = MessageMapOf<StatusBar>(Window::ClassMessageMap())
      .On(WM_SETTEXT, &StatusBar::OnSetText)
      .On(WM_GETTEXT, &StatusBar::OnGetText)
      .On(WM_GETTEXTLENGTH, &StatusBar::OnGetTextLength)
      .On(SB_SETTEXT, &StatusBar::OnSbSetText)
      .On(SB_GETTEXT, &StatusBar::OnSbGetText)
      .On(SB_GETTEXTLENGTH, &StatusBar::OnSbGetTextLength)
      .On(SB_SETPARTS, &StatusBar::OnSetParts)
      .On(SB_GETPARTS, &StatusBar::OnGetParts)
      .On(SB_SIMPLE, &StatusBar::OnSimple)
      .On(SB_ISSIMPLE, &StatusBar::OnIsSimple)
      .On(SB_GETRECT, &StatusBar::OnGetRect);
  return map;
}

int StatusBar::AccessRole() const { return ROLE_SYSTEM_STATUSBAR; }

std::string StatusBar::AccessValue() const { return simpleMode_ ? simple_.text : parts_[0].text; }

void StatusBar::DescribeContents(std::vector<std::string>& lines) const {
  if (simpleMode_) {
    lines.push_back("simple: " + simple_.text);
    return;
  }
  for (int i = 0; i < PartCount(); ++i) {
    const RECT r = PaneRect(i);
    lines.push_back("pane " + std::to_string(i) + " [" + std::to_string(r.left) + "-" + std::to_string(r.right) +
                    "]: " + parts_[static_cast<std::size_t>(i)].text);
  }
}

std::string StatusBar::PaneText(int pane) const {
  const Part* part = PartAt(static_cast<WPARAM>(pane));
  return part != nullptr ? part->text : std::string();
}

StatusBar::Part* StatusBar::PartAt(WPARAM pane) {
  if (pane == SB_SIMPLEID) return &simple_;
  return pane < parts_.size() ? &parts_[pane] : nullptr;
}

const StatusBar::Part* StatusBar::PartAt(WPARAM pane) const { return const_cast<StatusBar*>(this)->PartAt(pane); }

RECT StatusBar::PaneRect(int pane) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  const auto index = static_cast<std::size_t>(pane);
  const int left = index == 0 ? 0 : std::max(0, parts_[index - 1].rightEdge);
  const int right = parts_[index].rightEdge < 0 ? client.right : parts_[index].rightEdge;
  return RECT{left, 0, std::max(left, right), client.bottom};
}

LRESULT StatusBar::OnSetText(WPARAM, LPARAM lParam) { return OnSbSetText(0, lParam); }

LRESULT StatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  char* buffer = reinterpret_cast<char*>(lParam);
  if (buffer == nullptr || wParam == 0) return 0;
  const std::string& text = parts_[0].text;
  const std::size_t n = SjisPrefixBytes(text, static_cast<std::size_t>(wParam) - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT StatusBar::OnGetTextLength(WPARAM, LPARAM) { return static_cast<LRESULT>(parts_[0].text.size()); }

LRESULT StatusBar::OnSbSetText(WPARAM wParam, LPARAM lParam) {
  Part* part = PartAt(wParam & 0xFF);
  if (part == nullptr) return FALSE;
  const std::string text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
  part->kind = wParam & 0xFF00;
  if (part->text == text) return TRUE;
  part->text = text;
  const bool shown = simpleMode_ ? part == &simple_ : part != &simple_;
  if (shown && hwnd()) RaiseAccessEvent(DescribeForAccess(AccessEventKind::kValueChanged, hwnd()));
  return TRUE;
}

// Copies the whole text with a NUL: the caller sizes the buffer from SB_GETTEXTLENGTH.
LRESULT StatusBar::OnSbGetText(WPARAM wParam, LPARAM lParam) {
  const Part* part = PartAt(wParam & 0xFF);
  if (part == nullptr) return 0;
  if (lParam != 0) std::memcpy(reinterpret_cast<char*>(lParam), part->text.c_str(), part->text.size() + 1);
  return MAKELONG(static_cast<WORD>(part->text.size()), static_cast<WORD>(part->kind));
}

LRESULT StatusBar::OnSbGetTextLength(WPARAM wParam, LPARAM) {
  const Part* part = PartAt(wParam & 0xFF);
  if (part == nullptr) return 0;
  return MAKELONG(static_cast<WORD>(part->text.size()), static_cast<WORD>(part->kind));
}

// Texts of the panes that remain are kept.
LRESULT StatusBar::OnSetParts(WPARAM wParam, LPARAM lParam) {
  const auto count = static_cast<std::size_t>(wParam);
  const int* edges = reinterpret_cast<const int*>(lParam);
  if (count == 0 || count > kMaxParts || edges == nullptr) return FALSE;
  parts_.resize(count);
  for (std::size_t i = 0; i < count; ++i) parts_[i].rightEdge = edges[i];
  return TRUE;
}

LRESULT StatusBar::OnGetParts(WPARAM wParam, LPARAM lParam) {
  int* edges = reinterpret_cast<int*>(lParam);
  if (edges != nullptr)
    for (std::size_t i = 0; i < std::min(static_cast<std::size_t>(wParam), parts_.size()); ++i) edges[i] = parts_[i].rightEdge;
  return static_cast<LRESULT>(parts_.size());
}

LRESULT StatusBar::OnSimple(WPARAM wParam, LPARAM) {
  simpleMode_ = wParam != 0;
  return 0;
}

LRESULT StatusBar::OnIsSimple(WPARAM, LPARAM) { return simpleMode_ ? TRUE : FALSE; }

LRESULT StatusBar::OnGetRect(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 || wParam >= parts_.size()) return FALSE;
  *reinterpret_cast<RECT*>(lParam) = PaneRect(static_cast<int>(wParam));
  return TRUE;
}

}  // namespace lexiv::platform
