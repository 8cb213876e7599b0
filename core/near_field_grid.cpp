// The pictures of the near field: a horizontal plane at the person height around the mast, and a
// vertical plane through the mast in one direction.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/near_field.h"
#include "core/near_field_cases.h"

namespace zento {

GridImage PlanHorizontalGrid(const Station& station, const Transmitter& transmitter, double halfWidth,
                             std::vector<Vec3>& points, int across) {
  const AntennaPlacement at = PlacementOf(station, transmitter);
  GridImage h;
  h.columns = h.rows = across;
  h.step = 2.0 * halfWidth / (across - 1);
  h.left = at.x - halfWidth;
  h.bottom = at.y - halfWidth;
  h.heightMeters = station.personHeightMeters;
  h.mast = {at.x, at.y, 0.0};
  h.first = points.size();
  for (int r = 0; r < h.rows; ++r) {
    for (int c = 0; c < h.columns; ++c) points.push_back({h.left + c * h.step, h.bottom + r * h.step, h.heightMeters});
  }
  return h;
}

GridImage PlanVerticalGrid(const Station& station, const Transmitter& transmitter, double halfWidth,
                           double bearingDegrees, std::vector<Vec3>& points, int across) {
  const AntennaPlacement at = PlacementOf(station, transmitter);
  GridImage v;
  v.vertical = true;
  v.columns = across;
  v.step = 2.0 * halfWidth / (across - 1);
  v.left = -halfWidth;
  v.bottom = v.step / 2.0;  // not on the ground itself
  // Square cells, up to a little above the antenna.
  v.rows = std::max(2, static_cast<int>(std::ceil((at.heightMeters + halfWidth / 2.0) / v.step)));
  v.bearingDegrees = bearingDegrees;
  v.mast = {at.x, at.y, 0.0};
  v.first = points.size();
  const double b = bearingDegrees * std::numbers::pi / 180.0;
  for (int r = 0; r < v.rows; ++r) {
    for (int c = 0; c < v.columns; ++c) {
      const double along = v.left + c * v.step;
      points.push_back({at.x + along * std::sin(b), at.y + along * std::cos(b), v.bottom + r * v.step});
    }
  }
  return v;
}

GridImage EvaluateGrid(const Station& station, std::size_t transmitter, std::size_t band, const StationResult& farField,
                       GridImage plane, const NearFieldSamples& samples, FieldChoice choice, Environment environment) {
  const TransmitterResult& far = farField.transmitters[transmitter];
  const NearFieldCases cases(station, station.transmitters[transmitter], far, samples, far.bands[band]);
  plane.shares.clear();
  for (int i = 0; i < plane.rows * plane.columns; ++i) {
    plane.shares.push_back(
        cases.empty() ? 0.0 : cases.Worst(plane.first + static_cast<std::size_t>(i), environment, choice).share);
  }
  return plane;
}

}  // namespace zento
