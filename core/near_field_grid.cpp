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

double PictureHalfWidth(const Station& station, std::size_t transmitter, const StationResult& farField) {
  double farthest = 0.0;
  for (const BandResult& band : farField.transmitters[transmitter].bands) {
    if (!band.problem.empty()) continue;
    const EnvironmentResult& e = band.In(Environment::kUncontrolled);
    farthest = std::max(farthest, e.horizontalMeters.value_or(e.metEverywhereAtHeight ? 0.0 : e.safeDistanceMeters));
  }
  const AntennaPlacement at = PlacementOf(station, station.transmitters[transmitter]);
  for (const Place& place : station.places) {
    if (place.positionMeters) {
      farthest = std::max(farthest, std::hypot((*place.positionMeters)[0] - at.x, (*place.positionMeters)[1] - at.y));
    }
  }
  return std::max(1.15 * farthest, 5.0);
}

double UprightHalfWidth(double halfWidth, const std::vector<std::pair<Vec3, Vec3>>& wires, const Vec3& mast) {
  double radius = 0.0;
  for (const auto& [a, b] : wires) {
    radius = std::max({radius, std::hypot(a.x - mast.x, a.y - mast.y), std::hypot(b.x - mast.x, b.y - mast.y)});
  }
  return std::max(halfWidth, 1.2 * radius);
}

FarthestBoundary FarthestBoundaryOf(const NearFieldTransmitter& result, double headingDegrees,
                                    std::optional<std::size_t> band) {
  FarthestBoundary out;
  out.band = band.value_or(0);
  out.bearingDegrees = headingDegrees;
  for (std::size_t b = 0; b < result.bands.size(); ++b) {
    if (band && b != *band) continue;
    for (const auto& d : result.bands[b].boundary[static_cast<std::size_t>(Environment::kUncontrolled)]) {
      if (d.meters > out.meters) out = {b, d.meters, d.bearingDegrees};
    }
  }
  return out;
}

std::optional<PointFields> FieldsFromGrid(const GridImage& plane, const NearFieldSamples& samples, const Vec3& point) {
  if (plane.vertical || plane.columns < 2 || plane.rows < 2 || !(plane.step > 0.0) ||
      std::abs(point.z - plane.heightMeters) > 1e-9) {
    return std::nullopt;
  }
  const double u = (point.x - plane.left) / plane.step, v = (point.y - plane.bottom) / plane.step;
  if (!(u >= 0.0 && v >= 0.0 && u <= plane.columns - 1.0 && v <= plane.rows - 1.0)) return std::nullopt;
  const int c0 = std::min(static_cast<int>(u), plane.columns - 2), r0 = std::min(static_cast<int>(v), plane.rows - 2);
  PointFields out;
  out.fields.assign(samples.frequenciesMHz.size(), FieldSquares{});
  for (const int r : {r0, r0 + 1}) {
    for (const int c : {c0, c0 + 1}) {
      const std::size_t i = plane.first + static_cast<std::size_t>(r * plane.columns + c);
      if (i >= samples.atAntenna.size()) return std::nullopt;
      out.atAntenna = out.atAntenna || samples.atAntenna[i];
      for (std::size_t f = 0; f < samples.fields.size(); ++f) {
        out.fields[f].e2 = std::max(out.fields[f].e2, samples.fields[f][i].e2);
        out.fields[f].h2 = std::max(out.fields[f].h2, samples.fields[f][i].h2);
      }
    }
  }
  return out;
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
