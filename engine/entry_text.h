// The labelled text of an entry as the meaning pane shows and reads it. The text comes as runs,
// each tagged as a label or as text; the pane applies its label and text formats to them.
#pragma once

#include <string>
#include <vector>

#include "engine/entry_record.h"

namespace lexiv {

enum class RunKind { kLabel, kText };

struct TextRun {
  RunKind kind;
  std::string text;  // Shift-JIS; line breaks are "\r\n"
};

struct EntryText {
  std::vector<TextRun> runs;
  std::string plain;  // the runs' texts joined: what the pane holds as characters
};

// The display text of a decoded entry.
EntryText FormatEntryText(const EntryRecord& entry);
// The text shown when an entry could not be read.
EntryText FormatEntryErrorText();

}  // namespace lexiv
