// voxa-kanji-readings KANJIDIC TABLE: compiles the kanji readings the reader uses for its
// character guides. Run by the build when KANJIDIC is installed.
#include <cstdio>
#include <string>

#include "kanjidic_compiler.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: voxa-kanji-readings KANJIDIC TABLE\n");
    return 1;
  }
  std::string error;
  const int count = lexiv::reader::CompileKanjidic(argv[1], argv[2], error);
  if (count < 0) {
    std::fprintf(stderr, "voxa-kanji-readings: %s\n", error.c_str());
    return 2;
  }
  std::printf("%d kanji\n", count);
  return 0;
}
