#pragma once
// The lines drawn over a heat map, in cell units: the point (column, row) of a GridImage lies at
// (column + 0.5, row + 0.5), so that its cell is the unit square from (column, row).

#include <cmath>
#include <vector>

#include "core/near_field.h"

namespace zento {

inline constexpr double kHeatMapFloor = 0.01;  // 1 %: the colour scale's foot

// No number stands for the point: infinite (at the antenna) or not a number.
inline bool NoShareNumber(double share) { return !std::isfinite(share) && !(share < 0.0); }

struct CellPoint {
  double u = 0.0, v = 0.0;
};
using CellLine = std::vector<CellPoint>;  // a closed line ends where it starts

// Where the share is 100 %: lines between the image's points, never inside a region over it.
std::vector<CellLine> HundredPercentLines(const GridImage& image);

// The parts of a polyline inside [0, width] x [0, height].
std::vector<CellLine> ClippedToCells(const CellLine& line, double width, double height);

}  // namespace zento
