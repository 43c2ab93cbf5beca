// A few KANJIDIC lines, written here in UTF-8 and stored as the EUC-JP file KANJIDIC is, compiled
// by the real compiler into a table in a temporary directory: the same kanji readings on every
// machine, whether or not KANJIDIC is installed.
#pragma once

#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "reader/kanjidic_compiler.h"

namespace lexiv::testing {

// KANJIDIC's lines of 橋, 端, 箸, 東, 京, 込, 胃 and 燹 (a second-level kanji), cut short. 茶 (no
// kun reading, a name reading after T2), 丸 (its kun reading moved after T1, where the name
// readings begin) and 丼 (no reading at all) are altered to show those cases.
inline constexpr char8_t kKanjidicFixture[] =
    u8"# KANJIDIC JIS X 0208 Kanji Information File/test fixture/\n"
    u8"橋 3636 U6a4b B75 G3 S16 Yqiao2 Wgyo キョウ はし T1 ばせ {bridge}\n"
    u8"端 433C U7aef B117 G8 S14 Yduan1 Wdan タン はし は はた -ばた はな T1 ただし みず {edge} {origin}\n"
    u8"箸 4824 U7bb8 B118 G8 S15 Yzhu4 Wjeo チョ チャク はし {chopsticks}\n"
    u8"東 456C U6771 B4 C75 G2 S8 Ydong1 Wdong トウ ひがし T1 あい あがり {east}\n"
    u8"京 357E U4eac B8 G2 S8 Yjing1 Wgyeong キョウ ケイ キン みやこ T1 たか {capital} {10**16}\n"
    u8"込 397E U8fbc B162 G8 S5 -こ.む こ.む こ.み T1 こみ ごめ {crowded} {(kokuji)}\n"
    u8"茶 4363 U8336 B140 G2 S9 Ycha2 Wda チャ サ T2 ちゃ {tea}\n"
    u8"胃 305F U80c3 B102 C130 G6 S9 Ywei4 Wwi イ {stomach} {paunch}\n"
    u8"丸 345D U4e38 B3 G2 S3 ガン T1 まる {round}\n"
    u8"丼 5027 U4e3c B4 S5 {bowl}\n"
    u8"燹 6021 U71f9 B86 S18 Yxian3 Wheui Wseon セン のび {prairie fire}\n";

inline std::string Utf8ToEucJp(const std::string& utf8) {
  iconv_t cd = ::iconv_open("EUC-JP", "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  ::iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  ::iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// Writes the fixture as kanjidic in dir and compiles it into dir/voxa/kanji-readings.bin, where
// the reader looks beside itself. Returns the table's path.
inline std::string CompileKanjiFixture(const std::filesystem::path& dir) {
  const std::filesystem::path source = dir / "kanjidic";
  std::ofstream(source, std::ios::binary) << Utf8ToEucJp(reinterpret_cast<const char*>(kKanjidicFixture));
  std::filesystem::create_directories(dir / "voxa");
  const std::string table = (dir / "voxa" / "kanji-readings.bin").string();
  std::string error;
  if (reader::CompileKanjidic(source.string(), table, error) < 0) return {};
  return table;
}

}  // namespace lexiv::testing
