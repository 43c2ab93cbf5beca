// A text file as the editor keeps it: its text as program text (Shift-JIS, lines ending in
// "\r\n" as the edit keeps them) and what is needed to write it back as it was: its encoding
// (UTF-8 or Shift-JIS, told apart by their bytes), a UTF-8 byte-order mark, and its line ends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexiv::penra {

enum class TextEncoding { kUtf8, kShiftJis };

struct TextFileFormat {
  TextEncoding encoding = TextEncoding::kUtf8;  // a new file, or plain ASCII, is UTF-8
  bool byteOrderMark = false;
  bool crlf = false;  // the file's lines end in "\r\n" (otherwise in "\n")
};

// The largest file the editor opens: a short text's editor, not a log viewer.
inline constexpr std::size_t kMaxTextFileBytes = 1 << 20;

enum class LoadOutcome {
  kLoaded,
  kNewFile,          // there is no such file yet: an empty text, saved as UTF-8
  kLossyUtf8,        // loaded, but some characters have no exact Shift-JIS spelling: saving would change them
  kUnreadable,       // the file cannot be read (permissions, a directory, too large)
  kUnknownEncoding,  // neither UTF-8 nor Shift-JIS text (a binary file, another encoding)
  kBeyondShiftJis,   // UTF-8 with characters that Shift-JIS lacks: the editor cannot hold them
};

struct LoadedText {
  LoadOutcome outcome = LoadOutcome::kUnreadable;
  TextFileFormat format;
  std::string text;  // Shift-JIS with "\r\n" line ends; empty unless loaded
  int error = 0;     // errno of a read that failed
};

// path is program text.
LoadedText LoadTextFile(const std::string& path);
// The file's bytes as they would be written, or false when the text cannot be spelled in the
// file's encoding.
bool EncodeTextFile(std::string_view text, const TextFileFormat& format, std::string& bytes);
// Writes the text back in its format through a temporary file and a rename, so a failed save
// leaves the old file whole. Returns 0 or an errno value (EILSEQ: the text cannot be spelled in
// the file's encoding; nothing was written).
int SaveTextFile(const std::string& path, std::string_view text, const TextFileFormat& format);

const char* EncodingName(TextEncoding encoding);

}  // namespace lexiv::penra
