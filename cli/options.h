#pragma once
// zento-calc's options: declared for CLI11, then checked and turned into a configuration.

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

// A value as an error line may echo it: at most 60 characters, then "...".
std::string Quote(std::string_view text);

// The band names --bands takes, for messages and help.
std::string BandNames();

}  // namespace zento::cli
