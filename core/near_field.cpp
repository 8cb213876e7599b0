#include "core/near_field.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/bands.h"
#include "core/line_loss.h"
#include "core/near_field_cases.h"
#include "core/number_text.h"
#include "core/operating.h"

namespace zento {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr std::size_t kRayDistances = 20;
constexpr double kNearestRayMeters = 0.25;
constexpr double kLowestPointMeters = 0.2;  // field points nearer the ground than this say little
constexpr int kCirclePoints = 36;           // a place at a distance: the circle around the mast
constexpr int kSphereAzimuths = 24;         // a place at a straight-line distance: the sphere

// The heights a body standing there is judged at, as the boundary is: near the ground, halfway and
// at the person height (the top first); a place given its own height is that point alone.
std::vector<double> BodyHeights(const Station& s, const Place& p) {
  if (p.heightMeters) return {*p.heightMeters};
  const double top = std::max(s.personHeightMeters, kLowestPointMeters);
  std::vector<double> heights = {top};
  if (top / 2.0 > kLowestPointMeters) heights.push_back(top / 2.0);
  if (top > kLowestPointMeters) heights.push_back(kLowestPointMeters);
  return heights;
}

// Compass bearing to a direction in the site's x (east) and y (north).
Vec3 Toward(double bearingDegrees, double meters, double z) {
  return {meters * std::sin(bearingDegrees * kDegree), meters * std::cos(bearingDegrees * kDegree), z};
}

class BandEvaluation {
 public:
  BandEvaluation(const Station& s, const NearFieldPlan& plan, const NearFieldCases& cases)
      : station_(s), plan_(plan), cases_(cases) {}

  NearFieldBand Evaluate(const BandResult& band) const {
    NearFieldBand out;
    out.places.resize(station_.places.size());
    for (std::size_t p = 0; p < station_.places.size(); ++p) out.places[p] = Place(p);
    for (const Environment env : kEnvironments) {
      const auto e = static_cast<std::size_t>(env);
      const EnvironmentResult& r = band.In(env);
      if (r.metEverywhereAtHeight) out.farFieldMeters[e] = 0.0;
      if (r.horizontalMeters) out.farFieldMeters[e] = *r.horizontalMeters;
      for (int d = 0; d < kBoundaryDirections; ++d) {
        BoundaryDirection b = Boundary(env, d);
        // Past the rays the far-field formula stands (its safe distance, from the antenna itself
        // where no height is given).
        if (b.beyondReach) b.meters = std::max(b.meters, out.farFieldMeters[e].value_or(r.safeDistanceMeters));
        out.boundary[e].push_back(b);
        out.largestMeters[e] = std::max(out.largestMeters[e], b.meters);
      }
    }
    return out;
  }

 private:
  NearFieldShare Worst(std::size_t point, Environment env) const { return cases_.Worst(point, env); }

  NearFieldShare Place(std::size_t p) const {
    const Environment env = station_.places[p].environment;
    NearFieldShare worst;
    bool first = true;
    for (std::size_t i = plan_.places[p].first; i < plan_.places[p].second; ++i) {
      const NearFieldShare s = Worst(i, env);
      if (first || s.share > worst.share) {
        first = false;
        worst = s;
      }
    }
    return worst;
  }

  // The smallest distance from which every point of the ray, from the ground to the person
  // height, complies; between two samples, where the share falls through 1 (log-log).
  BoundaryDirection Boundary(Environment env, int direction) const {
    BoundaryDirection b;
    b.bearingDegrees = 360.0 * direction / kBoundaryDirections;
    const std::size_t n = plan_.distances.size();
    std::vector<double> share(n, 0.0);
    for (std::size_t d = 0; d < n; ++d) {
      for (std::size_t h = 0; h < plan_.heights.size(); ++h) {
        share[d] = std::max(share[d], Worst(plan_.RayPoint(direction, d, h), env).share);
      }
    }
    std::size_t last = n;  // the last sample that exceeds
    for (std::size_t d = n; d-- > 0;) {
      if (share[d] > 1.0) {
        last = d;
        break;
      }
    }
    if (last == n) return b;  // complies everywhere along the ray
    if (last + 1 == n) {
      b.beyondReach = true;
      b.meters = plan_.distances.back();
      return b;
    }
    const double r0 = plan_.distances[last], r1 = plan_.distances[last + 1];
    if (std::isinf(share[last]) || share[last + 1] <= 0.0) {
      b.overWires = std::isinf(share[last]);
      b.meters = r1;  // from the antenna itself straight to compliance: the next sample, to be safe
      return b;
    }
    const double t = std::log(share[last]) / (std::log(share[last]) - std::log(share[last + 1]));
    b.meters = std::exp(std::log(r0) + t * (std::log(r1) - std::log(r0)));
    return b;
  }

