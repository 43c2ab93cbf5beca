#include "tools/query_command.h"

#include <charconv>
#include <cstring>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "engine/dictionary_engine.h"
#include "engine/entry_text.h"
#include "tools/display_text.h"
#include "tools/text_encoding.h"

namespace lexiv {
namespace {

constexpr const char* kUsage =
    "usage: lexiv-query [--dict DIR] [--text] [--literal] [--max N] [--raw] KEY...\n"
    "       lexiv-query [--dict DIR] [--raw] --entry POS [--prev|--next]\n";

struct QueryOptions {
  std::string dictDir;
  bool text = false;
  bool literal = false;
  bool raw = false;
  int maxHits = 300;
  bool entryMode = false;
  std::int32_t entryPos = 0;
  int direction = kEntryAt;
  std::vector<std::string> keys;
};

bool ParseInt(const std::string& s, long long lo, long long hi, long long& value) {
  const char* end = s.data() + s.size();
  auto [p, ec] = std::from_chars(s.data(), end, value);
  return ec == std::errc() && p == end && value >= lo && value <= hi;
}

// Returns an empty string on success, else the reason.
std::string ParseOptions(const std::vector<std::string>& args, QueryOptions& o) {
  bool direction = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto next = [&](std::string& value) {
      if (i + 1 >= args.size()) return false;
      value = args[++i];
      return true;
    };
    std::string value;
    long long n = 0;
    if (a == "--dict") {
      if (!next(o.dictDir)) return "--dict needs a directory";
    } else if (a == "--text") {
      o.text = true;
    } else if (a == "--literal") {
      o.literal = true;
    } else if (a == "--raw") {
      o.raw = true;
    } else if (a == "--max") {
      // The array is allocated up front; a bound keeps a typo from asking for gigabytes.
      if (!next(value) || !ParseInt(value, 1, 1000000, n)) return "--max needs a number from 1 to 1000000";
      o.maxHits = static_cast<int>(n);
    } else if (a == "--entry") {
      if (!next(value) || !ParseInt(value, 0, INT32_MAX, n)) return "--entry needs a position from 0 to 2147483647";
      o.entryMode = true;
      o.entryPos = static_cast<std::int32_t>(n);
    } else if (a == "--prev" || a == "--next") {
      if (direction) return "give only one of --prev and --next";
      direction = true;
      o.direction = a == "--prev" ? kEntryPrevious : kEntryNext;
    } else if (a == "--") {
      o.keys.insert(o.keys.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      return "unknown option " + a;
    } else {
      o.keys.push_back(a);
    }
  }
  if (o.entryMode) {
    if (!o.keys.empty() || o.text || o.literal) return "--entry takes no keys, --text or --literal";
  } else {
    if (direction) return "--prev and --next go with --entry";
    if (o.keys.empty()) return "no key given";
  }
  return {};
}

// Writes the output lines, each built in one string and written whole: a batch of thousands of
// keys spends little beside its searches.
class QueryPrinter {
 public:
  QueryPrinter(QueryStreams& out, bool raw) : out_(out), raw_(raw) {}

  void Text(std::string_view sjis) {
    if (raw_)
      line_ += sjis;
    else
      AppendDisplayUtf8(sjis, line_);
  }
  void Add(std::string_view s) { line_ += s; }
  void Add(char c) { line_ += c; }
  void Number(long long n) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
    line_.append(digits, static_cast<std::size_t>(end - digits));
  }
  // Writes what was added.
  void Write() {
    out_.Write(line_);
    line_.clear();
  }

