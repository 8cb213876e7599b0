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
    // comparison, and past every place given a position.
    const double halfWidth = grids ? PictureHalfWidth(station, i, farField) : 0.0;
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
      const FarthestBoundary farthest = FarthestBoundaryOf(t.result, tx.antenna.headingDegrees);
      const std::size_t worst = farthest.band;
      const AntennaPlacement at = PlacementOf(station, tx);
      const GridImage horizontal = EvaluateGrid(station, i, worst, farField, *nf->horizontal, nf->samples,
                                                FieldChoice::kWorst, Environment::kUncontrolled);
      const auto upright =
          ComputeVerticalGrid(station, i, worst, UprightHalfWidth(halfWidth, t.wires, {at.x, at.y, 0.0}),
                              farthest.bearingDegrees, options, stop, error);
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
