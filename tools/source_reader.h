// The readable dictionary source that lexiv-mkdic compiles: UTF-8 text, one entry per line, fields
// separated by tabs, under a header line naming the columns (docs/dictionary-source.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/dictionary_writer.h"

namespace lexiv {

// Parses source text; fileName only labels the messages. Appends the entries (Shift-JIS, each
// checked with ValidateEntry) to entries and returns their count; on bad input returns -1 and
// appends one "FILE:LINE: reason" message per bad line to errors (at most a screenful, then a last
// line saying the reading stopped).
int ReadSourceText(std::string_view utf8Text, const std::string& fileName, std::vector<SourceEntry>& entries,
                   std::vector<std::string>& errors);

// Reads the file at path and parses it as ReadSourceText does.
int ReadSourceFile(const std::string& path, std::vector<SourceEntry>& entries, std::vector<std::string>& errors);

}  // namespace lexiv
