// Fuzz target over the profile-string reader and writer: the input is an INI file. Reading any
// key gives a NUL-terminated value within the buffer; writing one key and reading it back gives
// what was written, and leaves another key of the file as it read before.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/services/profile_strings.h"

namespace {

// One scratch file for the whole run, removed when the run ends (a replay in the test suite would
// otherwise leave one in /tmp each time).
struct ScratchPath {
  ScratchPath() {
    char name[] = "/tmp/lexiv-profile-fuzz-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    path = name;
  }
  ~ScratchPath() { ::unlink(path.c_str()); }
  std::string path;
};

const std::string& ScratchFile() {
  static const ScratchPath scratch;
  return scratch.path;
}

std::string Read(const char* section, const char* key) {
  char buffer[64];
  std::memset(buffer, 'x', sizeof buffer);
  const std::uint32_t n = lexiv::platform::GetPrivateProfileStringA(section, key, "none", buffer, sizeof buffer,
                                                                    ScratchFile().c_str());
  if (n >= sizeof buffer || buffer[n] != '\0') __builtin_trap();
  return std::string(buffer, n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  const std::string other = Read("DLLSection", "ModifyKey");
  Read("DLLSection", "SearchKey    ");
  lexiv::platform::GetPrivateProfileIntA("DLLSection", "TmuxKeys", 1, ScratchFile().c_str());
  if (!lexiv::platform::WritePrivateProfileStringA("DLLSection", "SearchKey", "F11", ScratchFile().c_str())) return 0;
  if (Read("DLLSection", "SearchKey") != "F11") __builtin_trap();
  if (Read("DLLSection", "ModifyKey") != other) __builtin_trap();
  return 0;
}
