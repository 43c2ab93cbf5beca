#include "platform/terminal/terminal_input_delivery.h"

#include "platform/core/driver.h"
#include "platform/core/drop_target.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/key_names.h"
#include "platform/core/window_functions.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {

namespace {

constexpr UINT kSimpleBeep = 0xFFFFFFFF;

std::string Utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// One character in Shift-JIS; false when it has none.
bool CharacterToSjis(char32_t c, std::string& sjis) {
  if (c == 0xFFFD) return false;
  std::string out;
  if (!Utf8ToSjis(Utf8Of(c), out) || out.empty() || out.size() > 2) return false;
  sjis = out;
  return true;
}

bool Contains(HWND hwnd, POINT screenPoint) {
  RECT r;
  return GetWindowRect(hwnd, &r) && screenPoint.x >= r.left && screenPoint.x < r.right && screenPoint.y >= r.top &&
         screenPoint.y < r.bottom;
}

}  // namespace

POINT CellToScreenPoint(int column, int row, int originColumn, int originRow) {
  return POINT{(column - originColumn) * kCellWidthPx + kCellWidthPx / 2,
               (row - originRow) * kCellHeightPx + kCellHeightPx / 2};
}

HWND WindowAtScreenPoint(POINT screenPoint) {
  for (HWND top = GetTopWindow(HWND{}); top; top = GetWindow(top, GW_HWNDNEXT)) {
    if (!IsWindowVisible(top) || !Contains(top, screenPoint)) continue;
    HWND found = top;
    for (bool deeper = true; deeper;) {
      deeper = false;
      for (HWND c = GetWindow(found, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsWindowVisible(c) && Contains(c, screenPoint)) {
          found = c;
          deeper = true;
          break;
        }
      }
    }
    return found;
  }
  return HWND{};
}

HWND MainWindowForDrop() {
  HWND h = GetActiveWindow();
  while (h && GetParent(h)) h = GetParent(h);
  if (h) return h;
  for (HWND top = GetTopWindow(HWND{}); top; top = GetWindow(top, GW_HWNDNEXT))
    if (IsWindowVisible(top) && !GetParent(top)) return top;
  return HWND{};
}

int PasteToSjis(std::string_view utf8, std::string& sjis) {
  int dropped = 0;
  sjis.clear();
  // CR LF, CR and LF all become CR LF; the runs between them convert whole when they can.
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' || utf8[i] == '\n') {
      if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      sjis += "\r\n";
      continue;
    }
    std::size_t end = i;
    while (end < utf8.size() && utf8[end] != '\r' && utf8[end] != '\n') ++end;
    std::string converted;
    if (Utf8ToSjis(utf8.substr(i, end - i), converted)) {
      sjis += converted;
    } else {
      // Character by character, leaving out what does not convert.
      std::string_view run = utf8.substr(i, end - i);
      std::size_t pos = 0;
      while (pos < run.size()) {
        const unsigned char lead = static_cast<unsigned char>(run[pos]);
        std::size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (pos + len > run.size()) len = run.size() - pos;
        std::string one;
        if (Utf8ToSjis(run.substr(pos, len), one))
          sjis += one;
        else
          ++dropped;
        pos += len;
      }
    }
    i = end - 1;
  }
  return dropped;
}

void TerminalInputDelivery::HoldModifiers(unsigned modifiers) {
  constexpr struct {
    unsigned bit;
    UINT vk;
  } kModifierKeys[] = {{kTermCtrl, VK_CONTROL}, {kTermShift, VK_SHIFT}, {kTermAlt, VK_MENU}};
  for (const auto& m : kModifierKeys) {
    const bool want = (modifiers & m.bit) != 0;
    const bool held = (heldModifiers_ & m.bit) != 0;
    if (want && !held) InjectKey(m.vk, true);
  }
  for (auto it = std::rbegin(kModifierKeys); it != std::rend(kModifierKeys); ++it) {
    const bool want = (modifiers & it->bit) != 0;
    const bool held = (heldModifiers_ & it->bit) != 0;
    if (!want && held) InjectKey(it->vk, false);
  }
  heldModifiers_ = modifiers;
}

