#include "window_watcher.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "access_narrator.h"
#include "platform/controls/help_viewer.h"
#include "platform/core/focus.h"
#include "platform/core/input.h"
#include "platform/core/window_functions.h"
#include "platform/services/registry.h"

namespace lexiv::reader {

using namespace lexiv::platform;

namespace {

class RegistryKey {
 public:
  RegistryKey(bool write) {
    const LONG result = write ? RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                KEY_WRITE, nullptr, &key_, nullptr)
                              : RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key_);
    open_ = result == ERROR_SUCCESS;
  }
  ~RegistryKey() {
    if (open_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  bool open() const { return open_; }

  void ReadNumber(const char* name, int* value) const {
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof data)
      *value = static_cast<int>(data);
  }
  std::optional<std::string> ReadText(const char* name) const {
    if (!open_) return std::nullopt;
    DWORD type = 0;
    char data[64] = {};
    DWORD size = sizeof data;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS || type != REG_SZ)
      return std::nullopt;
    return std::string(data, strnlen(data, sizeof data));
  }
  bool WriteNumber(const char* name, int value) {
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
  }

 private:
  HKEY key_{};
  bool open_ = false;
};

bool IsControlKey(WPARAM vk) { return vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL; }
bool IsModifierKey(WPARAM vk) { return IsControlKey(vk) || vk == VK_SHIFT || vk == VK_MENU || (vk >= 0xA0 && vk <= 0xA5); }

}  // namespace

WindowWatcher::WindowWatcher(const VoxaWatchSink& sink) : sink_(sink) {
  LoadKeys();
  subscription_ = std::make_unique<AccessSubscription>([this](const AccessEvent& event) { OnEvent(event); });
  hookId_ = InstallKeyboardHook([this](int code, WPARAM vk, LPARAM lParam) { return OnKey(code, vk, lParam); });
}

WindowWatcher::~WindowWatcher() {
  RemoveKeyboardHook(hookId_);
  subscription_.reset();
}

void WindowWatcher::LoadKeys() {
  RegistryKey key(false);
  int ctrlStops = 1;
  if (key.open()) key.ReadNumber("CtrlStopsSpeech", &ctrlStops);
  ctrlStops_ = ctrlStops != 0;
  for (const ReaderKey& readerKey : kReaderKeys) {
    // An empty chord switches the key off; a missing or unreadable one gives the default.
    const std::optional<std::string> chordName = key.ReadText(readerKey.valueName);
    if (chordName && chordName->empty()) continue;
    KeyChord chord;
    if (!chordName || ParseKeyChord(*chordName, &chord) != 0) {
      if (ParseKeyChord(readerKey.defaultChord, &chord) != 0) continue;
    }
    keys_.push_back({chord, readerKey.command});
  }
}

namespace {

// The platform's help viewer stands for the system's help program, which does not speak for
// itself: its text is read line by line as any such program's edit, whoever opened it.
bool InHelpViewer(HWND hwnd) {
  char name[64] = {};
  return hwnd && GetClassName(GetAncestorTop(hwnd), name, sizeof name) > 0 &&
         std::string_view(name) == platform::kHelpViewerClassName;
}

}  // namespace

void WindowWatcher::OnEvent(const AccessEvent& event) {
  if (!ProgramSpeaks() || InHelpViewer(event.hwnd)) {
    if (const std::optional<EditReading> reading = edits_.Read(event)) {
      Say(*reading);
      return;
    }
  }
  const std::string text = NarrateEvent(event, sink_.autoRead(sink_.reader));
  bool interrupt = true;
  if (event.kind == AccessEventKind::kDialogOpened) {
    // The platform opens a dialog before it focuses the dialog's first control.
    const HWND focus = GetFocus();
    dialogAwaitingFocus_ = focus && IsChild(event.hwnd, focus) ? HWND{} : event.hwnd;
  } else if (event.kind == AccessEventKind::kFocusChanged && dialogAwaitingFocus_) {
    interrupt = !IsChild(dialogAwaitingFocus_, event.hwnd);
    dialogAwaitingFocus_ = HWND{};
  }
  if (!text.empty()) sink_.say(sink_.reader, text.c_str(), interrupt ? 1 : 0);
}

void WindowWatcher::Say(const EditReading& reading) {
  if (reading.text.empty()) return;
  if (reading.character && sink_.sayCharacter != nullptr) sink_.sayCharacter(sink_.reader, reading.text.c_str());
  else sink_.say(sink_.reader, reading.text.c_str(), 1);
}

LRESULT WindowWatcher::OnKey(int code, WPARAM vk, LPARAM lParam) {
  if (code != HC_ACTION) return 0;
  const bool goingUp = (lParam & (LPARAM{1} << 31)) != 0;
  const bool repeat = (lParam & (LPARAM{1} << 30)) != 0;
  if (goingUp) {
    if (IsControlKey(vk) && ctrlAlone_) {
      ctrlAlone_ = false;
      if (ctrlStops_) sink_.stop(sink_.reader);
    }
    if (swallowedVk_ != 0 && vk == swallowedVk_) {
      swallowedVk_ = 0;
      return 1;
    }
    return 0;
  }
  if (IsControlKey(vk)) {
    if (!repeat) ctrlAlone_ = GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
    return 0;
  }
  ctrlAlone_ = false;
  if (IsModifierKey(vk)) return 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  for (const BoundKey& key : keys_) {
    if (key.chord.vk != vk || key.chord.ctrl != ctrl || key.chord.shift != shift || key.chord.alt != alt) continue;
    swallowedVk_ = static_cast<UINT>(vk);
    if (!repeat) sink_.command(sink_.reader, key.command.c_str());
    return 1;
  }
  // The key the program gets next: it says what the focused edit's next change reads.
  edits_.KeyWentDown(EditKey{static_cast<UINT>(vk), ctrl, shift});
  return 0;
}

int WindowWatcher::LoadSettings(VoxaReaderSettings* settings) {
  if (settings == nullptr) return -1;
  RegistryKey key(false);
  if (!key.open()) return -1;
  key.ReadNumber("Rate", &settings->rateStep);
  key.ReadNumber("WholeLineOnUpDown", &settings->wholeLineOnUpDown);
  key.ReadNumber("CharacterNames", &settings->characterNames);
  return 0;
}

int WindowWatcher::SaveSettings(const VoxaReaderSettings* settings) {
  if (settings == nullptr) return -1;
  RegistryKey key(true);
  if (!key.open()) return -1;
  const bool written = key.WriteNumber("Rate", settings->rateStep) &&
                       key.WriteNumber("WholeLineOnUpDown", settings->wholeLineOnUpDown) &&
                       key.WriteNumber("CharacterNames", settings->characterNames);
  return written ? 0 : -1;
}

std::string WindowWatcher::Describe(int question) {
  switch (question) {
    case kVoxaAskActiveTitle: {
      const HWND active = GetActiveWindow();
      return active ? MenuLabelName(WindowText(active), nullptr) : std::string();
    }
    case kVoxaAskFocus: {
      const HWND focus = GetFocus();
      return focus ? DescribeControl(DescribeForAccess(AccessEventKind::kFocusChanged, focus)) : std::string();
    }
    case kVoxaAskInputState: {
      std::string state = (GetKeyState(VK_KANA) & 1) ? "かな" : "英数";
      if (GetKeyState(VK_CAPITAL) & 1) state += std::string(1, static_cast<char>(0xFE)) + "大文字固定";
      return state;
    }
    default:
      return {};
  }
}

}  // namespace lexiv::reader
