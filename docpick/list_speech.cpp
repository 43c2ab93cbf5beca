#include "docpick/list_speech.h"

namespace lexiv::docpick {

using namespace lexiv::platform;

namespace {

std::string RemoveSuffix(std::string name, std::string_view suffix) {
  if (name.size() >= suffix.size() && std::string_view(name).substr(name.size() - suffix.size()) == suffix)
    name.resize(name.size() - suffix.size());
  return name;
}

std::string Said(std::string_view word, std::string_view entry) {
  std::string text(word);
  text += kPhraseSeparator;
  text += entry;
  return text;
}

}  // namespace

std::string ManualListName(std::string_view fileName) {
  return RemoveSuffix(RemoveSuffix(std::string(fileName), ".TXT"), ".txt");
}

std::string KeyUpAnnouncement(UINT vk, std::string_view wrapWord, int selected, int count, std::string_view entry) {
  const std::string position = std::to_string(selected + 1) + "項目め";
  switch (vk) {
    case VK_DOWN:
    case VK_UP:
    case VK_SPACE:
    case VK_RIGHT:
    case VK_LEFT: return wrapWord.empty() ? std::string(entry) : Said(wrapWord, entry);
    case VK_HOME: return Said("トップ", entry);
    case VK_END: return Said("ラスト", entry);
    case VK_PRIOR: return Said(selected <= 0 ? std::string("バック トップ") : "バック " + position, entry);
    case VK_NEXT: return Said(selected >= count - 1 ? std::string("ネクスト ラスト") : "ネクスト " + position, entry);
    default: return {};
  }
}

}  // namespace lexiv::docpick
