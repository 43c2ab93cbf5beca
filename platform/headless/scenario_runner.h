// Scenario files: a user's session as lines, keys in and expected state out.
//
//   # comment
//   key Ctrl+G              keys pressed one after the other (several may follow on one line)
//   repeat PageDown 5       a held key: 5 key downs (auto-repeat), one key up
//   type かなabc            text typed (the file is UTF-8; the program sees Shift-JIS)
//   advance 500             500 ms pass
//   after 300 key Escape    any step 300 ms after the one before, even while the program is busy
//   click label [x y]       also rclick, dblclick
//   drop frame 愛           text dropped on a window
//   app inactive            another application takes the foreground; "app active" returns
//   compose 辞書を[引く]     the input method composes the text in the focused window, the clause
//                           in brackets being converted; "compose off" ends the composition
//   expect text label こんにちは
//   expect line meaning 2 漢字　　端   one line of a window's text, counted from 1
//   expect focus pad
//   expect clipboard 愛      the clipboard's text
//   expect beep [n]         n (default 1) beeps since the last beep expectation; "expect no beep"
//   expect menu 操作/挨拶 gray     also enabled, checked, unchecked, radio (the popups on the
//                                 way are initialised first, as when the user opens them)
//   expect highlight 操作/挨拶     the item under the menu cursor; "expect no menu"
//
// Menu paths name items by their labels, with or without the mnemonic group: 操作 or 操作(F).
// Windows are named by the test (NameWindow); "focus" and "active" name the focus and active
// windows. A line runs when the program waits for input with nothing to do (see
// headless_driver.h), so a key that opens a dialog is followed by keys that reach the dialog, and
// a key follows only when the previous one's work (its speech included) is done; "after" lines
// come at their time instead. Further verbs (expect speech, ...) are added with AddVerb.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_driver.h"
#include "platform/win_types.h"

namespace lexiv::platform {

struct ScenarioResult {
  int failures = 0;
  std::string report;  // UTF-8: each failure with its line, the screen and the added reports
};

class ScenarioRunner {
 public:
  explicit ScenarioRunner(HeadlessDriver& driver);

  void NameWindow(const std::string& name, HWND hwnd);
  // Resolves names no NameWindow gave (after the built-in ones); null when unknown.
  void SetWindowResolver(std::function<HWND(std::string_view)> resolver);
  HWND Resolve(std::string_view name) const;

  // A verb handler gets the rest of the line (UTF-8) and returns an error text (UTF-8), empty on
  // success. The longest registered verb that begins the line wins ("expect text" over "expect").
  using Verb = std::function<std::string(std::string_view args)>;
  void AddVerb(const std::string& verb, Verb handler);
  // Adds a section to the report of a failure (the speech log, ...).
  void AddReport(std::function<std::string()> reporter);

  ScenarioResult Run(std::string_view scenarioText, std::string_view sourceName);
  ScenarioResult RunFile(const std::string& path);

  // Text conversion at the edge: scenario files are UTF-8.
  static std::string ToProgramText(std::string_view utf8);
  static std::string ToReportText(std::string_view sjis);

 private:
  void AddBuiltInVerbs();
  std::string ScreenReport() const;

  HeadlessDriver& driver_;
  std::map<std::string, HWND> names_;
  std::function<HWND(std::string_view)> resolver_;
  std::map<std::string, Verb> verbs_;
  std::vector<std::function<std::string()>> reporters_;
  std::size_t beepsSeen_ = 0;
};

}  // namespace lexiv::platform
