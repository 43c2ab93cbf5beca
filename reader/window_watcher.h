// The reader's eyes and keys inside the program: it listens to the platform's accessibility
// events and reads what the narrator finds worth reading (and, in a program that does not speak
// for itself, what the edit reader finds in the focused edit), watches the keys for the reader's own
// (Ctrl pressed and released alone stops speech; the chords of its commands are taken away from the program), and
// keeps the reader's settings under its registry key.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "edit_reading.h"
#include "platform/core/accessibility.h"
#include "platform/core/key_names.h"
#include "watch_interface.h"

namespace lexiv::reader {

// HKEY_CURRENT_USER\Software\Voxa\Reader
inline constexpr const char* kSettingsKey = "Software\\Voxa\\Reader";

struct ReaderKey {
  const char* valueName;  // the registry value that may change the chord
  const char* command;
  const char* defaultChord;
};
// The reader's commands on keys, with their default chords.
inline constexpr ReaderKey kReaderKeys[] = {
    {"KeyReadCurAtrb", "ReadCurAtrb", "Ctrl+Shift+A"},
    {"KeyReadActiveTitle", "ReadActiveTitle", "Ctrl+Shift+T"},
    {"KeyReadCurPos", "ReadCurPos", "Ctrl+Shift+P"},
    {"KeyReadAgain", "ReadAgain", "Ctrl+Shift+R"},
    {"KeySetSpeedToggle", "SetSpeedToggle", "Ctrl+Shift+S"},
};

class WindowWatcher {
 public:
  explicit WindowWatcher(const VoxaWatchSink& sink);
  ~WindowWatcher();
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;

  static int LoadSettings(VoxaReaderSettings* settings);
  static int SaveSettings(const VoxaReaderSettings* settings);
  static std::string Describe(int question);

 private:
  struct BoundKey {
    platform::KeyChord chord;
    std::string command;
  };
  void OnEvent(const platform::AccessEvent& event);
  platform::LRESULT OnKey(int code, platform::WPARAM vk, platform::LPARAM lParam);
  void LoadKeys();
  bool ProgramSpeaks() const { return sink_.programSpeaks == nullptr || sink_.programSpeaks(sink_.reader) != 0; }
  void Say(const EditReading& reading);

  VoxaWatchSink sink_;
  std::unique_ptr<platform::AccessSubscription> subscription_;
  int hookId_ = 0;
  bool ctrlStops_ = true;
  bool ctrlAlone_ = false;  // Ctrl went down with nothing else; its release stops speech
  std::vector<BoundKey> keys_;
  platform::UINT swallowedVk_ = 0;  // a reader key went down: its release is taken too
  // A dialog just read whose first focused control has not been: that reading follows, not cuts.
  platform::HWND dialogAwaitingFocus_;
  EditReader edits_;
};

}  // namespace lexiv::reader
