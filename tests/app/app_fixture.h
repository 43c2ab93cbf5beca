// The program on the headless driver with the fake reader, its registry hives in a directory of
// the test's own, installed as if in the build's bin directory (so the sample dictionary is its
// default dictionary).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "access/fake_reader.h"
#include "app/lexiv_app.h"
#include "platform/core/ui_thread.h"
#include "platform/headless/headless_driver.h"
#include "platform/headless/scenario_runner.h"
#include "platform/headless/screen_model.h"
#include "platform/services/registry.h"
#include "support/temp_dir.h"

namespace lexiv::testing {

using namespace lexiv::platform;

inline const std::string kInstalledProgram = std::string(LEXIV_BIN_DIR) + "/lexiv";

class AppFixture : public ::testing::Test {
 protected:
  AppFixture() { ::setenv("LEXIV_REGISTRY_DIR", hives_.path().c_str(), 1); }
  ~AppFixture() override {
    app.reset();
    ::unsetenv("LEXIV_REGISTRY_DIR");
  }

  LexivApp& NewApp() {
    app = std::make_unique<LexivApp>(kInstalledProgram);
    return *app;
  }

  static void WriteDword(HKEY root, const char* key, const char* name, DWORD value) {
    WriteValue(root, key, name, REG_DWORD, &value, sizeof value);
  }
  static void WriteString(HKEY root, const char* key, const char* name, const std::string& text) {
    WriteValue(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  static void WriteValue(HKEY root, const char* key, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY handle{};
    ASSERT_EQ(RegCreateKeyExA(root, key, 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(handle);
  }
  // The value's bytes, nullopt when it is not there.
  static std::optional<std::string> ReadValue(HKEY root, const char* key, const char* name) {
    HKEY handle{};
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
    std::string data(512, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG result = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    return data;
  }
  static std::optional<DWORD> ReadDword(HKEY root, const char* key, const char* name) {
    const auto bytes = ReadValue(root, key, name);
    if (!bytes || bytes->size() != 4) return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, bytes->data(), 4);
    return value;
  }

  std::string UserHiveText() const {
    std::ifstream in(hives_.path() / "user.reg");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  const std::filesystem::path& hiveDir() const { return hives_.path(); }

  // What went wrong, for a failure message: the speech and the screen.
  std::string Report() const { return reader.Report() + "\n" + ScenarioRunner::ToReportText(DescribeScreen()); }

  lexiv::testing::TempDir hives_;
  HeadlessDriver driver;
  UiThread ui{driver};
  access::FakeReader reader;
  std::unique_ptr<LexivApp> app;
};

}  // namespace lexiv::testing
