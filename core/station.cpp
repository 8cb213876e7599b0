#include "core/station.h"

#include <cmath>

#include "core/number_text.h"

namespace zento {

double ComputeEirp(std::int32_t powerWatts, std::uint32_t dutyCyclePercent, double antennaGainDbi,
                   double feedlineLossDb) {
  // Evaluated step by step in this order, so results match the figures users compare against.
  const double g = (antennaGainDbi - feedlineLossDb) * 0.1;
  const double a = std::pow(10.0, g);
  const double b = a * powerWatts;
  const double c = dutyCyclePercent * 0.01;
  return b * c;
}

std::optional<std::int32_t> ComputePowerForEirp(double eirpWatts, std::uint32_t dutyCyclePercent, double antennaGainDbi,
                                                double feedlineLossDb) {
  if (dutyCyclePercent == 0) return std::nullopt;
  const double x = std::pow(10.0, -(antennaGainDbi - feedlineLossDb) * 0.1);
  const double p = x * eirpWatts * (100.0 / dutyCyclePercent);
  return TruncateToInt32(p);
}

}  // namespace zento
