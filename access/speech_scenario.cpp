#include "access/speech_scenario.h"

#include <memory>

namespace lexiv::access {

void AddSpeechSteps(platform::ScenarioRunner& runner, const FakeReader& reader) {
  // How many of the reader's texts the scenario has accounted for.
  auto seen = std::make_shared<std::size_t>(0);
  auto unaccounted = [&reader, seen] {
    std::string list;
    const std::vector<std::string> texts = reader.SpokenTexts();
    for (std::size_t i = *seen; i < texts.size(); ++i) list += "\n    " + FakeReader::DisplayText(texts[i]);
    return list.empty() ? std::string("nothing") : list;
  };
  runner.AddVerb("expect speech", [&reader, seen, unaccounted](std::string_view args) -> std::string {
    if (args.empty()) return "expect speech needs a text";
    const std::vector<std::string> texts = reader.SpokenTexts();
    if (*seen >= texts.size()) return "nothing was said, expected \"" + std::string(args) + "\"";
    if (texts[*seen] != FakeReader::FromDisplayText(args))
      return "said:" + unaccounted() + "\n  expected \"" + std::string(args) + "\" next";
    ++*seen;
    return {};
  });
  runner.AddVerb("expect empty speech", [&reader, seen, unaccounted](std::string_view) -> std::string {
    const std::vector<std::string> texts = reader.SpokenTexts();
    if (*seen >= texts.size()) return "nothing was said, expected an empty text";
    if (!texts[*seen].empty()) return "said:" + unaccounted() + "\n  expected an empty text next";
    ++*seen;
    return {};
  });
  runner.AddVerb("expect no speech", [&reader, seen, unaccounted](std::string_view) -> std::string {
    const std::size_t total = reader.SpokenTexts().size();
    if (*seen >= total) return {};
    std::string error = "said:" + unaccounted();
    *seen = total;
    return error;
  });
  runner.AddReport([&reader] { return reader.Report(); });
}

}  // namespace lexiv::access
