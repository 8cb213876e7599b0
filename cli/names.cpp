#include "cli/names.h"

#include <algorithm>
#include <cctype>

#include "core/antennas.h"
#include "core/feedline.h"

namespace zento::cli {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The upper-case list names by the row each stands for: sorted, they fall in row order.
std::vector<std::string_view> ListNamesByRow() {
  std::vector<std::string_view> names(kTemplateCableNames.begin(), kTemplateCableNames.end());
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

}  // namespace

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

NameMatch FindCable(std::string_view name) {
  const auto listNames = ListNamesByRow();
  const int count = static_cast<int>(CountCables(kCableTable));
  std::vector<int> prefixed;
  for (int row = 0; row < count; ++row) {
    const std::string_view tableName = kCableTable[static_cast<std::size_t>(row)].name;
    const std::string_view listName = listNames[static_cast<std::size_t>(row)];
    if (EqualIgnoringCase(tableName, name) || EqualIgnoringCase(listName, name)) return {row, {}};
    if (!name.empty() && (StartsWithIgnoringCase(tableName, name) || StartsWithIgnoringCase(listName, name))) {
      prefixed.push_back(row);
    }
  }
  if (prefixed.size() == 1) return {prefixed.front(), {}};
  NameMatch match;
  for (const int row : prefixed) match.choices.emplace_back(kCableTable[static_cast<std::size_t>(row)].name);
  return match;
}

std::optional<int> FindAntenna(std::string_view name) {
  for (std::size_t i = 0; i < kAntennaPresets.size(); ++i) {
    if (EqualIgnoringCase(kAntennaPresets[i].shortName, name)) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace zento::cli
