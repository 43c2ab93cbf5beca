#include "manuals/launch_manual.h"

#include "platform/services/process_launcher.h"
#include "platform/services/registry.h"

namespace lexiv::manuals {

using namespace lexiv::platform;

namespace {

// A path value holds at most this many bytes; a longer one counts as missing rather than cut.
constexpr DWORD kMaxPathValueBytes = 260;

// A text value of an open key; empty when it is missing, too long or not text.
std::string QueryText(HKEY key, const char* name) {
  char buffer[kMaxPathValueBytes + 1] = {};
  DWORD type = 0;
  DWORD size = kMaxPathValueBytes;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  return std::string(buffer);
}

// The key under root, closed when it goes.
class OpenKey {
 public:
  explicit OpenKey(HKEY root)
      : opened_(RegOpenKeyExA(root, kEditorDirectoriesKey, 0, KEY_READ, &key_) == ERROR_SUCCESS) {}
  ~OpenKey() {
    if (opened_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  bool opened() const { return opened_; }
  std::string Text(const char* name) const { return opened_ ? QueryText(key_, name) : std::string(); }

 private:
  HKEY key_{};
  bool opened_ = false;
};

}  // namespace

ManualOpenCommand ManualOpenCommandFor(std::string_view manualPath) {
  const OpenKey machine(HKEY_LOCAL_MACHINE);
  std::string editorDir = machine.Text("ProductDir");
  std::string editorFile;
  if (!editorDir.empty()) {
    editorFile = machine.Text("ProductFile");
  } else {
    const OpenKey user(HKEY_CURRENT_USER);
    // The key read last names the file: the user's when it could be opened.
    if (user.opened()) {
      editorDir = user.Text("ProductDir");
      editorFile = user.Text("ProductFile");
    } else {
      editorFile = machine.Text("ProductFile");
    }
  }

  ManualOpenCommand command;
  if (!editorDir.empty() && !editorFile.empty()) {
    command.program = editorDir;
    if (command.program.back() != '/') command.program += '/';
    command.program += editorFile;
    command.parameters = "/endesc /ro \"" + std::string(manualPath) + "\"";
  } else {
    command.program = "\"" + std::string(manualPath) + "\"";
  }
  return command;
}

bool LaunchManual(std::string_view manualPath) {
  const ManualOpenCommand command = ManualOpenCommandFor(manualPath);
  const char* parameters = command.parameters.empty() ? nullptr : command.parameters.c_str();
  return ShellExecuteA(HWND{}, nullptr, command.program.c_str(), parameters, nullptr, SW_SHOWNORMAL) > 32;
}

}  // namespace lexiv::manuals
