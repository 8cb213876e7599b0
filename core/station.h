#pragma once
// The station's inputs and results, and the link between transmitter power and EIRP.

#include <cstdint>
#include <optional>

namespace zento {

// The FCC's allowance for ground reflection (1.6 squared).
inline constexpr double kGroundReflectionFactor = 2.56;

struct StationParameters {
  double frequencyMHz = 30.0;
  double uncontrolledLimit = 0.0;  // mW/cm², last computed
  double controlledLimit = 0.0;    // mW/cm², last computed
  std::uint32_t dutyCyclePercent = 100;
  std::int32_t powerWatts = 100;
  double antennaGainDbi = 0.0;
  double feedlineLossDb = 0.0;
  double groundReflectionFactor = kGroundReflectionFactor;
  double eirpWatts = 100.0;
  int englishUnits = 1;  // 1: distances in feet, 0: in meters
};

// Accepted ranges of the inputs the user types (checked when the window's fields are read).
inline constexpr std::uint32_t kMinDutyCyclePercent = 0;
inline constexpr std::uint32_t kMaxDutyCyclePercent = 100;
inline constexpr std::int32_t kMinPowerWatts = 1;
inline constexpr std::int32_t kMaxPowerWatts = 100000;
inline constexpr double kMinAntennaGainDbi = -10.0;
inline constexpr double kMaxAntennaGainDbi = 60.0;
inline constexpr double kMinFeedlineLossDb = 0.0;
inline constexpr double kMaxFeedlineLossDb = 60.0;

// Average EIRP in watts: 10^((G - L) / 10) x P x D / 100.
double ComputeEirp(std::int32_t powerWatts, std::uint32_t dutyCyclePercent, double antennaGainDbi,
                   double feedlineLossDb);

// The whole-watt transmitter power (truncated toward zero, saturated to 32 bits) that gives
// `eirpWatts`. None for a duty cycle of 0 or a result that is not a number.
std::optional<std::int32_t> ComputePowerForEirp(double eirpWatts, std::uint32_t dutyCyclePercent, double antennaGainDbi,
                                                double feedlineLossDb);

}  // namespace zento
