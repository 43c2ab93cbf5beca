// Reading what the hook library left in its own process for the dictionary: the
// key probe and the lookup request with its text. Every size and address in
// them comes from another program, so each is checked before anything is
// allocated or kept: a request is used only when its size (with the NUL) is 1
// to kMaxLookupTextBytes + 1, its text is readable, holds a NUL within that
// size and is Shift-JIS up to it, and its mode is one of the two the protocol
// knows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "lookup/lookup_protocol.h"
#include "platform/services/kernel_handles.h"
#include "platform/win_types.h"

namespace lexiv::lookup {

// Bytes of another address space.
class MemorySource {
public:
  virtual ~MemorySource() = default;
  // All of the bytes, or false (and out unspecified).
  virtual bool Read(std::uint64_t address, void *out, std::size_t bytes) = 0;
};

// A process of the session, opened for reading its memory for as long as the
// object lives.
class ProcessMemory final : public MemorySource {
public:
  explicit ProcessMemory(platform::DWORD processId);
  ~ProcessMemory() override;
  ProcessMemory(const ProcessMemory &) = delete;
  ProcessMemory &operator=(const ProcessMemory &) = delete;

  bool IsOpen() const { return process_ != nullptr; }
  bool Read(std::uint64_t address, void *out, std::size_t bytes) override;

private:
  platform::HANDLE process_ = nullptr;
};

std::optional<KeyProbe> ReadKeyProbe(MemorySource &memory,
                                     std::uint64_t address);

struct LookupText {
  std::string text; // Shift-JIS, without its NUL
  std::uint32_t mode = kWholeText;
  std::uint32_t pattern = 0;
};

std::optional<LookupText> ReadLookupRequest(MemorySource &memory,
                                            std::uint64_t requestAddress);

} // namespace lexiv::lookup
