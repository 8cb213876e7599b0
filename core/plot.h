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

// Where the texts on a plot go, in pixels with y growing downwards: each beside what it names,
// none over another text or a mark, all inside the plot area.
struct LabelBox {
  double x = 0.0, y = 0.0, width = 0.0, height = 0.0;
  double Right() const { return x + width; }
  double Bottom() const { return y + height; }
  bool Intersects(const LabelBox& other) const {
    return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
  }
  bool Inside(const LabelBox& area) const {
    return x >= area.x && y >= area.y && Right() <= area.Right() && Bottom() <= area.Bottom();
  }
};

enum class LabelAnchor {
  kPoint,           // beside a point (x, y)
  kHorizontalLine,  // above or below a horizontal line at y, from its right end x leftwards
  kVerticalLine,    // read upwards beside a vertical line at x, from the top down
};

struct LabelRequest {
  LabelAnchor anchor;
  double x = 0.0, y = 0.0;
  // The text's (width, height) as written, longest first: a shorter text only where no longer
  // one fits. For a vertical line the box is turned: its width is the text's height.
  std::vector<std::pair<double, double>> sizes;
};

struct PlacedLabel {
  LabelBox box;
  std::size_t size = 0;  // which of the request's sizes
  bool free = true;      // false: no free place was left (the least crowded one is given): not to be drawn
};

// Places the labels in the order given (the first the nearest to its anchor), each clear of the
// labels before it and of the marks. Where some fit nowhere, all take shorter texts if that
// leaves fewer without a place.
std::vector<PlacedLabel> PlaceLabels(const std::vector<LabelRequest>& labels, const LabelBox& area,
                                     const std::vector<LabelBox>& marks);

// A transmitter's band whose uncontrolled safe distance is largest; none when none could be
// evaluated.
std::optional<std::size_t> FarthestBand(const TransmitterResult& result);
// The band (transmitter, band) whose uncontrolled safe distance is largest; none when no band
// of the station could be evaluated.
std::optional<std::pair<std::size_t, std::size_t>> WorstBand(const StationResult& result);

// None for a band that could not be evaluated.
std::optional<Plot> MakePlot(const Station& station, const StationResult& result, std::size_t transmitter,
                             std::size_t band, int points = 48);

}  // namespace zento
