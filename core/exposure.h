#pragma once
// FCC maximum permissible exposure limits for far-field radiation and the safe distances
// they give.

#include <optional>
#include <string>
#include <string_view>

namespace zento {

// 40 pi to eight decimals, as the published tables compute it.
inline constexpr double kFortyPi = 125.663708;
inline constexpr double kFeetPerMeterDistance = 3.28084;
// The reciprocal of 3.2808399, for reading typed distances in feet.
inline constexpr double kMetersPerFootDistance = 0.3047999902464003;

inline constexpr double kMinLimitFrequencyMHz = 1.0;
inline constexpr double kMaxLimitFrequencyMHz = 30000.0;
inline constexpr double kMinLimitEirpWatts = 1.0;

struct ExposureLimits {
  double controlledLimit;    // mW/cm², 6-minute average
  double uncontrolledLimit;  // mW/cm², 30-minute average
};

// The limits at a frequency; none below 1 W of EIRP, outside 1 to 30000 MHz, or for values
// that are not numbers.
std::optional<ExposureLimits> LookupExposureLimits(double frequencyMHz, double eirpWatts);

// Meters from the antenna at which the power density falls to `limit`:
// S = factor x EIRP / (40 pi r²) solved for r.
double ComputeSafeDistance(double eirpWatts, double limit, double groundReflectionFactor);

// "%.1lf Feet" (englishUnits nonzero) or "%.1lf Meters".
std::string FormatDistance(double meters, int englishUnits);

// The EIRP that just meets `limit` at the distance typed in `text` (read as atof reads it;
// in feet when englishUnits is 1).
double ComputeEirpForDistance(std::string_view text, int englishUnits, double limit, double groundReflectionFactor);

}  // namespace zento
