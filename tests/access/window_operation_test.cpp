#include "access/window_operation.h"

#include "dialog_fixture.h"

namespace lexiv::access {
namespace {

class WindowOperationTest : public RegistryFixture {
 protected:
  HeadlessDriver driver;
  UiThread ui{driver};
};

TEST_F(WindowOperationTest, TheFirstValueFoundWinsInEachLookupsOrder) {
  const struct {
    std::optional<DWORD> userSettings, userDefault, machineSettings, machineDefault;
    std::optional<DWORD> enhancer, dialogBase;
  } cases[] = {
      {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
      {1, 0, 0, 0, 1, 1},
      {std::nullopt, 1, 0, 0, 1, 1},
      {std::nullopt, std::nullopt, 1, 0, 1, 0},  // the dialog base never looks at machine Settings
      {std::nullopt, std::nullopt, 2, std::nullopt, 2, std::nullopt},
      {std::nullopt, std::nullopt, std::nullopt, 1, 1, 1},
      {0, std::nullopt, std::nullopt, 1, 0, 0},
  };
  for (const auto& c : cases) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
      for (const char* key : {kSystemGlobalSettingsKey, kSystemGlobalDefaultKey}) {
        HKEY open{};
        if (RegOpenKeyExA(root, key, 0, KEY_WRITE, &open) == ERROR_SUCCESS) {
          RegDeleteValueA(open, kWindowOperationValue);
          RegCloseKey(open);
        }
      }
    WriteWindowOperation(HKEY_CURRENT_USER, kSystemGlobalSettingsKey, c.userSettings);
    WriteWindowOperation(HKEY_CURRENT_USER, kSystemGlobalDefaultKey, c.userDefault);
    WriteWindowOperation(HKEY_LOCAL_MACHINE, kSystemGlobalSettingsKey, c.machineSettings);
    WriteWindowOperation(HKEY_LOCAL_MACHINE, kSystemGlobalDefaultKey, c.machineDefault);
    EXPECT_EQ(ReadWindowOperation(WindowOperationLookup::kEnhancer), c.enhancer);
    EXPECT_EQ(ReadWindowOperation(WindowOperationLookup::kDialogBase), c.dialogBase);
    EXPECT_EQ(EnhancedKeysEnabled(WindowOperationLookup::kEnhancer), c.enhancer == DWORD{1});
  }
}

TEST_F(WindowOperationTest, AValueThatIsNotA32BitNumberIsNone) {
  HKEY key{};
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSystemGlobalSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegSetValueExA(key, kWindowOperationValue, 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  RegCloseKey(key);
  WriteWindowOperation(HKEY_CURRENT_USER, kSystemGlobalDefaultKey, 1);
  EXPECT_EQ(ReadWindowOperation(WindowOperationLookup::kEnhancer), DWORD{1}) << "the text value is passed over";
}

}  // namespace
}  // namespace lexiv::access