void TerminalInputDelivery::Deliver(const TerminalEvent& event, std::uint64_t nowMs) {
  // A key, a click or a paste from our terminal means the user is with us: in tmux they may have
  // come back to our pane by hand after we gave the foreground away, which nothing reports when
  // focus events are off.
  const bool fromUser = event.kind == TerminalEvent::Kind::kKey || event.kind == TerminalEvent::Kind::kPaste ||
                        event.kind == TerminalEvent::Kind::kMouse;
  if (fromUser && !IsApplicationActive()) ActivateApplication();
  switch (event.kind) {
    case TerminalEvent::Kind::kKey:
      DeliverKey(event);
      break;
    case TerminalEvent::Kind::kPaste: {
      std::string sjis;
      if (PasteToSjis(event.text, sjis) > 0) MessageBeep(kSimpleBeep);
      const HWND main = MainWindowForDrop();
      if (main && !sjis.empty()) {
        DataObject data;
        data.Set(CF_TEXT, std::move(sjis));
        DropData(main, data, DROPEFFECT_COPY);
      }
      break;
    }
    case TerminalEvent::Kind::kFocusIn:
      ActivateApplication();
      break;
    case TerminalEvent::Kind::kFocusOut:
      HoldModifiers(0);
      DeactivateApplication(HWND{});
      break;
    case TerminalEvent::Kind::kMouse:
      DeliverMouse(event, nowMs);
      break;
    default:
      break;
  }
}

void TerminalInputDelivery::DeliverKey(const TerminalEvent& event) {
  UINT vk = event.vk;
  UINT character = 0;
  if (event.codepoint != 0) {
    if (event.codepoint < 0x80) {
      character = event.codepoint;
    } else {
      std::string sjis;
      if (!CharacterToSjis(event.codepoint, sjis)) {
        MessageBeep(kSimpleBeep);
        return;
      }
      vk = VK_PROCESSKEY;
      character = sjis.size() == 2 ? (static_cast<UINT>(static_cast<unsigned char>(sjis[0])) << 8) |
                                         static_cast<unsigned char>(sjis[1])
                                   : static_cast<unsigned char>(sjis[0]);
    }
  } else if (event.action != TerminalKeyAction::kRelease) {
    KeyChord chord;
    chord.vk = vk;
    chord.ctrl = (event.modifiers & kTermCtrl) != 0;
    chord.shift = (event.modifiers & kTermShift) != 0;
    chord.alt = (event.modifiers & kTermAlt) != 0;
    character = CharacterOfKey(chord);
  }
  if (event.action == TerminalKeyAction::kRelease) {
    InjectKey(vk, false, 0, IsExtendedKey(vk));
    HoldModifiers(0);
    return;
  }
  HoldModifiers(event.modifiers);
  InjectKey(vk, true, character, IsExtendedKey(vk));
  if (!event.realRelease) {
    InjectKey(vk, false, 0, IsExtendedKey(vk));
    HoldModifiers(0);
  }
}

void TerminalInputDelivery::DeliverMouse(const TerminalEvent& event, std::uint64_t nowMs) {
  if (event.button != 0 && event.button != 2) return;  // wheel and middle button: nothing uses them
  const bool left = event.button == 0;
  const int column = event.column - 1;
  const int row = event.row - 1;
  const POINT screen = CellToScreenPoint(column, row, originColumn_, originRow_);
  const HWND target = WindowAtScreenPoint(screen);
  if (!target) return;
  POINT client = screen;
  ScreenToClient(target, &client);
  if (event.action == TerminalKeyAction::kRelease) {
    InjectMouseButton(target, client, left ? WM_LBUTTONUP : WM_RBUTTONUP);
    return;
  }
  const bool isDouble = lastClickButton_ == event.button && lastClickColumn_ == column && lastClickRow_ == row &&
                        nowMs - lastClickMs_ <= kDoubleClickMs;
  if (isDouble) {
    lastClickButton_ = -1;
    InjectMouseButton(target, client, left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK);
    return;
  }
  lastClickButton_ = event.button;
  lastClickColumn_ = column;
  lastClickRow_ = row;
  lastClickMs_ = nowMs;
  InjectMouseButton(target, client, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
}

}  // namespace lexiv::platform
