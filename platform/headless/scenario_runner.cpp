#include "platform/headless/scenario_runner.h"

#include <fstream>
#include <sstream>

#include "platform/core/focus.h"
#include "platform/core/menu.h"
#include "platform/core/menu_loop.h"
#include "platform/core/messages.h"
#include "platform/core/window_functions.h"
#include "platform/headless/screen_model.h"
#include "platform/services/clipboard.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::platform {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The first word and the rest.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view s) {
  s = Trim(s);
  const std::size_t space = s.find_first_of(" \t");
  if (space == std::string_view::npos) return {s, {}};
  return {s.substr(0, space), Trim(s.substr(space))};
}

bool ParseCount(std::string_view s, long* value) {
  if (s.empty() || s.size() > 9) return false;
  long n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  *value = n;
  return true;
}

// A menu label matches its written form with or without the mnemonic group "(X)" at its end
// ("操作" finds "操作(F)").
bool LabelMatches(const std::string& label, std::string_view wanted) {
  if (label == wanted) return true;
  const std::size_t n = label.size();
  return n == wanted.size() + 3 && label[n - 3] == '(' && label[n - 1] == ')' &&
         static_cast<unsigned char>(label[n - 2]) < 0x80 && label.compare(0, wanted.size(), wanted) == 0;
}

// Compares a highlighted path ("操作(F)/挨拶(G)") with a wanted one ("操作/挨拶").
bool PathMatches(const std::vector<std::string>& labels, std::string_view wanted) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const std::size_t slash = wanted.find('/', start);
    const std::string_view part =
        wanted.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
    if (!LabelMatches(labels[i], part)) return false;
    if (slash == std::string_view::npos) return i + 1 == labels.size();
    start = slash + 1;
  }
  return labels.empty() && wanted.empty();
}

struct ParsedLine {
  int number;
  std::string text;
  std::string verb;
  std::string args;
  long afterMs = -1;  // "after N ...": runs N ms after the step before it, even while the program is busy
};

// Walks a menu path ("操作/挨拶", program text) from the active window's menu bar. The popups on
// the way are initialised first, as when the user opens them.
bool FindMenuPath(const std::string& path, HMENU* holder, int* position) {
  const HWND owner = GetActiveWindow();
  HMENU menu = GetMenu(owner);
  if (!menu) return false;
  SendMessage(owner, WM_INITMENU, ToWParam(menu), 0);
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = path.find('/', start);
    const std::string label = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    int found = -1;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
      if (LabelMatches(MenuItemLabel(menu, i), label)) {
        found = i;
        break;
      }
    if (found < 0) return false;
    if (slash == std::string::npos) {
      *holder = menu;
      *position = found;
      return true;
    }
    const HMENU sub = GetSubMenu(menu, found);
    if (!sub) return false;
    SendMessage(owner, WM_INITMENUPOPUP, ToWParam(sub), MAKELPARAM(static_cast<WORD>(found), 0));
    menu = sub;
    start = slash + 1;
  }
}

}  // namespace

ScenarioRunner::ScenarioRunner(HeadlessDriver& driver) : driver_(driver) { AddBuiltInVerbs(); }

void ScenarioRunner::NameWindow(const std::string& name, HWND hwnd) { names_[name] = hwnd; }

void ScenarioRunner::SetWindowResolver(std::function<HWND(std::string_view)> resolver) {
  resolver_ = std::move(resolver);
}

HWND ScenarioRunner::Resolve(std::string_view name) const {
  if (name == "focus") return GetFocus();
  if (name == "active") return GetActiveWindow();
  if (auto it = names_.find(std::string(name)); it != names_.end()) return it->second;
  return resolver_ ? resolver_(name) : HWND{};
}

void ScenarioRunner::AddVerb(const std::string& verb, Verb handler) { verbs_[verb] = std::move(handler); }

void ScenarioRunner::AddReport(std::function<std::string()> reporter) { reporters_.push_back(std::move(reporter)); }

