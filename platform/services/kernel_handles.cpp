#include "platform/services/kernel_handles.h"

#include <map>

#include "platform/services/system_errors.h"

namespace lexiv::platform {
namespace {

struct HandleTable {
  std::map<std::uint32_t, std::unique_ptr<KernelObject>> objects;
  std::uint32_t next = 4;
};

// Never destroyed at exit: the objects still open then would release what they hold into
// services already gone.
HandleTable& Table() {
  static auto* table = new HandleTable;
  return *table;
}

}  // namespace

HANDLE AddKernelObject(std::unique_ptr<KernelObject> object) {
  HandleTable& table = Table();
  if (object == nullptr || table.next == 0 || table.next >= INVALID_HANDLE_VALUE.value - 4) return HANDLE{};
  const std::uint32_t value = table.next;
  table.next += 4;
  table.objects.emplace(value, std::move(object));
  return HANDLE{value};
}

KernelObject* FindKernelObject(HANDLE handle) {
  HandleTable& table = Table();
  auto it = table.objects.find(handle.value);
  return it != table.objects.end() ? it->second.get() : nullptr;
}

BOOL CloseHandle(HANDLE handle) {
  HandleTable& table = Table();
  auto it = table.objects.find(handle.value);
  if (it == table.objects.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // The object's destructor may close other handles: take it out of the table first.
  std::unique_ptr<KernelObject> object = std::move(it->second);
  table.objects.erase(it);
  object.reset();
  return TRUE;
}

}  // namespace lexiv::platform
