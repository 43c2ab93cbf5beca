// Memory below 4 GiB, for protocol blocks that hold an address in a 32-bit field (the text address
// of a lookup request): the block and the text it points to are put here, so that the address
// fits the field and the receiver reads the very bytes meant. Each allocation is its own mapping
// (mmap with MAP_32BIT, which the kernel places in the low two gigabytes), zeroed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lexiv::platform {

// Null when there is no room below 4 GiB (or bytes is 0).
void* AllocateBelow4GiB(std::size_t bytes);
// Frees what AllocateBelow4GiB returned; null is ignored.
void FreeBelow4GiB(void* memory);

// The address as the 32-bit field holds it; 0 for an address at or above 4 GiB.
std::uint32_t LowAddress(const void* memory);

}  // namespace lexiv::platform
