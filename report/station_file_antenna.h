#pragma once
// An antenna model in a station file.

#include "report/json_reader.h"

namespace zento {

// A file name a station may give: a path, relative to the station file.
inline constexpr std::size_t kMaxPathLength = 1000;

AntennaModel ReadAntennaModel(const JsonReader& reader, const nlohmann::json& value, const JsonPath& path,
                              const DeckLoader& loader);

}  // namespace zento
