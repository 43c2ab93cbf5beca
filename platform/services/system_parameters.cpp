#include "platform/services/system_parameters.h"

#include <cstdint>
#include <string>

#include "platform/services/session_directory.h"
#include "platform/services/whole_file.h"

namespace lexiv::platform {

namespace {

constexpr char kSmoothScrollingName[] = "ListBoxSmoothScrolling";
BOOL ownSmoothScrolling = TRUE;

std::string ParametersFile() {
  std::string problem;
  const std::optional<std::string> directory = OpenSessionDirectory(&problem);
  return directory ? *directory + "/system-parameters" : std::string();
}

BOOL ReadSmoothScrolling() {
  const std::string path = ParametersFile();
  if (path.empty()) return ownSmoothScrolling;
  std::string contents;
  if (ReadWholeFile(path, 4096, contents) != 0) return TRUE;
  const std::string key = std::string(kSmoothScrollingName) + "=";
  const std::size_t at = contents.find(key);
  if (at == std::string::npos) return TRUE;
  return contents.compare(at + key.size(), 1, "0") == 0 ? FALSE : TRUE;
}

BOOL WriteSmoothScrolling(BOOL value) {
  const std::string path = ParametersFile();
  if (path.empty()) {
    ownSmoothScrolling = value;
    return TRUE;
  }
  const std::string contents = std::string(kSmoothScrollingName) + "=" + (value ? "1" : "0") + "\n";
  return WriteFileAtomically(path, contents) == 0 ? TRUE : FALSE;
}

}  // namespace

BOOL SystemParametersInfoA(UINT action, UINT, void* param, UINT) {
  switch (action) {
    case SPI_GETLISTBOXSMOOTHSCROLLING:
      if (param == nullptr) return FALSE;
      *static_cast<BOOL*>(param) = ReadSmoothScrolling();
      return TRUE;
    case SPI_SETLISTBOXSMOOTHSCROLLING:
      return WriteSmoothScrolling(reinterpret_cast<std::uintptr_t>(param) != 0 ? TRUE : FALSE);
    default: return FALSE;
  }
}

}  // namespace lexiv::platform
