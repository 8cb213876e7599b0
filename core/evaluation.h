#pragma once
// A station's evaluation where people are: the power density at a distance, the exemption
// from a routine evaluation.

#include <optional>
#include <string>

#include <string_view>
#include "core/text_mark.h"

#include "core/bands.h"

namespace zento {

// Power density in mW/cm² at `meters` from the antenna: S = factor x EIRP / (40 pi r²).
double ComputePowerDensity(double eirpWatts, double meters, double groundReflectionFactor);

// A distance typed as the window's distances are: in feet when englishUnits is 1.
double DistanceInMeters(double distance, int englishUnits);

// The ERP divisor: a half-wave dipole's gain over an isotropic radiator, 2.15 dB.
inline constexpr double kEirpPerErp = 1.64;
inline constexpr double kSpeedOfLightMetersMHz = 299.792458;  // lambda in meters = this / f in MHz

// The MPE-based exemption threshold in watts ERP of 47 CFR 1.1307(b)(3)(i)(C) at R meters;
// none outside 0.3 to 100000 MHz. Each lower band edge belongs to the band above it.
std::optional<double> ExemptionThresholdWatts(double frequencyMHz, double meters);

// lambda / 2 pi in meters, the distance from which the exemption applies.
double LambdaOver2PiMeters(double frequencyMHz);

struct ExemptionCheck {
  double erpWatts;
  double distanceMeters;
  double lambdaOver2PiMeters;
  std::optional<double> thresholdWatts;
  bool exempt;
  std::string reason;     // in English
  MarkedText reasonText;  // the same, for translation where it is shown
};

// Exempt only where R is at least lambda / 2 pi and the ERP is at or below the threshold.
ExemptionCheck CheckExemption(double frequencyMHz, double eirpWatts, double meters);

}  // namespace zento
