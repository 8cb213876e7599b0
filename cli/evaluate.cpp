#include "cli/evaluate.h"

#include "cli/calc.h"
#include "cli/options.h"
#include "core/exposure.h"
#include "core/feedline.h"
#include "core/number_text.h"

namespace zento::cli {
namespace {

std::optional<ExposureLimits> Limits(const StationParameters& s, EvaluationError& error) {
  auto limits = LookupExposureLimits(s.frequencyMHz, s.eirpWatts);
  if (!limits) {
    error.exitCode = kExitNoLimits;
    if (!(s.frequencyMHz >= kMinLimitFrequencyMHz && s.frequencyMHz <= kMaxLimitFrequencyMHz)) {
      error.message =
          "no exposure limits at " + FormatGeneral(s.frequencyMHz, 10) + " MHz: limits exist from 1 to 30000 MHz";
    } else {
      error.message = "no exposure limits for an EIRP of " + FormatFixed(s.eirpWatts, 2) + " Watts at " +
                      FormatGeneral(s.frequencyMHz, 10) + " MHz: limits are computed from 1 Watt up";
    }
  }
  return limits;
}

bool SetLimits(StationParameters& s, EvaluationError& error) {
  const auto limits = Limits(s, error);
  if (!limits) return false;
  s.controlledLimit = limits->controlledLimit;
  s.uncontrolledLimit = limits->uncontrolledLimit;
  return true;
}

// The cable's loss at the station's frequency, cut to hundredths as the window takes it.
bool SetCableLoss(const Configuration& config, Evaluation& result, EvaluationError& error) {
  StationParameters& s = result.station;
  FeedlineState feedline;
  feedline.frequencyMHz = s.frequencyMHz;
  feedline.SelectCable(*config.cableRow);
  feedline.SetLengthUnits(config.lengthUnits);
  feedline.SetLength(config.lengthText);
  s.feedlineLossDb = TruncateToHundredths(feedline.totalLossDb);
  const CableSpec& cable = kCableTable[static_cast<std::size_t>(*config.cableRow)];
  if (s.frequencyMHz > cable.maxFrequencyMHz) {
    result.warning = "warning: " + std::string(cable.name) + " is meant for up to " +
                     FormatGeneral(cable.maxFrequencyMHz, 15) + " MHz; its loss at " +
                     FormatGeneral(s.frequencyMHz, 10) + " MHz is extrapolated";
  }
  if (s.feedlineLossDb >= kMinFeedlineLossDb && s.feedlineLossDb <= kMaxFeedlineLossDb) return true;
  error = {kExitBadInput, "--length: " + config.lengthText + (config.lengthUnits == kLengthFeet ? " feet" : " meters") +
                              " of " + std::string(cable.name) + " lose " + FormatFixed(s.feedlineLossDb, 2) +
                              " dB at " + FormatGeneral(s.frequencyMHz, 10) +
                              " MHz, more than the accepted 0 to 60 dB"};
  return false;
}

// The whole-watt power that just meets the chosen limit at the typed distance; refused when
// that power lies outside 1 to 100000 Watts, naming the distances the range allows.
bool WorkBack(const Configuration& config, StationParameters& s, EvaluationError& error) {
  const bool controlled = config.distanceField == DistanceField::kControlled;
  const double limit = controlled ? s.controlledLimit : s.uncontrolledLimit;
  const double eirp = ComputeEirpForDistance(config.distanceText, s.englishUnits, limit, s.groundReflectionFactor);
  const auto power = ComputePowerForEirp(eirp, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb);
  if (!power) return SetLimits(s, error);  // no duty cycle: no power changes the EIRP
  if (*power >= kMinPowerWatts && *power <= kMaxPowerWatts) {
    s.powerWatts = *power;
    s.eirpWatts = ComputeEirp(s.powerWatts, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb);
    return SetLimits(s, error);
  }
  const bool tooFar = *power > kMaxPowerWatts;
  const double edgeEirp =
      ComputeEirp(tooFar ? kMaxPowerWatts : kMinPowerWatts, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb);
  const std::string option = controlled ? "--controlled-distance" : "--uncontrolled-distance";
  error = {kExitBadInput,
           option + ": no power from 1 to 100000 Watts meets the " + (controlled ? "controlled" : "uncontrolled") +
               " limit at " + Quote(config.distanceText) + (s.englishUnits != 0 ? " Feet" : " Meters") + "; the " +
               (tooFar ? "largest" : "smallest") + " distance the power range allows is " +
               FormatDistance(ComputeSafeDistance(edgeEirp, limit, s.groundReflectionFactor), s.englishUnits)};
  return false;
}

}  // namespace

std::optional<Evaluation> Evaluate(const Configuration& config, EvaluationError& error) {
  Evaluation result;
  StationParameters& s = result.station;
  s = config.station;
  if (config.cableRow && !SetCableLoss(config, result, error)) return std::nullopt;

  s.eirpWatts = ComputeEirp(s.powerWatts, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb);
  if (!SetLimits(s, error)) return std::nullopt;
  if (config.distanceField != DistanceField::kNone && !WorkBack(config, s, error)) return std::nullopt;

  result.controlledDistanceMeters = ComputeSafeDistance(s.eirpWatts, s.controlledLimit, s.groundReflectionFactor);
  result.uncontrolledDistanceMeters = ComputeSafeDistance(s.eirpWatts, s.uncontrolledLimit, s.groundReflectionFactor);
  result.controlledDistanceText = FormatDistance(result.controlledDistanceMeters, s.englishUnits);
  result.uncontrolledDistanceText = FormatDistance(result.uncontrolledDistanceMeters, s.englishUnits);
  return result;
}

void AddChecks(Evaluation& evaluation, const std::vector<double>& atDistances,
               const std::optional<double>& exemptionDistance) {
  const StationParameters& s = evaluation.station;
  for (const double distance : atDistances) {
    DistanceCheck check{};
    check.distance = distance;
    check.meters = DistanceInMeters(distance, s.englishUnits);
    check.density = ComputePowerDensity(s.eirpWatts, check.meters, s.groundReflectionFactor);
    check.controlledPercent = 100.0 * check.density / s.controlledLimit;
    check.uncontrolledPercent = 100.0 * check.density / s.uncontrolledLimit;
    check.controlledComplies = check.density <= s.controlledLimit;
    check.uncontrolledComplies = check.density <= s.uncontrolledLimit;
    evaluation.checks.push_back(check);
  }
  if (exemptionDistance) {
    evaluation.exemption =
        CheckExemption(s.frequencyMHz, s.eirpWatts, DistanceInMeters(*exemptionDistance, s.englishUnits));
  }
}

}  // namespace zento::cli