  const Station& station_;
  const NearFieldPlan& plan_;
  const NearFieldCases& cases_;
};

}  // namespace

double AntennaExtentMeters(const Station& station, const Transmitter& transmitter) {
  double reach = 0.0;
  const auto& model = transmitter.antenna.model;
  if (!model) return reach;
  const auto farther = [&](const Vec3& v) { reach = std::max(reach, v.Length()); };
  if (model->kind == AntennaKind::kImported) {
    // GW cards' ends, as the file places them around the antenna's point.
    for (std::string card : model->imported.structure) {
      if (card.rfind("GW", 0) != 0) continue;
      std::replace(card.begin(), card.end(), ',', ' ');  // commas separate fields as spaces do
      std::vector<double> numbers;
      std::size_t from = 2;
      while ((from = card.find_first_not_of(' ', from)) != std::string::npos) {
        const std::size_t end = card.find(' ', from);
        if (const auto v = ParseWholeDouble(card.substr(from, end - from))) numbers.push_back(*v);
        from = end;
      }
      if (numbers.size() < 8) continue;
      farther({numbers[2], numbers[3], numbers[4]});
      farther({numbers[5], numbers[6], numbers[7]});
    }
    return reach;
  }
  std::string problem;
  const auto design = DesignMHz(station, transmitter);
  if (!design) return reach;
  // Its ends do not depend on the segmentation: cut and segmented for the design frequency.
  const AntennaPlacement at = PlacementOf(station, transmitter);
  if (const auto built = BuildAntenna(*model, at, *design, *design, problem)) {
    for (const Wire& w : built->wires) {
      for (const Vec3& end : {w.a, w.b}) farther(end - Vec3{at.x, at.y, at.heightMeters});
    }
  }
  return reach;
}

AntennaPlacement PlacementOf(const Station& station, const Transmitter& transmitter) {
  (void)station;
  AntennaPlacement p;
  if (const auto& at = transmitter.antenna.positionMeters) p.x = (*at)[0], p.y = (*at)[1];
  p.heightMeters = transmitter.antenna.heightMeters.value_or(0.0);
  p.headingDegrees = transmitter.antenna.headingDegrees;
  return p;
}

