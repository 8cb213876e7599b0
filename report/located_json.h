#pragma once
// JSON text parsed with the line of every key and value, so that a reader can say where in the
// file a value it refuses stands.

#include <nlohmann/json.hpp>

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zento {

struct LocatedJson {
  nlohmann::json value;
  std::map<std::string, int, std::less<>> lines;  // by path: "transmitters[1].power_watts"
};

// Fails with "line L, column C: ..." for text that is not JSON, or a duplicate key.
std::optional<LocatedJson> ParseLocatedJson(std::string_view text, std::string& error);

// "a.b[2].c"
std::string JoinPath(std::string_view parent, std::string_view key);
std::string JoinPath(std::string_view parent, std::size_t index);

}  // namespace zento
