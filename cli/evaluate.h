#pragma once
// One configuration evaluated as the window would show it.

#include <optional>
#include <string>
#include <vector>

#include "core/station.h"

namespace zento::cli {

enum class DistanceField { kNone, kControlled, kUncontrolled };

// What the user asked for, already checked against the window's ranges.
struct Configuration {
  StationParameters station;           // inputs; results are filled in by Evaluate
  std::optional<int> cableRow;         // the loss comes from this cable when set
  std::string lengthText = "0";        // cable length as typed (the integer part is used)
  int lengthUnits = 1;                 // 0 meters, 1 feet
  DistanceField distanceField = DistanceField::kNone;
  std::string distanceText;            // a typed distance to work back from
};

struct Evaluation {
  StationParameters station;
  std::string controlledDistanceText;
  std::string uncontrolledDistanceText;
  std::vector<std::string> warnings;  // for standard error
};

struct EvaluationError {
  int exitCode;
  std::string message;
};

// Evaluates at `config.station.frequencyMHz`: the cable's loss (cut to hundredths), EIRP,
// limits and distances, or the work back from a typed distance.
std::optional<Evaluation> Evaluate(const Configuration& config, EvaluationError& error);

}  // namespace zento::cli
