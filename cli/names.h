#pragma once
// Finding cables and antennas by the names users type.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zento::cli {

struct NameMatch {
  std::optional<int> index;          // the one entry named
  std::vector<std::string> choices;  // the entries an ambiguous prefix could mean
};

// A cable by its table name or its upper-case list name, case-insensitively, or by a prefix
// of either that names one cable only.
NameMatch FindCable(std::string_view name);

// An antenna preset by its short name, case-insensitively.
std::optional<int> FindAntenna(std::string_view name);

// Case-insensitive ASCII ordering, the order the cable list sorts by.
bool LessIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zento::cli
