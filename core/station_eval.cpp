#include "core/station_eval.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/antennas.h"
#include "core/bands.h"
#include "core/line_loss.h"
#include "core/near_field.h"
#include "core/number_text.h"
#include "core/operating.h"
#include "core/simultaneous.h"
#include "core/station.h"

namespace zento {
namespace {

double SafeDistance(double eirpWatts, double sWm2, double groundFactor) {
  return std::sqrt(groundFactor * eirpWatts / (4.0 * std::numbers::pi * sWm2));
}

// How near the exemption's threshold one frequency is: not exempt outranks exempt, then the
// larger share of the threshold. The full check, with its reason, is made once per band.
struct ExemptionRank {
  double frequencyMHz = 0.0, eirpWatts = 0.0;
  bool exempt = true;
  double share = 0.0;

  bool WorseThan(const ExemptionRank& other) const {
    if (exempt != other.exempt) return !exempt;
    return share > other.share;
  }
};

// Everything one frequency gives, before the worst of each figure is picked.
struct Point {
  std::array<EnvironmentResult, 2> environments{};
  std::vector<PlaceShare> places;
  std::optional<ExemptionRank> exemption;
};

class BandEvaluator {
 public:
  BandEvaluator(const Station& station, const Transmitter& transmitter, double gainDbi)
      : station_(station),
        transmitter_(transmitter),
        onAir_(OnAirOf(transmitter)),
        duty_(onAir_.dutyPercent / 100.0),
        gainDbi_(gainDbi),
        ground_(GroundFactor(station)),
        extent_(AntennaExtentMeters(station, transmitter)) {
    for (const Place& place : station.places) distances_.push_back(PlaceDistanceMeters(station, transmitter, place));
    exemptionDistance_ = station.exemptionDistanceMeters;
    if (!exemptionDistance_ && !distances_.empty()) {
      exemptionDistance_ = *std::min_element(distances_.begin(), distances_.end());
    }
  }

  BandResult Evaluate(const BandChoice& choice) {
    BandResult result;
    if (!Resolve(choice, result)) return result;
    std::vector<double> frequencies = {result.lowMHz};
    for (const double f : TableBreaks(station_.rules)) {
      if (f > result.lowMHz && f < result.highMHz) frequencies.push_back(f);
    }
    if (result.highMHz > result.lowMHz) frequencies.push_back(result.highMHz);
    bool first = true;
    std::optional<ExemptionRank> worstExemption;
    for (const double f : frequencies) {
      if (!At(f, point_, result.problemText)) {
        result.problem = FilledText(result.problemText);
        return result;
      }
      Keep(point_, result, first);
      if (point_.exemption && (!worstExemption || point_.exemption->WorseThan(*worstExemption))) {
        worstExemption = point_.exemption;
      }
      first = false;
    }
    // Whatever lies within lambda/2pi of the antenna's conductors, at the band's lowest frequency,
    // is in the reactive near field: distances are from the antenna's point, so its size adds,
    // never less than a half-wave dipole's half, the size a gain alone is taken to stand for.
    const double lambda = kSpeedOfLightMetersMHz / result.lowMHz;
    const double reactive = LambdaOver2PiMeters(result.lowMHz) + std::max(lambda / 4.0, extent_);
    for (EnvironmentResult& e : result.environments) e.reactiveNearField = e.safeDistanceMeters < reactive;
    for (PlaceShare& share : result.places) share.reactiveNearField = share.distanceMeters < reactive;
    if (worstExemption) {
      result.exemption = CheckExemption(worstExemption->frequencyMHz, worstExemption->eirpWatts, *exemptionDistance_);
      result.exemptionFrequencyMHz = worstExemption->frequencyMHz;
    }
    return result;
  }

 private:
  bool Resolve(const BandChoice& choice, BandResult& result) const {
    if (choice.name.empty()) {
      result.band = FormatGeneral(choice.frequencyMHz, 10) + " MHz";
      result.lowMHz = result.highMHz = choice.frequencyMHz;
    } else {
      result.band = choice.name;
      const auto band = FindBand(station_.rules, choice.name);
      if (!band) {
        result.problemText = {N_("no %1 band in the allocations used with %2"),
                              {choice.name, std::string(Info(station_.rules).name)}};
        result.problem = FilledText(result.problemText);
        return false;
      }
      result.band = band->name;
      result.lowMHz = band->lowMHz;
      result.highMHz = band->highMHz;
    }
    return true;
  }

