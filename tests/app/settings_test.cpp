// Loading the settings record: the per-user key or else the installation's, per key and not per
// value, and the range rules of each value.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>

#include "app/settings_store.h"
#include "app_fixture.h"

namespace lexiv::testing {
namespace {

class SettingsTest : public AppFixture {
 protected:
  SettingsRecord Load() {
    SettingsRecord settings;
    LoadSettings(settings);
    return settings;
  }
};

TEST_F(SettingsTest, AUserKeyHoldingOnlyTheFontIgnoresTheInstallationDefaults) {
  WriteDword(HKEY_LOCAL_MACHINE, kDefaultSettingsKey, "ZoomRate", 5);
  WriteDword(HKEY_LOCAL_MACHINE, kDefaultSettingsKey, "SplitPos", 300);
  WriteDword(HKEY_LOCAL_MACHINE, kDefaultSettingsKey, "TitleMean", 0);
  WriteString(HKEY_CURRENT_USER, kSettingsKey, "FontName", "ＭＳ 明朝");
  const SettingsRecord s = Load();
  EXPECT_STREQ(s.fontName, "ＭＳ 明朝");
  EXPECT_EQ(s.zoomRate, 1u);
  EXPECT_EQ(s.splitPos, 150u);
  EXPECT_EQ(s.titleWidth1, 75u);
  EXPECT_EQ(s.titleMean, 1u);
}

TEST_F(SettingsTest, WithoutAUserKeyTheInstallationDefaultsAreUsed) {
  WriteDword(HKEY_LOCAL_MACHINE, kDefaultSettingsKey, "ZoomRate", 5);
  WriteDword(HKEY_LOCAL_MACHINE, kDefaultSettingsKey, "SplitPos", 300);
  const SettingsRecord s = Load();
  EXPECT_EQ(s.zoomRate, 5u);
  EXPECT_EQ(s.splitPos, 300u);
  EXPECT_EQ(s.titleWidth2, 150u);
}

TEST_F(SettingsTest, OutOfRangeAndMalformedValuesTakeTheirDefaults) {
  struct Case {
    const char* what;
    std::function<void()> write;
    std::function<bool(const SettingsRecord&)> holds;
  };
  const auto dword = [](const char* name, DWORD value) {
    return [=] { WriteDword(HKEY_CURRENT_USER, kSettingsKey, name, value); };
  };
  const Case cases[] = {
      {"ZoomRate 9", dword("ZoomRate", 9), [](const SettingsRecord& s) { return s.zoomRate == 1; }},
      {"ZoomRate 0", dword("ZoomRate", 0), [](const SettingsRecord& s) { return s.zoomRate == 1; }},
      {"ZoomRate 7", dword("ZoomRate", 7), [](const SettingsRecord& s) { return s.zoomRate == 7; }},
      {"ZoomMode 2", dword("ZoomMode", 2), [](const SettingsRecord& s) { return s.zoomMode == 0; }},
      {"ZoomMode 1", dword("ZoomMode", 1), [](const SettingsRecord& s) { return s.zoomMode == 1; }},
      {"TitleDispForm 3", dword("TitleDispForm", 3), [](const SettingsRecord& s) { return s.titleDispForm == 0; }},
      {"TitleWidth1 0, SplitPos 300",
       [&] {
         dword("TitleWidth1", 0)();
         dword("SplitPos", 300)();
       },
       [](const SettingsRecord& s) { return s.titleWidth1 == 150 && s.titleWidth2 == 150; }},
      {"TitleWidth1 0", dword("TitleWidth1", 0), [](const SettingsRecord& s) { return s.titleWidth1 == 75; }},
      {"FontName of 32 bytes", [] { WriteString(HKEY_CURRENT_USER, kSettingsKey, "FontName", std::string(32, 'A')); },
       [](const SettingsRecord& s) { return std::strcmp(s.fontName, kDefaultFontName) == 0; }},
      {"FontName of 31 bytes", [] { WriteString(HKEY_CURRENT_USER, kSettingsKey, "FontName", std::string(31, 'A')); },
       [](const SettingsRecord& s) { return std::string(s.fontName) == std::string(31, 'A'); }},
      {"SplitPos as text", [] { WriteString(HKEY_CURRENT_USER, kSettingsKey, "SplitPos", "200"); },
       [](const SettingsRecord& s) { return s.splitPos == 150; }},
      {"WindowPos of 40 bytes",
       [] {
         const std::string bytes(40, '\x01');
         WriteValue(HKEY_CURRENT_USER, kSettingsKey, "WindowPos", REG_BINARY, bytes.data(), 40);
       },
       [](const SettingsRecord& s) { return !s.HasWindowPos(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Each case starts from a user hive of its own.
    std::filesystem::remove(hiveDir() / "user.reg");
    c.write();
    EXPECT_TRUE(c.holds(Load()));
  }
}

TEST_F(SettingsTest, SavedSettingsLoadAsTheyWere) {
  SettingsRecord saved;
  saved.windowPos.length = sizeof(WINDOWPLACEMENT);
  saved.windowPos.showCmd = SW_SHOWMAXIMIZED;
  saved.windowPos.rcNormalPosition = RECT{8, 16, 400, 300};
  std::strcpy(saved.fontName, "ＭＳ 明朝");
  saved.textColor = 0x00FFFF;
  saved.zoomMode = 1;
  saved.zoomRate = 4;
  saved.splitPos = 210;
  saved.titleDispForm = 2;
  saved.titleWidth1 = 90;
  saved.titleWidth2 = 120;
  saved.titleIme = 0;
  saved.titleMean = 0;
  SaveSettings(saved);
  const SettingsRecord s = Load();
  EXPECT_EQ(std::memcmp(&s.windowPos, &saved.windowPos, sizeof saved.windowPos), 0);
  EXPECT_STREQ(s.fontName, "ＭＳ 明朝");
  EXPECT_EQ(s.textColor, 0x00FFFFu);
  EXPECT_EQ(s.zoomMode, 1u);
  EXPECT_EQ(s.zoomRate, 4u);
  EXPECT_EQ(s.splitPos, 210u);
  EXPECT_EQ(s.titleDispForm, 2u);
  EXPECT_EQ(s.titleWidth1, 90u);
  EXPECT_EQ(s.titleWidth2, 120u);
  EXPECT_EQ(s.titleIme, 0u);
  EXPECT_EQ(s.titleMean, 0u);
}

// Each write of a hive renames a temporary file of a name of its own over the hive (the moves
// from those names are counted: identical events for the hive's own name may be merged);
// saving the record at exit is one write.
TEST_F(SettingsTest, SavingTheRecordWritesTheUserHiveOnce) {
  SettingsRecord settings = Load();
  const int watch = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, hives_.path().c_str(), IN_MOVED_FROM), 0);
  settings.splitPos = 200;
  settings.zoomRate = 3;
  SaveSettings(settings);
  int writes = 0;
  alignas(inotify_event) char buffer[4096];
  for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
    for (char* p = buffer; p < buffer + n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      if (event->len > 0 && std::string(event->name).rfind(".user.reg.tmp-", 0) == 0) ++writes;
      p += sizeof(inotify_event) + event->len;
    }
  }
  ::close(watch);
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(Load().splitPos, 200u);
  EXPECT_EQ(Load().zoomRate, 3u);
}

}  // namespace
}  // namespace lexiv::testing
