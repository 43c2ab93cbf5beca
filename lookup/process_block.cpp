#include "lookup/process_block.h"

#include "lookup/lookup_protocol.h"
#include "platform/core/focus.h"
#include "platform/core/window_functions.h"
#include "platform/services/file_mapping.h"

namespace lexiv::lookup {

using namespace lexiv::platform;

namespace {

// Readers in other programs take the value without a lock, so it is always
// written whole.
void StoreValue(std::uint32_t *view, std::uint32_t value) {
  std::atomic_ref<std::uint32_t>(*view).store(value, std::memory_order_release);
}

std::uint32_t *MapWritable(HANDLE mapping) {
  return static_cast<std::uint32_t *>(
      MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kProcessBlockBytes));
}

} // namespace

ProcessBlock::~ProcessBlock() { Close(); }

std::uint32_t ProcessBlock::ReadWindowValue() {
  const HANDLE mapping =
      OpenFileMappingA(FILE_MAP_READ, TRUE, kProcessBlockName);
  if (mapping == nullptr)
    return 0;
  std::uint32_t value = 0;
  if (void *view =
          MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kProcessBlockBytes)) {
    value = std::atomic_ref<std::uint32_t>(*static_cast<std::uint32_t *>(view))
                .load(std::memory_order_acquire);
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return value;
}

ProcessBlock::Outcome ProcessBlock::Acquire() {
  if (const HANDLE existing =
          OpenFileMappingA(FILE_MAP_READ, TRUE, kProcessBlockName)) {
    HWND running{};
    if (void *view =
            MapViewOfFile(existing, FILE_MAP_READ, 0, 0, kProcessBlockBytes)) {
      const HWND candidate{
          std::atomic_ref<std::uint32_t>(*static_cast<std::uint32_t *>(view))
              .load()};
      if (IsWindow(candidate))
        running = candidate;
      UnmapViewOfFile(view);
    }
    CloseHandle(existing);
    if (running) {
      SetForegroundWindow(running);
      return Outcome::kRunningCopy;
    }
    // Left behind by a copy that has gone (another program still holds it):
    // take it over.
    if (const HANDLE takenOver =
            OpenFileMappingA(FILE_MAP_WRITE, TRUE, kProcessBlockName)) {
      if (std::uint32_t *view = MapWritable(takenOver)) {
        mapping_ = takenOver;
        view_ = view;
        StoreValue(view_, 0);
        return Outcome::kOwned;
      }
      CloseHandle(takenOver);
    }
    // The old block went between the two opens: make a new one below.
  }
  const HANDLE created =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                         kProcessBlockBytes, kProcessBlockName);
  if (created == nullptr)
    return Outcome::kFailed;
  std::uint32_t *view = MapWritable(created);
  if (view == nullptr) {
    CloseHandle(created);
    return Outcome::kFailed;
  }
  mapping_ = created;
  view_ = view;
  StoreValue(view_, 0);
  return Outcome::kOwned;
}

void ProcessBlock::Publish(HWND mainWindow) {
  if (view_ != nullptr)
    StoreValue(view_, mainWindow.value);
}

void ProcessBlock::Close() {
  if (mapping_ == nullptr)
    return;
  CloseHandle(mapping_);
  mapping_ = nullptr;
}

} // namespace lexiv::lookup
