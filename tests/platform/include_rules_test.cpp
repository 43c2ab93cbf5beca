// The platform's rooms and what each may include (platform/README.md): every include of a
// platform header from inside the platform points down the rooms, and the only files that reach
// one another in a circle are the message core's knot.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The rooms a file in each room may include from; every room may include its own files and the
// shared vocabulary at the platform's top ("" is that top).
const std::map<std::string, std::set<std::string>>& AllowedRooms() {
  static const std::map<std::string, std::set<std::string>> allowed = {
      {"", {""}},
      {"services", {"", "services"}},
      {"core", {"", "services", "core"}},
      {"controls", {"", "services", "core", "controls"}},
      {"headless", {"", "services", "core", "controls", "headless"}},
      {"terminal", {"", "services", "core", "controls", "terminal"}},
  };
  return allowed;
}

// Files of the message core that may include one another in both directions: the thread, the
// queue, windows, focus and input cannot be told apart without each other.
const std::set<std::string>& CoreKnot() {
  static const std::set<std::string> knot = {
      "core/accelerators", "core/accessibility", "core/driver", "core/focus", "core/idle",
      "core/input", "core/menu", "core/messages", "core/ui_thread", "core/window",
      "core/window_functions", "core/window_internals", "core/window_subclass"};
  return knot;
}

// "core/window" for platform/core/window.h or .cpp: a header and its source are one unit.
std::string UnitOf(const std::string& pathInPlatform) { return fs::path(pathInPlatform).replace_extension().string(); }

std::string RoomOf(const std::string& pathInPlatform) {
  const std::size_t slash = pathInPlatform.find('/');
  return slash == std::string::npos ? std::string{} : pathInPlatform.substr(0, slash);
}

struct IncludeGraph {
  std::map<std::string, std::set<std::string>> unitIncludes;  // unit -> units it includes
  std::vector<std::string> problems;
};

// Reads every .h and .cpp below platformDir. Quoted includes must name platform headers that
// exist and lie in a room the including file may use.
IncludeGraph ReadIncludes(const fs::path& platformDir) {
  IncludeGraph graph;
  const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  for (const auto& entry : fs::recursive_directory_iterator(platformDir)) {
    const fs::path& file = entry.path();
    if (!entry.is_regular_file() || (file.extension() != ".h" && file.extension() != ".cpp")) continue;
    const std::string self = fs::relative(file, platformDir).generic_string();
    const std::string room = RoomOf(self);
    const auto allowed = AllowedRooms().find(room);
    if (allowed == AllowedRooms().end()) {
      graph.problems.push_back(self + ": not in a known room");
      continue;
    }
    graph.unitIncludes[UnitOf(self)];
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
      std::smatch match;
      if (!std::regex_search(line, match, include)) continue;
      const std::string target = match[1];
      if (target.rfind("platform/", 0) != 0) {
        graph.problems.push_back(self + ": includes \"" + target + "\" from outside the platform");
        continue;
      }
      const std::string inPlatform = target.substr(std::string("platform/").size());
      if (!fs::exists(platformDir / inPlatform)) graph.problems.push_back(self + ": includes missing \"" + target + "\"");
      if (!allowed->second.count(RoomOf(inPlatform)))
        graph.problems.push_back(self + ": includes \"" + target + "\" against the rooms' order");
      if (UnitOf(inPlatform) != UnitOf(self)) graph.unitIncludes[UnitOf(self)].insert(UnitOf(inPlatform));
    }
  }
  return graph;
}

