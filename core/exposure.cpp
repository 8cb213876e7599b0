#include "core/exposure.h"

#include <cmath>

#include "core/number_text.h"

namespace zento {

std::optional<ExposureLimits> LookupExposureLimits(double frequencyMHz, double eirpWatts) {
  // Negated comparisons so that NaN falls on the "no result" side.
  if (!(eirpWatts >= kMinLimitEirpWatts)) return std::nullopt;
  const double f = frequencyMHz;
  if (!(f >= kMinLimitFrequencyMHz && f <= kMaxLimitFrequencyMHz)) return std::nullopt;

  // Each lower band edge belongs to the band above it. The general-population limit breaks at
  // 1.34 MHz (180 / f² meets 100 there), the occupational one at 3 MHz.
  if (f < 1.34) return ExposureLimits{100.0, 100.0};
  if (f < 3.0) return ExposureLimits{100.0, 180.0 / (f * f)};
  if (f < 30.0) {
    const double f2 = f * f;
    return ExposureLimits{900.0 / f2, 180.0 / f2};
  }
  if (f < 300.0) return ExposureLimits{1.0, 0.2};
  if (f < 1500.0) return ExposureLimits{f * 0.0033333333333333335, f * 0.0006666666666666666};
  return ExposureLimits{5.0, 1.0};
}

double ComputeSafeDistance(double eirpWatts, double limit, double groundReflectionFactor) {
  const double n = groundReflectionFactor * eirpWatts;
  const double d = limit * kFortyPi;
  return std::sqrt(n / d);
}

std::string FormatDistance(double meters, int englishUnits) {
  if (englishUnits != 0) return FormatFixed(meters * kFeetPerMeterDistance, 1) + " Feet";
  return FormatFixed(meters, 1) + " Meters";
}

double ComputeEirpForDistance(std::string_view text, int englishUnits, double limit, double groundReflectionFactor) {
  double d = ReadDouble(text);
  if (englishUnits == 1) d = d * kMetersPerFootDistance;
  return limit * d * d * kFortyPi / groundReflectionFactor;
}

}  // namespace zento
