#include "manuals/manual_names.h"

#include <algorithm>

#include "platform/services/file_listing.h"
#include "platform/services/shift_jis_text.h"

namespace lexiv::manuals {

namespace {

constexpr char kManualPattern[] = "*.txt";

unsigned CharCodeAt(std::string_view text, std::size_t bytePos, std::size_t charBytes) {
  const auto lead = static_cast<unsigned char>(text[bytePos]);
  if (charBytes == 1) return lead;
  return (static_cast<unsigned>(lead) << 8) | static_cast<unsigned char>(text[bytePos + 1]);
}

// The name the list shows: the file name up to its last ".".
std::string WithoutExtension(const std::string& fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

}  // namespace

int CompareManualNames(std::string_view a, std::string_view b) {
  std::size_t atA = 0;
  std::size_t atB = 0;
  while (atA < a.size() && atB < b.size()) {
    const std::size_t bytesA = platform::SjisCharBytesAt(a, atA);
    const std::size_t bytesB = platform::SjisCharBytesAt(b, atB);
    const unsigned codeA = CharCodeAt(a, atA, bytesA);
    const unsigned codeB = CharCodeAt(b, atB, bytesB);
    if (codeA != codeB) return codeA < codeB ? -1 : 1;
    atA += bytesA;
    atB += bytesB;
  }
  if (atA < a.size()) return 1;
  if (atB < b.size()) return -1;
  return 0;
}

std::vector<ManualFile> ListManuals(std::string_view directory) {
  std::vector<ManualFile> manuals;
  if (directory.empty()) return manuals;
  std::vector<std::string> fileNames;
  if (platform::ListMatchingFiles(directory, kManualPattern, fileNames) <= 0) return manuals;
  for (std::string& fileName : fileNames) {
    std::string name = WithoutExtension(fileName);
    manuals.push_back(ManualFile{std::move(name), std::move(fileName)});
  }
  std::stable_sort(manuals.begin(), manuals.end(), [](const ManualFile& a, const ManualFile& b) {
    return CompareManualNames(a.name, b.name) < 0;
  });
  return manuals;
}

bool HasManuals(std::string_view directory) {
  std::vector<std::string> fileNames;
  return !directory.empty() && platform::ListMatchingFiles(directory, kManualPattern, fileNames) > 0;
}

}  // namespace lexiv::manuals
