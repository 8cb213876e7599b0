#pragma once
// zento-calc's whole-station options: a station file, or one transmitter described by options.

#include <string>
#include <vector>

#include "cli/options.h"
#include "core/station_model.h"

namespace zento::cli {

struct StationOptions {
  std::string file, rules, mode, modeDuty, txMinutes, rxMinutes, swr, otherLoss, antennaHeight, personHeight;
  std::string saveStation;
  std::vector<std::string> horizontalAt;
  bool noGround = false, listModes = false, listRules = false;
  bool nearField = false, grid = false;
};

void AddStationOptions(CLI::App& app, StationOptions& options);

// Whether the options ask for a station evaluation rather than the classic block.
bool StationRequested(const CLI::App& app);

// The station the options describe, or the one in --station; throws InputError.
Station BuildStation(const CLI::App& app, const RawOptions& raw, const StationOptions& options);

}  // namespace zento::cli
