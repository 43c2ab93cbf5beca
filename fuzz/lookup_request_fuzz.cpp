// Fuzz target over the reading of what the hook library leaves in another
// program's memory: the input is that program's memory image (at a fixed base
// address) after two 32-bit addresses, of a key probe and of a lookup request.
// Whatever the image holds, the readers stay inside it, ask for no more than
// the largest text, and hand on only a text without NUL that is Shift-JIS, in
// one of the two modes; the key check answers 0 or one of the two commands.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "lookup/hot_key_config.h"
#include "lookup/request_reader.h"
#include "platform/services/shift_jis_text.h"

namespace {

constexpr std::uint64_t kBase = 0x10000;

class ImageMemory final : public lexiv::lookup::MemorySource {
public:
  ImageMemory(const std::uint8_t *data, std::size_t size)
      : data_(data), size_(size) {}
  bool Read(std::uint64_t address, void *out, std::size_t bytes) override {
    if (bytes > lexiv::lookup::kMaxLookupTextBytes + 1)
      __builtin_trap();
    if (address < kBase || address - kBase > size_ ||
        bytes > size_ - (address - kBase))
      return false;
    std::memcpy(out, data_ + (address - kBase), bytes);
    return true;
  }

private:
  const std::uint8_t *data_;
  std::size_t size_;
};

std::uint32_t Word(const std::uint8_t *data) {
  std::uint32_t value = 0;
  std::memcpy(&value, data, sizeof value);
  return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size) {
  using namespace lexiv::lookup;
  if (size < 8)
    return 0;
  const std::uint32_t probeAddress = Word(data);
  const std::uint32_t requestAddress = Word(data + 4);
  ImageMemory memory(data + 8, size - 8);

  if (const auto probe = ReadKeyProbe(memory, probeAddress)) {
    static const HotKeyConfig config = [] {
      HotKeyConfig c;
      c.modifierKeys = {0x11, 0x10, 0, 0};
      c.hotKeys[0].keys = {0x7A, 0, 0, 0};
      c.hotKeys[1].keys = {0x7B, 0, 0, 0};
      return c;
    }();
    const std::uint32_t command = CheckHotKey(config, *probe);
    if (command != 0 && command != kCaretLookupCommand &&
        command != kClipboardLookupCommand)
      __builtin_trap();
  }
  if (const auto request = ReadLookupRequest(memory, requestAddress)) {
    if (request->text.size() > kMaxLookupTextBytes)
      __builtin_trap();
    if (request->text.find('\0') != std::string::npos)
      __builtin_trap();
    if (!lexiv::platform::IsWellFormedSjis(request->text))
      __builtin_trap();
    if (request->mode != kCaretText && request->mode != kWholeText)
      __builtin_trap();
  }
  return 0;
}
