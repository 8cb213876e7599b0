// A station's near field: each transmitter with an antenna model, evaluated at its present power.
#include <algorithm>
#include <cmath>

#include "nec/near_field_run.h"

namespace zento::nec {

StationNearField EvaluateStationNearField(const Station& station, const StationResult& farField, bool grids,
                                          const EngineOptions& options, std::stop_token stop) {
  StationNearField out;
  out.transmitters.resize(station.transmitters.size());
  out.problems.resize(station.transmitters.size());
  std::vector<std::optional<NearFieldTransmitter>> results(station.transmitters.size());
  for (std::size_t i = 0; i < station.transmitters.size(); ++i) {
    const Transmitter& tx = station.transmitters[i];
    if (!tx.antenna.model) continue;
    // The pictures reach a little past the far-field formula's distance, drawn over them for
    // comparison, and past the antenna's own size.
    double halfWidth = 0.0;
    if (grids) {
      double farthest = 0.0;
      for (const BandResult& band : farField.transmitters[i].bands) {
        if (!band.problem.empty()) continue;
        const EnvironmentResult& e = band.In(Environment::kUncontrolled);
        farthest =
            std::max(farthest, e.horizontalMeters.value_or(e.metEverywhereAtHeight ? 0.0 : e.safeDistanceMeters));
      }
      // ... and every place given a position.
      const AntennaPlacement at = PlacementOf(station, tx);
      for (const Place& place : station.places) {
        if (place.positionMeters) {
          farthest =
              std::max(farthest, std::hypot((*place.positionMeters)[0] - at.x, (*place.positionMeters)[1] - at.y));
        }
      }
      halfWidth = std::max(1.15 * farthest, 5.0);
    }
    std::string error;
    const auto nf = ComputeNearField(station, i, options, stop, error, halfWidth);
    if (!nf) {
      out.problems[i] = error;
      continue;
    }
    StationNearField::Transmitter t;
    t.result = EvaluateNearField(station, i, farField, nf->plan, nf->samples);
    t.method = nf->method;
    for (const Segment& seg : nf->segments) t.wires.emplace_back(seg.End(-1), seg.End(+1));
    if (nf->horizontal) {
      // The band whose boundary reaches farthest, and its farthest direction for the upright plane.
      std::size_t worst = 0;
      double farthest = 0.0, bearing = tx.antenna.headingDegrees;  // the main direction when all comply
      for (std::size_t b = 0; b < t.result.bands.size(); ++b) {
        for (const auto& d : t.result.bands[b].boundary[static_cast<std::size_t>(Environment::kUncontrolled)]) {
          if (d.meters > farthest) farthest = d.meters, worst = b, bearing = d.bearingDegrees;
        }
      }
      double radius = 0.0;
      const AntennaPlacement at = PlacementOf(station, tx);
      for (const auto& [a, b] : t.wires) {
        radius = std::max({radius, std::hypot(a.x - at.x, a.y - at.y), std::hypot(b.x - at.x, b.y - at.y)});
      }
      const GridImage horizontal = EvaluateGrid(station, i, worst, farField, *nf->horizontal, nf->samples,
                                                FieldChoice::kWorst, Environment::kUncontrolled);
      const auto upright =
          ComputeVerticalGrid(station, i, worst, std::max(halfWidth, 1.2 * radius), bearing, options, stop, error);
      if (!upright) {
        out.problems[i] = error;
      } else {
        t.grids = std::make_pair(horizontal, EvaluateGrid(station, i, worst, farField, upright->plane, upright->samples,
                                                          FieldChoice::kWorst, Environment::kUncontrolled));
        t.gridBand = worst;
      }
    }
    results[i] = t.result;
    out.transmitters[i] = std::move(t);
  }
  out.places = NearFieldVerdicts(station, farField, results);
  return out;
}

}  // namespace zento::nec
