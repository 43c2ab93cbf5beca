// The manual list's scenarios (tests/scenarios/manuals/*.scn): each runs on a fresh start of the
// program with the fake reader and every program start recorded instead of made. Lines that set
// the scene before the program starts:
//
//   manuals b.txt a.txt C.txt     files made in the manual directory ("manual files", with a blank
//                                 in its name), which the machine's Directories key names
//   manual directory missing      the key names a directory that does not exist
//   editor machine penra          an executable made in the editor directory and registered as
//                                 ProductDir and ProductFile of the editor's key, machine's or user's
//
// Steps:
//
//   expect items C a b            the names the manual list shows, in order; "expect items" alone:
//                                 none
//   expect selected a             the list's current item
//   expect started <editor>/penra | /endesc | /ro | <manuals>/a.txt
//                                 the next program start, its arguments separated by " | "
//                                 (<manuals> and <editor> stand for the two directories)
//   expect no start               nothing started since the last start expected
//   reader calls from here        the next "expect call" looks at the reader's calls made after this
//   expect call VOXAPRead(　, 4, 0)   the next call to the reader, as the fake reader describes it
//   expect own reading 6080101    the reader's own-reading value (status kind 0x20002), in hex
//
// Windows: main, box, list; #1000 names control 1000 of the active dialog.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "access/speech_scenario.h"
#include "app_fixture.h"
#include "platform/controls/list_box_messages.h"
#include "platform/core/focus.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/services/process_launcher.h"

namespace lexiv::testing {
namespace {

constexpr char kLexivDirectoriesKey[] = "Software\\TKV\\Lexiv\\Directories";
constexpr char kEditorKey[] = "Software\\TKV\\Penra\\Directories";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class ManualListScenarioTest : public AppFixture {
 protected:
  ManualListScenarioTest() {
    ReplaceProgramStarter([this](const std::vector<std::string>& arguments) {
      std::string joined;
      for (const std::string& argument : arguments) joined += (joined.empty() ? "" : " | ") + argument;
      started_.push_back(joined);
      return 0;
    });
  }
  ~ManualListScenarioTest() override { ReplaceProgramStarter({}); }

  std::string ManualDir() const { return (files_.path() / "manual files").string(); }
  std::string EditorDir() const { return (files_.path() / "editor").string(); }

  // Applies the lines that set the scene; an error text when one is wrong.
  std::string SetScene(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::string verb;
      words >> verb;
      if (verb == "manuals") {
        std::filesystem::create_directories(ManualDir());
        for (std::string name; words >> name;)
          std::ofstream(std::filesystem::path(ManualDir()) / name) << "手引き\n";
        // Without its separator: start-up adds it.
        WriteString(HKEY_LOCAL_MACHINE, kLexivDirectoriesKey, "Manual", ManualDir());
      } else if (verb == "manual") {
        WriteString(HKEY_LOCAL_MACHINE, kLexivDirectoriesKey, "Manual", (files_.path() / "nowhere").string());
      } else if (verb == "editor") {
        std::string hive, file;
        if (!(words >> hive >> file) || (hive != "machine" && hive != "user"))
          return "editor needs machine or user and a file";
        std::filesystem::create_directories(EditorDir());
        const std::string program = EditorDir() + "/" + file;
        std::ofstream(program) << "#!/bin/sh\n";
        ::chmod(program.c_str(), 0755);
        const HKEY root = hive == "machine" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        WriteString(root, kEditorKey, "ProductDir", EditorDir());
        WriteString(root, kEditorKey, "ProductFile", file);
      }
    }
    return {};
  }

  ScenarioResult RunScenario(const std::filesystem::path& file) {
    const std::string text = ReadFile(file);
    if (std::string error = SetScene(text); !error.empty()) return ScenarioResult{1, error};
    if (NewApp().Start("lexiv") != 0) return ScenarioResult{1, "the program did not start\n" + Report()};
    CMainFrame& frame = *app->mainFrame();
    ScenarioRunner runner{driver};
    runner.NameWindow("main", frame.hwnd());
    runner.NameWindow("box", frame.SearchBox()->hwnd());
    runner.NameWindow("list", frame.TitleView()->hwnd());
    runner.SetWindowResolver([](std::string_view name) -> HWND {
      if (name.size() < 2 || name[0] != '#') return HWND{};
      return GetDlgItem(GetActiveWindow(), std::atoi(std::string(name.substr(1)).c_str()));
    });
    access::AddSpeechSteps(runner, reader);
    for (const char* scene : {"manuals", "manual directory", "editor"})
      runner.AddVerb(scene, [](std::string_view) { return std::string(); });
    AddListVerbs(runner);
    AddStartVerbs(runner);
    AddReaderVerbs(runner);
    runner.AddReport([this] {
      std::string list;
      for (const std::string& start : started_) list += "\n    " + start;
      return "program starts:" + (list.empty() ? std::string(" none") : list);
    });
    return runner.Run(text, file.filename().string());
  }