  bool At(double f, Point& point, MarkedText& problem) const {
    point.places.clear();
    const double lossDb = FeedlineLossDb(transmitter_.feedline, f);
    // The power typed, radiated; its peak (AM typed as its carrier peaks at 4 times it).
    const double typedEirp = transmitter_.powerWatts * std::pow(10.0, (gainDbi_ - lossDb) / 10.0);
    const double peakEirp = typedEirp * onAir_.peakFactor;
    // The EIRP each limit is compared with: the peak for an instantaneous limit, otherwise the
    // average over the limit's own window.
    const auto timeFactor = [this](const Limit& limit) { return onAir_.TimeFactor(limit.averagingMinutes); };
    const auto eirpFor = [&](const Limit& limit) {
      return limit.instantaneous ? peakEirp : typedEirp * duty_ * timeFactor(limit);
    };
    std::array<std::optional<Limits>, 2> limits;
    for (const Environment env : kEnvironments) {
      const auto i = static_cast<std::size_t>(env);
      limits[i] = LookupLimits(station_.rules, env, f);
      if (!limits[i]) {
        const RuleSetInfo& info = Info(station_.rules);
        problem = {N_("no limits at %1 MHz under %2 (%3 to %4 MHz)"),
                   {FormatGeneral(f, 10), std::string(info.name), FormatGeneral(info.minMHz, 10),
                    FormatGeneral(info.maxMHz, 10)}};
        return false;
      }
      // Every figure of this frequency is set afresh: nothing carries over from another.
      EnvironmentResult& r = point.environments[i];
      r = EnvironmentResult{};
      r.frequencyMHz = f;
      r.feedlineLossDb = lossDb;
      r.peakEirpWatts = peakEirp;
      // The limit that asks for the largest distance binds. The averaging figures shown are those
      // of the time-averaged limit that asks for most (the main one comes first).
      double averagedDistance = -1.0;
      r.safeDistanceMeters = -1.0;
      limits[i]->ForEach([&](const Limit& limit) {
        const double d = SafeDistance(eirpFor(limit), limit.sWm2, ground_);
        if (!limit.instantaneous && d > averagedDistance) {
          averagedDistance = d;
          r.averagingMinutes = limit.averagingMinutes;
          r.timeFactor = timeFactor(limit);
          r.averageEirpWatts = eirpFor(limit);
        }
        if (d > r.safeDistanceMeters) {
          r.safeDistanceMeters = d;
          r.limit = limit;
        }
      });
      SetHorizontal(r);
    }
    for (std::size_t p = 0; p < station_.places.size(); ++p) {
      const auto i = static_cast<std::size_t>(station_.places[p].environment);
      PlaceShare share;
      share.frequencyMHz = f;
      share.distanceMeters = distances_[p];
      if (!(distances_[p] > 0.0)) {  // at the antenna: no distance, and no limit is met there
        share.sWm2 = share.share = std::numeric_limits<double>::infinity();
        share.limit = limits[i]->averaged;
        point.places.push_back(share);
        continue;
      }
      share.share = -1.0;
      limits[i]->ForEach([&](const Limit& limit) {
        const double sWm2 = DensityWm2(eirpFor(limit), distances_[p], ground_);
        // A field-strength limit that is not time-averaged (nerve stimulation) is a ratio of
        // fields, the quantity its publications add; a time-averaged one a ratio of densities.
        const double ratio = limit.instantaneous ? std::sqrt(sWm2 / limit.sWm2) : sWm2 / limit.sWm2;
        if (share.share < 0.0) share.sWm2 = sWm2;  // the main limit's time-averaged density
        if (ratio > share.share) {
          share.share = ratio;
          share.limit = limit;
        }
      });
      point.places.push_back(share);
    }
    point.exemption.reset();
    if (station_.rules == RuleSet::kFcc && exemptionDistance_) {
      ExemptionRank rank;
      rank.frequencyMHz = f;
      rank.eirpWatts = std::max(point.environments[0].averageEirpWatts, point.environments[1].averageEirpWatts);
      const auto threshold = ExemptionThresholdWatts(f, *exemptionDistance_);
      const double erp = rank.eirpWatts / kEirpPerErp;
      rank.share = threshold ? erp / *threshold : 0.0;
      rank.exempt = threshold && *exemptionDistance_ >= LambdaOver2PiMeters(f) && erp <= *threshold;
      point.exemption = rank;
    }
    return true;
  }

