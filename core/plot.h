#pragma once
// The figures of a power-density plot for one band of one transmitter: density against distance
// on log-log axes, each environment's limit, the safe distances, and the places.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/station_eval.h"

namespace zento {

struct PlotCurve {
  Environment environment;
  std::vector<std::pair<double, double>> points;  // (meters, W/m²), rising distance
  double limitWm2 = 0.0;
  double safeDistanceMeters = 0.0;
  bool instantaneous = false;  // the density shown is the peak one, against an instantaneous limit
};

struct PlotPlace {
  std::string name;
  Environment environment;
  double distanceMeters;
  double share;  // this band's share of the limit there
  bool complies;
};

struct Plot {
  std::size_t transmitter = 0, band = 0;
  std::string title;  // "HF on 20m (14.35 MHz)"
  double minMeters = 0.0, maxMeters = 0.0;
  double minWm2 = 0.0, maxWm2 = 0.0;
  std::vector<PlotCurve> curves;  // controlled, uncontrolled
  std::vector<PlotPlace> places;
};

// The band (transmitter, band) whose uncontrolled safe distance is largest; none when no band
// of the station could be evaluated.
std::optional<std::pair<std::size_t, std::size_t>> WorstBand(const StationResult& result);

// None for a band that could not be evaluated.
std::optional<Plot> MakePlot(const Station& station, const StationResult& result, std::size_t transmitter,
                             std::size_t band, int points = 48);

}  // namespace zento
