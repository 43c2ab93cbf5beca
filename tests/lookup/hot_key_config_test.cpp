// The hot keys as LEXIV.INI gives them, and the check every key going down in
// another program meets.
#include "lookup/hot_key_config.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <set>
#include <string>

#include "support/temp_dir.h"

namespace lexiv::lookup {
namespace {

constexpr std::uint32_t kShift = 0x10, kCtrl = 0x11, kAlt = 0x12, kF11 = 0x7A,
                        kF12 = 0x7B;

struct ConfigCase {
  const char *name;
  const char *iniText; // nullptr: no file
  KeySlots modifiers;
  KeySlots caretKeys;
  KeySlots clipboardKeys;
};

class HotKeyConfigTest : public ::testing::TestWithParam<ConfigCase> {
protected:
  HotKeyConfig Load(const char *text) {
    const std::string path = dir_.dir() + "LEXIV.INI";
    if (text != nullptr)
      std::ofstream(path) << text;
    return LoadHotKeyConfig(path);
  }
  testing::TempDir dir_;
};

TEST_P(HotKeyConfigTest, ReadsTheTablesAsTheFileGivesThem) {
  const ConfigCase &c = GetParam();
  const HotKeyConfig config = Load(c.iniText);
  EXPECT_EQ(config.modifierKeys, c.modifiers);
  EXPECT_EQ(config.hotKeys[0].command, kCaretLookupCommand);
  EXPECT_EQ(config.hotKeys[0].keys, c.caretKeys);
  EXPECT_EQ(config.hotKeys[1].command, kClipboardLookupCommand);
  EXPECT_EQ(config.hotKeys[1].keys, c.clipboardKeys);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HotKeyConfigTest,
    ::testing::Values(
        ConfigCase{"NoFile", nullptr, {kCtrl, kShift}, {kF11}, {}},
        ConfigCase{
            "EmptySection", "[DLLSection]\n", {kCtrl, kShift}, {kF11}, {}},
        ConfigCase{"None",
                   "[DLLSection]\nModifyKey=NONE\nSearchKey=F11\n",
                   {},
                   {kF11},
                   {}},
        ConfigCase{"NoneEndsTheList",
                   "[DLLSection]\nModifyKey=SHIFT,NONE,CTRL\n",
                   {kShift},
                   {kF11},
                   {}},
        // A list ended by NONE before any known name means no modifier, not the
        // default.
        ConfigCase{"UnknownThenNone",
                   "[DLLSection]\nModifyKey=ctrl,NONE\n",
                   {},
                   {kF11},
                   {}},
        ConfigCase{"LowerCaseIsUnknown",
                   "[DLLSection]\nModifyKey=ctrl\n",
                   {kCtrl, kShift},
                   {kF11},
                   {}},
        ConfigCase{"BlanksInsideAToken",
                   "[DLLSection]\nModifyKey=CTRL, ALT\n",
                   {kCtrl},
                   {kF11},
                   {}},
        ConfigCase{"FiveNamesKeepFour",
                   "[DLLSection]\nModifyKey=CTRL,SHIFT,ALT,A,B\n",
                   {kCtrl, kShift, kAlt, 0x41},
                   {kF11},
                   {}},
        ConfigCase{"EmptyTokensSkipped",
                   "[DLLSection]\nModifyKey=,,ALT,\n",
                   {kAlt},
                   {kF11},
                   {}},
        ConfigCase{"SearchKeyNoneIsUnknown",
                   "[DLLSection]\nSearchKey=NONE\n",
                   {kCtrl, kShift},
                   {kF11},
                   {}},
        ConfigCase{"TwoSearchKeys",
                   "[DLLSection]\nSearchKey=F11,F12\n",
                   {kCtrl, kShift},
                   {kF11, kF12},
                   {}},
        ConfigCase{"ClipboardKey",
                   "[DLLSection]\nClipSearchKey=F12\n",
                   {kCtrl, kShift},
                   {kF11},
                   {kF12}},
        // The key asked for as "SearchKey    " is the line without the blanks.
        ConfigCase{"SearchKeyWithBlanks",
                   "[DLLSection]\nSearchKey  =  F10\n",
                   {kCtrl, kShift},
                   {0x79},
                   {}},
        ConfigCase{"PageKeysAsTheTableHasThem",
                   "[DLLSection]\nSearchKey=PGUP,PGDOWN,XFER,\\\n",
                   {kCtrl, kShift},
                   {0x22, 0x21, 0x19, 0xDC},
                   {}},
        ConfigCase{"OtherSection",
                   "[Other]\nModifyKey=ALT\nSearchKey=F1\n",
                   {kCtrl, kShift},
                   {kF11},
                   {}}),
    [](const auto &info) { return std::string(info.param.name); });

class UnderscoreKeyTest : public HotKeyConfigTest {
protected:
  ~UnderscoreKeyTest() override { unsetenv("LEXIV_KEYBOARD_SUBTYPE"); }
};

TEST_F(UnderscoreKeyTest, DependsOnTheKeyboardSubtypeForModifiersAndKeysAlike) {
  const char *text = "[DLLSection]\nModifyKey=_\nSearchKey=_\n";
  const struct {
    const char *subtype; // nullptr: unset
    std::uint32_t code;
  } cases[] = {{nullptr, 0xE2},  {"0x0D00", 0xDF}, {"0x0F05", 0xDF},
               {"0x0C00", 0xE2}, {"3328", 0xDF},   {"junk", 0xE2}};
  for (const auto &c : cases) {
    if (c.subtype != nullptr)
      setenv("LEXIV_KEYBOARD_SUBTYPE", c.subtype, 1);
    else
      unsetenv("LEXIV_KEYBOARD_SUBTYPE");
    const HotKeyConfig config = Load(text);
    EXPECT_EQ(config.modifierKeys[0], c.code)
        << (c.subtype ? c.subtype : "unset");
    EXPECT_EQ(config.hotKeys[0].keys[0], c.code)
        << (c.subtype ? c.subtype : "unset");
  }
}

TEST(KeyNameTableTest, HoldsOneHundredDistinctNames) {
  std::set<std::string_view> names;
  for (const KeyName &key : KeyNameTable())
    names.insert(key.name);
  EXPECT_EQ(names.size(), 100u);
  EXPECT_EQ(KeyNameTable().size(), 100u);
  const struct {
    const char *name;
    std::uint32_t code;
  } spots[] = {{"0", 0x30},     {"Z", 0x5A},        {"F15", 0x7E},
               {"NUM9", 0x69},  {"COMMA", 0xBC},    {"NFER", 0x1D},
               {"EQUAL", 0x92}, {"SUBTRACT", 0x6D}, {"ESC", 0x1B},
               {"RIGHT", 0x27}, {"UP", 0x26}};
  for (const auto &spot : spots)
    EXPECT_EQ(KeyCodeOfName(spot.name, 0), spot.code) << spot.name;
  EXPECT_FALSE(KeyCodeOfName("a", 0));
  EXPECT_FALSE(KeyCodeOfName("F16", 0));
  EXPECT_FALSE(KeyCodeOfName(" F1", 0));
}

KeyProbe Probe(std::uint32_t key, std::initializer_list<std::uint32_t> held) {
  KeyProbe probe{};
  probe.virtualKey = key;
  for (const std::uint32_t h : held)
    probe.keyState[h] = 0x80;
  probe.keyState[key] |= 0x80;
  return probe;
}

TEST(CheckHotKeyTest, MatchesTheConfiguredModifiersAndKeys) {
  HotKeyConfig ctrlShift; // the defaults
  ctrlShift.modifierKeys = {kCtrl, kShift};
  ctrlShift.hotKeys[0].keys = {kF11};
  ctrlShift.hotKeys[1].keys = {kF12,
                               kF11}; // F11 under both: the first entry wins
  HotKeyConfig none = ctrlShift;
  none.modifierKeys = {};
  HotKeyConfig ctrl = ctrlShift;
  ctrl.modifierKeys = {kCtrl};

  const struct {
    const char *what;
    const HotKeyConfig &config;
    KeyProbe probe;
    std::uint32_t command;
  } cases[] = {
      {"Ctrl+Shift+F11", ctrlShift, Probe(kF11, {kCtrl, kShift}),
       kCaretLookupCommand},
      {"Ctrl+Shift+F12", ctrlShift, Probe(kF12, {kCtrl, kShift}),
       kClipboardLookupCommand},
      {"Ctrl+Shift+Alt+F11: more modifiers still match", ctrlShift,
       Probe(kF11, {kCtrl, kShift, kAlt}), kCaretLookupCommand},
      {"Ctrl+F11 without Shift", ctrlShift, Probe(kF11, {kCtrl}), 0},
      {"Ctrl+Shift+F10", ctrlShift, Probe(0x79, {kCtrl, kShift}), 0},
      {"F11 alone with no modifiers configured", none, Probe(kF11, {}),
       kCaretLookupCommand},
      {"Shift+F11 with none configured", none, Probe(kF11, {kShift}), 0},
      {"Ctrl+F11 with none configured", none, Probe(kF11, {kCtrl}), 0},
      {"Alt+F11 with none configured", none, Probe(kF11, {kAlt}), 0},
      {"Ctrl+F11 with Ctrl configured", ctrl, Probe(kF11, {kCtrl}),
       kCaretLookupCommand},
      {"Ctrl+Shift+F11 with Ctrl configured", ctrl,
       Probe(kF11, {kCtrl, kShift}), kCaretLookupCommand},
  };
  for (const auto &c : cases)
    EXPECT_EQ(CheckHotKey(c.config, c.probe), c.command) << c.what;
}

TEST(CheckHotKeyTest, AZeroKeyNeverMatchesAnEmptySlot) {
  HotKeyConfig config;
  config.modifierKeys = {};
  config.hotKeys[0].keys = {kF11};
  EXPECT_EQ(CheckHotKey(config, Probe(0, {})), 0u);
}

} // namespace
} // namespace lexiv::lookup
