// A typed distance worked back to an EIRP, then to a power, as the distance fields do.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/exposure.h"
#include "core/station.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int englishUnits = data[0] & 1;
  const double limit = (data[1] % 4 == 0) ? 100.0 : (data[1] % 4 == 1) ? 0.2 : (data[1] % 4 == 2) ? 1.0 : 5.0;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
  const double eirp = zento::ComputeEirpForDistance(text, englishUnits, limit, zento::kGroundReflectionFactor);
  if (std::isnan(eirp) || eirp < 0.0) std::abort();
  for (const std::uint32_t duty : {0u, 1u, 50u, 100u}) {
    const auto power = zento::ComputePowerForEirp(eirp, duty, 60.0, 0.0);
    if (duty == 0 && power) std::abort();
    if (power) (void)zento::ComputeEirp(*power, duty, 60.0, 0.0);
  }
  if (const auto limits = zento::LookupExposureLimits(30.0, eirp)) {
    (void)zento::FormatDistance(zento::ComputeSafeDistance(eirp, limits->controlledLimit, 2.56), englishUnits);
  }
  return 0;
}
