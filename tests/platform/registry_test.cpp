#include "platform/services/registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/services/registry_hive.h"
#include "platform/services/whole_file.h"
#include "support/temp_dir.h"

namespace lexiv::platform {
namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Each test gets its own registry directory.
class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("LEXIV_REGISTRY_DIR", dir_.path().c_str(), 1); }
  void TearDown() override { ::unsetenv("LEXIV_REGISTRY_DIR"); }

  std::filesystem::path UserHive() const { return dir_.path() / "user.reg"; }
  std::filesystem::path MachineHive() const { return dir_.path() / "system.reg"; }

  // What a new process would find in the user hive file.
  const RegistryValue* ReadBackFromDisk(const std::vector<std::string>& keyPath, const std::string& name) {
    diskHive_ = std::make_unique<RegistryHive>("HKEY_CURRENT_USER", UserHive().string());
    if (diskHive_->Load() != ERROR_SUCCESS) return nullptr;
    return diskHive_->FindValue(keyPath, name);
  }

  LONG SetValue(HKEY root, const char* keyName, const char* valueName, DWORD type, const std::string& data) {
    HKEY key = 0;
    LONG result = RegCreateKeyExA(root, keyName, 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExA(key, valueName, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size()));
    LONG closed = RegCloseKey(key);
    return result != ERROR_SUCCESS ? result : closed;
  }

  // The value's bytes and type, or the error of the open or query.
  LONG QueryValue(HKEY root, const char* keyName, const char* valueName, DWORD& type, std::string& data) {
    HKEY key = 0;
    LONG result = RegOpenKeyExA(root, keyName, 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS) return result;
    DWORD size = 0;
    result = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
      data.assign(size, '\0');
      result = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    }
    RegCloseKey(key);
    return result;
  }

  testing::TempDir dir_;
  std::unique_ptr<RegistryHive> diskHive_;
};

const char* const kSettings = "Software\\TKV\\Lexiv\\Settings";
const std::vector<std::string> kSettingsPath = {"Software", "TKV", "Lexiv", "Settings"};

struct RoundTripCase {
  const char* label;
  DWORD type;
  std::string data;           // as set
  std::string storedData;     // as held afterwards (REG_SZ without its NUL)
  std::string lineOnDisk;     // the first line of the value in the file
};

TEST_F(RegistryTest, EachValueTypeSurvivesTheFile) {
  std::string placement(44, '\0');
  placement[0] = 0x2c;
  placement[8] = 0x02;
  const std::vector<RoundTripCase> cases = {
      {"ascii", REG_SZ, std::string("abc\0", 4), "abc", "\"V\"=\"abc\""},
      {"japanese", REG_SZ, std::string("ＭＳ ゴシック") + '\0', "ＭＳ ゴシック", Utf8(u8"\"V\"=\"ＭＳ ゴシック\"")},
      {"escapes", REG_SZ, "C:\\dir\\\"x\"", "C:\\dir\\\"x\"", "\"V\"=\"C:\\\\dir\\\\\\\"x\\\"\""},
      {"user-defined area", REG_SZ, "\xF0\x40", "\xF0\x40", Utf8(u8"\"V\"=\"\uE000\"")},
      {"not shift-jis", REG_SZ, "a\x81", "a\x81", "\"V\"=hex(1):61,81"},
      {"line break", REG_SZ, "a\r\nb", "a\r\nb", "\"V\"=hex(1):61,0d,0a,62"},
      {"dword", REG_DWORD, std::string("\x0c\0\0\0", 4), std::string("\x0c\0\0\0", 4), "\"V\"=dword:0000000c"},
      {"binary wraps", REG_BINARY, placement, placement,
       "\"V\"=hex:2c,00,00,00,00,00,00,00,02,00,00,00,00,00,00,00,00,00,00,00,00,00,\\"},
      {"empty binary", REG_BINARY, "", "", "\"V\"=hex:"},
  };
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_EQ(SetValue(HKEY_CURRENT_USER, kSettings, "V", c.type, c.data), ERROR_SUCCESS);

    const RegistryValue* onDisk = ReadBackFromDisk(kSettingsPath, "V");
    ASSERT_NE(onDisk, nullptr);
    EXPECT_EQ(onDisk->type, c.type);
    EXPECT_EQ(onDisk->data, c.storedData);
    EXPECT_THAT(ReadText(UserHive()), ::testing::HasSubstr(c.lineOnDisk + "\n"));

    DWORD type = 0;
    std::string data;
    ASSERT_EQ(QueryValue(HKEY_CURRENT_USER, kSettings, "V", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(data, c.type == REG_SZ ? c.storedData + '\0' : c.storedData);
  }
}

TEST_F(RegistryTest, QueryFollowsTheBufferSizeRules) {
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, kSettings, "FontName", REG_SZ, std::string("ABCDE\0", 6)), ERROR_SUCCESS);
  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\tkv\\LEXIV\\settings", 0, KEY_READ, &key), ERROR_SUCCESS);

  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "fontname", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 6u);

  char small[4] = {'x', 'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(key, "FontName", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::string(small, 4), "xxxx");

  char exact[6];
  size = sizeof exact;
  EXPECT_EQ(RegQueryValueExA(key, "FontName", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size), ERROR_SUCCESS);
  EXPECT_STREQ(exact, "ABCDE");

  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "FontName", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, KeysExistWithTheirParentsAndReportHowTheyWereOpened) {
  HKEY key = 0;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0u);

  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettings, 0, "", 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_THAT(ReadText(UserHive()), ::testing::HasSubstr("[HKEY_CURRENT_USER\\Software\\TKV\\Lexiv\\Settings]\n"));

  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettings, 0, "", 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(key);

  HKEY parent = 0, child = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TKV", 0, KEY_READ, &parent), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(parent, "Lexiv\\Settings", 0, KEY_READ, &child), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(parent, "Lexi", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  RegCloseKey(child);
  RegCloseKey(parent);
}

