#pragma once
// The station file (.zento.json): a station as JSON, read strictly and written stably.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/station_model.h"
#include "report/report_file.h"

namespace zento {

inline constexpr std::string_view kStationFileFormat = "zento-station";
inline constexpr int kStationFileVersion = 1;
inline constexpr std::string_view kStationFileSuffix = ".zento.json";

// A station file is a few kilobytes, and the largest station a reader takes (core/station_model.h)
// under half a megabyte; a station nests 4 deep. Larger files and deeper nesting are refused before
// they are parsed, so that no file makes a reader slow.
inline constexpr std::size_t kMaxStationFileBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxStationFileDepth = 16;
// Text that is none of a station's names: a mode, a band, a cable, a preset, a rule set.
inline constexpr std::size_t kMaxWordLength = 80;

// The station, or none with one message naming the key path and line of the first value it
// cannot use: 'transmitters[1].power_watts: expected a number from 0.001 to 100000, got "lots"
// (line 14)'. Unknown keys are refused too, and text that is not JSON with its line and column.
// `loader` reads the file an imported antenna model names (relative to the station file); without
// one, such a model is kept without its cards.
using DeckLoader = std::function<std::optional<std::string>(const std::string& file, std::string& error)>;
std::optional<Station> ParseStation(std::string_view text, std::string& error, const DeckLoader& loader = {});

// Why `text` cannot be a station's text of at most `maxChars` characters (code points), in the
// reader's words ("expected at most 20 characters, got 21"); empty when it can. Tabs and line
// breaks are text; other control characters are not.
std::string TextFieldProblem(std::string_view text, std::size_t maxChars);

// Two-space indented JSON with the keys in a fixed order, ending in a line break.
std::string StationText(const Station& station);

// "the file has 2000000 bytes; a station file has at most 1048576 (1 MiB)"
std::string FileTooLargeText(std::uintmax_t bytes);

// ParseStation on the file's text, imported antenna models read beside it; a file larger than
// kMaxStationFileBytes is refused without being read.
std::optional<Station> ReadStationFile(const std::filesystem::path& path, std::string& error);

// Writes a temporary file beside `path` and renames it over `path`, so that a failure never
// leaves a half-written station file.
SaveOutcome WriteStationFile(const std::filesystem::path& path, const Station& station);

}  // namespace zento
