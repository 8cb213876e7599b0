#pragma once
// The site: whether a circle around an antenna stays inside the area the operator controls.

#include <array>
#include <vector>

namespace zento {

struct OutlineCheck {
  bool inside = false;        // the whole circle lies inside the outline
  double marginMeters = 0.0;  // from the circle to the outline's nearest edge; negative across it
};

// The circle of `radius` around (x, y) against the polygon `outline` (at least three corners, in
// either turning sense).
OutlineCheck CheckInsideOutline(const std::vector<std::array<double, 2>>& outline, double x, double y, double radius);

}  // namespace zento
