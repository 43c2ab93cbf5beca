// The real libvoxausr.so, loaded by path from the build's bin directory, with its call log in a
// temporary file that VOXA_LOG names.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "voxausr.h"

namespace lexiv::testing {

struct VoxaFunctions {
  decltype(&::VOXASetStatus) SetStatus = nullptr;
  decltype(&::VOXAGetStatus) GetStatus = nullptr;
  decltype(&::VOXAGetVStatus) GetVStatus = nullptr;
  decltype(&::VOXAVoiceGuide) VoiceGuide = nullptr;
  decltype(&::VOXACommand) Command = nullptr;
  decltype(&::VOXAVReset) VReset = nullptr;
  decltype(&::VOXAStatus) Status = nullptr;
  decltype(&::VOXABeep) Beep = nullptr;
  decltype(&::VOXAGetVoiceLog) GetVoiceLog = nullptr;
  decltype(&::VOXAPRead) PRead = nullptr;
  decltype(&::VOXACGuide) CGuide = nullptr;
  decltype(&::VOXAPReadEx) PReadEx = nullptr;

  // Binds every function of the library at path; false when one is missing.
  bool Bind(const std::string& path) {
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) return false;
    return Find(SetStatus, "VOXASetStatus") && Find(GetStatus, "VOXAGetStatus") && Find(GetVStatus, "VOXAGetVStatus") &&
           Find(VoiceGuide, "VOXAVoiceGuide") && Find(Command, "VOXACommand") && Find(VReset, "VOXAVReset") &&
           Find(Status, "VOXAStatus") && Find(Beep, "VOXABeep") && Find(GetVoiceLog, "VOXAGetVoiceLog") &&
           Find(PRead, "VOXAPRead") && Find(CGuide, "VOXACGuide") && Find(PReadEx, "VOXAPReadEx");
  }

 private:
  template <typename F>
  bool Find(F& function, const char* name) {
    function = reinterpret_cast<F>(::dlsym(handle_, name));
    return function != nullptr;
  }
  void* handle_ = nullptr;  // kept loaded: the library is shared by the tests of the process
};

inline std::string VoxaLibraryPath() { return std::string(LEXIV_BIN_DIR) + "/libvoxausr.so"; }

// The library loaded once per process; the log goes to a fresh file per test.
class VoxaLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    logPath_ = (dir_.path() / "voxa.log").string();
    ::setenv("VOXA_LOG", logPath_.c_str(), 1);
    ::setenv("LEXIV_REGISTRY_DIR", dir_.path().c_str(), 1);
    static VoxaFunctions functions;
    static const bool bound = functions.Bind(VoxaLibraryPath());
    ASSERT_TRUE(bound) << ::dlerror();
    voxa = &functions;
  }
  void TearDown() override { ::unsetenv("VOXA_LOG"); }

  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::ifstream in(logPath_);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The lines starting with a name ("Reader" for what the reader said on its own).
  std::vector<std::string> LogLinesOf(const std::string& name) const {
    std::vector<std::string> lines;
    for (const std::string& line : LogLines())
      if (line.rfind(name + "\t", 0) == 0 || line == name) lines.push_back(line);
    return lines;
  }
  void ClearLog() const { std::ofstream(logPath_, std::ios::trunc); }

  VoxaFunctions* voxa = nullptr;
  TempDir dir_;
  std::string logPath_;
};

}  // namespace lexiv::testing
