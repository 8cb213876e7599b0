#include "core/evaluation.h"

#include <cmath>
#include <numbers>

#include "core/exposure.h"
#include "core/number_text.h"

namespace zento {

double ComputePowerDensity(double eirpWatts, double meters, double groundReflectionFactor) {
  return groundReflectionFactor * eirpWatts / (kFortyPi * meters * meters);
}

double DistanceInMeters(double distance, int englishUnits) {
  return englishUnits == 1 ? distance * kMetersPerFootDistance : distance;
}

std::optional<double> ExemptionThresholdWatts(double f, double r) {
  const double r2 = r * r;
  if (!(f >= 0.3 && f <= 100000.0)) return std::nullopt;
  if (f < 1.34) return 1920.0 * r2;
  if (f < 30.0) return 3450.0 * r2 / (f * f);
  if (f < 300.0) return 3.83 * r2;
  if (f < 1500.0) return 0.0128 * r2 * f;
  return 19.2 * r2;
}

double LambdaOver2PiMeters(double frequencyMHz) {
  return kSpeedOfLightMetersMHz / frequencyMHz / (2.0 * std::numbers::pi);
}

ExemptionCheck CheckExemption(double frequencyMHz, double eirpWatts, double meters) {
  ExemptionCheck check{};
  check.erpWatts = eirpWatts / kEirpPerErp;
  check.distanceMeters = meters;
  check.lambdaOver2PiMeters = LambdaOver2PiMeters(frequencyMHz);
  check.thresholdWatts = ExemptionThresholdWatts(frequencyMHz, meters);
  if (!check.thresholdWatts) {
    check.reasonText = {N_("no exemption threshold exists at %1 MHz (0.3 to 100000 MHz)"),
                        {FormatFixed(frequencyMHz, 2)}};
  } else if (!(meters >= check.lambdaOver2PiMeters)) {
    check.reasonText = {N_("closer than lambda/2pi (%1 m) to the antenna, where the exemption does not apply"),
                        {FormatFixed(check.lambdaOver2PiMeters, 2)}};
  } else if (!(check.erpWatts <= *check.thresholdWatts)) {
    check.reasonText = {N_("ERP above the threshold"), {}};
  } else {
    check.exempt = true;
    check.reasonText = {N_("ERP at or below the threshold"), {}};
  }
  check.reason = FilledText(check.reasonText);
  return check;
}

}  // namespace zento
