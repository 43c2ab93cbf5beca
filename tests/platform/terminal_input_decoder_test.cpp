#include "platform/terminal/terminal_input_decoder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lexiv::platform {

void PrintTo(const TerminalEvent& e, std::ostream* os) {
  *os << "{kind " << static_cast<int>(e.kind) << " vk 0x" << std::hex << e.vk << " mods " << e.modifiers << " action "
      << static_cast<int>(e.action) << " cp 0x" << static_cast<unsigned>(e.codepoint) << std::dec << " real "
      << e.realRelease << " text '" << e.text << "' button " << e.button << " at " << e.column << "," << e.row
      << " value " << e.value << "}";
}

namespace {

using Kind = TerminalEvent::Kind;
using Action = TerminalKeyAction;
constexpr unsigned S = kTermShift, A = kTermAlt, C = kTermCtrl;

TerminalEvent Key(UINT vk, unsigned mods = 0, Action action = Action::kPress, bool realRelease = false) {
  TerminalEvent e;
  e.vk = vk;
  e.modifiers = mods;
  e.action = action;
  e.realRelease = realRelease;
  return e;
}

TerminalEvent Char(UINT vk, char32_t c, unsigned mods = 0) {
  TerminalEvent e = Key(vk, mods);
  e.codepoint = c;
  return e;
}

TerminalEvent Of(Kind kind) {
  TerminalEvent e;
  e.kind = kind;
  return e;
}

TerminalEvent Paste(std::string text) {
  TerminalEvent e = Of(Kind::kPaste);
  e.text = std::move(text);
  return e;
}

TerminalEvent Mouse(int button, Action action, int column, int row, unsigned mods = 0) {
  TerminalEvent e = Of(Kind::kMouse);
  e.button = button;
  e.action = action;
  e.column = column;
  e.row = row;
  e.modifiers = mods;
  return e;
}

struct Case {
  const char* name;
  std::string bytes;
  std::vector<TerminalEvent> expected;
};

// Each case is fed whole; complete sequences decode without waiting for the escape time-out.
const Case kCases[] = {
    // xterm function keys, alone and with modifiers (1 + Shift 1, Alt 2, Ctrl 4).
    {"xterm F1 to F4", "\x1bOP\x1bOQ\x1bOR\x1bOS", {Key(VK_F1), Key(VK_F2), Key(VK_F3), Key(VK_F4)}},
    {"xterm F5 to F12", "\x1b[15~\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~\x1b[23~\x1b[24~",
     {Key(VK_F5), Key(VK_F6), Key(VK_F7), Key(VK_F8), Key(VK_F9), Key(VK_F10), Key(VK_F11), Key(VK_F12)}},
    {"xterm Shift+F3", "\x1b[1;2R", {Key(VK_F3, S)}},
    {"xterm Ctrl+F1", "\x1b[1;5P", {Key(VK_F1, C)}},
    {"xterm Shift+F11", "\x1b[23;2~", {Key(VK_F11, S)}},
    {"xterm Ctrl+Shift+F11", "\x1b[23;6~", {Key(VK_F11, C | S)}},
    {"xterm Alt+F8 to Alt+F11", "\x1b[19;3~\x1b[20;3~\x1b[21;3~\x1b[23;3~",
     {Key(VK_F8, A), Key(VK_F9, A), Key(VK_F10, A), Key(VK_F11, A)}},
    {"xterm Ctrl+Alt+Shift+F12", "\x1b[24;8~", {Key(VK_F12, C | A | S)}},
    {"old xterm SS3 with modifier", "\x1bO2P", {Key(VK_F1, S)}},
    // Cursor and editing keys.
    {"arrows normal and application mode", "\x1b[A\x1b[B\x1bOC\x1bOD", {Key(VK_UP), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_LEFT)}},
    {"Alt+Up and Alt+Down", "\x1b[1;3A\x1b[1;3B", {Key(VK_UP, A), Key(VK_DOWN, A)}},
    {"Home and End in three spellings", "\x1b[H\x1b[F\x1bOH\x1b[1~\x1b[4~\x1b[7~\x1b[8~",
     {Key(VK_HOME), Key(VK_END), Key(VK_HOME), Key(VK_HOME), Key(VK_END), Key(VK_HOME), Key(VK_END)}},
    {"PageUp and PageDown with Ctrl and Alt", "\x1b[5~\x1b[6;5~\x1b[5;3~\x1b[6;3~",
     {Key(VK_PRIOR), Key(VK_NEXT, C), Key(VK_PRIOR, A), Key(VK_NEXT, A)}},
    {"Insert, Delete, Ctrl+Insert, Shift+Insert", "\x1b[2~\x1b[3~\x1b[2;5~\x1b[2;2~",
     {Key(VK_INSERT), Key(VK_DELETE), Key(VK_INSERT, C), Key(VK_INSERT, S)}},
    {"Tab and Shift+Tab", "\t\x1b[Z", {Key(VK_TAB), Key(VK_TAB, S)}},
    {"Enter, Backspace (both codes)", "\r\x7f\x08", {Key(VK_RETURN), Key(VK_BACK), Key(VK_BACK)}},
    {"Ctrl+letters", "\x01\x07\x1a", {Key('A', C), Key('G', C), Key('Z', C)}},
    {"Alt+letters by Escape prefix", "\x1b" "f\x1bV", {Char('F', 'f', A), Char('V', 'V', A | S)}},
    {"Alt+Backspace", "\x1b\x7f", {Key(VK_BACK, A)}},
    // VT220 / Linux console and rxvt.
    {"Linux console F1 to F5", "\x1b[[A\x1b[[E", {Key(VK_F1), Key(VK_F5)}},
    {"VT220 F1 to F4", "\x1b[11~\x1b[14~", {Key(VK_F1), Key(VK_F4)}},
    {"rxvt Shift+F3 and Shift+F10", "\x1b[25~\x1b[34~", {Key(VK_F3, S), Key(VK_F10, S)}},
    {"rxvt Shift+F11, Ctrl+F5, Ctrl+Shift+F11", "\x1b[23$\x1b[15^\x1b[23@", {Key(VK_F11, S), Key(VK_F5, C), Key(VK_F11, C | S)}},
    {"rxvt Shift and Ctrl arrows", "\x1b[a\x1bOb", {Key(VK_UP, S), Key(VK_DOWN, C)}},
    {"rxvt Alt+Up (Escape before the sequence)", "\x1b\x1b[A", {Key(VK_UP, A)}},
    {"rxvt Alt+PageDown", "\x1b\x1b[6~", {Key(VK_NEXT, A)}},
    {"modifyOtherKeys Ctrl+Shift+a", "\x1b[27;6;97~", {Key('A', C | S)}},
    // Kitty keyboard protocol.
    {"kitty Escape and Enter", "\x1b[27u\x1b[13u", {Key(VK_ESCAPE), Key(VK_RETURN)}},
    {"kitty Ctrl+G, Alt+f", "\x1b[103;5u\x1b[102;3u", {Key('G', C), Key('F', A)}},
    {"kitty Shift+Backspace", "\x1b[127;2u", {Key(VK_BACK, S)}},
    {"kitty Applications key", "\x1b[57363u", {Key(VK_APPS)}},
    {"kitty F3 is CSI 13 ~", "\x1b[13;2~", {Key(VK_F3, S)}},
    {"kitty lock states do not count as modifiers", "\x1b[103;69u", {Key('G', C)}},
    {"kitty text key with its shifted form", "\x1b[49:33;2u", {Char('1', '!', S)}},
    {"kitty modifier key alone is not a key event", "\x1b[57441;2u", {}},
    // Text.
    {"ASCII text", "aZ1 !", {Char('A', 'a'), Char('Z', 'Z', S), Char('1', '1'), Char(VK_SPACE, ' '), Char(VK_PACKET, '!')}},
    {"UTF-8 text", "\xe3\x81\x82\xef\xbd\xb1", {Char(VK_PACKET, 0x3042), Char(VK_PACKET, 0xFF71)}},
    {"invalid UTF-8 gives a replacement", "\xff" "a", {Char(VK_PACKET, 0xFFFD), Char('A', 'a')}},
    {"surrogate is not a character", "\xed\xa0\x80", {Char(VK_PACKET, 0xFFFD)}},
    // Paste, focus, mouse, probe answers.
    {"bracketed paste is one text, never keys", "\x1b[200~a\x1b[Ab\r\n\x1b[201~x",
     {Paste("a\x1b[Ab\r\n"), Char('X', 'x')}},
    {"focus in and out", "\x1b[I\x1b[O", {Of(Kind::kFocusIn), Of(Kind::kFocusOut)}},
    {"SGR mouse press and release", "\x1b[<0;10;5M\x1b[<0;10;5m",
     {Mouse(0, Action::kPress, 10, 5), Mouse(0, Action::kRelease, 10, 5)}},
    {"SGR mouse right button with Ctrl, wheel, motion dropped", "\x1b[<18;3;4M\x1b[<64;1;1M\x1b[<32;2;2M",
     {Mouse(2, Action::kPress, 3, 4, C), Mouse(64, Action::kPress, 1, 1)}},
    {"probe answers", "\x1b[?15u\x1b[?62;22c", {[] { auto e = Of(Kind::kKittyFlags); e.value = 15; return e; }(),
                                                Of(Kind::kDeviceAttributes)}},
    {"garbage with a stray byte is dropped", "\x1b[12\x01", {Key('A', C)}},
};

