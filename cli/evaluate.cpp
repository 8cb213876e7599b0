#include "cli/evaluate.h"

#include "cli/calc.h"
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
          "no exposure limits at " + FormatFixed(s.frequencyMHz, 2) + " MHz: limits exist from 1 to 30000 MHz";
    } else {
      error.message = "no exposure limits for an EIRP of " + FormatFixed(s.eirpWatts, 2) +
                      " Watts: limits are computed from 1 Watt up";
    }
  }
  return limits;
}

}  // namespace

std::optional<Evaluation> Evaluate(const Configuration& config, EvaluationError& error) {
  Evaluation result;
  StationParameters& s = result.station;
  s = config.station;

  if (config.cableRow) {
    FeedlineState feedline;
    feedline.frequencyMHz = s.frequencyMHz;
    feedline.SelectCable(*config.cableRow);
    feedline.SetLengthUnits(config.lengthUnits);
    feedline.SetLength(config.lengthText);
    s.feedlineLossDb = TruncateToHundredths(feedline.totalLossDb);
    const CableSpec& cable = kCableTable[static_cast<std::size_t>(*config.cableRow)];
    if (s.frequencyMHz > cable.maxFrequencyMHz) {
      result.warnings.push_back("warning: " + std::string(cable.name) + " is meant for up to " +
                                FormatGeneral(cable.maxFrequencyMHz, 15) + " MHz; its loss at " +
                                FormatFixed(s.frequencyMHz, 2) + " MHz is extrapolated");
    }
    if (!(s.feedlineLossDb >= kMinFeedlineLossDb && s.feedlineLossDb <= kMaxFeedlineLossDb)) {
      error = {kExitBadInput, "--cable: the cable's loss of " + FormatFixed(s.feedlineLossDb, 2) + " dB at " +
                                  FormatFixed(s.frequencyMHz, 2) + " MHz is outside the accepted 0 to 60 dB"};
      return std::nullopt;
    }
  }

  s.eirpWatts = ComputeEirp(s.powerWatts, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb);
  auto limits = Limits(s, error);
  if (!limits) return std::nullopt;
  s.controlledLimit = limits->controlledLimit;
  s.uncontrolledLimit = limits->uncontrolledLimit;

  if (config.distanceField != DistanceField::kNone) {
    const double limit = config.distanceField == DistanceField::kControlled ? s.controlledLimit : s.uncontrolledLimit;
    const double eirp = ComputeEirpForDistance(config.distanceText, s.englishUnits, limit, s.groundReflectionFactor);
    if (const auto power = ComputePowerForEirp(eirp, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb)) {
      s.powerWatts = *power;
      s.eirpWatts = ComputeEirp(s.powerWatts, s.dutyCyclePercent, s.antennaGainDbi, s.feedlineLossDb);
    }
    if (s.powerWatts < kMinPowerWatts || s.powerWatts > kMaxPowerWatts) {
      result.warnings.push_back("warning: the power of " + std::to_string(s.powerWatts) +
                                " Watts for that distance is outside the accepted 1 to 100000 Watts");
    }
    limits = Limits(s, error);
    if (!limits) return std::nullopt;
    s.controlledLimit = limits->controlledLimit;
    s.uncontrolledLimit = limits->uncontrolledLimit;
  }

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
