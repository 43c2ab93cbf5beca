// Which of the speech server's voices speaks the program's Japanese.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lexiv::reader {

struct VoiceOffer {
  std::string module;    // the server's output module that has the voice
  std::string name;      // empty: the module's own voice for the language
  std::string language;  // as the server gives it: "ja", "ja-JP", "en-US" ...
};

// A voice whose language is Japanese; one of a module other than espeak's comes first, since
// espeak-ng's Japanese voice reads only kana and spells a kanji out. None when the server has no
// Japanese voice at all.
std::optional<VoiceOffer> ChooseJapaneseVoice(const std::vector<VoiceOffer>& offers);

}  // namespace lexiv::reader
