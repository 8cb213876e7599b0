#include "cli/evaluate.h"

#include "cli/calc.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/exposure.h"
#include "core/feedline.h"
#include "core/number_text.h"
#include "report/translation.h"

namespace zento::cli {
namespace {

std::optional<ExposureLimits> Limits(const StationParameters& s, EvaluationError& error) {
  auto limits = LookupExposureLimits(s.frequencyMHz, s.eirpWatts);
  if (!limits) {
    error.exitCode = kExitNoLimits;
    const std::string f = FormatGeneral(s.frequencyMHz, 10);
    if (!(s.frequencyMHz >= kMinLimitFrequencyMHz && s.frequencyMHz <= kMaxLimitFrequencyMHz)) {
      const char* pattern = N_("no exposure limits at %1 MHz: limits exist from 1 to 30000 MHz");
      error.message = Subst(pattern, {f});
      error.shown = Subst(Tr(pattern), {f});
    } else {
      const char* pattern =
          N_("no exposure limits for an EIRP of %1 Watts at %2 MHz: limits are computed from 1 Watt up");
      error.message = Subst(pattern, {FormatFixed(s.eirpWatts, 2), f});
      error.shown = Subst(Tr(pattern), {FormatFixed(s.eirpWatts, 2), f});
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
    result.warning = Subst(Tr("warning: %1 is meant for up to %2 MHz; its loss at %3 MHz is extrapolated"),
                           {cable.name, FormatGeneral(cable.maxFrequencyMHz, 15), FormatGeneral(s.frequencyMHz, 10)});
  }
  if (s.feedlineLossDb >= kMinFeedlineLossDb && s.feedlineLossDb <= kMaxFeedlineLossDb) return true;
  const char* pattern = config.lengthUnits == kLengthFeet
                            ? Tr("--length: %1 feet of %2 lose %3 dB at %4 MHz, more than the accepted 0 to 60 dB")
                            : Tr("--length: %1 meters of %2 lose %3 dB at %4 MHz, more than the accepted 0 to 60 dB");
  const std::string text = Subst(
      pattern, {config.lengthText, cable.name, FormatFixed(s.feedlineLossDb, 2), FormatGeneral(s.frequencyMHz, 10)});
  error = {kExitBadInput, text, text};
  return false;
}

// FormatDistance's figure with the units' name in the user's language.
std::string ShownDistance(double eirp, double limit, const StationParameters& s) {
  const double meters = ComputeSafeDistance(eirp, limit, s.groundReflectionFactor);
  return FormatFixed(s.englishUnits != 0 ? meters * kFeetPerMeterDistance : meters, 1) + " " + UnitsName(s);
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
  // TRANSLATORS: %1 an option's name, %2 a distance, %3 Feet or Meters, %4 the distance the range allows.
  const char* pattern = controlled
                            ? (tooFar ? Tr("%1: no power from 1 to 100000 Watts meets the controlled limit at %2 %3; "
                                           "the largest distance the power range allows is %4")
                                      : Tr("%1: no power from 1 to 100000 Watts meets the controlled limit at %2 %3; "
                                           "the smallest distance the power range allows is %4"))
                            : (tooFar ? Tr("%1: no power from 1 to 100000 Watts meets the uncontrolled limit at %2 %3; "
                                           "the largest distance the power range allows is %4")
                                      : Tr("%1: no power from 1 to 100000 Watts meets the uncontrolled limit at %2 %3; "
                                           "the smallest distance the power range allows is %4"));
  const std::string text =
      Subst(pattern, {option, Quote(config.distanceText), UnitsName(s), ShownDistance(edgeEirp, limit, s)});
  error = {kExitBadInput, text, text};
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
