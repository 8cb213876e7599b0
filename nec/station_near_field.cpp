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
    if (!station.transmitters[i].antenna.model) continue;
    std::string error;
    const auto nf = ComputeNearField(station, i, options, stop, error);
    if (!nf) {
      out.problems[i] = error;
      continue;
    }
    StationNearField::Transmitter t;
    t.result = EvaluateNearField(station, i, farField, nf->plan, nf->samples);
    t.method = nf->method;
    for (const Segment& seg : nf->segments) t.wires.emplace_back(seg.End(-1), seg.End(+1));
    if (grids) {
      // The band whose boundary reaches farthest, pictured as far as it reaches and a little more,
      // the vertical plane along its farthest direction.
      std::size_t worst = 0;
      double farthest = -1.0, bearing = 0.0;
      for (std::size_t b = 0; b < t.result.bands.size(); ++b) {
        for (const auto& d : t.result.bands[b].boundary[static_cast<std::size_t>(Environment::kUncontrolled)]) {
          if (d.meters > farthest) farthest = d.meters, worst = b, bearing = d.bearingDegrees;
        }
      }
      double radius = 0.0;
      const AntennaPlacement at = PlacementOf(station, station.transmitters[i]);
      for (const auto& [a, b] : t.wires) {
        radius = std::max({radius, std::hypot(a.x - at.x, a.y - at.y), std::hypot(b.x - at.x, b.y - at.y)});
      }
      const double halfWidth = std::max({1.3 * farthest, 1.5 * radius, 5.0});
      const auto pictures = ComputeGrids(station, i, worst, halfWidth, bearing, options, stop, error);
      if (!pictures) {
        out.problems[i] = error;
      } else {
        t.grids = EvaluateGrids(station, i, worst, farField, pictures->plan, pictures->samples, FieldChoice::kWorst,
                                Environment::kUncontrolled);
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
