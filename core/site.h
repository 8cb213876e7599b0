#pragma once
// The site: whether a circle around an antenna stays inside the area the operator controls.

#include <array>
#include <cstddef>
#include <vector>

#include "core/station_eval.h"

namespace zento {

struct OutlineCheck {
  bool inside = false;        // the whole circle lies inside the outline
  double marginMeters = 0.0;  // from the circle to the outline's nearest edge; negative across it
};

// The circle of `radius` around (x, y) against the polygon `outline` (at least three corners, in
// either turning sense).
OutlineCheck CheckInsideOutline(const std::vector<std::array<double, 2>>& outline, double x, double y, double radius);

// Germany's check (BEMFV section 8(2) no. 1): each transmitter's safety distance in the main beam,
// on its band that needs the most, around its mast against the controllable area. None without an
// outline of at least three corners, or under other rules.
struct AreaCheck {
  std::size_t transmitter = 0, band = 0;
  double safetyDistanceMeters = 0.0;
  OutlineCheck check;
};
std::vector<AreaCheck> CheckControllableArea(const Station& station, const StationResult& result);

}  // namespace zento
