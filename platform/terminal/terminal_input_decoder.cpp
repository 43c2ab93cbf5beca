#include "platform/terminal/terminal_input_decoder.h"

#include <algorithm>

namespace lexiv::platform {

namespace {

constexpr std::string_view kPasteEnd = "\x1b[201~";
// A control sequence longer than this is garbage: it is dropped rather than waited for.
constexpr std::size_t kLongestSequence = 64;

// One parameter of a control sequence with its colon-separated parts; -1 where a part is empty.
struct Param {
  int parts[3] = {-1, -1, -1};
};

std::vector<Param> ParseParams(std::string_view text) {
  std::vector<Param> params(1);
  int part = 0;
  for (const char c : text) {
    if (c == ';') {
      params.emplace_back();
      part = 0;
    } else if (c == ':') {
      ++part;
    } else if (c >= '0' && c <= '9' && part < 3) {
      int& v = params.back().parts[part];
      v = std::min((v < 0 ? 0 : v) * 10 + (c - '0'), 1 << 24);
    }
  }
  return params;
}

int ParamAt(const std::vector<Param>& params, std::size_t index, int part, int fallback) {
  if (index >= params.size() || params[index].parts[part] < 0) return fallback;
  return params[index].parts[part];
}

// The xterm and kitty modifier parameter: 1 plus bits (1 Shift, 2 Alt, 4 Ctrl, 8 Super or Meta,
// 32 Meta in kitty's numbering, 64 and 128 lock states, which do not count).
unsigned ModifiersOfParam(int value) {
  if (value < 2) return 0;
  const unsigned bits = static_cast<unsigned>(value - 1);
  unsigned mods = 0;
  if (bits & 1) mods |= kTermShift;
  if (bits & (2 | 32)) mods |= kTermAlt;
  if (bits & 4) mods |= kTermCtrl;
  return mods;
}

TerminalKeyAction ActionOfParam(int value) {
  if (value == 2) return TerminalKeyAction::kRepeat;
  if (value == 3) return TerminalKeyAction::kRelease;
  return TerminalKeyAction::kPress;
}

// The keys numbered in CSI n ~ (xterm and VT220 numbering, with rxvt's Home and End).
UINT VkOfTildeNumber(int number) {
  switch (number) {
    case 1: case 7: return VK_HOME;
    case 2: return VK_INSERT;
    case 3: return VK_DELETE;
    case 4: case 8: return VK_END;
    case 5: return VK_PRIOR;
    case 6: return VK_NEXT;
    case 11: case 12: case 13: case 14: case 15: return VK_F1 + static_cast<UINT>(number - 11);
    case 17: case 18: case 19: case 20: case 21: return VK_F6 + static_cast<UINT>(number - 17);
    case 23: return VK_F11;
    case 24: return VK_F12;
    default: return 0;
  }
}

// rxvt sends Shift+F3 to Shift+F10 as CSI 25~ to CSI 34~ (Shift+F1 and Shift+F2 look like F11
// and F12 there and cannot be told apart).
UINT VkOfRxvtShiftedNumber(int number) {
  switch (number) {
    case 25: return VK_F3;
    case 26: return VK_F4;
    case 28: return VK_F5;
    case 29: return VK_F6;
    case 31: return VK_F7;
    case 32: return VK_F8;
    case 33: return VK_F9;
    case 34: return VK_F10;
    default: return 0;
  }
}

UINT VkOfLetterFinal(char final) {
  switch (final) {
    case 'A': return VK_UP;
    case 'B': return VK_DOWN;
    case 'C': return VK_RIGHT;
    case 'D': return VK_LEFT;
    case 'H': return VK_HOME;
    case 'F': return VK_END;
    case 'E': return VK_CLEAR;
    case 'P': return VK_F1;
    case 'Q': return VK_F2;
    case 'R': return VK_F3;
    case 'S': return VK_F4;
    default: return 0;
  }
}

// The key of a character: letters and digits have their own keys, other characters come as
// VK_PACKET. Shift is implied by a capital letter.
UINT VkOfCharacter(char32_t c, unsigned* modifiers) {
  if (c >= 'a' && c <= 'z') return static_cast<UINT>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') {
    *modifiers |= kTermShift;
    return static_cast<UINT>(c);
  }
  if (c >= '0' && c <= '9') return static_cast<UINT>(c);
  if (c == ' ') return VK_SPACE;
  return VK_PACKET;
}

// Kitty's numbers for the keys that have no character.
UINT VkOfKittyCode(int code) {
  switch (code) {
    case 9: return VK_TAB;
    case 13: return VK_RETURN;
    case 27: return VK_ESCAPE;
    case 8: case 127: return VK_BACK;
    case 57363: return VK_APPS;  // the Menu (Applications) key
    case 57399: case 57400: case 57401: case 57402: case 57403:
    case 57404: case 57405: case 57406: case 57407: case 57408: return VK_NUMPAD0 + static_cast<UINT>(code - 57399);
    case 57414: return VK_RETURN;  // keypad Enter
    default: return 0;
  }
}

std::size_t Utf8SequenceBytes(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

void TerminalInputDecoder::EmitKey(UINT vk, unsigned modifiers, TerminalKeyAction action, bool fromSequence,
                                   std::vector<TerminalEvent>& out) const {
  TerminalEvent e;
  e.kind = TerminalEvent::Kind::kKey;
  e.vk = vk;
  e.modifiers = modifiers;
  e.action = action;
  e.realRelease = fromSequence && releasesReported_;
  out.push_back(std::move(e));
}

void TerminalInputDecoder::Feed(std::string_view bytes, std::uint64_t nowMs, std::vector<TerminalEvent>& out) {
  if (bytes.empty()) return;
  pending_.append(bytes);
  pendingSinceMs_ = nowMs;
  Decode(false, out);
}

void TerminalInputDecoder::Flush(std::uint64_t nowMs, std::vector<TerminalEvent>& out) {
  if (nowMs < NextDeadlineMs()) return;
  Decode(true, out);
}

std::uint64_t TerminalInputDecoder::NextDeadlineMs() const {
  if (pending_.empty() || inPaste_) return UINT64_MAX;
  return pendingSinceMs_ + kEscapeTimeoutMs;
}

void TerminalInputDecoder::Decode(bool final, std::vector<TerminalEvent>& out) {
  std::size_t used = 0;
  while (used < pending_.size()) {
    const std::string_view rest = std::string_view(pending_).substr(used);
    const std::size_t n = inPaste_ ? DecodePaste(rest, final, out) : DecodeOne(rest, final, out);
    if (n == 0) break;
    used += n;
  }
  pending_.erase(0, used);
}

std::size_t TerminalInputDecoder::DecodeOne(std::string_view bytes, bool final, std::vector<TerminalEvent>& out) {
  const unsigned char b = static_cast<unsigned char>(bytes[0]);
  if (b == 0x1B) return DecodeEscape(bytes, final, out);
  if (b < 0x20 || b == 0x7F) {
    switch (b) {
      case 0x0D: EmitKey(VK_RETURN, 0, TerminalKeyAction::kPress, false, out); break;
      case 0x09: EmitKey(VK_TAB, 0, TerminalKeyAction::kPress, false, out); break;
      case 0x08: case 0x7F: EmitKey(VK_BACK, 0, TerminalKeyAction::kPress, false, out); break;
      case 0x00: EmitKey(VK_SPACE, kTermCtrl, TerminalKeyAction::kPress, false, out); break;
      case 0x1C: EmitKey(VK_OEM_5, kTermCtrl, TerminalKeyAction::kPress, false, out); break;
      case 0x1D: EmitKey(VK_OEM_6, kTermCtrl, TerminalKeyAction::kPress, false, out); break;
      case 0x1E: EmitKey('6', kTermCtrl | kTermShift, TerminalKeyAction::kPress, false, out); break;
      case 0x1F: EmitKey(VK_OEM_MINUS, kTermCtrl | kTermShift, TerminalKeyAction::kPress, false, out); break;
      default: EmitKey('A' + b - 1, kTermCtrl, TerminalKeyAction::kPress, false, out); break;
    }
    return 1;
  }
  char32_t c = b;
  std::size_t length = Utf8SequenceBytes(b);
  if (length == 0) {
    c = 0xFFFD;
    length = 1;
  } else if (length > 1) {
    if (bytes.size() < length) {
      if (!final) return 0;
      c = 0xFFFD;
      length = 1;
    } else {
      c = b & (0x3F >> (length - 1));
      for (std::size_t i = 1; i < length; ++i) {
        const unsigned char t = static_cast<unsigned char>(bytes[i]);
        if ((t & 0xC0) != 0x80) {
          c = 0xFFFD;
          length = i;
          break;
        }
        c = (c << 6) | (t & 0x3F);
      }
      // Overlong forms and surrogates are not characters.
      if (c != 0xFFFD && ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
                          (c >= 0xD800 && c <= 0xDFFF)))
        c = 0xFFFD;
    }
  }
  TerminalEvent e;
  e.kind = TerminalEvent::Kind::kKey;
  e.vk = VkOfCharacter(c, &e.modifiers);
  e.codepoint = c;
  out.push_back(std::move(e));
  return length;
}

std::size_t TerminalInputDecoder::DecodeEscape(std::string_view bytes, bool final, std::vector<TerminalEvent>& out) {
  std::size_t used = 0;
  if (bytes.size() >= 2) {
    const char next = bytes[1];
    if (next == '[') {
      used = DecodeCsi(bytes, 2, 0, final, out);
    } else if (next == 'O') {
      used = DecodeSs3(bytes, 2, 0, final, out);
    } else if (next == 0x1B) {
      // Escape before an escape sequence: Alt with that key (rxvt and the ESC-prefix Meta).
      if (bytes.size() >= 3 && bytes[2] == '[')
        used = DecodeCsi(bytes, 3, kTermAlt, final, out);
      else if (bytes.size() >= 3 && bytes[2] == 'O')
        used = DecodeSs3(bytes, 3, kTermAlt, final, out);
      else if (bytes.size() == 2 && !final)
        return 0;
    } else {
      std::vector<TerminalEvent> inner;
      used = DecodeOne(bytes.substr(1), final, inner);
      if (used != 0) {
        ++used;
        for (TerminalEvent& e : inner) {
          e.modifiers |= kTermAlt;
          out.push_back(std::move(e));
        }
      }
    }
  }
  if (used != 0) return used;
  if (!final) return 0;
  // Nothing followed in time: the Escape key itself; what follows is decoded on its own.
  EmitKey(VK_ESCAPE, 0, TerminalKeyAction::kPress, false, out);
  return 1;
}

std::size_t TerminalInputDecoder::DecodeCsi(std::string_view bytes, std::size_t start, unsigned extraModifiers,
                                            bool final, std::vector<TerminalEvent>& out) {
  (void)final;  // an unfinished sequence always waits; the caller decides what a timed-out one is
  // The Linux console's F1 to F5: ESC [ [ A to ESC [ [ E.
  if (start < bytes.size() && bytes[start] == '[') {
    if (start + 1 >= bytes.size()) return 0;
    const char key = bytes[start + 1];
    if (key >= 'A' && key <= 'E') EmitKey(VK_F1 + static_cast<UINT>(key - 'A'), extraModifiers, TerminalKeyAction::kPress, true, out);
    return start + 2;
  }
  std::size_t i = start;
  char prefix = 0;
  if (i < bytes.size() && (bytes[i] == '<' || bytes[i] == '=' || bytes[i] == '>' || bytes[i] == '?')) prefix = bytes[i++];
  const std::size_t paramsStart = i;
  while (i < bytes.size() && ((bytes[i] >= '0' && bytes[i] <= '9') || bytes[i] == ';' || bytes[i] == ':')) ++i;
  const std::size_t paramsEnd = i;
  // Intermediate bytes; rxvt's '$' ends a sequence of its own (Shift with a numbered key).
  while (i < bytes.size() && bytes[i] >= 0x20 && bytes[i] <= 0x2F && bytes[i] != '$') ++i;
  if (i >= bytes.size()) {
    if (i - start > kLongestSequence) return i;  // garbage: dropped
    return 0;
  }
  const char fin = bytes[i];
  const std::size_t used = i + 1;
  if (!(fin == '$' || (fin >= 0x40 && fin <= 0x7E))) return i;  // a broken sequence: dropped up to the stray byte
  if (i != paramsEnd) return used;  // a real intermediate byte: nothing we asked for
  const std::vector<Param> params = ParseParams(bytes.substr(paramsStart, paramsEnd - paramsStart));
  const int first = ParamAt(params, 0, 0, 1);
  const unsigned mods = ModifiersOfParam(ParamAt(params, 1, 0, 1)) | extraModifiers;
  const TerminalKeyAction action = ActionOfParam(ParamAt(params, 1, 1, 1));

  if (prefix == '<') {
    if (fin != 'M' && fin != 'm') return used;
    const int code = ParamAt(params, 0, 0, 0);
    if (code & 32) return used;  // motion: not reported to windows
    TerminalEvent e;
    e.kind = TerminalEvent::Kind::kMouse;
    e.button = (code & 3) | (code & 64);
    e.action = fin == 'M' ? TerminalKeyAction::kPress : TerminalKeyAction::kRelease;
    if (code & 4) e.modifiers |= kTermShift;
    if (code & 8) e.modifiers |= kTermAlt;
    if (code & 16) e.modifiers |= kTermCtrl;
    e.column = ParamAt(params, 1, 0, 1);
    e.row = ParamAt(params, 2, 0, 1);
    out.push_back(std::move(e));
    return used;
  }
  if (prefix == '?') {
    TerminalEvent e;
    if (fin == 'u') {
      e.kind = TerminalEvent::Kind::kKittyFlags;
      e.value = ParamAt(params, 0, 0, 0);
      out.push_back(std::move(e));
    } else if (fin == 'c') {
      e.kind = TerminalEvent::Kind::kDeviceAttributes;
      out.push_back(std::move(e));
    }
    return used;
  }
  if (prefix != 0) return used;

  switch (fin) {
    case 'I':
    case 'O': {
      TerminalEvent e;
      e.kind = fin == 'I' ? TerminalEvent::Kind::kFocusIn : TerminalEvent::Kind::kFocusOut;
      out.push_back(std::move(e));
      return used;
    }
    case 'Z':
      EmitKey(VK_TAB, mods | kTermShift, action, true, out);
      return used;
    case 'a': case 'b': case 'c': case 'd':  // rxvt: Shift with an arrow
      EmitKey(VkOfLetterFinal(static_cast<char>(fin - 'a' + 'A')), mods | kTermShift, action, true, out);
      return used;
    case 'u': {
      const int code = first;
      const unsigned kittyMods = ModifiersOfParam(ParamAt(params, 1, 0, 1)) | extraModifiers;
      UINT vk = VkOfKittyCode(code);
      if (vk != 0) {
        EmitKey(vk, kittyMods, action, true, out);
        return used;
      }
      if (code < 0x20 || code >= 57344 || code > 0x10FFFF) return used;  // modifier keys, locks, media keys
      TerminalEvent e;
      e.kind = TerminalEvent::Kind::kKey;
      e.modifiers = kittyMods;
      e.vk = VkOfCharacter(static_cast<char32_t>(code), &e.modifiers);
      e.action = action;
      e.realRelease = releasesReported_;
      // A key that types (no Ctrl or Alt) carries its character, shifted when the terminal says how.
      if (!(kittyMods & (kTermCtrl | kTermAlt)) && action != TerminalKeyAction::kRelease) {
        const int shifted = ParamAt(params, 0, 1, -1);
        char32_t c = static_cast<char32_t>(code);
        if (kittyMods & kTermShift) {
          if (shifted > 0)
            c = static_cast<char32_t>(shifted);
          else if (c >= 'a' && c <= 'z')
            c = c - 'a' + 'A';
        }
        e.codepoint = c;
      }
      out.push_back(std::move(e));
      return used;
    }
    case '~':
    case '$':
    case '^':
    case '@': {
      if (fin == '~' && first == 200) {
        inPaste_ = true;
        paste_.clear();
        return used;
      }
      if (fin == '~' && first == 27) {
        // modifyOtherKeys: CSI 27 ; modifiers ; character ~
        const int code = ParamAt(params, 2, 0, 0);
        const unsigned otherMods = ModifiersOfParam(ParamAt(params, 1, 0, 1)) | extraModifiers;
        UINT vk = VkOfKittyCode(code);
        unsigned m = otherMods;
        if (vk == 0 && code >= 0x20 && code < 0x7F) vk = VkOfCharacter(static_cast<char32_t>(code), &m);
        if (vk != 0) EmitKey(vk, m, TerminalKeyAction::kPress, true, out);
        return used;
      }
      unsigned m = mods;
      UINT vk = VkOfTildeNumber(first);
      if (vk == 0 && (fin != '~' || ParamAt(params, 1, 0, 1) == 1)) {
        vk = VkOfRxvtShiftedNumber(first);
        if (vk != 0) m |= kTermShift;
      }
      if (vk == 0) return used;
      if (fin == '$') m |= kTermShift;
      if (fin == '^') m |= kTermCtrl;
      if (fin == '@') m |= kTermCtrl | kTermShift;
      EmitKey(vk, m, action, true, out);
      return used;
    }
    default: {
      const UINT vk = VkOfLetterFinal(fin);
      if (vk != 0) EmitKey(vk, mods, action, true, out);
      return used;
    }
  }
}

std::size_t TerminalInputDecoder::DecodeSs3(std::string_view bytes, std::size_t start, unsigned extraModifiers,
                                            bool final, std::vector<TerminalEvent>& out) {
  (void)final;
  std::size_t i = start;
  // Old xterms put the modifier parameter here: ESC O 2 P, ESC O 1;2 P.
  while (i < bytes.size() && ((bytes[i] >= '0' && bytes[i] <= '9') || bytes[i] == ';')) ++i;
  if (i >= bytes.size()) return 0;
  const std::vector<Param> params = ParseParams(bytes.substr(start, i - start));
  int modParam = params.size() > 1 ? ParamAt(params, 1, 0, 1) : ParamAt(params, 0, 0, 1);
  unsigned mods = ModifiersOfParam(modParam) | extraModifiers;
  const char fin = bytes[i];
  const std::size_t used = i + 1;
  if (fin >= 'a' && fin <= 'd') {  // rxvt: Ctrl with an arrow
    EmitKey(VkOfLetterFinal(static_cast<char>(fin - 'a' + 'A')), mods | kTermCtrl, TerminalKeyAction::kPress, true, out);
    return used;
  }
  if (fin == 'M') {
    EmitKey(VK_RETURN, mods, TerminalKeyAction::kPress, true, out);
    return used;
  }
  if (fin >= 'p' && fin <= 'y') {  // the keypad's digits in application mode
    std::vector<TerminalEvent> digit;
    DecodeOne(std::string_view(&"0123456789"[fin - 'p'], 1), true, digit);
    for (TerminalEvent& e : digit) out.push_back(std::move(e));
    return used;
  }
  const UINT vk = VkOfLetterFinal(fin);
  if (vk != 0) EmitKey(vk, mods, TerminalKeyAction::kPress, true, out);
  return used;
}

std::size_t TerminalInputDecoder::DecodePaste(std::string_view bytes, bool final, std::vector<TerminalEvent>& out) {
  (void)final;
  const std::size_t end = bytes.find(kPasteEnd);
  std::size_t take = end == std::string_view::npos ? bytes.size() : end;
  if (end == std::string_view::npos) {
    // Keep a tail that may be the start of the end marker.
    for (std::size_t keep = std::min(kPasteEnd.size() - 1, bytes.size()); keep > 0; --keep) {
      if (kPasteEnd.substr(0, keep) == bytes.substr(bytes.size() - keep)) {
        take = bytes.size() - keep;
        break;
      }
    }
  }
  paste_.append(bytes.substr(0, take));
  const bool finished = end != std::string_view::npos;
  if (finished || paste_.size() >= kPasteLimitBytes) {
    TerminalEvent e;
    e.kind = TerminalEvent::Kind::kPaste;
    e.text = std::move(paste_);
    paste_.clear();
    out.push_back(std::move(e));
  }
  if (finished) {
    inPaste_ = false;
    return take + kPasteEnd.size();
  }
  return take;
}

}  // namespace lexiv::platform
