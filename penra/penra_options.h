// The editor's command line: `penra [/ro] [/endesc] [/edit] [FILE]`. Options start with a slash
// and compare without case; the first argument that is not one of them is the file, and a file
// name that itself starts with a slash (an absolute path) is taken as the file too. Programs that
// start the editor pass the path in double quotes, which the platform's splitting removes; a path
// still wrapped in one pair of quotes (a caller that quoted it twice) loses them here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexiv::penra {

struct PenraOptions {
  bool readOnly = false;     // "/ro": the text cannot be changed
  bool endOnEscape = false;  // "/endesc": Escape ends the program
  bool plainEdit = false;    // "/edit": the text in a plain "Edit" control instead of "RyxEditCtrl"
  std::string file;          // program text; empty: a new, unnamed text
};

// arguments without the program's name.
PenraOptions ParsePenraArguments(const std::vector<std::string>& arguments);

}  // namespace lexiv::penra
