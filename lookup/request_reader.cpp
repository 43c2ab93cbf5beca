#include "lookup/request_reader.h"

#include <cstring>
#include <string_view>

#include "platform/services/process_memory.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::lookup {

ProcessMemory::ProcessMemory(platform::DWORD processId)
    : process_(platform::OpenProcess(platform::PROCESS_VM_READ, platform::TRUE,
                                     processId)) {}

ProcessMemory::~ProcessMemory() {
  if (process_ != nullptr)
    platform::CloseHandle(process_);
}

bool ProcessMemory::Read(std::uint64_t address, void *out, std::size_t bytes) {
  if (process_ == nullptr)
    return false;
  std::size_t read = 0;
  return platform::ReadProcessMemory(process_,
                                     reinterpret_cast<const void *>(
                                         static_cast<std::uintptr_t>(address)),
                                     out, bytes, &read) != platform::FALSE &&
         read == bytes;
}

std::optional<KeyProbe> ReadKeyProbe(MemorySource &memory,
                                     std::uint64_t address) {
  KeyProbe probe{};
  if (!memory.Read(address, &probe, sizeof probe))
    return std::nullopt;
  return probe;
}

std::optional<LookupText> ReadLookupRequest(MemorySource &memory,
                                            std::uint64_t requestAddress) {
  LookupRequest request{};
  if (!memory.Read(requestAddress, &request, sizeof request))
    return std::nullopt;
  if (request.size == 0 || request.size > kMaxLookupTextBytes + 1)
    return std::nullopt;
  if (request.mode != kCaretText && request.mode != kWholeText)
    return std::nullopt;

  std::string bytes(request.size, '\0');
  if (!memory.Read(request.textAddress, bytes.data(), bytes.size()))
    return std::nullopt;
  const std::size_t nul = bytes.find('\0');
  if (nul == std::string::npos)
    return std::nullopt;
  bytes.resize(nul);
  if (!platform::IsWellFormedSjis(bytes))
    return std::nullopt;
  return LookupText{std::move(bytes), request.mode, request.pattern};
}

} // namespace lexiv::lookup