 private:
  QueryStreams& out_;
  bool raw_;
  std::string line_;
};

void RunSearch(DictionaryEngine& engine, const QueryOptions& o, const std::string& keyArg, SearchHit* hits,
               QueryPrinter& printer, std::string& key, QueryStreams& streams) {
  if (o.raw) {
    key = keyArg;
  } else if (!Utf8ToShiftJis(keyArg, key)) {
    // A key Shift-JIS cannot hold cannot be in the dictionary; say so rather than search garbage.
    streams.WriteError("lexiv-query: key is not valid UTF-8 or has a character Shift-JIS cannot hold\n");
    printer.Add("result\t-1\n");
    printer.Write();
    return;
  }
  // The engine takes NUL-terminated text; a key with an embedded NUL ends there, as it would for
  // any caller passing a C string.
  int mode = o.text ? kSearchText : kSearchKey;
  int r = engine.SearchHeadwords(key.c_str(), mode, o.literal ? 0 : 1, hits, o.maxHits);
  printer.Add("result\t");
  printer.Number(r);
  printer.Add('\n');
  int filled = r > o.maxHits ? o.maxHits : r;
  for (int i = 0; i < filled; ++i) {
    const SearchHit& h = hits[i];
    printer.Add("hit\t");
    printer.Number(h.entryPos);
    printer.Add('\t');
    printer.Text(std::string_view(h.headword, strnlen(h.headword, sizeof h.headword)));
    printer.Add('\t');
    printer.Text(std::string_view(h.reading, strnlen(h.reading, sizeof h.reading)));
    printer.Add('\t');
    printer.Number(h.kind);
    printer.Add('\t');
    if (!h.writtenKey)
      printer.Add('-');
    else
      printer.Number(h.rank);
    printer.Add('\n');
  }
  printer.Write();
}

}  // namespace

int RunQuery(const std::vector<std::string>& args, const std::string& defaultDictDir, QueryStreams& streams) {
  QueryOptions o;
  if (std::string reason = ParseOptions(args, o); !reason.empty()) {
    streams.WriteError("lexiv-query: " + reason + "\n" + kUsage);
    return 1;
  }
  if (o.dictDir.empty()) o.dictDir = defaultDictDir;

  DictionaryEngine engine;
  if (engine.OpenDictionary(o.dictDir) != 0) {
    streams.WriteError("lexiv-query: cannot open the dictionary in " + o.dictDir + " (missing or unreadable files)\n");
    return 2;
  }
  QueryPrinter printer(streams, o.raw);

  if (o.entryMode) {
    EntryRecord entry;
    std::int32_t pos = o.entryPos;
    int r = engine.ReadEntry(pos, o.direction, entry);
    printer.Add("result\t");
    printer.Number(r);
    printer.Add("\nposition\t");
    printer.Number(pos);
    printer.Add('\n');
    if (r == 0 || r == -1) {
      EntryText text = r == 0 ? FormatEntryText(entry) : FormatEntryErrorText();
      printer.Text(text.plain);
    }
    printer.Write();
    engine.CloseDictionary();
    return 0;
  }

  // Not zeroed: the engine fills the hits it reports, and a one-key run touches no more pages
  // than those.
  std::unique_ptr<SearchHit[]> hits(new SearchHit[static_cast<std::size_t>(o.maxHits)]);
  // Keys from standard input may be many (a batch of thousands): past a thousand searches of an
  // index, reading it once, whole, beats a read from the file per search. A few keys read only
  // the ranges they need.
  for (const std::string& key : o.keys)
    if (key == "-") engine.HoldIndexesInMemory(1000);
  std::string sjisKey;
  for (const std::string& key : o.keys) {
    if (key == "-") {
      std::string line;
      for (;;) {
        // A script that sends a key and waits for its answer gets it: the output goes out
        // whenever the next key is not already there to read, and not once per key otherwise.
        if (!streams.InputReady()) streams.Flush();
        if (!streams.ReadLine(line)) break;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        RunSearch(engine, o, line, hits.get(), printer, sjisKey, streams);
      }
    } else {
      RunSearch(engine, o, key, hits.get(), printer, sjisKey, streams);
    }
  }
  engine.CloseDictionary();
  return 0;
}

namespace {

class StdStreams : public QueryStreams {
 public:
  StdStreams(std::istream& in, std::ostream& out, std::ostream& err) : in_(in), out_(out), err_(err) {}
  bool ReadLine(std::string& line) override { return static_cast<bool>(std::getline(in_, line)); }
  bool InputReady() override { return in_.rdbuf()->in_avail() > 0; }
  void Write(std::string_view bytes) override { out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }
  void Flush() override { out_.flush(); }
  void WriteError(std::string_view message) override {
    err_.write(message.data(), static_cast<std::streamsize>(message.size()));
  }

 private:
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace

int RunQuery(const std::vector<std::string>& args, const std::string& defaultDictDir, std::istream& in,
             std::ostream& out, std::ostream& err) {
  StdStreams streams(in, out, err);
  return RunQuery(args, defaultDictDir, streams);
}

}  // namespace lexiv
