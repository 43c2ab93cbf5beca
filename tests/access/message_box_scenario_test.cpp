// The message box as a user meets it: the program asks, the reader's own window watcher (linked
// into this test, fed by the platform's accessibility events) reads the box, keys answer it.
//
//   expect reader 国語辞典␞...   the next thing the reader said on its own
//   expect no reader             nothing more since the last reader expectation
#include <memory>
#include <string>
#include <vector>

#include "access/fake_reader.h"
#include "access/message_box.h"
#include "access/speech_library.h"
#include "access/speech_scenario.h"
#include "dialog_fixture.h"
#include "platform/core/window_functions.h"
#include "platform/headless/scenario_runner.h"
#include "reader/window_watcher.h"

namespace lexiv::access {
namespace {

// What the reader says on its own, as its watcher hands it over.
struct ReaderWords {
  const FakeReader* reader = nullptr;
  std::vector<std::string> said;  // Shift-JIS
  std::size_t seen = 0;
};

VoxaWatchSink SinkInto(ReaderWords& words) {
  VoxaWatchSink sink{};
  sink.reader = &words;
  sink.say = [](void* r, const char* text, int) { static_cast<ReaderWords*>(r)->said.emplace_back(text); };
  sink.stop = [](void*) {};
  sink.command = [](void*, const char*) {};
  sink.autoRead = [](void* r) {
    return static_cast<unsigned>(static_cast<ReaderWords*>(r)->reader->StatusValue(kReaderOwnReading));
  };
  return sink;
}

void AddReaderSteps(ScenarioRunner& runner, ReaderWords& words) {
  auto unaccounted = [&words] {
    std::string list;
    for (std::size_t i = words.seen; i < words.said.size(); ++i) list += "\n    " + FakeReader::DisplayText(words.said[i]);
    return list.empty() ? std::string("nothing") : list;
  };
  runner.AddVerb("expect reader", [&words, unaccounted](std::string_view args) -> std::string {
    if (words.seen >= words.said.size()) return "the reader said nothing, expected \"" + std::string(args) + "\"";
    if (words.said[words.seen] != FakeReader::FromDisplayText(args))
      return "the reader said:" + unaccounted() + "\n  expected \"" + std::string(args) + "\" next";
    ++words.seen;
    return {};
  });
  runner.AddVerb("expect no reader", [&words, unaccounted](std::string_view) -> std::string {
    if (words.seen >= words.said.size()) return {};
    const std::string error = "the reader said:" + unaccounted();
    words.seen = words.said.size();
    return error;
  });
  runner.AddReport([&words] {
    std::string report = "the reader said on its own:";
    for (const std::string& text : words.said) report += "\n    " + FakeReader::DisplayText(text);
    return report;
  });
}

const char* AnswerName(int answer) {
  switch (answer) {
    case IDOK: return "IDOK";
    case IDCANCEL: return "IDCANCEL";
    default: return "other";
  }
}

// The main window: F2 asks the exit question and shows the answer in its label.
class AskingWindow : public Window {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_KEYDOWN && wParam == VK_F2) {
      const int answer = ShowMessage("国語辞典を終了しますか", "国語辞典", MB_OKCANCEL | MB_ICONQUESTION, 0, hwnd());
      SetWindowText(label, AnswerName(answer));
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
  HWND label;
};

class MessageBoxScenarioTest : public RegistryFixture {
 protected:
  MessageBoxScenarioTest() {
    CreateParams top;
    top.text = "国語辞典";
    top.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW;
    top.rect = RECT{0, 0, 640, 480};
    EXPECT_TRUE(main.Create(top));
    CreateParams child;
    child.style = WS_VISIBLE | WS_CHILD;
    child.parent = main.hwnd();
    child.rect = RECT{0, 0, 200, 16};
    EXPECT_TRUE(label.Create(child));
    main.label = label.hwnd();
    SetForegroundWindow(main.hwnd());
    SetFocus(main.hwnd());
    PumpPending();
    // What start-up tells the reader to read by itself.
    VOXASetStatus(kReaderOwnReading, 0x6080101, 0);
    runner.NameWindow("answer", label.hwnd());
    AddSpeechSteps(runner, reader);
    AddReaderSteps(runner, words);
  }

  HeadlessDriver driver;
  UiThread ui{driver};
  FakeReader reader;
  ReaderWords words{&reader};
  reader::WindowWatcher watcher{SinkInto(words)};
  AskingWindow main;
  Window label;
  ScenarioRunner runner{driver};
};

TEST_F(MessageBoxScenarioTest, TheExitQuestionIsReadAndAnswered) {
  const ScenarioResult result = runner.RunFile(std::string(LEXIV_SOURCE_DIR) + "/tests/scenarios/message_box/exit_question.scn");
  EXPECT_EQ(result.failures, 0) << result.report;
}

}  // namespace
}  // namespace lexiv::access