TEST(TerminalInputDecoderTest, DecodesEachForm) {
  for (const Case& c : kCases) {
    TerminalInputDecoder decoder;
    std::vector<TerminalEvent> events;
    decoder.Feed(c.bytes, 1000, events);
    decoder.Flush(1000 + TerminalInputDecoder::kEscapeTimeoutMs, events);
    EXPECT_EQ(events, c.expected) << c.name;
  }
}

TEST(TerminalInputDecoderTest, SplitSequencesWaitForTheirRest) {
  // Every case fed byte by byte, each byte arriving in time, decodes as when fed whole.
  for (const Case& c : kCases) {
    TerminalInputDecoder decoder;
    std::vector<TerminalEvent> events;
    for (char b : c.bytes) decoder.Feed(std::string_view(&b, 1), 1000, events);
    decoder.Flush(1000 + TerminalInputDecoder::kEscapeTimeoutMs, events);
    EXPECT_EQ(events, c.expected) << c.name;
  }
}

TEST(TerminalInputDecoderTest, EscapeIsTheKeyOnlyAfterTheTimeOut) {
  TerminalInputDecoder decoder;
  std::vector<TerminalEvent> events;
  decoder.Feed("\x1b", 1000, events);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(decoder.NextDeadlineMs(), 1000 + TerminalInputDecoder::kEscapeTimeoutMs);
  decoder.Flush(1000 + TerminalInputDecoder::kEscapeTimeoutMs - 1, events);
  EXPECT_TRUE(events.empty());
  decoder.Flush(1000 + TerminalInputDecoder::kEscapeTimeoutMs, events);
  EXPECT_EQ(events, std::vector<TerminalEvent>{Key(VK_ESCAPE)});
  EXPECT_EQ(decoder.NextDeadlineMs(), UINT64_MAX);

  // An unfinished sequence that times out: Escape, then its bytes as typed.
  events.clear();
  decoder.Feed("\x1b[", 2000, events);
  decoder.Flush(2100, events);
  EXPECT_EQ(events, (std::vector<TerminalEvent>{Key(VK_ESCAPE), Char(VK_PACKET, '[')}));

  // Escape twice, nothing after: two Escapes.
  events.clear();
  decoder.Feed("\x1b\x1b", 3000, events);
  decoder.Flush(3100, events);
  EXPECT_EQ(events, (std::vector<TerminalEvent>{Key(VK_ESCAPE), Key(VK_ESCAPE)}));
}

