#include "file_dialog.h"

namespace txtseal::ui {

std::vector<FilterEntry> prepareFilter(std::string_view filter) {
  while (!filter.empty() && (filter.back() == ' ' || (filter.back() >= '\t' && filter.back() <= '\r'))) {
    filter.remove_suffix(1);
  }
  std::string list(filter);
  if (!list.ends_with("||")) list += "||";

  std::vector<FilterEntry> entries;
  std::size_t at = 0;
  while (at < list.size()) {
    const std::size_t bar = list.find('|', at);
    const std::size_t patternEnd = list.find('|', bar + 1);
    std::string description = list.substr(at, bar - at);
    if (description.empty() || patternEnd == std::string::npos) break;
    entries.push_back({std::move(description), list.substr(bar + 1, patternEnd - bar - 1)});
    at = patternEnd + 1;
  }
  return entries;
}

std::string directoryOf(std::string_view executablePath) {
  const std::size_t separator = executablePath.find_last_of("\\/");
  if (separator == std::string_view::npos) return {};
  if (separator == 0) return std::string(executablePath.substr(0, 1));  // "/txtseal": the root
  return std::string(executablePath.substr(0, separator));
}

}  // namespace txtseal::ui
