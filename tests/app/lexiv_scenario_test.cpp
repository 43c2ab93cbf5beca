// The program's scenarios (tests/scenarios/lexiv/*.scn): each runs on a fresh start of the program
// with the sample dictionary and the fake reader. Besides the runner's own steps and the speech
// steps a scenario may use:
//
//   registry TitleDispForm 1      a DWORD of the settings key, written before the program starts
//   reader switch 7 0             a value of the reader's switches (option 7: read the rest of the line)
//   expect caption list 見出し語一覧 1/3件    the text of a caption bar pane (list or meaning)
//   expect status どこから         the text of the status bar's message pane
//   expect clipboard text of meaning          the clipboard holds a window's whole text
//
// Windows: main, box (the search box), list, meaning, caption, status, splitter; the display and
// dialog verbs (zoom, dialogs, the reader's commands) are listed at AddDisplayVerbs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "access/speech_scenario.h"
#include "app/about_box.h"
#include "app/settings_store.h"
#include "app_fixture.h"
#include "platform/controls/button_messages.h"
#include "platform/controls/combo_box_messages.h"
#include "platform/controls/dialog.h"
#include "platform/controls/help_viewer.h"
#include "platform/controls/static_control.h"
#include "platform/controls/status_bar.h"
#include "platform/core/caret.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/clipboard.h"
#include "views/caption_bar.h"
#include "views/mean_view.h"

namespace lexiv::testing {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string PaneText(HWND bar, int pane) {
  const LRESULT length = SendMessage(bar, SB_GETTEXTLENGTH, static_cast<WPARAM>(pane), 0);
  std::string text(static_cast<std::size_t>(LOWORD(length)) + 1, '\0');
  SendMessage(bar, SB_GETTEXT, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

class LexivScenarioTest : public AppFixture {
 protected:
  // Writes the scenario's registry lines, starts the program and runs the scenario.
  ScenarioResult RunScenario(const std::filesystem::path& file) {
    const std::string text = ReadFile(file);
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::string verb, name;
      unsigned long value = 0;
      if (words >> verb >> name >> value && verb == "registry") WriteDword(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), static_cast<DWORD>(value));
    }
    if (NewApp().Start("lexiv") != 0) return ScenarioResult{1, "the program did not start\n" + Report()};
    CMainFrame& frame = *app->mainFrame();
    ScenarioRunner runner{driver};
    runner.NameWindow("main", frame.hwnd());
    runner.NameWindow("box", frame.SearchBox()->hwnd());
    runner.NameWindow("list", frame.TitleView()->hwnd());
    runner.NameWindow("meaning", frame.MeanView()->hwnd());
    runner.NameWindow("caption", frame.CaptionBarWindow());
    runner.NameWindow("status", frame.StatusBarWindow());
    runner.NameWindow("splitter", frame.SplitterWindow()->hwnd());
    access::AddSpeechSteps(runner, reader);
    runner.AddVerb("registry", [](std::string_view) { return std::string(); });
    runner.AddVerb("reader switch", [this](std::string_view args) -> std::string {
      std::istringstream words{std::string(args)};
      long index = 0, value = 0;
      if (!(words >> index >> value)) return "reader switch needs an index and a value";
      reader.SetSwitch(index, value);
      return {};
    });
    runner.AddVerb("expect caption", [&frame](std::string_view args) -> std::string {
      const std::size_t space = args.find(' ');
      const std::string_view pane = args.substr(0, space);
      const std::string_view want = space == std::string_view::npos ? std::string_view{} : args.substr(space + 1);
      if (pane != "list" && pane != "meaning") return "expect caption takes list or meaning";
      const std::string actual = PaneText(frame.CaptionBarWindow(), pane == "list" ? 0 : 1);
      if (actual == ScenarioRunner::ToProgramText(want)) return {};
      return "the " + std::string(pane) + " caption is \"" + ScenarioRunner::ToReportText(actual) + "\", expected \"" +
             std::string(want) + "\"";
    });
    runner.AddVerb("expect clipboard text of", [&runner](std::string_view name) -> std::string {
      const HWND window = runner.Resolve(name);
      if (!window) return "no window named \"" + std::string(name) + "\"";
      if (ClipboardText() == WindowText(window)) return {};
      return "the clipboard holds \"" + ScenarioRunner::ToReportText(ClipboardText()) + "\", not the text of " +
             std::string(name);
    });
    runner.AddVerb("expect status", [&frame](std::string_view want) -> std::string {
      const std::string actual = PaneText(frame.StatusBarWindow(), 0);
      if (actual == ScenarioRunner::ToProgramText(want)) return {};
      return "the status bar says \"" + ScenarioRunner::ToReportText(actual) + "\", expected \"" + std::string(want) +
             "\"";
    });
    AddMeaningVerbs(runner, frame);
    AddDisplayVerbs(runner, frame);
    return runner.Run(text, file.filename().string());
  }

