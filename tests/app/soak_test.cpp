// A soak run: random keys and typed readings through the whole program on the headless driver,
// with the sample dictionary and the fake reader. Nothing may crash, hang or leak (the sanitizer
// build checks the last). When the keys end the program (Escape, then Enter on the question), it
// is started again and the keys go on. Programs it would start go to a starter that only counts.
//
// LEXIV_SOAK_KEYS sets how many key events (20,000 unless given); LEXIV_SOAK_SEED the seed (a
// fixed one unless given, so the suite is repeatable). A failure prints the seed and the count,
// and the same two replay it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/core/messages.h"
#include "platform/services/process_launcher.h"

namespace lexiv::testing {
namespace {

// Every key the program binds, the keys the panes and dialogs take, and a few it ignores.
const std::vector<std::string>& KeyNames() {
  static const std::vector<std::string> keys = {
      "Enter", "Escape", "Tab", "Shift+Tab", "Space", "Shift+Space", "BackSpace", "Delete", "Insert",
      "Up", "Down", "Left", "Right", "Home", "End", "PageUp", "PageDown",
      "Shift+Up", "Shift+Down", "Shift+Left", "Shift+Right", "Shift+Home", "Shift+End",
      "Ctrl+Home", "Ctrl+End", "Ctrl+Left", "Ctrl+Right", "Ctrl+PageUp", "Ctrl+PageDown",
      "Ctrl+Shift+Home", "Ctrl+Shift+End", "Shift+BackSpace",
      "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
      "Shift+F3", "Shift+F6", "Ctrl+F6", "Alt+F11", "Ctrl+Shift+F11", "Alt+F4",
      "Alt", "Alt+F", "Alt+R", "Alt+E", "Alt+V", "Alt+H", "Alt+Left", "Alt+Right",
      "Ctrl+A", "Ctrl+C", "Ctrl+V", "Ctrl+X", "Ctrl+Z", "Ctrl+F", "Ctrl+G", "Ctrl+Tab", "Ctrl+Shift+Tab",
      "A", "Z", "1", "Apps", "ProcessKey", "Kanji", "Convert", "NonConvert",
  };
  return keys;
}

// Readings and texts typed into whatever has the focus: hits, misses, wildcards, other scripts.
const std::vector<std::string>& TypedTexts() {
  static const std::vector<std::string> texts = {"はし", "あ", "こう*", "*こう", "あさ", "を", "漢字", "abc", "ｶﾅ",
                                                 "　", "ーー", "zzz"};
  return texts;
}

long FromEnvironment(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

class SoakTest : public AppFixture {};

TEST_F(SoakTest, RandomKeysNeverCrashHangOrLeak) {
  const long total = FromEnvironment("LEXIV_SOAK_KEYS", 20000);
  const auto seed = static_cast<std::uint32_t>(FromEnvironment("LEXIV_SOAK_SEED", 20261210));
  SCOPED_TRACE("replay with LEXIV_SOAK_SEED=" + std::to_string(seed) + " LEXIV_SOAK_KEYS=" + std::to_string(total));
  std::mt19937 random(seed);
  int started = 0;
  platform::ReplaceProgramStarter([&started](const std::vector<std::string>&) {
    ++started;
    return 0;
  });

  long sent = 0;
  long spoken = 0;
  int lives = 0;
  while (sent < total) {
    ++lives;
    // A reader of its own for each start: the program lets go of the reader when it ends.
    access::FakeReader lifeReader;
    ASSERT_EQ(NewApp().Start("lexiv"), 0) << "life " << lives << " after " << sent << " keys\n" << lifeReader.Report();
    // One event per step, each when the program waits with nothing to do, as a person types.
    std::function<void()> next = [&] {
      if (sent >= total) return;
      ++sent;
      const auto pick = random() % 8;
      if (pick == 0) {
        const std::vector<std::string>& texts = TypedTexts();
        driver.Type(texts[random() % texts.size()]);
      } else {
        const std::vector<std::string>& keys = KeyNames();
        driver.PressKey(keys[random() % keys.size()]);
      }
      driver.Then(next);
    };
    driver.Then(next);
    driver.Run();
    driver.ClearSteps();
    spoken += static_cast<long>(lifeReader.SpokenTexts().size());
    app->Shutdown();
    app.reset();
  }
  platform::ReplaceProgramStarter(nullptr);
  std::printf("soak: %ld keys, seed %u, %d starts of the program, %ld texts spoken, %d programs it started\n", sent,
              seed, lives, spoken, started);
}

}  // namespace
}  // namespace lexiv::testing
