// The viewer on the headless driver with a reader object of the test's own, which records every
// method call as the log writes it ("VOXAObject1\tテキスト", in program text), and a registry and
// manual tree made by the test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "docpick/docpick_form.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/ui_thread.h"
#include "platform/core/window_functions.h"
#include "platform/headless/headless_driver.h"
#include "platform/services/registry.h"
#include "platform/services/shift_jis_text.h"
#include "support/temp_dir.h"

namespace lexiv::docpick::testing {

using namespace lexiv::platform;

// A reader object whose calls are written down; its speech takes no time.
struct RecordingReader {
  VoxaObject base;
  std::vector<std::string>* calls;

  static RecordingReader* Of(VoxaObject* self) { return reinterpret_cast<RecordingReader*>(self); }
  static long AddRef(VoxaObject*) { return 1; }
  static long Release(VoxaObject* self) {
    delete Of(self);
    return 0;
  }
  static long Speak(VoxaObject* self, const char* text, long* result) {
    Of(self)->calls->push_back(std::string("VOXAObject1\t") + text);
    if (result != nullptr) *result = 1;
    return 0;
  }
  static long Simple(VoxaObject* self, const char* name) {
    Of(self)->calls->push_back(name);
    return 0;
  }
  static long Stop(VoxaObject* self) { return Simple(self, "VOXAObject2"); }
  static long Off(VoxaObject* self) { return Simple(self, "VOXAObject3"); }
  static long On(VoxaObject* self) { return Simple(self, "VOXAObject4"); }
  static long Wait(VoxaObject* self, long*) { return Simple(self, "VOXAObject6"); }
  static long State(VoxaObject* self, long*, long*, long*) { return Simple(self, "VOXAObject9"); }

  static VoxaObject* Make(std::vector<std::string>* calls) {
    static const VoxaObjectMethods methods = {AddRef,  Release, Speak,   Stop,    Off,  On,
                                              nullptr, Wait,    nullptr, nullptr, State};
    auto* reader = new RecordingReader{{&methods}, calls};
    return &reader->base;
  }
};

class DocpickFixture : public ::testing::Test {
 protected:
  DocpickFixture() {
    ::setenv("LEXIV_REGISTRY_DIR", hives_.path().c_str(), 1);
    ::setenv("LEXIV_SESSION_DIR", (hives_.path() / "session").c_str(), 1);
    std::filesystem::create_directories(hives_.path() / "session");
    std::filesystem::permissions(hives_.path() / "session", std::filesystem::perms::owner_all);
  }
  ~DocpickFixture() override {
    form.reset();
    ::unsetenv("LEXIV_REGISTRY_DIR");
    ::unsetenv("LEXIV_SESSION_DIR");
  }

  static void WriteString(HKEY root, const std::string& key, const char* name, const std::string& text) {
    WriteValue(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  static void WriteDword(HKEY root, const std::string& key, const char* name, DWORD value) {
    WriteValue(root, key, name, REG_DWORD, &value, sizeof value);
  }
  static void WriteValue(HKEY root, const std::string& key, const char* name, DWORD type, const void* data,
                         DWORD size) {
    HKEY handle{};
    ASSERT_EQ(
        RegCreateKeyExA(root, key.c_str(), 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(handle);
  }

  // A directory of the manual tree (program text path, ending in '/').
  std::string ManualDir(const std::string& name) {
    const std::filesystem::path dir = hives_.path() / "manuals" / name;
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
  }
  static void WriteFile(const std::string& dir, const std::string& name, const std::string& bytes) {
    std::ofstream(dir + name, std::ios::binary) << bytes;
  }

  // The general manual directory and one product ("国語辞典") with the given manuals.
  std::string OurManuals(const std::vector<std::pair<std::string, std::string>>& files) {
    const std::string general = ManualDir("general");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\System Global\\Directories", "Manual", general);
    const std::string ours = ManualDir("lexiv");
    WriteString(HKEY_LOCAL_MACHINE, "Software\\TKV\\LEXIV\\Directories", "manual", ours);
    for (const auto& [name, bytes] : files) WriteFile(ours, name, bytes);
    return ours;
  }

  // Starts the viewer; the recorded calls start empty after the start-up.
  int StartForm(bool withReader = true) {
    form = std::make_unique<DocpickForm>("libdocpick-test-no-such-reader.so");
    if (withReader) form->UseReader(ReaderObject(RecordingReader::Make(&calls)));
    return form->Start();
  }

  void Press(const char* key, std::uint32_t settleMs = 100) {
    ASSERT_EQ(driver.PressKey(key), 0) << key;
    driver.RunFor(settleMs);
  }

  // The texts spoken (method 1), in program text.
  std::vector<std::string> Spoken() const {
    std::vector<std::string> texts;
    for (const std::string& call : calls)
      if (call.rfind("VOXAObject1\t", 0) == 0) texts.push_back(call.substr(12));
    return texts;
  }
  // The calls for a failure message, in UTF-8.
  std::string Report() const {
    std::string report;
    for (const std::string& call : calls) report += Display(call) + "\n";
    return report;
  }
  static std::string Display(const std::string& sjis) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= sjis.size(); ++i) {
      if (i == sjis.size() || sjis[i] == '\xFE' || sjis[i] == '\xFF') {
        std::string utf8;
        if (!SjisToUtf8(sjis.substr(start, i - start), utf8)) utf8 = "?";
        out += utf8;
        if (i < sjis.size()) out += sjis[i] == '\xFE' ? "\xE2\x90\x9E" : "\xE2\x90\x9F";
        start = i + 1;
      }
    }
    return out;
  }
  // Program text as a file written in UTF-8 holds it.
  static std::string Utf8(const std::string& sjis) {
    std::string utf8;
    SjisToUtf8(sjis, utf8);
    return utf8;
  }
  std::string TextBoxText() const {
    const HWND box = form->textBox();
    std::string text(static_cast<std::size_t>(GetWindowTextLength(box)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(box, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  lexiv::testing::TempDir hives_;
  HeadlessDriver driver;
  UiThread ui{driver};
  std::vector<std::string> calls;
  std::unique_ptr<DocpickForm> form;
};

}  // namespace lexiv::docpick::testing