  // Meaning pane verbs:
  //
  //   open あさ      the first entry of that reading opened in the meaning pane as Enter in the
  //                  headword list opens it (its reading is said), with the focus there; the
  //                  pane's own announcement on gaining the focus has already been made
  void AddMeaningVerbs(ScenarioRunner& runner, CMainFrame& frame) {
    runner.AddVerb("open", [&frame](std::string_view reading) -> std::string {
      SearchHit hit;
      const std::string key = ScenarioRunner::ToProgramText(reading);
      if (frame.Engine().SearchHeadwords(key.c_str(), 0, 0, &hit, 1) < 1)
        return "no entry reads \"" + std::string(reading) + "\"";
      CMeanView& meaning = *frame.MeanView();
      std::int32_t position = hit.entryPos;
      meaning.ShowEntry(0, position, 1, 1, 1, 0, 0);
      meaning.SetCurrentPosition(position);
      frame.Flags().activation = 0;
      frame.SetActivePane(1);
      SetFocus(meaning.hwnd());
      return {};
    });
  }

  // Display and dialog verbs (#1000 names the control 1000 of the active dialog wherever a window
  // is named):
  //
  //   expect shown status            a window is visible ("expect hidden status": it is not)
  //   expect caret box 2             the caret belongs to the window, is visible, that many pixels
  //                                  wide and as high as the window's client area
  //   expect setting ZoomRate 1      a value of the settings record (FontName as text)
  //   expect picture 143             the bitmap the about box's picture shows
  //   expect checked #1014           (and "expect unchecked"): a check box or radio button
  //   expect selected #1004 白黒反転   the chosen item of a drop-down list
  //   reader status 0                what the reader's VOXAStatus answers
  //   reader command ReadActiveTitle 1    the reader calls the program's command callback with the
  //                                       name, which answers 1 (handled) or 0
  //   expect reader command SetSpeedToggle   the next name the program passed to VOXACommand
  //   expect own reading 6080100     the reader's own-reading value (status kind 0x20002), in hex
  //   command 33003                  a command without a key, as if a menu or button sent it
  //
  // "help" names the help viewer's edit.
  void AddDisplayVerbs(ScenarioRunner& runner, CMainFrame& frame) {
    runner.SetWindowResolver([](std::string_view name) -> HWND {
      if (name == "help") return HelpViewerEdit();
      if (name.size() < 2 || name[0] != '#') return HWND{};
      return GetDlgItem(GetActiveWindow(), std::atoi(std::string(name.substr(1)).c_str()));
    });
    auto visibility = [&runner](bool wanted) {
      return [&runner, wanted](std::string_view name) -> std::string {
        const HWND window = runner.Resolve(name);
        if (!window) return "no window named \"" + std::string(name) + "\"";
        if ((IsWindowVisible(window) != FALSE) == wanted) return {};
        return std::string(name) + (wanted ? " is hidden" : " is shown");
      };
    };
    runner.AddVerb("expect shown", visibility(true));
    runner.AddVerb("expect hidden", visibility(false));
    runner.AddVerb("expect caret", [&runner](std::string_view args) -> std::string {
      std::istringstream words{std::string(args)};
      std::string name;
      int width = 0;
      if (!(words >> name >> width)) return "expect caret needs a window and a width";
      const HWND window = runner.Resolve(name);
      RECT client;
      GetClientRect(window, &client);
      const CaretState caret = CurrentCaret();
      if (caret.owner == window && caret.visible && caret.size.cx == width && caret.size.cy == client.Height())
        return {};
      std::ostringstream error;
      error << "the caret is " << caret.size.cx << " by " << caret.size.cy << (caret.visible ? " shown" : " hidden")
            << (caret.owner == window ? "" : " in another window") << ", expected " << width << " by "
            << client.Height() << " in " << name;
      return error.str();
    });
    runner.AddVerb("expect setting", [&frame](std::string_view args) -> std::string {
      std::istringstream words{std::string(args)};
      std::string name, want;
      words >> name;
      std::getline(words >> std::ws, want);
      const SettingsRecord& settings = frame.Settings();
      std::string actual;
      if (name == "ZoomMode") actual = std::to_string(settings.zoomMode);
      else if (name == "ZoomRate") actual = std::to_string(settings.zoomRate);
      else if (name == "TitleIme") actual = std::to_string(settings.titleIme);
      else if (name == "TitleMean") actual = std::to_string(settings.titleMean);
      else if (name == "TextColor") actual = std::to_string(settings.textColor);
      else if (name == "TextBkColor") actual = std::to_string(settings.textBkColor);
      else if (name == "FontName") actual = ScenarioRunner::ToReportText(settings.fontName);
      else return "no setting named " + name;
      if (actual == want) return {};
      return name + " is " + actual + ", expected " + want;
    });
    runner.AddVerb("expect picture", [](std::string_view want) -> std::string {
      const HWND picture = GetDlgItem(GetActiveWindow(), CAboutBox::kPictureId);
      if (!picture) return "no about box is open";
      const auto shown = std::to_string(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
      if (shown == want) return {};
      return "the picture is " + shown + ", expected " + std::string(want);
    });
    auto checkState = [&runner](bool wanted) {
      return [&runner, wanted](std::string_view id) -> std::string {
        const HWND button = runner.Resolve(id);
        if (!button) return "no window named \"" + std::string(id) + "\"";
        const bool checked = SendMessage(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked == wanted) return {};
        return std::string(id) + (wanted ? " is not checked" : " is checked");
      };
    };
    runner.AddVerb("expect checked", checkState(true));
    runner.AddVerb("expect unchecked", checkState(false));
    runner.AddVerb("expect selected", [&runner](std::string_view args) -> std::string {
      const std::size_t space = args.find(' ');
      const std::string want = space == std::string_view::npos ? std::string() : std::string(args.substr(space + 1));
      const HWND list = runner.Resolve(args.substr(0, space));
      if (!list) return "no window named \"" + std::string(args.substr(0, space)) + "\"";
      const LRESULT chosen = SendMessage(list, CB_GETCURSEL, 0, 0);
      char text[64] = {};
      if (chosen >= 0) SendMessage(list, CB_GETLBTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(text));
      if (ScenarioRunner::ToReportText(text) == want) return {};
      return "the list shows \"" + ScenarioRunner::ToReportText(text) + "\", expected \"" + want + "\"";
    });
    runner.AddVerb("reader status", [this](std::string_view args) -> std::string {
      reader.SetReaderStatus(std::atoi(std::string(args).c_str()));
      return {};
    });
    runner.AddVerb("reader command", [this](std::string_view args) -> std::string {
      std::istringstream words{std::string(args)};
      std::string name;
      int want = -1;
      if (!(words >> name >> want)) return "reader command needs a name and the answer expected";
      const int answer = reader.CallCommandCallback(name.c_str());
      if (answer == want) return {};
      return "the program answered " + std::to_string(answer) + " to " + name;
    });
    auto commandsSeen = std::make_shared<std::size_t>(0);
    runner.AddVerb("expect reader command", [this, commandsSeen](std::string_view want) -> std::string {
      std::vector<std::string> names;
      for (const access::ReaderCall& call : reader.Calls())
        if (call.name == "VOXACommand") names.push_back(call.text);
      if (*commandsSeen >= names.size()) return "no command was passed to the reader, expected " + std::string(want);
      const std::string next = names[(*commandsSeen)++];
      if (next == want) return {};
      return "the reader was given " + next + ", expected " + std::string(want);
    });
    runner.AddVerb("command", [&frame](std::string_view id) -> std::string {
      PostMessage(frame.hwnd(), WM_COMMAND, static_cast<WPARAM>(std::atoi(std::string(id).c_str())), 0);
      return {};
    });
    runner.AddVerb("expect own reading", [this](std::string_view want) -> std::string {
      char actual[32];
      std::snprintf(actual, sizeof actual, "%lX",
                    static_cast<unsigned long>(reader.StatusValue(access::kReaderOwnReading)));
      if (want == actual) return {};
      return "the reader's own reading is " + std::string(actual) + ", expected " + std::string(want);
    });
  }
};

std::vector<std::filesystem::path> ScenarioFiles() {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path dir = std::filesystem::path(LEXIV_SOURCE_DIR) / "tests/scenarios/lexiv";
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class LexivScenario : public LexivScenarioTest, public ::testing::WithParamInterface<std::filesystem::path> {};

TEST_P(LexivScenario, Passes) {
  const ScenarioResult result = RunScenario(GetParam());
  EXPECT_EQ(result.failures, 0) << result.report;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, LexivScenario, ::testing::ValuesIn(ScenarioFiles()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& info) {
                           std::string name = info.param.stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace lexiv::testing
