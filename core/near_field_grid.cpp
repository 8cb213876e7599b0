// The pictures of the near field: a horizontal plane at the person height around the mast, and a
// vertical plane through the mast in one direction.
#include <cmath>
#include <numbers>

#include "core/near_field.h"
#include "core/near_field_cases.h"

namespace zento {

GridPlan PlanGrids(const Station& station, const Transmitter& transmitter, double halfWidth, double bearingDegrees,
                   int across) {
  GridPlan plan;
  const AntennaPlacement at = PlacementOf(station, transmitter);
  const Vec3 mast{at.x, at.y, 0.0};
  const double step = 2.0 * halfWidth / (across - 1);
  GridImage& h = plan.horizontal;
  h.columns = h.rows = across;
  h.left = at.x - halfWidth;
  h.bottom = at.y - halfWidth;
  h.step = step;
  h.heightMeters = station.personHeightMeters;
  h.mast = mast;
  for (int r = 0; r < h.rows; ++r) {
    for (int c = 0; c < h.columns; ++c) plan.points.push_back({h.left + c * step, h.bottom + r * step, h.heightMeters});
  }
  // Up to a little above the antenna and as wide as the horizontal plane, with square cells.
  GridImage& v = plan.vertical;
  v.vertical = true;
  v.columns = across;
  v.left = -halfWidth;
  v.step = step;
  v.bottom = step / 2.0;  // not on the ground itself
  v.rows = std::max(2, static_cast<int>(std::ceil((at.heightMeters + halfWidth / 2.0) / step)));
  v.bearingDegrees = bearingDegrees;
  v.mast = mast;
  const double b = bearingDegrees * std::numbers::pi / 180.0;
  for (int r = 0; r < v.rows; ++r) {
    for (int c = 0; c < v.columns; ++c) {
      const double along = v.left + c * step;
      plan.points.push_back({at.x + along * std::sin(b), at.y + along * std::cos(b), v.bottom + r * step});
    }
  }
  return plan;
}

std::pair<GridImage, GridImage> EvaluateGrids(const Station& station, std::size_t transmitter, std::size_t band,
                                              const StationResult& farField, const GridPlan& plan,
                                              const NearFieldSamples& samples, FieldChoice choice,
                                              Environment environment) {
  GridImage h = plan.horizontal, v = plan.vertical;
  const TransmitterResult& far = farField.transmitters[transmitter];
  const NearFieldCases cases(station, station.transmitters[transmitter], far, samples, far.bands[band]);
  std::size_t point = 0;
  for (GridImage* image : {&h, &v}) {
    image->shares.clear();
    for (int i = 0; i < image->rows * image->columns; ++i, ++point) {
      image->shares.push_back(cases.empty() ? 0.0 : cases.Worst(point, environment, choice).share);
    }
  }
  return {std::move(h), std::move(v)};
}

}  // namespace zento