TEST_F(RegistryTest, RefusesWhatItCannotDo) {
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, kSettings, "ZoomRate", REG_DWORD, std::string(4, '\1')), ERROR_SUCCESS);
  HKEY readOnly = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  DWORD four = 4;
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&four);
  EXPECT_EQ(RegSetValueExA(readOnly, "ZoomRate", 0, REG_DWORD, bytes, 4), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(readOnly, "ZoomRate"), ERROR_ACCESS_DENIED);
  RegCloseKey(readOnly);
  EXPECT_EQ(RegCloseKey(readOnly), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegSetValueExA(readOnly, "ZoomRate", 0, REG_DWORD, bytes, 4), ERROR_INVALID_HANDLE);

  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, "ZoomRate", 0, REG_DWORD, bytes, 2), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key, "Bad\nName", 0, REG_DWORD, bytes, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key, "V", 0, REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyExA(key, "Bad\tKey", 0, "", 0, KEY_ALL_ACCESS, nullptr, &readOnly, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteValueA(key, "Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key, "zoomrate"), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_THAT(ReadText(UserHive()), ::testing::Not(::testing::HasSubstr("ZoomRate")));
}

TEST_F(RegistryTest, LinesItDoesNotKnowAreKeptInPlace) {
  const std::string before =
      "REGEDIT4\r\n"
      "; written by hand\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Elsewhere]\r\n"
      "\"Foreign\"=dword:00000001\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\TKV\\Lexiv\\Settings]\r\n"
      "\"Old\"=-\r\n"
      "\"ZoomRate\"=dword:00000001\r\n"
      "\"Broken\"=dword:xyz\r\n"
      "\"WindowPos\"=hex:01,02,\\\r\n"
      "  03\r\n"
      "garbage line\r\n"
      "\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n"
      "[HKEY_CURRENT_USER\\Software\\TKV\\Other]\r\n"
      "\"Kept\"=\"x\"";
  WriteText(UserHive(), before);

  HKEY key = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD type = 0;
  BYTE placement[8];
  DWORD size = sizeof placement;
  ASSERT_EQ(RegQueryValueExA(key, "WindowPos", nullptr, &type, placement, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(RegQueryValueExA(key, "Broken", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  DWORD three = 3;
  ASSERT_EQ(RegSetValueExA(key, "zoomrate", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&three), 4), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "SplitPos", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&three), 4), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, "Software\\TKV\\New", "", REG_SZ, "d"), ERROR_SUCCESS);

  const std::string after =
      "REGEDIT4\r\n"
      "; written by hand\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Elsewhere]\r\n"
      "\"Foreign\"=dword:00000001\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\TKV\\Lexiv\\Settings]\r\n"
      "\"Old\"=-\r\n"
      "\"ZoomRate\"=dword:00000003\r\n"
      "\"Broken\"=dword:xyz\r\n"
      "\"WindowPos\"=hex:01,02,\\\r\n"
      "  03\r\n"
      "garbage line\r\n"
      "\"SplitPos\"=dword:00000003\r\n"
      "\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n"
      "[HKEY_CURRENT_USER\\Software\\TKV\\Other]\r\n"
      "\"Kept\"=\"x\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\TKV\\New]\r\n"
      "@=\"d\"\r\n";
  EXPECT_EQ(ReadText(UserHive()), after);
}

TEST_F(RegistryTest, ACrashBeforeTheRenameLeavesTheOldHiveWhole) {
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, kSettings, "ZoomRate", REG_DWORD, std::string("\1\0\0\0", 4)), ERROR_SUCCESS);
  const std::string old = ReadText(UserHive());

  InterruptAtomicWritesBeforeRename(true);
  LONG interrupted = SetValue(HKEY_CURRENT_USER, kSettings, "ZoomRate", REG_DWORD, std::string("\7\0\0\0", 4));
  InterruptAtomicWritesBeforeRename(false);
  EXPECT_NE(interrupted, ERROR_SUCCESS);

  EXPECT_EQ(ReadText(UserHive()), old);
  int strayFiles = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
    strayFiles += entry.path().filename() != "user.reg";
  EXPECT_EQ(strayFiles, 1) << "the interrupted write leaves its temporary file, as a crash would";
  const RegistryValue* onDisk = ReadBackFromDisk(kSettingsPath, "ZoomRate");
  ASSERT_NE(onDisk, nullptr);
  EXPECT_EQ(onDisk->data, std::string("\1\0\0\0", 4));

  // The change is still held and goes to disk with the next flush.
  EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  onDisk = ReadBackFromDisk(kSettingsPath, "ZoomRate");
  ASSERT_NE(onDisk, nullptr);
  EXPECT_EQ(onDisk->data, std::string("\7\0\0\0", 4));
}