TEST(TerminalInputDecoderTest, PasteIsNotCutByTheTimeOutAndEndsOnlyAtItsMarker) {
  TerminalInputDecoder decoder;
  std::vector<TerminalEvent> events;
  decoder.Feed("\x1b[200~\xe8\xbe\x9e\x1b", 1000, events);
  decoder.Flush(9000, events);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(decoder.InPaste());
  decoder.Feed("[201", 9001, events);
  decoder.Flush(20000, events);
  EXPECT_TRUE(events.empty());
  decoder.Feed("~\x1b[B", 20001, events);
  EXPECT_EQ(events, (std::vector<TerminalEvent>{Paste("\xe8\xbe\x9e"), Key(VK_DOWN)}));
}

TEST(TerminalInputDecoderTest, KittyReleasesAreReportedOnlyWhenEnabled) {
  TerminalInputDecoder decoder;
  decoder.SetReleasesReported(true);
  std::vector<TerminalEvent> events;
  decoder.Feed("\x1b[1;1:1A\x1b[1;1:2A\x1b[1;1:3A\x1b[103;5:3u" "a", 1000, events);
  const std::vector<TerminalEvent> expected{Key(VK_UP, 0, Action::kPress, true), Key(VK_UP, 0, Action::kRepeat, true),
                                            Key(VK_UP, 0, Action::kRelease, true), Key('G', C, Action::kRelease, true),
                                            Char('A', 'a')};
  EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace lexiv::platform
