// Kernel objects of one program outside a session: named blocks are the program's own, process
// handles open only the program itself, and memory below 4 GiB holds 32-bit addresses.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/services/file_mapping.h"
#include "platform/services/low_memory.h"
#include "platform/services/process_memory.h"
#include "platform/services/system_errors.h"

namespace lexiv::platform {
namespace {

HANDLE Create(const char* name, DWORD bytes = 16, DWORD protect = PAGE_READWRITE) {
  return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, protect, 0, bytes, name);
}

TEST(FileMapping, ANamedBlockOfOneProgramIsSharedByItsHandlesAndGoesWithTheLast) {
  SetLastError(0);
  HANDLE first = Create("LexivLocalBlock");
  ASSERT_TRUE(first);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE second = Create("LexivLocalBlock", 4096);
  ASSERT_TRUE(second);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_NE(first, second);
  auto* a = static_cast<char*>(MapViewOfFile(first, FILE_MAP_WRITE, 0, 0, 0));
  auto* b = static_cast<char*>(MapViewOfFile(second, FILE_MAP_READ, 0, 0, 16));
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  std::strcpy(a, "shared");
  EXPECT_STREQ(b, "shared");
  // Names are exact: another spelling is another block.
  EXPECT_FALSE(OpenFileMappingA(FILE_MAP_READ, FALSE, "lexivlocalblock"));

  // A view outlives its handle and keeps the block.
  EXPECT_TRUE(CloseHandle(first));
  EXPECT_TRUE(CloseHandle(second));
  EXPECT_STREQ(b, "shared");
  HANDLE again = OpenFileMappingA(FILE_MAP_READ, FALSE, "LexivLocalBlock");
  ASSERT_TRUE(again);
  EXPECT_TRUE(CloseHandle(again));
  EXPECT_TRUE(UnmapViewOfFile(a));
  EXPECT_TRUE(UnmapViewOfFile(b));
  EXPECT_FALSE(OpenFileMappingA(FILE_MAP_READ, FALSE, "LexivLocalBlock"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  // Made again, it is new and zeroed.
  HANDLE fresh = Create("LexivLocalBlock");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  auto* zero = static_cast<const char*>(MapViewOfFile(fresh, FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(zero, nullptr);
  EXPECT_EQ(zero[0], '\0');
  UnmapViewOfFile(zero);
  CloseHandle(fresh);
}

TEST(FileMapping, BadRequestsFailWithTheirReason) {
  struct Case {
    const char* label;
    HANDLE file;
    DWORD protect;
    DWORD high, low;
    std::string name;
    LONG error;
  };
  const Case cases[] = {
      {"a real file", HANDLE{8u}, PAGE_READWRITE, 0, 4, "x", ERROR_INVALID_HANDLE},
      {"no size", INVALID_HANDLE_VALUE, PAGE_READWRITE, 0, 0, "x", ERROR_INVALID_PARAMETER},
      {"too large", INVALID_HANDLE_VALUE, PAGE_READWRITE, 1, 0, "x", ERROR_INVALID_PARAMETER},
      {"another protection", INVALID_HANDLE_VALUE, 0x40, 0, 4, "x", ERROR_INVALID_PARAMETER},
      {"a name too long", INVALID_HANDLE_VALUE, PAGE_READWRITE, 0, 4, std::string(kMaxBlockNameBytes + 1, 'n'), ERROR_INVALID_NAME},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    SetLastError(0);
    EXPECT_FALSE(CreateFileMappingA(c.file, nullptr, c.protect, c.high, c.low, c.name.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(c.error));
  }
  HANDLE readOnly = Create(nullptr, 4, PAGE_READONLY);
  ASSERT_TRUE(readOnly);
  EXPECT_EQ(MapViewOfFile(readOnly, FILE_MAP_WRITE, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  HANDLE block = Create(nullptr, 100);
  EXPECT_EQ(MapViewOfFile(block, FILE_MAP_READ, 0, 0, 101), nullptr) << "past the end";
  EXPECT_EQ(MapViewOfFile(block, FILE_MAP_READ, 0, 4096, 0), nullptr) << "an offset off the granularity";
  EXPECT_EQ(MapViewOfFile(HANDLE{12345u}, FILE_MAP_READ, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  int local = 0;
  EXPECT_FALSE(UnmapViewOfFile(&local));
  CloseHandle(readOnly);
  CloseHandle(block);
}

TEST(FileMapping, ABlocksFileStaysInsideTheSessionDirectory) {
  EXPECT_EQ(SharedBlockPath("/run/s", "WLKPPROCINF"), "/run/s/block-574c4b5050524f43494e46");
  EXPECT_EQ(SharedBlockPath("/run/s", "../x"), "/run/s/block-2e2e2f78");
  EXPECT_EQ(SharedBlockPath("/run/s", "辞"), "/run/s/block-8eab");
}

TEST(ProcessMemory, AProgramAloneOpensOnlyItselfAndAFailedReadReadsNothing) {
  HANDLE self = OpenProcess(PROCESS_VM_READ, TRUE, static_cast<DWORD>(getpid()));
  ASSERT_TRUE(self);
  const std::uint32_t probe[65] = {0x11, 0x22, 0x33};
  std::uint32_t copy[65] = {};
  std::size_t got = 0;
  EXPECT_TRUE(ReadProcessMemory(self, probe, copy, sizeof copy, &got));
  EXPECT_EQ(got, sizeof copy);
  EXPECT_EQ(copy[2], 0x33u);
  // An address nobody has: FALSE, nothing read, nothing crashed.
  got = 7;
  EXPECT_FALSE(ReadProcessMemory(self, reinterpret_cast<const void*>(std::uintptr_t{8}), copy, 4, &got));
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PARTIAL_COPY));
  EXPECT_TRUE(CloseHandle(self));
  EXPECT_FALSE(ReadProcessMemory(self, probe, copy, 4, &got));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  // Without PROCESS_VM_READ the handle reads nothing.
  HANDLE query = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(getpid()));
  EXPECT_FALSE(ReadProcessMemory(query, probe, copy, 4, &got));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(query);

  // Outside a session no other process opens, not even our parent.
  EXPECT_FALSE(OpenProcess(PROCESS_VM_READ, TRUE, static_cast<DWORD>(getppid())));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(LowMemory, BlocksLieBelowFourGigabytesAndHoldTheirAddressIn32Bits) {
  auto* request = static_cast<std::uint32_t*>(AllocateBelow4GiB(20));
  auto* text = static_cast<char*>(AllocateBelow4GiB(41));
  ASSERT_NE(request, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_LT(reinterpret_cast<std::uintptr_t>(text) + 41, std::uintptr_t{1} << 32);
  EXPECT_EQ(text[40], '\0') << "zeroed";
  std::strcpy(text, "語");
  request[1] = LowAddress(text);
  EXPECT_STREQ(reinterpret_cast<const char*>(std::uintptr_t{request[1]}), "語");
  int high = 0;
  if (reinterpret_cast<std::uintptr_t>(&high) >= (std::uintptr_t{1} << 32)) {
    EXPECT_EQ(LowAddress(&high), 0u);
  }
  EXPECT_EQ(AllocateBelow4GiB(0), nullptr);
  FreeBelow4GiB(text);
  FreeBelow4GiB(request);
  FreeBelow4GiB(nullptr);
}

}  // namespace
}  // namespace lexiv::platform