TEST_F(RegistryTest, MachineAndUserHivesAreSeparateFiles) {
  ASSERT_EQ(SetValue(HKEY_LOCAL_MACHINE, "Software\\TKV\\Lexiv\\Directories", "DicDir", REG_SZ, "/machine/"),
            ERROR_SUCCESS);
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, "Software\\TKV\\Lexiv\\Directories", "DicDir", REG_SZ, "/user/"),
            ERROR_SUCCESS);
  EXPECT_THAT(ReadText(MachineHive()), ::testing::HasSubstr("[HKEY_LOCAL_MACHINE\\Software\\TKV\\Lexiv\\Directories]\n"
                                                            "\"DicDir\"=\"/machine/\"\n"));
  EXPECT_THAT(ReadText(UserHive()), ::testing::HasSubstr("\"DicDir\"=\"/user/\""));

  DWORD type = 0;
  std::string data;
  ASSERT_EQ(QueryValue(HKEY_LOCAL_MACHINE, "Software\\TKV\\Lexiv\\Directories", "DicDir", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("/machine/\0", 10));
  ASSERT_EQ(QueryValue(HKEY_CURRENT_USER, "Software\\TKV\\Lexiv\\Directories", "DicDir", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("/user/\0", 7));

  testing::TempDir other;
  ::setenv("LEXIV_REGISTRY_DIR", other.path().c_str(), 1);
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, "Software\\TKV\\Lexiv\\Directories", "DicDir", type, data),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, WithoutARegistryDirectoryTheUserHiveFollowsTheConfigDirectory) {
  ::unsetenv("LEXIV_REGISTRY_DIR");
  const char* savedHome = std::getenv("HOME");
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  std::string home = savedHome != nullptr ? savedHome : "";
  std::string config = savedConfig != nullptr ? savedConfig : "";

  struct LocationCase {
    std::string configHome;  // empty: unset
    std::filesystem::path expected;
  };
  const std::vector<LocationCase> cases = {
      {(dir_.path() / "config").string(), dir_.path() / "config/lexiv/user.reg"},
      {"", dir_.path() / ".config/lexiv/user.reg"},
  };
  ::setenv("HOME", dir_.path().c_str(), 1);
  for (const LocationCase& c : cases) {
    SCOPED_TRACE(c.expected.string());
    if (!c.configHome.empty()) ::setenv("XDG_CONFIG_HOME", c.configHome.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SetValue(HKEY_CURRENT_USER, kSettings, "SplitPos", REG_DWORD, std::string(4, '\0')), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(c.expected));
  }

  if (savedHome != nullptr) ::setenv("HOME", home.c_str(), 1);
  if (savedConfig != nullptr) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  else ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(RegistryTest, AHiveChangedByAnotherProgramIsReadAgain) {
  ASSERT_EQ(SetValue(HKEY_CURRENT_USER, kSettings, "SplitPos", REG_DWORD, std::string("\1\0\0\0", 4)), ERROR_SUCCESS);
  WriteText(UserHive(),
            "REGEDIT4\n; edited by hand\n[HKEY_CURRENT_USER\\Software\\TKV\\Lexiv\\Settings]\n\"SplitPos\"=dword:000000c8\n");
  DWORD type = 0;
  std::string data;
  ASSERT_EQ(QueryValue(HKEY_CURRENT_USER, kSettings, "SplitPos", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("\xc8\0\0\0", 4));
}

TEST_F(RegistryTest, AnUnreadableHiveIsNeverOverwritten) {
  struct UnreadableCase {
    const char* label;
    bool directory;
    std::string contents;
  };
  const std::vector<UnreadableCase> cases = {
      {"other format", false, "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software]\n"},
      {"binary", false, std::string("\0\1\2REGEDIT4", 11)},
      {"a directory", true, ""},
  };
  for (const UnreadableCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::filesystem::remove_all(UserHive());
    if (c.directory) std::filesystem::create_directory(UserHive());
    else WriteText(UserHive(), c.contents);

    HKEY key = 0;
    EXPECT_NE(RegCreateKeyExA(HKEY_CURRENT_USER, kSettings, 0, "", 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD one = 1;
    EXPECT_NE(RegSetValueExA(HKEY_CURRENT_USER, "V", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_SUCCESS);
    EXPECT_NE(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_THAT(RegistryHiveProblem(HKEY_CURRENT_USER), ::testing::HasSubstr(UserHive().string()));
    if (c.directory) EXPECT_TRUE(std::filesystem::is_directory(UserHive()));
    else EXPECT_EQ(ReadText(UserHive()), c.contents);
  }
  std::filesystem::remove_all(UserHive());
  EXPECT_EQ(RegistryHiveProblem(HKEY_CURRENT_USER), "");
}

// Where the machine hive is read from: a system-wide file wins while it exists, the installation's
// own is the fallback, and LEXIV_REGISTRY_DIR overrides both.
TEST_F(RegistryTest, MachineHiveFallsBackToTheInstallationsOwn) {
  const std::filesystem::path systemWide = dir_.path() / "etc" / "system.reg";
  const std::filesystem::path installation = dir_.path() / "programs" / "system.reg";
  std::filesystem::create_directories(systemWide.parent_path());
  std::filesystem::create_directories(installation.parent_path());
  const auto hiveWithManual = [](const char* manual) {
    return std::string("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\TKV\\Lexiv\\Directories]\n\"Manual\"=\"") + manual +
           "\"\n";
  };
  WriteText(installation, hiveWithManual("/opt/lexiv/Manual/"));
  WriteText(MachineHive(), hiveWithManual("/override/Manual/"));
  ReplaceMachineHiveLocations(systemWide.string(), installation.string());

  const auto manual = [&] {
    DWORD type = 0;
    std::string data;
    if (QueryValue(HKEY_LOCAL_MACHINE, "Software\\TKV\\Lexiv\\Directories", "Manual", type, data) != ERROR_SUCCESS)
      return std::string("(none)");
    return std::string(data.c_str());
  };
  EXPECT_EQ(manual(), "/override/Manual/") << "LEXIV_REGISTRY_DIR wins";
  ::unsetenv("LEXIV_REGISTRY_DIR");
  EXPECT_EQ(manual(), "/opt/lexiv/Manual/") << "no system-wide hive: the installation's";
  WriteText(systemWide, hiveWithManual("/usr/share/lexiv/Manual/"));
  EXPECT_EQ(manual(), "/usr/share/lexiv/Manual/") << "a system-wide hive that appeared wins";
  std::filesystem::remove(systemWide);
  EXPECT_EQ(manual(), "/opt/lexiv/Manual/");
  ReplaceMachineHiveLocations("", "");
}

// The tests run beside the built programs, where the build wrote the installation's hive.
TEST_F(RegistryTest, TheBuildsOwnHiveNamesTheEditorAndTheManuals) {
  ::unsetenv("LEXIV_REGISTRY_DIR");
  ReplaceMachineHiveLocations((dir_.path() / "no-such-system.reg").string(), "");
  const std::string programs = std::string(LEXIV_BIN_DIR) + "/";
  const struct {
    const char* key;
    const char* name;
    std::string value;
  } expected[] = {
      {"Software\\TKV\\Penra\\Directories", "ProductDir", programs},
      {"Software\\TKV\\Penra\\Directories", "ProductFile", "penra"},
      {"Software\\TKV\\Lexiv\\Directories", "Manual", programs + "Manual/"},
      {"Software\\TKV\\System Global\\Directories", "Manual", programs + "Manual/"},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    DWORD type = 0;
    std::string data;
    ASSERT_EQ(QueryValue(HKEY_LOCAL_MACHINE, e.key, e.name, type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(std::string(data.c_str()), e.value);
  }
  ReplaceMachineHiveLocations("", "");
}

}  // namespace
}  // namespace lexiv::platform
