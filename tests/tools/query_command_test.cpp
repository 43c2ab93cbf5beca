// lexiv-query run in-process on the sample dictionary: the output lines that scripts and
// benchmarks parse, batch mode, entry display, and the exit statuses.
#include "tools/query_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "engine/search_fixture.h"

namespace lexiv {
namespace {

const std::string kSampleDir = LEXIV_BIN_DIR "/Dic/Yomigo/";

struct QueryRun {
  int status;
  std::string out;
  std::string err;
};

// Arguments and expected output are UTF-8, as they are on a command line.
QueryRun Query(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  int status = RunQuery(args, kSampleDir, in, out, err);
  return {status, out.str(), err.str()};
}

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(QueryCommand, PrintsTheResultAndOneLinePerHit) {
  QueryRun run = Query({U8(u8"こうしょう")});
  ASSERT_EQ(run.status, 0) << run.err;
  std::istringstream lines(run.out);
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "result\t7");
  int hits = 0;
  while (std::getline(lines, line)) {
    ++hits;
    // hit, position, headword, reading, kind, rank: a reading-key hit has rank "-".
    EXPECT_EQ(line.rfind("hit\t", 0), 0u) << line;
    EXPECT_NE(line.find(U8(u8"\tこうしょう\t")), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 2), "\t-") << line;
  }
  EXPECT_EQ(hits, 7);
}

TEST(QueryCommand, WrittenFormHitsCarryTheirRank) {
  QueryRun run = Query({U8(u8"逢う")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(U8(u8"\t逢う\tあう\t0\t1\n")), std::string::npos) << run.out;
}

// The rank byte is signed: a written-key record may carry a negative rank, printed as it is and
// not taken for the "-" of a reading-key hit.
TEST(QueryCommand, AWrittenFormWithANegativeRankPrintsTheRank) {
  testing::TempDir dir;
  testing::WriteWords({testing::Word("あい", "愛")}, dir);
  const std::string table = testing::ReadBytes(dir.path() / "KNJF.ID1");
  const std::string recordsName(table.c_str() + 8);
  std::string records = testing::ReadBytes(dir.path() / recordsName);
  // The first record: header, key, text, kind, then the rank byte.
  const std::size_t key = 4;
  const std::size_t text = key + std::strlen(records.c_str() + key) + 1;
  const std::size_t rank = text + std::strlen(records.c_str() + text) + 1 + 1;
  records[rank] = static_cast<char>(-2);
  testing::WriteBytes(dir.path() / recordsName, records);

  QueryRun run = Query({"--dict", dir.dir(), U8(u8"愛")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find(U8(u8"\t愛\tあい\t0\t-2\n")), std::string::npos) << run.out;
  run = Query({"--dict", dir.dir(), U8(u8"あい")});
  EXPECT_NE(run.out.find(U8(u8"\tあい\t0\t-\n")), std::string::npos) << run.out;
}

TEST(QueryCommand, MaxLimitsTheHitArrayAndReportsTheOverflow) {
  QueryRun run = Query({"--max", "3", U8(u8"こう*")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("result\t4\n", 0), 0u) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4);
}

TEST(QueryCommand, LiteralTakesTheWildcardAsPartOfTheKey) {
  EXPECT_EQ(Query({"--literal", U8(u8"あい*")}).out, "result\t0\n");
  EXPECT_NE(Query({U8(u8"あい*")}).out, "result\t0\n");
}

TEST(QueryCommand, TextLookupListsLongerWordsFirst) {
  QueryRun run = Query({"--text", U8(u8"漢字を読む")});
  ASSERT_EQ(run.status, 0) << run.err;
  std::size_t kanji = run.out.find(U8(u8"\t漢字\t"));
  std::size_t kan = run.out.find(U8(u8"\t漢\t"));
  ASSERT_NE(kanji, std::string::npos) << run.out;
  ASSERT_NE(kan, std::string::npos) << run.out;
  EXPECT_LT(kanji, kan);
}

TEST(QueryCommand, DashReadsKeysFromStandardInput) {
  QueryRun batch = Query({"-"}, U8(u8"かな\r\nあい\n\n"));
  QueryRun single = Query({U8(u8"かな"), U8(u8"あい"), ""});
  ASSERT_EQ(batch.status, 0) << batch.err;
  EXPECT_EQ(batch.out, single.out);
}

TEST(QueryCommand, RawTakesAndGivesShiftJisBytes) {
  QueryRun run = Query({"--raw", "かな"});  // a Shift-JIS literal here
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("\tかな\tかな\t"), std::string::npos) << run.out;
}

TEST(QueryCommand, EntryShowsTheDisplayTextAndPagesBothWays) {
  QueryRun search = Query({U8(u8"かな")});
  std::size_t tab = search.out.find("hit\t");
  ASSERT_NE(tab, std::string::npos);
  std::string pos = search.out.substr(tab + 4, search.out.find('\t', tab + 4) - tab - 4);

  QueryRun entry = Query({"--entry", pos});
  ASSERT_EQ(entry.status, 0) << entry.err;
  EXPECT_EQ(entry.out.rfind("result\t0\nposition\t" + pos + "\n" + U8(u8"読み　　かな\r\n"), 0), 0u) << entry.out;

  QueryRun next = Query({"--entry", pos, "--next"});
  std::string nextPos = next.out.substr(next.out.find("position\t") + 9);
  nextPos = nextPos.substr(0, nextPos.find('\n'));
  QueryRun back = Query({"--entry", nextPos, "--prev"});
  EXPECT_EQ(back.out, entry.out);
}

TEST(QueryCommand, EntryAtTheStartHasNothingBeforeIt) {
  EXPECT_EQ(Query({"--entry", "0", "--prev"}).out, "result\t1\nposition\t0\n");
}

TEST(QueryCommand, EntryThatCannotBeReadShowsTheErrorText) {
  QueryRun run = Query({"--entry", "1"});  // not the start of a record
  EXPECT_EQ(run.out.rfind("result\t-1\nposition\t1\n", 0), 0u) << run.out;
}

TEST(QueryCommand, ExitStatuses) {
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{}, 1},
      {{"--max", "0", "a"}, 1},
      {{"--max", "x", "a"}, 1},
      {{"--entry", "-5"}, 1},
      {{"--entry", "0", "key"}, 1},
      {{"--prev", "key"}, 1},
      {{"--bogus", "key"}, 1},
      {{"--dict", "/nonexistent/dictionary/", "key"}, 2},
      {{"--dict", "/nonexistent/dictionary/", "--entry", "0"}, 2},
  };
  for (const Case& c : cases) {
    QueryRun run = Query(c.args);
    EXPECT_EQ(run.status, c.status) << ::testing::PrintToString(c.args);
    EXPECT_FALSE(run.err.empty()) << ::testing::PrintToString(c.args);
  }
}

TEST(QueryCommand, KeyShiftJisCannotHoldIsAFailedSearch) {
  QueryRun run = Query({U8(u8"\U0001F600"), "\xFF"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "result\t-1\nresult\t-1\n");
  EXPECT_FALSE(run.err.empty());
}

}  // namespace
}  // namespace lexiv