// The groups of units that reach one another through includes (strongly connected, two or more).
std::vector<std::set<std::string>> IncludeCycles(const std::map<std::string, std::set<std::string>>& graph) {
  std::map<std::string, int> index, low;
  std::vector<std::string> stack;
  std::set<std::string> onStack;
  std::vector<std::set<std::string>> cycles;
  int next = 0;
  std::function<void(const std::string&)> visit = [&](const std::string& unit) {
    index[unit] = low[unit] = next++;
    stack.push_back(unit);
    onStack.insert(unit);
    const auto edges = graph.find(unit);
    if (edges != graph.end()) {
      for (const std::string& to : edges->second) {
        if (!index.count(to)) {
          visit(to);
          low[unit] = std::min(low[unit], low[to]);
        } else if (onStack.count(to)) {
          low[unit] = std::min(low[unit], index[to]);
        }
      }
    }
    if (low[unit] != index[unit]) return;
    std::set<std::string> group;
    std::string member;
    do {
      member = stack.back();
      stack.pop_back();
      onStack.erase(member);
      group.insert(member);
    } while (member != unit);
    if (group.size() > 1) cycles.push_back(group);
  };
  for (const auto& [unit, edges] : graph)
    if (!index.count(unit)) visit(unit);
  return cycles;
}

std::vector<std::string> CyclesOutsideTheKnot(const IncludeGraph& graph) {
  std::vector<std::string> problems;
  for (const std::set<std::string>& cycle : IncludeCycles(graph.unitIncludes)) {
    std::string outside;
    for (const std::string& unit : cycle)
      if (!CoreKnot().count(unit)) outside += " " + unit;
    if (!outside.empty()) problems.push_back("include cycle outside the core knot:" + outside);
  }
  return problems;
}

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

TEST(PlatformIncludeRulesTest, TheTreeKeepsItsRoomsAndHasNoCycleOutsideTheCore) {
  const IncludeGraph graph = ReadIncludes(fs::path(LEXIV_SOURCE_DIR) / "platform");
  EXPECT_GT(graph.unitIncludes.size(), 50u) << "the platform's files were not found";
  for (const std::string& problem : graph.problems) ADD_FAILURE() << problem;
  for (const std::string& problem : CyclesOutsideTheKnot(graph)) ADD_FAILURE() << problem;
}

// The checker itself, on a small tree with one fault of each kind.
TEST(PlatformIncludeRulesTest, FindsUpwardIncludesStrayIncludesAndCycles) {
  lexiv::testing::TempDir dir;
  const fs::path platform = dir.path() / "platform";
  WriteFile(platform / "win_types.h", "");
  WriteFile(platform / "services/text.h", "#include \"platform/win_types.h\"\n#include \"platform/core/window.h\"\n");
  WriteFile(platform / "core/window.h", "#include \"platform/core/focus.h\"\n#include \"platform/services/text.h\"\n");
  WriteFile(platform / "core/focus.cpp", "#include \"platform/core/window.h\"\n");
  WriteFile(platform / "core/focus.h", "");
  WriteFile(platform / "controls/edit.h", "#include \"platform/controls/list.h\"\n#include \"engine/search_hit.h\"\n");
  WriteFile(platform / "controls/list.h", "");
  WriteFile(platform / "controls/list.cpp", "#include \"platform/controls/edit.h\"\n#include \"platform/core/gone.h\"\n");
  WriteFile(platform / "terminal/paint.h", "#include \"platform/headless/driver.h\"\n");
  WriteFile(platform / "headless/driver.h", "");

  const IncludeGraph graph = ReadIncludes(platform);
  std::vector<std::string> problems = graph.problems;
  for (const std::string& cycle : CyclesOutsideTheKnot(graph)) problems.push_back(cycle);
  std::sort(problems.begin(), problems.end());
  const std::vector<std::string> expected = {
      "controls/edit.h: includes \"engine/search_hit.h\" from outside the platform",
      "controls/list.cpp: includes missing \"platform/core/gone.h\"",
      "include cycle outside the core knot: controls/edit controls/list",
      "include cycle outside the core knot: services/text",
      "services/text.h: includes \"platform/core/window.h\" against the rooms' order",
      "terminal/paint.h: includes \"platform/headless/driver.h\" against the rooms' order",
  };
  EXPECT_EQ(problems, expected);
}

}  // namespace
