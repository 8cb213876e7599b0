#pragma once
// One configuration evaluated as the window would show it.

#include <optional>
#include <string>
#include <vector>

#include "core/evaluation.h"
#include "core/station.h"

namespace zento::cli {

enum class DistanceField { kNone, kControlled, kUncontrolled };

// What the user asked for, already checked against the window's ranges.
struct Configuration {
  StationParameters station;     // inputs; results are filled in by Evaluate
  std::optional<int> cableRow;   // the loss comes from this cable when set
  std::string lengthText = "0";  // whole cable length, as the window's length box would hold it
  int lengthUnits = 1;           // 0 meters, 1 feet
  DistanceField distanceField = DistanceField::kNone;
  std::string distanceText;         // a typed distance to work back from
  std::vector<double> atDistances;  // where people are, in the station's units
  std::optional<double> exemptionDistance;
  std::vector<AmateurBand> bands;  // evaluate each band instead of one frequency
  bool stationBlock = false;       // the report gets the call sign and location
};

// The power density at one of the distances where people are, for both environments.
struct DistanceCheck {
  double distance;  // as given, in feet or meters
  double meters;
  double density;                                 // mW/cm²
  double controlledPercent, uncontrolledPercent;  // of the limit
  bool controlledComplies, uncontrolledComplies;
};

struct Evaluation {
  StationParameters station;
  double controlledDistanceMeters = 0.0;
  double uncontrolledDistanceMeters = 0.0;
  std::string controlledDistanceText;
  std::string uncontrolledDistanceText;
  std::vector<DistanceCheck> checks;  // one per --at distance
  std::optional<ExemptionCheck> exemption;
  std::string warning;  // for standard error; empty when none
};

// The checks of an evaluation at the distances where people are (feet or meters as the
// station's units), and the exemption check at `exemptionDistance` when given.
void AddChecks(Evaluation& evaluation, const std::vector<double>& atDistances,
               const std::optional<double>& exemptionDistance);

struct EvaluationError {
  int exitCode;
  std::string message;  // in English, as csv and json carry it
  std::string shown;    // the same in the user's language, for people
};

// Evaluates at `config.station.frequencyMHz`: the cable's loss (cut to hundredths), EIRP,
// limits and distances, or the work back from a typed distance. Fails, naming the option, for a
// cable loss outside 0 to 60 dB or a distance no power from 1 to 100000 Watts meets; fails with
// kExitNoLimits where no limits exist.
std::optional<Evaluation> Evaluate(const Configuration& config, EvaluationError& error);

}  // namespace zento::cli