std::vector<double> EngineFrequencies(const Station& station, const Transmitter& transmitter) {
  std::vector<double> out;
  for (const BandChoice& choice : transmitter.bands) {
    if (choice.name.empty()) {
      out.push_back(choice.frequencyMHz);
    } else if (const auto band = FindBand(station.rules, choice.name)) {
      out.push_back(band->lowMHz);
      out.push_back(band->highMHz);
    }
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

std::optional<double> DesignMHz(const Station& station, const Transmitter& transmitter) {
  if (transmitter.antenna.model && transmitter.antenna.model->designMHz) return transmitter.antenna.model->designMHz;
  if (transmitter.bands.empty()) return std::nullopt;
  const BandChoice& first = transmitter.bands.front();
  if (first.name.empty()) return first.frequencyMHz;
  const auto band = FindBand(station.rules, first.name);
  if (!band) return std::nullopt;
  return (band->lowMHz + band->highMHz) / 2.0;
}

std::vector<Vec3> PlacePoints(const Station& station, const Transmitter& transmitter, const Place& place) {
  std::vector<Vec3> points;
  const AntennaPlacement at = PlacementOf(station, transmitter);
  const Vec3 mast{at.x, at.y, 0.0};
  if (place.positionMeters) {
    for (const double z : BodyHeights(station, place)) {
      points.push_back({(*place.positionMeters)[0], (*place.positionMeters)[1], z});
    }
  } else if (place.distanceMeters) {
    // A straight-line distance from the antenna: every way round it, above the ground.
    const Vec3 centre{at.x, at.y, at.heightMeters};
    const double r = *place.distanceMeters;
    for (const double elevation : {-60.0, -30.0, 0.0, 30.0, 60.0}) {
      for (int a = 0; a < kSphereAzimuths; ++a) {
        const Vec3 p = centre + Toward(360.0 * a / kSphereAzimuths, r * std::cos(elevation * kDegree),
                                       r * std::sin(elevation * kDegree));
        if (p.z >= 0.0) points.push_back(p);
      }
    }
    for (const double up : {-1.0, 1.0}) {
      if (centre.z + up * r >= 0.0) points.push_back(centre + Vec3{0, 0, up * r});
    }
  } else {
    const double r = place.horizontalMeters.value_or(0.0);
    for (const double z : BodyHeights(station, place)) {
      for (int a = 0; a < kCirclePoints; ++a) points.push_back(mast + Toward(360.0 * a / kCirclePoints, r, z));
    }
  }
  return points;
}

NearFieldPlan PlanNearField(const Station& station, const Transmitter& transmitter, double reachMeters) {
  NearFieldPlan plan;
  const AntennaPlacement at = PlacementOf(station, transmitter);
  plan.mast = {at.x, at.y, 0.0};
  for (const Place& place : station.places) {
    const std::size_t first = plan.points.size();
    for (const Vec3& p : PlacePoints(station, transmitter, place)) plan.points.push_back(p);
    plan.places.emplace_back(first, plan.points.size());
  }
  const double reach = std::max(reachMeters, 2.0 * kNearestRayMeters);
  for (std::size_t i = 0; i < kRayDistances; ++i) {
    plan.distances.push_back(kNearestRayMeters *
                             std::pow(reach / kNearestRayMeters, static_cast<double>(i) / (kRayDistances - 1)));
  }
  const double top = std::max(station.personHeightMeters, kLowestPointMeters);
  plan.heights = {kLowestPointMeters};
  if (top / 2.0 > kLowestPointMeters) plan.heights.push_back(top / 2.0);
  if (top > kLowestPointMeters) plan.heights.push_back(top);
  plan.rayFirst = plan.points.size();
  for (int d = 0; d < kBoundaryDirections; ++d) {
    for (const double r : plan.distances) {
      for (const double z : plan.heights)
        plan.points.push_back(plan.mast + Toward(360.0 * d / kBoundaryDirections, r, z));
    }
  }
  return plan;
}

NearFieldTransmitter EvaluateNearField(const Station& station, std::size_t transmitter, const StationResult& farField,
                                       const NearFieldPlan& plan, const NearFieldSamples& samples) {
  NearFieldTransmitter out;
  const Transmitter& t = station.transmitters[transmitter];
  const TransmitterResult& far = farField.transmitters[transmitter];
  out.worstShare.assign(station.places.size(), 0.0);
  out.worstBand.assign(station.places.size(), 0);
  for (std::size_t b = 0; b < far.bands.size(); ++b) {
    if (!far.bands[b].problem.empty()) {
      out.bands.emplace_back();
      continue;
    }
    const NearFieldCases cases(station, t, far, samples, far.bands[b]);
    const auto band = cases.empty()
                          ? std::nullopt
                          : std::optional<NearFieldBand>(BandEvaluation(station, plan, cases).Evaluate(far.bands[b]));
    for (std::size_t p = 0; p < station.places.size(); ++p) {
      // A band without fields (none asked for) keeps its far-field share rather than none.
      const double share = band ? band->places[p].share : far.bands[b].places[p].share;
      if (share > out.worstShare[p]) {
        out.worstShare[p] = share;
        out.worstBand[p] = b;
      }
    }
    out.bands.push_back(band ? std::move(*band) : NearFieldBand{});
  }
  return out;
}

std::vector<PlaceVerdict> NearFieldVerdicts(const Station& station, const StationResult& farField,
                                            const std::vector<std::optional<NearFieldTransmitter>>& nearField) {
  std::vector<std::vector<double>> worst;
  for (std::size_t t = 0; t < farField.transmitters.size(); ++t) {
    worst.push_back(t < nearField.size() && nearField[t] ? nearField[t]->worstShare
                                                         : farField.transmitters[t].worstShare);
  }
  return Verdicts(station, worst);
}

}  // namespace zento
