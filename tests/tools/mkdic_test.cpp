#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tools/edict_reader.h"
#include "tools/source_reader.h"

namespace lexiv {
namespace {

namespace fs = std::filesystem;
using lexiv::testing::TempDir;

// Source files are UTF-8 while ordinary literals here are Shift-JIS.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

const std::string kHeader = "reading\twritten\tmeaning\taccent\thistorical\tmark\tkind\n";

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> DirectoryNames(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& item : fs::directory_iterator(dir)) names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs lexiv-mkdic with args; returns its exit status and what it wrote to stderr.
struct RunResult {
  int status = -1;
  std::string err;
};

class MkdicTest : public ::testing::Test {
 protected:
  RunResult Run(const std::vector<std::string>& args) {
    std::string command = std::string("'") + LEXIV_BIN_DIR + "/lexiv-mkdic'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    fs::path errPath = scratch_.path() / "stderr.txt";
    command += " 2>'" + errPath.string() + "'";
    int raw = std::system(command.c_str());
    RunResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.err = ReadText(errPath);
    return result;
  }
  fs::path Source(const std::string& text) {
    WriteText(source_, text);
    return source_;
  }

  TempDir dir_;      // holds the source and the output directory only
  TempDir scratch_;  // stderr captures
  fs::path source_ = dir_.path() / "words.tsv";
  fs::path out_ = dir_.path() / "dic";
};

const char* const kDictionaryFiles[] = {"ANKF.ID1", "ANKF.ID2", "ANKR.ID1", "ANKR.ID2", "KNJF.ID1",
                                        "KNJF.ID2", "KNJR.ID1", "KNJR.ID2", "YOMIGO.DIC"};

TEST_F(MkdicTest, CompilesASourceAndReplacesAnEarlierDictionary) {
  fs::create_directory(out_);
  WriteText(out_ / "stale.txt", "from an earlier build");
  Source(kHeader + Utf8(u8"かんじ\t漢字|感じ\t①もじ。②感覚。\t01\tかんじ\t1\t-5\n"
                        u8"かな\t\tかなもじ\t\t\t\t\n"));
  RunResult run = Run({source_.string(), out_.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(DirectoryNames(out_), std::vector<std::string>(std::begin(kDictionaryFiles), std::end(kDictionaryFiles)));
  EXPECT_EQ(DirectoryNames(dir_.path()), (std::vector<std::string>{"dic", "words.tsv"}));
}

TEST_F(MkdicTest, BadSourceIsReportedByLineAndLeavesNoDictionary) {
  const std::string goodLine = Utf8(u8"かな\t\tかなもじ\t\t\t\t\n");
  struct Case {
    std::string text;  // the whole source
    std::string message;  // what stderr begins with, after "FILE:"
  };
  const Case cases[] = {
      {"reading\tmeaning\tcolour\n", "1: unknown column \"colour\""},
      {"reading\twritten\n", "1: the header has no \"meaning\" column"},
      {kHeader + goodLine + Utf8(u8"kana\t\tx\t\t\t\t\n"), "3: the reading is not kana"},
      {kHeader + goodLine + Utf8(u8"かな\t\t\U0001F600\t\t\t\t\n"),
       "3: the meaning holds a character Shift-JIS cannot hold: U+1F600"},
      {kHeader + goodLine + Utf8(u8"ゔぁ\t\tx\t\t\t\t\n"), "3: the reading holds a character Shift-JIS cannot hold: U+3094"},
      {kHeader + goodLine + Utf8(u8"かな\t") + Repeat(Utf8(u8"漢"), 21) + "\tx\t\t\t\t\n",
       "3: written form 1 is longer than 40 Shift-JIS bytes (42)"},
      {kHeader + goodLine + Repeat(Utf8(u8"か"), 21) + "\t\tx\t\t\t\t\n",
       "3: the reading is longer than 40 Shift-JIS bytes (42)"},
      {kHeader + goodLine + Utf8(u8"かな\t\t") + Repeat("a", 4096) + "\t\t\t\t\n", "3: the meaning is 4096 Shift-JIS bytes"},
      {kHeader + goodLine + Utf8(u8"かな\t\t") + Repeat(Utf8(u8"『自五』"), 300) + "\t\t\t\t\n",
       "3: the display form of the meaning does not fit in 4096 bytes"},
      {kHeader + goodLine + Utf8(u8"かな\t\tx\t123\t\t\t\n"), "3: the accent must be empty or one or two digits"},
      {kHeader + goodLine + Utf8(u8"かな\t\tx\t1a\t\t\t\n"), "3: the accent must be empty or one or two digits"},
      {kHeader + goodLine + Utf8(u8"かな\t\tx\t\t\t3\t\n"), "3: the mark must be 0, 1 or 2"},
      {kHeader + goodLine + Utf8(u8"かな\t\tx\t\t\t\t128\n"), "3: the kind must be a number from -128 to 127"},
      {kHeader + goodLine + Utf8(u8"かな\t\tx\t\t\t\n"), "3: expected 7 tab-separated fields, found 6"},
      {kHeader + goodLine + Utf8(u8"かな\t亜|\tx\t\t\t\t\n"), "3: an empty written form between the | separators"},
      {kHeader + goodLine + Utf8(u8"かな\t亜|伊|宇|江\tx\t\t\t\t\n"), "3: more than three written forms"},
      {kHeader + goodLine + Utf8(u8"かな\t漢a\tx\t\t\t\t\n"), "3: written form 1 holds a character that is not double-byte"},
      {kHeader + goodLine + Utf8(u8"かな\t\tx\t\tkana\t\t\n"), "3: the historical spelling is not kana"},
      {kHeader + goodLine + "\xE3\x81\t\tx\t\t\t\t\n", "3: invalid UTF-8"},
      {"# only a comment\n" + kHeader, " no entries"},
  };
  for (const Case& c : cases) {
    RunResult run = Run({Source(c.text).string(), out_.string()});
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_EQ(run.err.rfind(source_.string() + ":" + c.message, 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    EXPECT_EQ(DirectoryNames(dir_.path()), std::vector<std::string>{"words.tsv"}) << c.message;
  }
}

TEST_F(MkdicTest, FailedCompileKeepsTheEarlierDictionary) {
  fs::create_directory(out_);
  WriteText(out_ / "YOMIGO.DIC", "earlier");
  RunResult run = Run({Source(kHeader + Utf8(u8"かな\t\tx\t\t\t9\t\n")).string(), out_.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(ReadText(out_ / "YOMIGO.DIC"), "earlier");
  EXPECT_EQ(DirectoryNames(dir_.path()), (std::vector<std::string>{"dic", "words.tsv"}));
}

TEST_F(MkdicTest, UsageErrorsAndMissingFiles) {
  EXPECT_EQ(Run({}).status, 2);
  EXPECT_EQ(Run({source_.string()}).status, 2);
  RunResult run = Run({(dir_.path() / "missing.tsv").string(), out_.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("missing.tsv: cannot open the file"), std::string::npos) << run.err;
  run = Run({Source(kHeader + Utf8(u8"かな\t\tx\t\t\t\t\n")).string(), (dir_.path() / "no/such/dic").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot create a directory beside"), std::string::npos) << run.err;
}

TEST_F(MkdicTest, ImportsEdictAndCountsWhatItSkipped) {
  // EUC-JP: header line; 愛 [あい]; あい (kana only); a line without glosses; 愛 with a reading in kanji.
  WriteText(dir_.path() / "edict",
            "\xA1\xA1\xA1\xA9 /EDICT header/\n"
            "\xB0\xA6 [\xA4\xA2\xA4\xA4] /(n) love/(P)/\n"
            "\xA4\xA2\xA4\xA4 /(n) love/\n"
            "\xB0\xA6\n"
            "\xB0\xA6 [\xB0\xA6] /love/\n");
  RunResult run = Run({"--edict", (dir_.path() / "edict").string(), out_.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "imported 2 entries, skipped 2 lines\n  1 not in EDICT form\n  1 reading not kana\n");
  EXPECT_TRUE(fs::exists(out_ / "YOMIGO.DIC"));
}

// --- The source reader on its own: what a good source turns into ---------------------------------

TEST(SourceReader, ReadsColumnsInAnyOrderIntoShiftJisEntries) {
  std::string text = Utf8(u8"\uFEFF# comment\r\n"
                          u8"\r\n"
                          u8"meaning\tkind\treading\twritten\r\n"
                          u8"㉑あ㉔。〜\t-7\tカンジ\t漢字|感じ|幹事\r\n"
                          u8"# another comment\n"
                          u8"x\t\tかな\t\n");
  std::vector<SourceEntry> entries;
  std::vector<std::string> errors;
  ASSERT_EQ(ReadSourceText(text, "s.tsv", entries, errors), 2) << (errors.empty() ? "" : errors[0]);
  EXPECT_EQ(entries[0].reading, "カンジ");
  EXPECT_EQ(entries[0].written[0], "漢字");
  EXPECT_EQ(entries[0].written[1], "感じ");
  EXPECT_EQ(entries[0].written[2], "幹事");
  EXPECT_EQ(entries[0].meaning, "\xF1\x60" "あ" "\xF1\x63" "。\x81\x60");
  EXPECT_EQ(entries[0].kind, -7);
  EXPECT_EQ(entries[0].sourceLine, 4);
  EXPECT_EQ(entries[1].written[0], "");
  EXPECT_EQ(entries[1].sourceLine, 6);
}

TEST(SourceReader, FieldsOfAccentMarkAndHistoricalSpelling) {
  std::string text = kHeader + Utf8(u8"あ\t\tx\t\t\t\t\n"
                                    u8"い\t\tx\t3\tゐ\t0\t\n"
                                    u8"う\t\tx\t12\tう\t2\t+127\n");
  std::vector<SourceEntry> entries;
  std::vector<std::string> errors;
  ASSERT_EQ(ReadSourceText(text, "s.tsv", entries, errors), 3);
  struct Expected {
    char accent1, accent2;
    int mark;
    const char* historical;
    int kind;
  };
  const Expected expected[] = {{0, 0, 0, "", 0}, {'3', 0, 0, "ゐ", 0}, {'1', '2', 2, "う", 127}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(entries[i].accent1, expected[i].accent1) << i;
    EXPECT_EQ(entries[i].accent2, expected[i].accent2) << i;
    EXPECT_EQ(entries[i].mark, expected[i].mark) << i;
    EXPECT_EQ(entries[i].historical, expected[i].historical) << i;
    EXPECT_EQ(entries[i].kind, expected[i].kind) << i;
  }
}

TEST(SourceReader, ReportsEveryBadLineUpToAScreenful) {
  std::string text = kHeader;
  for (int i = 0; i < 30; ++i) text += "bad\n";
  std::vector<SourceEntry> entries;
  std::vector<std::string> errors;
  EXPECT_EQ(ReadSourceText(text, "s.tsv", entries, errors), -1);
  ASSERT_EQ(errors.size(), 21u);
  EXPECT_EQ(errors[0], "s.tsv:2: expected 7 tab-separated fields, found 1");
  EXPECT_EQ(errors[19].rfind("s.tsv:21: ", 0), 0u);
  EXPECT_EQ(errors[20], "s.tsv: too many errors; stopped reporting");
}

// --- EDICT lines, already in Shift-JIS --------------------------------------------------------------

TEST(EdictReader, ParsesLinesAndSaysWhyOthersCannotBeImported) {
  struct Case {
    std::string line;
    int outcome;
    const char* reading;
    const char* written;
    const char* meaning;
  };
  const Case cases[] = {
      {"愛 [あい] /(n) love/(P)/", kEdictImported, "あい", "愛", "(n) love"},
      {"あい /(n) love/affection/", kEdictImported, "あい", "", "(n) love; affection"},
      {"ワン・アール /(n) studio/", kEdictImported, "ワンアール", "ワン・アール", "(n) studio"},
      {"１Ｒ [ワン・アール] /(n) studio/", kEdictImported, "ワンアール", "１Ｒ", "(n) studio"},
      // ー is 0x815B: its trail byte is "[" and must not be taken for the bracket.
      {"ルーム [ルーム] /room/", kEdictImported, "ルーム", "ルーム", "room"},
      {"愛", kEdictNotEdictForm, "", "", ""},
      {"愛 [あい /love/", kEdictNotEdictForm, "", "", ""},
      {"愛 [あい] /(P)/", kEdictNotEdictForm, "", "", ""},
      {"Ｔシャツ [ティーシャツ] /T-shirt/", kEdictImported, "ティーシャツ", "Ｔシャツ", "T-shirt"},
      {"Tシャツ [ティーシャツ] /T-shirt/", kEdictWrittenNotDoubleByte, "", "", ""},
      {Repeat("漢", 21) + " [かん] /x/", kEdictWrittenTooLong, "", "", ""},
      {"ヽ /repetition mark/", kEdictReadingNotKana, "", "", ""},
      {"仝 [どうじょう] /x/", kEdictImported, "どうじょう", "仝", "x"},
      {"〃 [〃] /x/", kEdictReadingNotKana, "", "", ""},
      {"漢 [" + Repeat("か", 21) + "] /x/", kEdictReadingTooLong, "", "", ""},
  };
  for (const Case& c : cases) {
    SourceEntry entry;
    EdictLineNotes notes;
    EXPECT_EQ(ParseEdictLine(c.line, entry, notes), c.outcome) << c.line;
    if (c.outcome != kEdictImported) continue;
    EXPECT_EQ(entry.reading, c.reading) << c.line;
    EXPECT_EQ(entry.written[0], c.written) << c.line;
    EXPECT_EQ(entry.meaning, c.meaning) << c.line;
  }
}

TEST(EdictReader, LongGlossListsAreCutAtAGlossBoundary) {
  std::string glosses;
  for (int i = 0; i < 300; ++i) glosses += "gloss number " + std::to_string(i) + "/";
  SourceEntry entry;
  EdictLineNotes notes;
  ASSERT_EQ(ParseEdictLine("愛 [あい] /" + glosses, entry, notes), kEdictImported);
  EXPECT_TRUE(notes.glossesDropped);
  EXPECT_LE(entry.meaning.size(), kEdictMeaningBytes);
  EXPECT_EQ(entry.meaning.rfind("gloss number 0; gloss number 1; ", 0), 0u);
  std::string lastGloss = entry.meaning.substr(entry.meaning.rfind("; ") + 2);
  int lastNumber = std::stoi(lastGloss.substr(13));
  EXPECT_EQ(lastGloss, "gloss number " + std::to_string(lastNumber)) << "the last gloss is whole";
  EXPECT_GT(entry.meaning.size() + lastGloss.size() + 2, kEdictMeaningBytes) << "as many glosses as fit";
}

}  // namespace
}  // namespace lexiv