std::string ScenarioRunner::ToProgramText(std::string_view utf8) {
  std::string sjis;
  return Utf8ToSjis(utf8, sjis) ? sjis : std::string(utf8);
}

std::string ScenarioRunner::ToReportText(std::string_view sjis) {
  std::string utf8;
  return SjisToUtf8(sjis, utf8) ? utf8 : std::string(sjis);
}

std::string ScenarioRunner::ScreenReport() const {
  std::string report = "screen:\n" + ToReportText(DescribeScreen());
  for (const auto& reporter : reporters_) report += reporter();
  return report;
}

void ScenarioRunner::AddBuiltInVerbs() {
  auto window = [this](std::string_view name, HWND* hwnd) -> std::string {
    *hwnd = Resolve(name);
    if (!IsWindow(*hwnd)) return "no window named \"" + std::string(name) + "\"";
    return {};
  };
  AddVerb("key", [this](std::string_view args) -> std::string {
    if (args.empty()) return "key needs a key name";
    while (!args.empty()) {
      auto [chord, rest] = SplitWord(args);
      if (driver_.PressKey(chord) != 0) return "unknown key \"" + std::string(chord) + "\"";
      args = rest;
    }
    return {};
  });
  AddVerb("repeat", [this](std::string_view args) -> std::string {
    auto [chord, rest] = SplitWord(args);
    long count = 0;
    if (!ParseCount(rest, &count) || count < 1) return "repeat needs a key and a count";
    if (driver_.HoldKey(chord, static_cast<int>(count)) != 0) return "unknown key \"" + std::string(chord) + "\"";
    return {};
  });
  AddVerb("type", [this](std::string_view args) -> std::string {
    if (driver_.Type(ToProgramText(args)) != 0) return "text cannot be typed";
    return {};
  });
  AddVerb("advance", [this](std::string_view args) -> std::string {
    long ms = 0;
    if (!ParseCount(args, &ms)) return "advance needs milliseconds";
    driver_.Advance(static_cast<std::uint32_t>(ms));
    return {};
  });
  auto click = [this, window](std::string_view args, bool right, bool twice) -> std::string {
    auto [name, rest] = SplitWord(args);
    HWND hwnd;
    if (std::string error = window(name, &hwnd); !error.empty()) return error;
    POINT point{1, 1};
    if (!rest.empty()) {
      auto [x, y] = SplitWord(rest);
      long px = 0, py = 0;
      if (!ParseCount(x, &px) || !ParseCount(y, &py)) return "click needs x and y";
      point = POINT{static_cast<LONG>(px), static_cast<LONG>(py)};
    }
    const auto button = right ? HeadlessDriver::Button::kRight : HeadlessDriver::Button::kLeft;
    if (twice)
      driver_.DoubleClick(hwnd, point, button);
    else
      driver_.Click(hwnd, point, button);
    return {};
  };
  AddVerb("click", [click](std::string_view args) { return click(args, false, false); });
  AddVerb("rclick", [click](std::string_view args) { return click(args, true, false); });
  AddVerb("dblclick", [click](std::string_view args) { return click(args, false, true); });
  AddVerb("drop", [this, window](std::string_view args) -> std::string {
    auto [name, text] = SplitWord(args);
    HWND hwnd;
    if (std::string error = window(name, &hwnd); !error.empty()) return error;
    driver_.DropText(hwnd, ToProgramText(text));
    return {};
  });
  AddVerb("compose", [this](std::string_view args) -> std::string {
    if (args == "off") return driver_.CloseComposition() ? std::string() : "nothing has the focus";
    // The clause in brackets is the one being converted (the target); the rest is converted text.
    std::string text;
    std::vector<BYTE> attributes;
    bool target = false;
    while (!args.empty()) {
      const std::size_t mark = args.find_first_of("[]");
      const std::string piece = ToProgramText(args.substr(0, mark));
      text += piece;
      attributes.insert(attributes.end(), piece.size(), target ? ATTR_TARGET_CONVERTED : ATTR_CONVERTED);
      if (mark == std::string_view::npos) break;
      target = args[mark] == '[';
      args.remove_prefix(mark + 1);
    }
    if (text.empty()) return "compose needs a text, or off";
    return driver_.OpenComposition(text, attributes) ? std::string() : "the focused window has no input context";
  });
  AddVerb("app", [](std::string_view args) -> std::string {
    if (args == "active")
      ActivateApplication();
    else if (args == "inactive")
      DeactivateApplication(HWND{});
    else
      return "app needs active or inactive";
    return {};
  });
  AddVerb("expect text", [window](std::string_view args) -> std::string {
    auto [name, text] = SplitWord(args);
    HWND hwnd;
    if (std::string error = window(name, &hwnd); !error.empty()) return error;
    const std::string actual = WindowText(hwnd);
    if (actual == ToProgramText(text)) return {};
    return "text of " + std::string(name) + " is \"" + ToReportText(actual) + "\", expected \"" + std::string(text) + "\"";
  });
  AddVerb("expect line", [window](std::string_view args) -> std::string {
    auto [name, rest] = SplitWord(args);
    auto [number, text] = SplitWord(rest);
    long wanted = 0;
    if (!ParseCount(number, &wanted) || wanted < 1) return "expect line needs a window, a line number from 1 and a text";
    HWND hwnd;
    if (std::string error = window(name, &hwnd); !error.empty()) return error;
    const std::string actual = WindowText(hwnd);
    std::size_t start = 0;
    for (long line = 1; line < wanted && start <= actual.size(); ++line) {
      const std::size_t end = actual.find('\n', start);
      start = end == std::string::npos ? actual.size() + 1 : end + 1;
    }
    std::string shown;
    if (start <= actual.size()) {
      shown = actual.substr(start, actual.find('\n', start) - start);
      if (!shown.empty() && shown.back() == '\r') shown.pop_back();
    }
    if (shown == ToProgramText(text)) return {};
    return "line " + std::string(number) + " of " + std::string(name) + " is \"" + ToReportText(shown) + "\", expected \"" +
           std::string(text) + "\"";
  });
  AddVerb("expect focus", [this](std::string_view args) -> std::string {
    const HWND expected = Resolve(args);
    if (expected && GetFocus() == expected) return {};
    return "the focus is on \"" + ToReportText(WindowText(GetFocus())) + "\" (" + ClassNameOf(GetFocus()) + "), not " +
           std::string(args);
  });
  auto beeps = [this](long expected) -> std::string {
    const std::size_t total = driver_.Beeps().size();
    const std::size_t fresh = total - std::min(beepsSeen_, total);
    beepsSeen_ = total;
    if (static_cast<long>(fresh) == expected) return {};
    return std::to_string(fresh) + " beeps, expected " + std::to_string(expected);
  };
  AddVerb("expect beep", [beeps](std::string_view args) -> std::string {
    long count = 1;
    if (!args.empty() && !ParseCount(args, &count)) return "expect beep takes a count";
    return beeps(count);
  });
  AddVerb("expect no beep", [beeps](std::string_view) { return beeps(0); });
  AddVerb("expect menu", [](std::string_view args) -> std::string {
    const std::size_t space = args.find_last_of(' ');
    if (space == std::string_view::npos) return "expect menu needs a path and a state";
    const std::string path = ToProgramText(Trim(args.substr(0, space)));
    const std::string_view want = args.substr(space + 1);
    HMENU holder;
    int position = -1;
    if (!FindMenuPath(path, &holder, &position)) return "no menu item " + std::string(Trim(args.substr(0, space)));
    const UINT state = MenuItemFlags(holder, position);
    const bool gray = (state & (MF_GRAYED | MF_DISABLED)) != 0;
    const bool checked = (state & MF_CHECKED) != 0;
    bool ok;
    if (want == "gray")
      ok = gray;
    else if (want == "enabled")
      ok = !gray;
    else if (want == "checked")
      ok = checked;
    else if (want == "unchecked")
      ok = !checked;
    else if (want == "radio")
      ok = checked && (state & MFT_RADIOCHECK);
    else
      return "unknown menu state \"" + std::string(want) + "\"";
    if (ok) return {};
    return "menu item is " + std::string(gray ? "gray" : "enabled") + (checked ? ", checked" : "") + ", expected " +
           std::string(want);
  });
  AddVerb("expect highlight", [](std::string_view args) -> std::string {
    MenuLoopView view;
    if (!CurrentMenuLoop(&view)) return "no menu is open";
    std::vector<std::string> labels;
    std::string path;
    for (std::size_t level = 0; level < view.openMenus.size(); ++level) {
      if (view.highlighted[level] < 0) break;
      labels.push_back(MenuItemLabel(view.openMenus[level], view.highlighted[level]));
      path += (path.empty() ? "" : "/") + labels.back();
    }
    if (PathMatches(labels, ToProgramText(args))) return {};
    return "the menu cursor is on " + ToReportText(path) + ", expected " + std::string(args);
  });
  AddVerb("expect clipboard", [](std::string_view args) -> std::string {
    const std::string actual = ClipboardText();
    if (actual == ToProgramText(args)) return {};
    return "the clipboard holds \"" + ToReportText(actual) + "\", expected \"" + std::string(args) + "\"";
  });
  AddVerb("expect no menu", [](std::string_view) -> std::string {
    return CurrentMenuLoop(nullptr) ? "a menu is open" : std::string();
  });
}

