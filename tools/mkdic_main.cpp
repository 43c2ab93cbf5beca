// lexiv-mkdic: compiles a dictionary source (or an EDICT file) into the nine dictionary files.
//
//   lexiv-mkdic SOURCE.tsv OUTDIR
//   lexiv-mkdic --edict EDICT OUTDIR
//
// Exit status: 0 written, 1 bad input or a failed write (OUTDIR untouched), 2 a usage error.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/dictionary_writer.h"
#include "tools/edict_reader.h"
#include "tools/source_reader.h"
#include "tools/staging_directory.h"

namespace {

constexpr const char* kUsage =
    "usage: lexiv-mkdic SOURCE.tsv OUTDIR\n"
    "       lexiv-mkdic --edict EDICT OUTDIR\n";

int Fail(const std::string& message) {
  std::fprintf(stderr, "lexiv-mkdic: %s\n", message.c_str());
  return 1;
}

int WriteInto(const std::string& outDir, std::vector<lexiv::SourceEntry> entries) {
  lexiv::StagingDirectory staging(outDir);
  if (staging.path().empty()) return Fail(staging.error());
  std::string error;
  if (lexiv::WriteDictionary(std::move(entries), staging.path(), error) != 0) return Fail(error);
  if (staging.Commit() != 0) return Fail(staging.error());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::vector<lexiv::SourceEntry> entries;
  if (args.size() == 3 && args[0] == "--edict") {
    lexiv::EdictImportCounts counts;
    std::string error;
    if (lexiv::ReadEdictFile(args[1], entries, counts, error) < 0) return Fail(error);
    std::fputs(lexiv::DescribeEdictImport(counts).c_str(), stderr);
    if (entries.empty()) return Fail(args[1] + ": no entry could be imported");
    return WriteInto(args[2], std::move(entries));
  }
  if (args.size() != 2 || args[0].empty() || args[0][0] == '-') {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::vector<std::string> errors;
  if (lexiv::ReadSourceFile(args[0], entries, errors) < 0) {
    for (const std::string& message : errors) std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
  }
  return WriteInto(args[1], std::move(entries));
}
