#include "japanese_voice.h"

#include <cctype>

namespace lexiv::reader {
namespace {

bool IsJapanese(const std::string& language) {
  if (language.size() < 2) return false;
  const bool ja = std::tolower(static_cast<unsigned char>(language[0])) == 'j' &&
                  std::tolower(static_cast<unsigned char>(language[1])) == 'a';
  return ja && (language.size() == 2 || language[2] == '-' || language[2] == '_');
}

bool ReadsOnlyKana(const std::string& module) { return module.rfind("espeak", 0) == 0; }

}  // namespace

std::optional<VoiceOffer> ChooseJapaneseVoice(const std::vector<VoiceOffer>& offers) {
  std::optional<VoiceOffer> kanaOnly;
  for (const VoiceOffer& offer : offers) {
    if (!IsJapanese(offer.language)) continue;
    if (!ReadsOnlyKana(offer.module)) return offer;
    if (!kanaOnly) kanaOnly = offer;
  }
  return kanaOnly;
}

}  // namespace lexiv::reader
