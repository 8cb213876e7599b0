#include "core/site.h"

#include <algorithm>
#include <cmath>

#include "core/plot.h"

namespace zento {

OutlineCheck CheckInsideOutline(const std::vector<std::array<double, 2>>& outline, double x, double y, double radius) {
  OutlineCheck check;
  if (outline.size() < 3) return check;
  bool in = false;
  double nearest = 1e300;
  for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
    const double ax = outline[j][0], ay = outline[j][1], bx = outline[i][0], by = outline[i][1];
    // Crossings of a ray to the east decide inside from outside.
    if ((by > y) != (ay > y) && x < (ax - bx) * (y - by) / (ay - by) + bx) in = !in;
    const double dx = bx - ax, dy = by - ay, length2 = dx * dx + dy * dy;
    const double t = length2 > 0.0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / length2, 0.0, 1.0) : 0.0;
    nearest = std::min(nearest, std::hypot(x - (ax + t * dx), y - (ay + t * dy)));
  }
  check.marginMeters = in ? nearest - radius : -(nearest + radius);
  check.inside = check.marginMeters >= 0.0;
  return check;
}

std::vector<AreaCheck> CheckControllableArea(const Station& s, const StationResult& result) {
  std::vector<AreaCheck> checks;
  if (s.rules != RuleSet::kGermanyBemfv || s.siteOutline.size() < 3) return checks;
  for (std::size_t t = 0; t < s.transmitters.size() && t < result.transmitters.size(); ++t) {
    const auto band = FarthestBand(result.transmitters[t]);
    if (!band) continue;
    const double radius = result.transmitters[t].bands[*band].In(Environment::kUncontrolled).safeDistanceMeters;
    const auto mast = s.transmitters[t].antenna.positionMeters.value_or(std::array<double, 2>{});
    checks.push_back({t, *band, radius, CheckInsideOutline(s.siteOutline, mast[0], mast[1], radius)});
  }
  return checks;
}

}  // namespace zento
