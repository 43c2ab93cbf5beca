#include "platform/services/low_memory.h"

#include <sys/mman.h>

#include <cstring>

namespace lexiv::platform {
namespace {
// The mapping's length lives in front of what the caller gets; 16 bytes keep the alignment.
constexpr std::size_t kHeaderBytes = 16;
}  // namespace

void* AllocateBelow4GiB(std::size_t bytes) {
  if (bytes == 0 || bytes > (std::size_t{1} << 30)) return nullptr;
  const std::size_t length = bytes + kHeaderBytes;
  void* mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
  if (mapping == MAP_FAILED) return nullptr;
  if (reinterpret_cast<std::uintptr_t>(mapping) + length > (std::uintptr_t{1} << 32)) {
    munmap(mapping, length);
    return nullptr;
  }
  std::memcpy(mapping, &length, sizeof length);
  return static_cast<char*>(mapping) + kHeaderBytes;
}

void FreeBelow4GiB(void* memory) {
  if (memory == nullptr) return;
  char* mapping = static_cast<char*>(memory) - kHeaderBytes;
  std::size_t length;
  std::memcpy(&length, mapping, sizeof length);
  munmap(mapping, length);
}

std::uint32_t LowAddress(const void* memory) {
  const auto address = reinterpret_cast<std::uintptr_t>(memory);
  return address < (std::uintptr_t{1} << 32) ? static_cast<std::uint32_t>(address) : 0;
}

}  // namespace lexiv::platform
