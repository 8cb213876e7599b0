#pragma once
// The station file (.zento.json): a station as JSON, read strictly and written stably.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/station_model.h"
#include "report/report_file.h"

namespace zento {

inline constexpr std::string_view kStationFileFormat = "zento-station";
inline constexpr int kStationFileVersion = 1;
inline constexpr std::string_view kStationFileSuffix = ".zento.json";

// The station, or none with one message naming the key path and line of the first value it
// cannot use: 'transmitters[1].power_watts: expected a number from 0.001 to 100000, got "lots"
// (line 14)'. Unknown keys are refused too.
std::optional<Station> ParseStation(std::string_view text, std::string& error);

// Two-space indented JSON with the keys in a fixed order, ending in a line break.
std::string StationText(const Station& station);

std::optional<Station> ReadStationFile(const std::filesystem::path& path, std::string& error);

// Writes a temporary file beside `path` and renames it over `path`, so that a failure never
// leaves a half-written station file.
SaveOutcome WriteStationFile(const std::filesystem::path& path, const Station& station);

}  // namespace zento
