// The viewer's scenarios (tests/scenarios/docpick/*.scn): each runs on a fresh start with the
// recording reader object, the general manual directory and our own (国語辞典), filled by the
// scenario's setup lines, which are carried out before the program starts:
//
//   manual lexiv GUIDE.TXT 概要\n本文     a manual file (UTF-8; \n is a line feed), in "lexiv"
//                                          (our manual directory) or "general"
//   registry machine TARVEN5\Directories manual lexiv
//                                          a value under Software\TKV\ of a hive (machine or
//                                          user): "lexiv" or "general" name those directories,
//                                          "dword:N" is a DWORD, anything else a string, "-" empty
//
// and besides the runner's own steps:
//
//   expect speech メニュー␞国語辞典        the next text spoken from here on is this one (␞ is the
//                                          phrase separator, ␟ the pause mark); earlier texts
//                                          are passed over
//   expect no speech                       nothing more was spoken
//   expect call 4                          the reader's method 4 was called from here on
//   expect entries manuals GUIDE|Notes.Txt the entries of a list (products or manuals)
//
// Windows: main, products, manuals, text, buttons.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "docpick_fixture.h"
#include "platform/controls/list_box_messages.h"
#include "platform/headless/scenario_runner.h"

namespace lexiv::docpick::testing {
namespace {

// Scenario text (UTF-8 with ␞ and ␟) as program text.
std::string SpokenText(std::string_view utf8) {
  static const std::string kSeparator = "\xE2\x90\x9E", kPause = "\xE2\x90\x9F";
  std::string sjis;
  std::size_t start = 0;
  while (start <= utf8.size()) {
    const std::size_t separator = utf8.find(kSeparator, start);
    const std::size_t pause = utf8.find(kPause, start);
    const std::size_t end = std::min(separator, pause);
    sjis += ScenarioRunner::ToProgramText(utf8.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    sjis += end == separator ? '\xFE' : '\xFF';
    start = end + 3;
  }
  return sjis;
}

std::string Unescaped(std::string text) {
  for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at + 1)) text.replace(at, 2, "\n");
  return text;
}

class DocpickScenarioTest : public DocpickFixture, public ::testing::WithParamInterface<std::filesystem::path> {
 protected:
  std::string Directory(const std::string& name) { return name == "general" ? general_ : name == "lexiv" ? lexiv_ : name; }

  void Setup(const std::string& text) {
    general_ = ManualDir("general");
    lexiv_ = OurManuals({});
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::string verb, first, second, third, rest;
      words >> verb;
      if (verb == "manual" && words >> first >> second) {
        std::getline(words >> std::ws, rest);
        WriteFile(Directory(first), second, Unescaped(rest));
      } else if (verb == "registry" && words >> first >> second >> third >> rest) {
        const HKEY root = first == "user" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        const std::string key = "Software\\TKV\\" + second;
        if (rest.rfind("dword:", 0) == 0) WriteDword(root, key, third.c_str(), std::stoul(rest.substr(6)));
        else WriteString(root, key, third.c_str(), rest == "-" ? std::string() : ScenarioRunner::ToProgramText(Directory(rest)));
      }
    }
  }

  ScenarioResult Run(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    Setup(text.str());
    if (StartForm() != 0) return ScenarioResult{1, "the program did not start\n"};
    ScenarioRunner runner{driver};
    runner.NameWindow("main", form->hwnd());
    runner.NameWindow("products", form->productList());
    runner.NameWindow("manuals", form->manualList());
    runner.NameWindow("text", form->textBox());
    runner.NameWindow("buttons", form->buttonBar());
    runner.AddReport([this] { return "--- reader ---\n" + Report(); });
    runner.AddVerb("manual", [](std::string_view) { return std::string(); });
    runner.AddVerb("registry", [](std::string_view) { return std::string(); });
    runner.AddVerb("expect speech", [this](std::string_view want) -> std::string {
      const std::string wanted = "VOXAObject1\t" + SpokenText(want);
      for (; seen_ < calls.size(); ++seen_)
        if (calls[seen_] == wanted) {
          ++seen_;
          return {};
        }
      return "\"" + std::string(want) + "\" was not spoken";
    });
    runner.AddVerb("expect no speech", [this](std::string_view) -> std::string {
      for (; seen_ < calls.size(); ++seen_)
        if (calls[seen_].rfind("VOXAObject1\t", 0) == 0) return "\"" + Display(calls[seen_].substr(12)) + "\" was spoken";
      return {};
    });
    runner.AddVerb("expect call", [this](std::string_view number) -> std::string {
      const std::string wanted = "VOXAObject" + std::string(number);
      for (; seen_ < calls.size(); ++seen_)
        if (calls[seen_] == wanted) {
          ++seen_;
          return {};
        }
      return "method " + std::string(number) + " was not called";
    });
    runner.AddVerb("expect entries", [&runner](std::string_view args) -> std::string {
      const std::size_t space = args.find(' ');
      const HWND list = runner.Resolve(args.substr(0, space));
      if (!list) return "no list named \"" + std::string(args.substr(0, space)) + "\"";
      std::string entries;
      const int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        char entry[512] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        entries += (i > 0 ? "|" : "") + std::string(entry);
      }
      const std::string want = space == std::string_view::npos ? std::string() : std::string(args.substr(space + 1));
      if (entries == ScenarioRunner::ToProgramText(want)) return {};
      return "the entries are \"" + ScenarioRunner::ToReportText(entries) + "\", expected \"" + want + "\"";
    });
    return runner.Run(text.str(), file.filename().string());
  }

  std::string general_, lexiv_;
  std::size_t seen_ = 0;
};

TEST_P(DocpickScenarioTest, Runs) {
  const ScenarioResult result = Run(GetParam());
  EXPECT_EQ(result.failures, 0) << result.report;
}

std::vector<std::filesystem::path> ScenarioFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(LEXIV_SOURCE_DIR) + "/tests/scenarios/docpick"))
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

INSTANTIATE_TEST_SUITE_P(Files, DocpickScenarioTest, ::testing::ValuesIn(ScenarioFiles()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& info) {
                           std::string name = info.param.stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace lexiv::docpick::testing
