#include "core/operating.h"

#include <algorithm>
#include <cmath>

namespace zento {

std::optional<OperatingMode> FindMode(std::string_view key) {
  for (const auto& mode : kOperatingModes) {
    if (mode.key == key) return mode;
  }
  return std::nullopt;
}

double TimeAveragingFactor(double tx, double rx, double window) {
  const double cycle = tx + rx;
  if (tx >= window) return 1.0;
  if (!(cycle > 0.0)) return 0.0;
  if (cycle >= window) return tx / window;
  const double full = std::floor(window / cycle) * tx;
  return (full + std::min(tx, std::fmod(window, cycle))) / window;
}

}  // namespace zento