  static void AddListVerbs(ScenarioRunner& runner) {
    auto itemText = [](HWND list, LRESULT index) {
      const LRESULT length = SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
      std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
      SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
      text.resize(std::strlen(text.c_str()));
      return ScenarioRunner::ToReportText(text);
    };
    runner.AddVerb("expect items", [&runner, itemText](std::string_view want) -> std::string {
      const HWND list = runner.Resolve("#1000");
      if (!list) return "no manual list is open";
      std::string actual;
      const LRESULT count = SendMessage(list, LB_GETCOUNT, 0, 0);
      for (LRESULT i = 0; i < count; ++i) actual += (i == 0 ? "" : " ") + itemText(list, i);
      if (actual == want) return {};
      return "the list shows \"" + actual + "\", expected \"" + std::string(want) + "\"";
    });
    runner.AddVerb("expect selected", [&runner, itemText](std::string_view want) -> std::string {
      const HWND list = runner.Resolve("#1000");
      if (!list) return "no manual list is open";
      const LRESULT current = SendMessage(list, LB_GETCURSEL, 0, 0);
      const std::string actual = current < 0 ? "nothing" : itemText(list, current);
      if (actual == want) return {};
      return "the list's current item is " + actual + ", expected " + std::string(want);
    });
  }

  void AddStartVerbs(ScenarioRunner& runner) {
    auto seen = std::make_shared<std::size_t>(0);
    runner.AddVerb("expect started", [this, seen](std::string_view args) -> std::string {
      const std::string want = Replace(Replace(ScenarioRunner::ToProgramText(args), "<manuals>", ManualDir()),
                                       "<editor>", EditorDir());
      if (*seen >= started_.size()) return "nothing was started, expected " + std::string(args);
      const std::string actual = started_[(*seen)++];
      if (actual == want) return {};
      return "started " + ScenarioRunner::ToReportText(actual) + ", expected " + ScenarioRunner::ToReportText(want);
    });
    runner.AddVerb("expect no start", [this, seen](std::string_view) -> std::string {
      if (*seen >= started_.size()) return {};
      const std::string actual = started_[*seen];
      *seen = started_.size();
      return "started " + ScenarioRunner::ToReportText(actual);
    });
  }

  void AddReaderVerbs(ScenarioRunner& runner) {
    auto next = std::make_shared<std::size_t>(0);
    runner.AddVerb("reader calls from here", [this, next](std::string_view) -> std::string {
      *next = reader.Calls().size();
      return {};
    });
    runner.AddVerb("expect call", [this, next](std::string_view want) -> std::string {
      const std::vector<access::ReaderCall>& calls = reader.Calls();
      if (*next >= calls.size()) return "the reader was not called, expected " + std::string(want);
      const std::string actual = access::FakeReader::DisplayText(calls[(*next)++].Describe());
      if (actual == want) return {};
      return "the reader was called as " + actual + ", expected " + std::string(want);
    });
    runner.AddVerb("expect own reading", [this](std::string_view want) -> std::string {
      char actual[32];
      const auto value = static_cast<unsigned long>(reader.StatusValue(access::kReaderOwnReading));
      std::snprintf(actual, sizeof actual, "%lX", value);
      if (want == actual) return {};
      return "the reader's own reading is " + std::string(actual) + ", expected " + std::string(want);
    });
  }

  TempDir files_;
  std::vector<std::string> started_;
};

std::vector<std::filesystem::path> ScenarioFiles() {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path dir = std::filesystem::path(LEXIV_SOURCE_DIR) / "tests/scenarios/manuals";
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class ManualListScenario : public ManualListScenarioTest,
                           public ::testing::WithParamInterface<std::filesystem::path> {};

TEST_P(ManualListScenario, Passes) {
  const ScenarioResult result = RunScenario(GetParam());
  EXPECT_EQ(result.failures, 0) << result.report;
}

INSTANTIATE_TEST_SUITE_P(Manuals, ManualListScenario, ::testing::ValuesIn(ScenarioFiles()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& info) {
                           std::string name = info.param.stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace lexiv::testing
