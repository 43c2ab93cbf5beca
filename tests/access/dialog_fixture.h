// A user-interface thread on the headless driver with a main window, and registry hives of the
// test's own, where WindowOperation can be written.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <optional>
#include <string>

#include "access/window_operation.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window.h"
#include "platform/headless/headless_driver.h"
#include "platform/services/registry.h"
#include "support/temp_dir.h"

namespace lexiv::access {

using namespace lexiv::platform;

// Writes WindowOperation under root\subKey; nullopt writes nothing.
inline void WriteWindowOperation(HKEY root, const char* subKey, std::optional<DWORD> value) {
  if (!value) return;
  HKEY key{};
  ASSERT_EQ(RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
  const DWORD data = *value;
  EXPECT_EQ(RegSetValueExA(key, kWindowOperationValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data), ERROR_SUCCESS);
  RegCloseKey(key);
}

class RegistryFixture : public ::testing::Test {
 protected:
  RegistryFixture() { ::setenv("LEXIV_REGISTRY_DIR", hives_.path().c_str(), 1); }
  ~RegistryFixture() override { ::unsetenv("LEXIV_REGISTRY_DIR"); }

  // The user's setting, as the keyboard settings of the maker's programs write it.
  void SetWindowOperation(std::optional<DWORD> value) { WriteWindowOperation(HKEY_CURRENT_USER, kSystemGlobalSettingsKey, value); }

 private:
  lexiv::testing::TempDir hives_;
};

class DialogFixture : public RegistryFixture {
 protected:
  DialogFixture() {
    CreateParams params;
    params.text = "国語辞典";
    params.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    params.rect = RECT{0, 0, 640, 480};
    EXPECT_TRUE(main.Create(params));
    SetForegroundWindow(main.hwnd());
    PumpPending();
  }

  // Runs step when the program next waits with nothing to do (inside a dialog's modal loop).
  void Then(std::function<void()> step) { driver.Then(std::move(step)); }
  void Keys(std::initializer_list<const char*> chords) {
    for (const char* chord : chords) driver.Then([this, chord] { EXPECT_GE(driver.PressKey(chord), 0) << chord; });
  }

  HeadlessDriver driver;
  UiThread ui{driver};
  Window main;
};

}  // namespace lexiv::access