ScenarioResult ScenarioRunner::Run(std::string_view scenarioText, std::string_view sourceName) {
  ScenarioResult result;
  std::vector<ParsedLine> lines;
  std::istringstream in{std::string(scenarioText)};
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') continue;
    std::string_view step = line;
    long afterMs = -1;
    if (auto [word, rest] = SplitWord(line); word == "after") {
      auto [count, timed] = SplitWord(rest);
      if (!ParseCount(count, &afterMs) || timed.empty()) {
        ++result.failures;
        result.report += std::string(sourceName) + ":" + std::to_string(number) + ": after needs milliseconds and a step\n";
        continue;
      }
      step = timed;
    }
    const std::string* best = nullptr;
    for (const auto& [verb, handler] : verbs_) {
      if (step.substr(0, verb.size()) != verb) continue;
      if (step.size() > verb.size() && step[verb.size()] != ' ' && step[verb.size()] != '\t') continue;
      if (best == nullptr || verb.size() > best->size()) best = &verb;
    }
    if (best == nullptr) {
      ++result.failures;
      result.report += std::string(sourceName) + ":" + std::to_string(number) + ": unknown step: " + std::string(line) + "\n";
      continue;
    }
    lines.push_back(
        ParsedLine{number, std::string(line), *best, std::string(Trim(step.substr(best->size()))), afterMs});
  }
  if (result.failures > 0) return result;

  beepsSeen_ = driver_.Beeps().size();
  std::size_t executed = 0;
  bool failed = false;
  for (const ParsedLine& line : lines) {
    auto step = [this, &line, &result, &executed, &failed, sourceName] {
      ++executed;
      if (failed) return;
      const std::string error = verbs_.at(line.verb)(line.args);
      if (error.empty()) return;
      failed = true;
      ++result.failures;
      result.report += std::string(sourceName) + ":" + std::to_string(line.number) + ": " + line.text + "\n  " + error +
                       "\n" + ScreenReport();
    };
    if (line.afterMs >= 0)
      driver_.ThenAfter(static_cast<std::uint32_t>(line.afterMs), step);
    else
      driver_.Then(step);
  }
  driver_.Run();
  if (executed < lines.size() && !failed) {
    ++result.failures;
    result.report += std::string(sourceName) + ":" + std::to_string(lines[executed].number) +
                     ": the program ended before this step\n" + ScreenReport();
  }
  driver_.ClearSteps();
  return result;
}

ScenarioResult ScenarioRunner::RunFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    ScenarioResult result;
    result.failures = 1;
    result.report = path + ": cannot be read\n";
    return result;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return Run(text.str(), path);
}

}  // namespace lexiv::platform
