#include "penra/penra_options.h"

#include "platform/services/shift_jis_text.h"

namespace lexiv::penra {

namespace {

bool IsOption(std::string_view argument, std::string_view option) {
  return platform::SjisEqualIgnoringCase(argument, option);
}

std::string WithoutQuotes(std::string_view argument) {
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"')
    argument = argument.substr(1, argument.size() - 2);
  return std::string(argument);
}

}  // namespace

PenraOptions ParsePenraArguments(const std::vector<std::string>& arguments) {
  PenraOptions options;
  for (const std::string& argument : arguments) {
    if (IsOption(argument, "/ro"))
      options.readOnly = true;
    else if (IsOption(argument, "/endesc"))
      options.endOnEscape = true;
    else if (IsOption(argument, "/edit"))
      options.plainEdit = true;
    else if (options.file.empty() && !argument.empty())
      options.file = WithoutQuotes(argument);
  }
  return options;
}

}  // namespace lexiv::penra
