#include "hook/dictionary_link.h"

#include <atomic>
#include <cstring>
#include <string>

#include "lookup/lookup_protocol.h"
#include "platform/core/messages.h"
#include "platform/core/session.h"
#include "platform/services/file_mapping.h"
#include "platform/services/low_memory.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::hook {

using namespace lexiv::platform;

const HookMessages& Messages() {
  static const HookMessages messages{RegisterWindowMessage(lookup::kSearchMessage),
                                     RegisterWindowMessage(lookup::kSearchInputMessage),
                                     RegisterWindowMessage(lookup::kGetHookHandleMessage),
                                     RegisterWindowMessage(lookup::kCheckCommandKeyMessage)};
  return messages;
}

std::uint32_t FindDictionaryWindow() {
  const HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, TRUE, lookup::kProcessBlockName);
  if (mapping == nullptr) return 0;
  std::uint32_t window = 0;
  if (void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {
    window = std::atomic_ref<std::uint32_t>(*static_cast<std::uint32_t*>(view)).load(std::memory_order_acquire);
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return window;
}

LRESULT NotifyDictionary(UINT message, WPARAM wParam, LPARAM lParam, bool wait) {
  const HWND dictionary{FindDictionaryWindow()};
  if (!dictionary) return 0;
  if (wait) return SendMessage(dictionary, message, wParam, lParam);
  PostMessage(dictionary, message, wParam, lParam);
  return 0;
}

bool SendLookupBuffer(std::string_view bytes, std::uint32_t mode, HWND lParamWindow) {
  if (bytes.empty() || bytes.size() > lookup::kMaxLookupTextBytes + 1) return false;
  // The request's text address is a 32-bit field: both live below 4 GiB, the text after the request.
  auto* block = static_cast<char*>(AllocateBelow4GiB(sizeof(lookup::LookupRequest) + bytes.size()));
  if (block == nullptr) return false;
  char* textCopy = block + sizeof(lookup::LookupRequest);
  std::memcpy(textCopy, bytes.data(), bytes.size());
  textCopy[bytes.size() - 1] = '\0';
  auto* request = reinterpret_cast<lookup::LookupRequest*>(block);
  *request = {static_cast<std::uint32_t>(bytes.size()), LowAddress(textCopy), mode, 0, 0};
  NotifyDictionary(Messages().search, reinterpret_cast<WPARAM>(block), ToLParam(lParamWindow), true);
  FreeBelow4GiB(block);
  return true;
}

bool SendLookup(std::string_view text, std::uint32_t mode, HWND lParamWindow) {
  // Whole characters only, and no more than a request carries: a lead byte left without its
  // trail (a control that cut its text in the middle of a character) is left out too.
  std::size_t length = 0;
  while (length < text.size()) {
    const bool lead = IsSjisLeadByte(static_cast<unsigned char>(text[length]));
    const std::size_t bytes = lead ? 2 : 1;
    if (length + bytes > text.size() || length + bytes > lookup::kMaxLookupTextBytes) break;
    length += bytes;
  }
  std::string withNul(text.substr(0, length));
  withNul.push_back('\0');
  return SendLookupBuffer(withNul, mode, lParamWindow);
}

void SendNothingCaptured(HWND returnWindow) {
  NotifyDictionary(Messages().searchInput, 0, ToLParam(returnWindow), true);
}

}  // namespace lexiv::hook
