#include "core/near_field_cases.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/line_loss.h"
#include "core/operating.h"

namespace zento {
namespace {

// What one point gives against one limit: the share and the RMS fields at the power the limit
// is compared with.
struct PointShare {
  double share = 0.0, e = 0.0, h = 0.0;
  bool magnetic = false;
};

PointShare ShareAt(const FieldSquares& f, double watts, const Limit& limit, FieldChoice choice) {
  PointShare p;
  p.e = std::sqrt(f.e2 * watts);
  p.h = std::sqrt(f.h2 * watts);
  // E and H are each held to their own limit: in the near field neither stands for the other.
  // A time-averaged limit is a ratio of squares (of densities); a nerve-stimulation limit one of
  // fields, the quantity its publications add.
  const double se = limit.instantaneous ? p.e / limit.eVm : p.e * p.e / (limit.eVm * limit.eVm);
  const double sh = limit.instantaneous ? p.h / limit.hAm : p.h * p.h / (limit.hAm * limit.hAm);
  p.magnetic = choice == FieldChoice::kMagnetic || (choice == FieldChoice::kWorst && sh > se);
  p.share = p.magnetic ? sh : se;
  return p;
}

}  // namespace

NearFieldCases::NearFieldCases(const Station& station, const Transmitter& transmitter,
                               const TransmitterResult& farField, const NearFieldSamples& samples,
                               const BandResult& band)
    : samples_(samples) {
  if (!band.problem.empty()) return;
  std::vector<double> breaks;
  for (const double f : TableBreaks(station.rules)) {
    if (f > band.lowMHz && f < band.highMHz) breaks.push_back(f);
  }
  for (std::size_t i = 0; i < samples.frequenciesMHz.size(); ++i) {
    const double f = samples.frequenciesMHz[i];
    if (f < band.lowMHz || f > band.highMHz) continue;
    Add(station, transmitter, farField.dutyPercent, i, f);
    for (const double b : breaks) Add(station, transmitter, farField.dutyPercent, i, b);
  }
}

void NearFieldCases::Add(const Station& station, const Transmitter& transmitter, double dutyPercent, std::size_t sample,
                         double limitMHz) {
  Case c;
  c.frequency = sample;
  const double f = samples_.frequenciesMHz[sample];
  // The power into the antenna: the engine's model has the antenna's gain and pattern itself.
  const OnAir onAir = OnAirOf(transmitter);
  const double typed = transmitter.powerWatts * std::pow(10.0, -FeedlineLossDb(transmitter.feedline, f) / 10.0);
  const double peak = typed * onAir.peakFactor;
  for (const Environment env : kEnvironments) {
    const auto limits = LookupLimits(station.rules, env, limitMHz);
    if (!limits) continue;
    limits->ForEach([&](const Limit& limit) {
      double watts = peak;
      if (!limit.instantaneous) watts = typed * dutyPercent / 100.0 * onAir.TimeFactor(limit.averagingMinutes);
      c.limits[static_cast<std::size_t>(env)].push_back({limit, watts});
    });
  }
  cases_.push_back(std::move(c));
}

NearFieldShare NearFieldCases::Worst(std::size_t point, Environment env, FieldChoice choice) const {
  NearFieldShare worst;
  if (samples_.atAntenna[point]) {
    worst.atAntenna = true;
    worst.share = std::numeric_limits<double>::infinity();
    return worst;
  }
  bool first = true;
  for (const Case& c : cases_) {
    for (const WeightedLimit& w : c.limits[static_cast<std::size_t>(env)]) {
      const PointShare p = ShareAt(samples_.fields[c.frequency][point], w.watts, w.limit, choice);
      if (first || p.share > worst.share) {
        first = false;
        worst.frequencyMHz = samples_.frequenciesMHz[c.frequency];
        worst.eVm = p.e;
        worst.hAm = p.h;
        worst.share = p.share;
        worst.magnetic = p.magnetic;
        worst.limit = w.limit;
      }
    }
  }
  return worst;
}

}  // namespace zento
