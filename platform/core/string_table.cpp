#include "platform/core/string_table.h"

#include <cstring>

#include "platform/core/ui_thread.h"

namespace lexiv::platform {

namespace {
bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
}  // namespace

void SetString(UINT id, const std::string& text) { Ui().strings[id] = text; }

std::string LoadString(UINT id) {
  const auto& strings = Ui().strings;
  auto it = strings.find(id);
  return it == strings.end() ? std::string() : it->second;
}

int LoadString(UINT id, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  const std::string text = LoadString(id);
  std::size_t n = 0;
  while (n < text.size()) {
    const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size() ? 2 : 1;
    if (n + step > static_cast<std::size_t>(size) - 1) break;
    n += step;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

std::string CommandPrompt(UINT id) {
  const std::string text = LoadString(id);
  return text.substr(0, text.find('\n'));
}

}  // namespace lexiv::platform
