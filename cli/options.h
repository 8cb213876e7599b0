#pragma once
// zento-calc's options: declared for CLI11, then checked and turned into a configuration.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/evaluate.h"

namespace CLI {
class App;
}

namespace zento::cli {

// The options as typed; a value is only read when its option was given.
struct RawOptions {
  std::string frequency, power, dutyCycle, gain, antenna, loss, cable, length, lengthUnits;
  std::string controlledDistance, uncontrolledDistance, callsign, location, report, exemptionAt, format;
  std::vector<std::string> at, bands;  // each may list several, comma-separated
  bool metric = false, listCables = false, listAntennas = false;
};

// Refused input: the exit status and one line naming the option.
struct InputError {
  int exitCode;
  std::string message;
};

void AddOptions(CLI::App& app, RawOptions& raw);

// Throws InputError for the first option given with an empty value.
void RefuseEmptyValues(const CLI::App& app);

// Checks every given option and builds the configuration; throws InputError.
Configuration BuildConfiguration(const CLI::App& app, const RawOptions& raw);

// Reading one option's text; each throws InputError naming the option.
[[noreturn]] void Refuse(const std::string& message);
double NumberOption(const std::string& option, const std::string& text, double min, double max, const char* range);
std::int64_t IntegerOption(const std::string& option, const std::string& text, std::int64_t min, std::int64_t max,
                           const char* range);
double DistanceOption(const std::string& option, const std::string& text, bool zeroAllowed);
// The items of a repeatable, comma-separated option; an empty item is refused.
std::vector<std::string> Items(const std::string& option, const std::vector<std::string>& values);
// The call sign is one line of at most 10 characters, the location at most 255.
void ReadStationBlock(const RawOptions& raw);

// A value as an error line may echo it: at most 60 characters, then "...".
std::string Quote(std::string_view text);

// The band names --bands takes, for messages and help.
std::string BandNames();

}  // namespace zento::cli
