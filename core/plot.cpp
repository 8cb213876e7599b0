#include "core/plot.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace zento {

std::optional<std::pair<std::size_t, std::size_t>> WorstBand(const StationResult& result) {
  std::optional<std::pair<std::size_t, std::size_t>> worst;
  double largest = -1.0;
  for (std::size_t t = 0; t < result.transmitters.size(); ++t) {
    const auto& bands = result.transmitters[t].bands;
    for (std::size_t b = 0; b < bands.size(); ++b) {
      if (!bands[b].problem.empty()) continue;
      const double d = bands[b].In(Environment::kUncontrolled).safeDistanceMeters;
      if (d > largest) {
        largest = d;
        worst = {t, b};
      }
    }
  }
  return worst;
}

std::optional<Plot> MakePlot(const Station& station, const StationResult& result, std::size_t transmitter,
                             std::size_t band, int points) {
  if (transmitter >= result.transmitters.size() || band >= result.transmitters[transmitter].bands.size()) {
    return std::nullopt;
  }
  const BandResult& b = result.transmitters[transmitter].bands[band];
  if (!b.problem.empty()) return std::nullopt;
  Plot plot;
  plot.transmitter = transmitter;
  plot.band = band;
  plot.title = station.transmitters[transmitter].name + " on " + b.band;
  if (b.lowMHz != b.highMHz)
    plot.title += " (" + FormatGeneral(b.lowMHz, 10) + "-" + FormatGeneral(b.highMHz, 10) + " MHz)";

  // From half the nearest figure to twice the farthest, in whole decades.
  double nearest = 1e300, farthest = 0.0;
  for (const Environment env : kEnvironments) {
    const double d = b.In(env).safeDistanceMeters;
    if (d > 0.0) nearest = std::min(nearest, d), farthest = std::max(farthest, d);
  }
  for (const PlaceShare& share : b.places) {
    if (share.distanceMeters > 0.0) nearest = std::min(nearest, share.distanceMeters);
    farthest = std::max(farthest, share.distanceMeters);
  }
  if (!(farthest > 0.0)) nearest = farthest = 1.0;
  plot.minMeters = std::pow(10.0, std::floor(std::log10(nearest / 2.0)));
  plot.maxMeters = std::pow(10.0, std::ceil(std::log10(farthest * 2.0)));

  const double ground = GroundFactor(station);
  for (const Environment env : kEnvironments) {
    const EnvironmentResult& e = b.In(env);
    PlotCurve curve;
    curve.environment = env;
    curve.limitWm2 = e.limit.sWm2;
    curve.safeDistanceMeters = e.safeDistanceMeters;
    curve.instantaneous = e.limit.instantaneous;
    const double eirp = e.ComparedEirpWatts();
    const double logMin = std::log10(plot.minMeters), logMax = std::log10(plot.maxMeters);
    for (int i = 0; i < points; ++i) {
      const double r = std::pow(10.0, logMin + (logMax - logMin) * i / (points - 1));
      curve.points.emplace_back(r, DensityWm2(eirp, r, ground));
    }
    plot.curves.push_back(std::move(curve));
  }
  for (std::size_t p = 0; p < station.places.size(); ++p) {
    const double share = b.places[p].share;
    plot.places.push_back(
        {station.places[p].name, station.places[p].environment, b.places[p].distanceMeters, share, share <= 1.0});
  }
  plot.minWm2 = 1e300;
  plot.maxWm2 = 0.0;
  for (const PlotCurve& c : plot.curves) {
    plot.minWm2 = std::min({plot.minWm2, c.points.back().second, c.limitWm2});
    plot.maxWm2 = std::max({plot.maxWm2, c.points.front().second, c.limitWm2});
  }
  plot.minWm2 = std::pow(10.0, std::floor(std::log10(plot.minWm2)));
  plot.maxWm2 = std::pow(10.0, std::ceil(std::log10(plot.maxWm2)));
  return plot;
}

}  // namespace zento
