// Our reader of the bytes a terminal sends: keys with their modifiers (xterm, VT220, rxvt and
// kitty keyboard protocol forms, and the modifyOtherKeys form), typed text, bracketed paste,
// focus reports, SGR mouse reports and the answers to our start-up probes.
//
// The decoder is pure: bytes and the time they arrived go in, events come out. A lone Escape
// cannot be told from the start of a sequence until a short time has passed with nothing more;
// the caller asks NextDeadlineMs() and calls Flush(now) when it has passed, so tests pass
// their own "now" and never wait.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace lexiv::platform {

// The bits of TerminalEvent::modifiers.
inline constexpr unsigned kTermShift = 1;
inline constexpr unsigned kTermAlt = 2;
inline constexpr unsigned kTermCtrl = 4;

enum class TerminalKeyAction { kPress, kRepeat, kRelease };

struct TerminalEvent {
  enum class Kind {
    kKey,           // vk, modifiers, action, codepoint, realRelease
    kPaste,         // text (UTF-8, as the terminal sent it)
    kFocusIn,
    kFocusOut,
    kMouse,         // button, action, column, row (1-based cells), modifiers
    kKittyFlags,    // value: the flags the terminal reports (its answer to our probe)
    kDeviceAttributes,  // the answer to the device-attributes request that ends the probe
  };
  Kind kind = Kind::kKey;
  UINT vk = 0;             // VK_PACKET for a character without a key of its own
  unsigned modifiers = 0;  // kTermShift | kTermAlt | kTermCtrl
  TerminalKeyAction action = TerminalKeyAction::kPress;
  char32_t codepoint = 0;  // the character the key typed (plain text only); 0xFFFD: undecodable
  // The terminal will report this key's release itself (kitty protocol with event types);
  // otherwise the receiver synthesises the release at once.
  bool realRelease = false;
  std::string text;
  int button = 0;  // 0 left, 1 middle, 2 right, 64/65 wheel up/down
  int column = 0;
  int row = 0;
  int value = 0;

  friend bool operator==(const TerminalEvent&, const TerminalEvent&) = default;
};

class TerminalInputDecoder {
 public:
  // How long an incomplete escape sequence may wait for its next byte before the bytes are
  // taken as typed (a lone Escape, Alt+[ ...).
  static constexpr std::uint64_t kEscapeTimeoutMs = 50;
  // A paste larger than this is delivered in pieces of this size.
  static constexpr std::size_t kPasteLimitBytes = 1 << 20;

  // Keys read from escape sequences will have their releases reported (the kitty protocol is on
  // with event types).
  void SetReleasesReported(bool on) { releasesReported_ = on; }

  // Decodes what can be decoded; bytes of an unfinished sequence wait for more.
  void Feed(std::string_view bytes, std::uint64_t nowMs, std::vector<TerminalEvent>& out);
  // When nothing more came since the deadline, the waiting bytes are decoded as they are.
  void Flush(std::uint64_t nowMs, std::vector<TerminalEvent>& out);
  // When Flush should be called; UINT64_MAX when nothing waits (or a paste is in progress).
  std::uint64_t NextDeadlineMs() const;
  bool InPaste() const { return inPaste_; }

 private:
  // Decodes one item at the start of bytes: the number of bytes used, 0 when more bytes are
  // needed (only when !final).
  std::size_t DecodeOne(std::string_view bytes, bool final, std::vector<TerminalEvent>& out);
  std::size_t DecodeEscape(std::string_view bytes, bool final, std::vector<TerminalEvent>& out);
  std::size_t DecodeCsi(std::string_view bytes, std::size_t start, unsigned extraModifiers, bool final,
                        std::vector<TerminalEvent>& out);
  std::size_t DecodeSs3(std::string_view bytes, std::size_t start, unsigned extraModifiers, bool final,
                        std::vector<TerminalEvent>& out);
  std::size_t DecodePaste(std::string_view bytes, bool final, std::vector<TerminalEvent>& out);
  void Decode(bool final, std::vector<TerminalEvent>& out);
  void EmitKey(UINT vk, unsigned modifiers, TerminalKeyAction action, bool fromSequence,
               std::vector<TerminalEvent>& out) const;

  std::string pending_;
  std::uint64_t pendingSinceMs_ = 0;
  bool inPaste_ = false;
  std::string paste_;
  bool releasesReported_ = false;
};

}  // namespace lexiv::platform