  void SetHorizontal(EnvironmentResult& r) const {
    const auto& height = transmitter_.antenna.heightMeters;
    if (!height) return;
    const double dh = std::abs(*height - station_.personHeightMeters);
    if (dh >= r.safeDistanceMeters) {
      r.metEverywhereAtHeight = true;
    } else {
      r.horizontalMeters = std::sqrt(r.safeDistanceMeters * r.safeDistanceMeters - dh * dh);
    }
  }

  // Each figure keeps the frequency where it is worst.
  static void Keep(const Point& point, BandResult& result, bool first) {
    result.peakEirpWatts = std::max(result.peakEirpWatts, point.environments[0].peakEirpWatts);
    for (std::size_t i = 0; i < result.environments.size(); ++i) {
      if (first || point.environments[i].safeDistanceMeters > result.environments[i].safeDistanceMeters) {
        result.environments[i] = point.environments[i];
      }
    }
    if (first) result.places = point.places;
    for (std::size_t p = 0; p < point.places.size(); ++p) {
      if (point.places[p].share > result.places[p].share) result.places[p] = point.places[p];
    }
  }

  const Station& station_;
  const Transmitter& transmitter_;
  OnAir onAir_;
  double duty_, gainDbi_, ground_;
  double extent_;  // how far its conductors reach from its point (AntennaExtentMeters)
  std::vector<double> distances_;
  std::optional<double> exemptionDistance_;
  Point point_;  // reused from frequency to frequency
};

TransmitterResult EvaluateTransmitter(const Station& station, const Transmitter& transmitter) {
  TransmitterResult result;
  result.dutyPercent = OnAirOf(transmitter).dutyPercent;
  result.gainDbi = AntennaGainDbi(transmitter.antenna);
  BandEvaluator evaluator(station, transmitter, result.gainDbi);
  result.worstShare.assign(station.places.size(), 0.0);
  result.worstBand.assign(station.places.size(), 0);
  for (const BandChoice& choice : transmitter.bands) {
    result.bands.push_back(evaluator.Evaluate(choice));
    const BandResult& band = result.bands.back();
    if (!band.problem.empty()) continue;
    for (std::size_t p = 0; p < band.places.size(); ++p) {
      if (band.places[p].share > result.worstShare[p]) {
        result.worstShare[p] = band.places[p].share;
        result.worstBand[p] = result.bands.size() - 1;
      }
    }
  }
  return result;
}

// 47 CFR 1.1307(b)(3)(ii)(A): transmitters on the air together are exempt only while the ratios of
// their ERPs to their thresholds add up to at most 1. Each band counts with the worst band of
// each other transmitter of every set it is in.
void CheckTogether(const Station& station, const std::vector<std::vector<std::size_t>>& sets,
                   std::vector<TransmitterResult>& results) {
  const auto ratio = [](const BandResult& band) {
    const ExemptionCheck& x = *band.exemption;
    return x.thresholdWatts && *x.thresholdWatts > 0.0 ? x.erpWatts / *x.thresholdWatts
                                                       : std::numeric_limits<double>::infinity();
  };
  std::vector<double> worst(results.size(), 0.0);
  for (std::size_t t = 0; t < results.size(); ++t) {
    for (const BandResult& band : results[t].bands) {
      if (band.exemption) worst[t] = std::max(worst[t], ratio(band));
    }
  }
  for (const auto& set : sets) {
    if (set.size() < 2) continue;
    for (const std::size_t t : set) {
      double others = 0.0;
      std::string names;
      for (const std::size_t u : set) {
        if (u == t) continue;
        others += worst[u];
        names += (names.empty() ? "" : ", ") + station.transmitters[u].name;
      }
      for (BandResult& band : results[t].bands) {
        if (!band.exemption || !band.exemption->exempt) continue;
        const double sum = ratio(band) + others;
        if (sum <= 1.0) continue;
        band.exemption->exempt = false;
        band.exemption->reasonText = {N_("on the air together with %1: the ratios of the ERPs to their thresholds "
                                         "add up to %2, over 1 (47 CFR 1.1307(b)(3)(ii)(A))"),
                                      {names, FormatFixed(sum, 3)}};
        band.exemption->reason = FilledText(band.exemption->reasonText);
      }
    }
  }
}

}  // namespace

// At each place, the worst set of transmitters on the air together: their shares add (47 CFR
// 1.1307(b)(3)(ii); ICNIRP's and Safety Code 6's summation). Adding each transmitter's largest
// share, whichever of its limits gives it, is an upper bound where their limits differ.
std::vector<PlaceVerdict> Verdicts(const Station& station, const std::vector<std::vector<double>>& worstShares) {
  const auto sets = SimultaneousSets(station);
  std::vector<PlaceVerdict> verdicts;
  for (std::size_t place = 0; place < station.places.size(); ++place) {
    PlaceVerdict verdict;
    for (const auto& set : sets) {
      double sum = 0.0;
      for (const std::size_t t : set) sum += worstShares[t][place];
      if (sum > verdict.share || verdict.transmitters.empty()) {
        verdict.share = sum;
        verdict.transmitters = set;
      }
    }
    verdict.complies = verdict.share <= 1.0;
    verdicts.push_back(verdict);
  }
  return verdicts;
}

double OnAir::TimeFactor(double minutes) const {
  return txMinutes ? TimeAveragingFactor(*txMinutes, rxMinutes.value_or(0.0), minutes) : 1.0;
}

OnAir OnAirOf(const Transmitter& t) {
  OnAir on;
  const auto mode = FindMode(t.mode);
  if (t.dutyPercent) {
    on.dutyPercent = *t.dutyPercent;
  } else if (mode) {
    on.dutyPercent = mode->dutyPercent;
    on.peakFactor = mode->peakFactor;
  }
  if (t.txMinutes) {
    on.txMinutes = t.txMinutes;
    on.rxMinutes = t.rxMinutes;
  } else if (mode && !t.dutyPercent && mode->periodSeconds > 0.0) {
    // A mode of fixed periods sends in every other one.
    on.txMinutes = on.rxMinutes = mode->periodSeconds / 60.0;
  }
  return on;
}

double GroundFactor(const Station& station) {
  return station.groundReflection ? kGroundReflectionFactor : kNoGroundReflection;
}

double DensityWm2(double eirpWatts, double meters, double groundFactor) {
  return groundFactor * eirpWatts / (4.0 * std::numbers::pi * meters * meters);
}

double PlaceDistanceMeters(const Station& station, const Transmitter& transmitter, const Place& place) {
  if (place.distanceMeters) return *place.distanceMeters;
  double horizontal = place.horizontalMeters.value_or(0.0);
  if (place.positionMeters) {
    const auto mast = transmitter.antenna.positionMeters.value_or(std::array<double, 2>{0.0, 0.0});
    horizontal = std::hypot((*place.positionMeters)[0] - mast[0], (*place.positionMeters)[1] - mast[1]);
  }
  const auto& antennaHeight = transmitter.antenna.heightMeters;
  // Without the antenna's height, the horizontal distance is the nearest the antenna can be.
  if (!antennaHeight) return horizontal;
  const double dh = *antennaHeight - place.heightMeters.value_or(station.personHeightMeters);
  return std::sqrt(horizontal * horizontal + dh * dh);
}

double AntennaGainDbi(const Antenna& antenna) {
  if (antenna.preset) return kAntennaPresets[static_cast<std::size_t>(*antenna.preset)].gainDbi;
  return antenna.gainDbi;
}

StationResult EvaluateStation(const Station& station) {
  StationResult result;
  for (const Transmitter& transmitter : station.transmitters) {
    result.transmitters.push_back(EvaluateTransmitter(station, transmitter));
  }
  if (station.rules == RuleSet::kFcc) CheckTogether(station, SimultaneousSets(station), result.transmitters);
  std::vector<std::vector<double>> worst;
  for (const TransmitterResult& t : result.transmitters) worst.push_back(t.worstShare);
  result.places = Verdicts(station, worst);
  return result;
}

}  // namespace zento
