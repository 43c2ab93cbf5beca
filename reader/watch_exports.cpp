// The entry points of libvoxawatch.so (see watch_interface.h).
#include <cstring>

#include "platform/core/ui_thread.h"
#include "watch_interface.h"
#include "window_watcher.h"

using lexiv::reader::WindowWatcher;

namespace {

// A plain pointer, so that nothing is left to destroy after the finaliser below has run.
WindowWatcher* g_watcher = nullptr;

void Detach() {
  delete g_watcher;
  g_watcher = nullptr;
}

__attribute__((destructor)) void DetachAtUnload() { Detach(); }

}  // namespace

#define WATCH_EXPORT extern "C" __attribute__((visibility("default")))

WATCH_EXPORT int VoxaWatchAttach(const VoxaWatchSink* sink) {
  Detach();
  if (sink == nullptr || lexiv::platform::UiThread::Current() == nullptr) return -1;
  g_watcher = new WindowWatcher(*sink);
  return 0;
}

WATCH_EXPORT void VoxaWatchDetach(void) { Detach(); }

WATCH_EXPORT int VoxaWatchLoadSettings(VoxaReaderSettings* settings) { return WindowWatcher::LoadSettings(settings); }

WATCH_EXPORT int VoxaWatchSaveSettings(const VoxaReaderSettings* settings) {
  return WindowWatcher::SaveSettings(settings);
}

WATCH_EXPORT int VoxaWatchDescribe(int question, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  if (lexiv::platform::UiThread::Current() == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  const std::string answer = WindowWatcher::Describe(question);
  const std::size_t length = std::min(answer.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, answer.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}
