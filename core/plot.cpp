#include "core/plot.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace zento {

std::optional<std::size_t> FarthestBand(const TransmitterResult& result) {
  std::optional<std::size_t> farthest;
  const auto& bands = result.bands;
  for (std::size_t b = 0; b < bands.size(); ++b) {
    if (!bands[b].problem.empty()) continue;
    if (!farthest || bands[b].In(Environment::kUncontrolled).safeDistanceMeters >
                         bands[*farthest].In(Environment::kUncontrolled).safeDistanceMeters) {
      farthest = b;
    }
  }
  return farthest;
}

std::optional<std::pair<std::size_t, std::size_t>> WorstBand(const StationResult& result) {
  std::optional<std::pair<std::size_t, std::size_t>> worst;
  for (std::size_t t = 0; t < result.transmitters.size(); ++t) {
    const auto b = FarthestBand(result.transmitters[t]);
    if (b && (!worst || result.transmitters[t].bands[*b].In(Environment::kUncontrolled).safeDistanceMeters >
                            result.transmitters[worst->first]
                                .bands[worst->second]
                                .In(Environment::kUncontrolled)
                                .safeDistanceMeters)) {
      worst = {t, *b};
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

namespace {

constexpr double kGap = 3.0;   // between a text and its line or point
constexpr double kStep = 4.0;  // how far a text slides along its line between tries

// Where a text may go, in order of preference.
std::vector<LabelBox> Candidates(const LabelRequest& r, double w, double h, const LabelBox& area) {
  std::vector<LabelBox> boxes;
  const auto sides = [&](double x, double above, double below) {
    boxes.push_back({x, above, w, h});
    boxes.push_back({x, below, w, h});
  };
  switch (r.anchor) {
    case LabelAnchor::kPoint:
      // A point on a falling curve: above right of it and below left of it the curve is not,
      // then the other corners, moving away a line at a time.
      for (int k = 0; k < 4; ++k) {
        const double away = k * h, right = r.x + 2 * kGap, left = r.x - 2 * kGap - w;
        const double above = r.y - kGap - h - away, below = r.y + kGap + away;
        boxes.push_back({right, above, w, h});
        boxes.push_back({left, below, w, h});
        boxes.push_back({right, below, w, h});
        boxes.push_back({left, above, w, h});
      }
      break;
    case LabelAnchor::kHorizontalLine:
      // From the line's right end, where a falling curve has passed below it, leftwards.
      for (double x = std::min(r.x, area.Right()) - 2 * kGap - w; x >= area.x - kStep; x -= kStep) {
        sides(x, r.y - kGap - h, r.y + kGap);
      }
      break;
    case LabelAnchor::kVerticalLine:
      // Beside the line, then a text's breadth further off where several lines are close.
      for (const double off : {kGap, 2 * kGap + w}) {
        for (double y = area.y + kGap; y + h <= area.Bottom() + kStep; y += kStep) {
          boxes.push_back({r.x + off, y, w, h});
          boxes.push_back({r.x - off - w, y, w, h});
        }
      }
      break;
  }
  return boxes;
}

// The box moved as little as needed to lie inside the area (or at its top left, when larger).
LabelBox Within(LabelBox box, const LabelBox& area) {
  box.x = std::max(area.x, std::min(box.x, area.Right() - box.width));
  box.y = std::max(area.y, std::min(box.y, area.Bottom() - box.height));
  return box;
}

double Overlap(const LabelBox& a, const LabelBox& b) {
  const double w = std::min(a.Right(), b.Right()) - std::max(a.x, b.x);
  const double h = std::min(a.Bottom(), b.Bottom()) - std::max(a.y, b.y);
  return w > 0.0 && h > 0.0 ? w * h : 0.0;
}

// Each label in its longest text from `first` on that has a free place.
std::vector<PlacedLabel> PlaceFrom(std::size_t first, const std::vector<LabelRequest>& labels, const LabelBox& area,
                                   const std::vector<LabelBox>& marks) {
  std::vector<LabelBox> taken = marks;
  std::vector<PlacedLabel> placed;
  placed.reserve(labels.size());
  for (const LabelRequest& r : labels) {
    if (r.sizes.empty()) {
      placed.emplace_back();
      continue;
    }
    PlacedLabel best;
    best.free = false;
    double least = -1.0;
    const bool turned = r.anchor == LabelAnchor::kVerticalLine;
    for (std::size_t s = std::min(first, r.sizes.size() - 1); s < r.sizes.size() && !best.free; ++s) {
      const double w = turned ? r.sizes[s].second : r.sizes[s].first;
      const double h = turned ? r.sizes[s].first : r.sizes[s].second;
      for (const LabelBox& candidate : Candidates(r, w, h, area)) {
        const LabelBox box = Within(candidate, area);
        if (std::abs(box.x - candidate.x) > kStep || std::abs(box.y - candidate.y) > kStep) continue;
        double crowd = 0.0;
        for (const LabelBox& other : taken) crowd += Overlap(box, other);
        if (crowd == 0.0 && box.Inside(area)) {
          best = {box, s, true};
          break;
        }
        // Failing a free place, the least crowded one of the shortest text.
        if (s + 1 == r.sizes.size() && (least < 0.0 || crowd < least)) {
          least = crowd;
          best = {box, s, false};
        }
      }
    }
    if (least < 0.0 && !best.free) {
      // Not even a crowded place beside its anchor: the nearest one inside the area.
      const auto& [w, h] = r.sizes.back();
      best = {Within({r.x, r.y, turned ? h : w, turned ? w : h}, area), r.sizes.size() - 1, false};
    }
    if (best.free) taken.push_back(best.box);  // a label without a place is not drawn
    placed.push_back(best);
  }
  return placed;
}

}  // namespace

std::vector<PlacedLabel> PlaceLabels(const std::vector<LabelRequest>& labels, const LabelBox& area,
                                     const std::vector<LabelBox>& marks) {
  // Where the labels are crowded, all are shortened alike, as far as that frees a place for more.
  std::size_t forms = 1;
  for (const LabelRequest& r : labels) forms = std::max(forms, r.sizes.size());
  std::vector<PlacedLabel> best;
  std::ptrdiff_t fewest = 0;
  for (std::size_t first = 0; first < forms; ++first) {
    auto placed = PlaceFrom(first, labels, area, marks);
    const auto crowded = std::count_if(placed.begin(), placed.end(), [](const PlacedLabel& p) { return !p.free; });
    if (first == 0 || crowded < fewest) {
      best = std::move(placed);
      fewest = crowded;
    }
    if (fewest == 0) break;
  }
  return best;
}

}  // namespace zento
