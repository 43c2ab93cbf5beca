// Scenario steps about speech, answered by the fake reader:
//
//   expect speech 国語辞典␞終わり   the next text the program said (after the one last expected)
//   expect empty speech            the next text is empty (a reset heard as silence)
//   expect no speech               nothing said since the last speech expectation
//
// ␞ stands for the phrase separator (0xFE), ␟ for the pause mark (0xFF), ␍ and ␊ for a carriage
// return and a line feed. A failure's report
// lists the reader's calls.
#pragma once

#include "access/fake_reader.h"
#include "platform/headless/scenario_runner.h"

namespace lexiv::access {

void AddSpeechSteps(platform::ScenarioRunner& runner, const FakeReader& reader);

}  // namespace lexiv::access
