// lexiv-fuzz-pack DICTDIR OUTFILE: packs a compiled dictionary into one fuzz seed.
#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz/dictionary_bundle.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lexiv-fuzz-pack DICTDIR OUTFILE\n");
    return 1;
  }
  std::string dir = argv[1];
  if (dir.empty() || dir.back() != '/') dir += '/';
  std::string bundle;
  if (!lexiv::fuzz::PackDictionary(dir, bundle)) {
    std::fprintf(stderr, "lexiv-fuzz-pack: cannot read the dictionary in %s\n", dir.c_str());
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(bundle.data(), static_cast<std::streamsize>(bundle.size()));
  return out ? 0 : 2;
}
