#include "fuzz/dictionary_bundle.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace lexiv::fuzz {
namespace {

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteWhole(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

void AppendFile(std::string& bundle, std::string_view bytes) {
  auto n = static_cast<std::uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) bundle.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
  bundle += bytes;
}

}  // namespace

bool PackDictionary(const std::string& dir, std::string& bundle) {
  bundle.clear();
  std::string bytes;
  std::string firstLevel[4];
  for (int i = 0; i < 5; ++i) {
    if (!ReadWhole(dir + kBundleFiles[i], bytes)) return false;
    if (i > 0) firstLevel[i - 1] = bytes;
    AppendFile(bundle, bytes);
  }
  for (const std::string& header : firstLevel) {
    if (header.size() < 16) return false;
    std::string name(header.data() + 8, strnlen(header.data() + 8, 8));
    if (!ReadWhole(dir + name, bytes)) return false;
    AppendFile(bundle, bytes);
  }
  return true;
}

bool UnpackDictionary(std::string_view bundle, const std::string& dir) {
  std::size_t pos = 0;
  for (int i = 0; i < 9; ++i) {
    std::string_view bytes;
    if (pos + 4 <= bundle.size()) {
      std::uint32_t n = 0;
      for (int b = 0; b < 4; ++b) n |= static_cast<std::uint32_t>(static_cast<unsigned char>(bundle[pos + b])) << (8 * b);
      pos += 4;
      std::size_t take = n < bundle.size() - pos ? n : bundle.size() - pos;
      bytes = bundle.substr(pos, take);
      pos += take;
    }
    std::string file(bytes);
    if (i >= 1 && i <= 4 && file.size() >= 16) {
      char name[8] = {};
      std::memcpy(name, kBundleFiles[i + 4], std::strlen(kBundleFiles[i + 4]));
      std::memcpy(file.data() + 8, name, 8);
    }
    if (!WriteWhole(dir + kBundleFiles[i], file)) return false;
  }
  return true;
}

}  // namespace lexiv::fuzz
