// Fuzz target over the terminal input decoder: the input is the terminal's bytes, handed over in
// pieces (the first byte chooses their size) with time passing between them. The decoder must
// finish every call, and a key typed after whatever came must still arrive once the waiting
// bytes are flushed (unless a paste is still open, which takes every byte until its end).
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/terminal/terminal_input_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 16;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  lexiv::platform::TerminalInputDecoder decoder;
  decoder.SetReleasesReported(data[0] & 0x80);
  std::vector<lexiv::platform::TerminalEvent> events;
  std::uint64_t now = 0;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    decoder.Feed(bytes.substr(at, piece), now, events);
    now += data[at % size] % 64;
    decoder.Flush(now, events);
  }
  now += lexiv::platform::TerminalInputDecoder::kEscapeTimeoutMs + 1;
  decoder.Flush(now, events);
  if (decoder.InPaste()) return 0;
  events.clear();
  decoder.Feed("z", now, events);
  decoder.Flush(now + lexiv::platform::TerminalInputDecoder::kEscapeTimeoutMs + 1, events);
  if (events.empty() || events.back().kind != lexiv::platform::TerminalEvent::Kind::kKey ||
      events.back().codepoint != U'z')
    __builtin_trap();
  return 0;
}
