// lexiv-fuzz-text-seeds OUTDIR: writes the seed inputs of the text fuzz target. The seeds are
// string literals here so that the build's Shift-JIS execution charset turns them into the bytes
// the engine sees.
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lexiv-fuzz-text-seeds OUTDIR\n");
    return 1;
  }
  static constexpr const char* kSeeds[] = {
      "あい*",       "*あい",          "＊漢字",   "ｶﾞｷﾞｮｳ",    "abc~",
      "漢字を読む", "『自五』",        "『自他』", "『名』の",  "「あ〔＝亜〕・い〔＝伊〕」",
      "（①あ）②い", "「ことわざ」",  "ヴァイオリン", "\x81",   "\xF1\x60意味\xF1\x61",
  };
  int n = 0;
  for (const char* seed : kSeeds) {
    std::ofstream out(std::string(argv[1]) + "/seed" + std::to_string(n++), std::ios::binary | std::ios::trunc);
    out << seed;
    if (!out) return 2;
  }
  return 0;
}
