// The built-in kinds as wires: each cut for its design frequency, placed on the site.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/antenna_model.h"
#include "core/evaluation.h"
#include "core/number_text.h"
#include "core/station_model.h"

namespace zento {
namespace {

constexpr double kDefaultWireRadiusMeters = 0.001;  // 2 mm wire, about AWG 12
// A segment at most this share of the wavelength at the highest frequency: twice as fine as
// NEC's "a twentieth" where the near field close to the wires matters.
constexpr double kSegmentsPerWavelength = 40.0;

// One published Yagi design: each element's length and its place along the boom from the
// reflector, in wavelengths at the design frequency, and the element diameter it assumes.
struct YagiElement {
  double length, position;
};
struct YagiDesign {
  double diameter;
  int driven;  // the index of the driven element
  std::array<YagiElement, 6> elements;
};

// 2: L. B. Cebik, "What Can We Expect from a 2-Element Beam? Part 2", Table 1, 0.16 wavelength
// spacing (3/8" elements at 29 MHz). 3: the K6STI long-boom design in Cebik, "I Want to Build a
// 3-Element Yagi, Part 1" (0.5" at 28.5 MHz). 4: the K9EUV medium-boom design of the same
// article with a second director at the same spacing and length, as it suggests. 5 and 6: NBS
// Technical Note 688 (P. Viezbicke, 1976), Table 1, 0.8 and 1.2 wavelength booms (d = 0.0085
// wavelength); NBS gives no driven element length (it used a folded dipole): a straight one of
// 0.445 wavelength, trimmed with NEC-2 to no reactance at the design frequency.
constexpr std::array<YagiDesign, 5> kYagiDesigns = {{
    {0.000921, 1, {{{0.503, 0.0}, {0.464, 0.16}}}},
    {0.001207, 1, {{{0.51868, 0.0}, {0.47550, 0.15068}, {0.44739, 0.32482}}}},
    {0.001207, 1, {{{0.50042, 0.0}, {0.48187, 0.14314}, {0.45261, 0.28629}, {0.45261, 0.42943}}}},
    {0.0085, 1, {{{0.482, 0.0}, {0.445, 0.2}, {0.428, 0.4}, {0.424, 0.6}, {0.428, 0.8}}}},
    {0.0085, 1, {{{0.482, 0.0}, {0.445, 0.2}, {0.428, 0.45}, {0.420, 0.7}, {0.420, 0.95}, {0.428, 1.2}}}},
}};

// Lengths of the wire kinds, in wavelengths: the usual 468/f feet for a half-wave dipole (also
// the inverted V's wire); 234/f feet for a quarter-wave radiator, with radials a quarter wave;
// a 5/8-wave radiator as cut; a square loop's perimeter by Cebik's formula for a resonant
// loop of the wire's diameter ("Calculating the Length of a Resonant Square Quad Loop", 2000).
constexpr double kDipoleWavelengths = 468.0 * kMetersPerFoot / 299.792458;
constexpr double kQuarterWaveRadiator = kDipoleWavelengths / 2.0;
constexpr double kFiveEighthsRadiator = 0.625;
constexpr double kRadialWavelengths = 0.25;

double LoopPerimeterWavelengths(double diameterWavelengths) {
  const double l = std::log10(diameterWavelengths * 1e5);
  return 0.0128 * l * l + 1.0413;
}

int Odd(int n) { return n % 2 == 0 ? n + 1 : n; }

class Builder {
 public:
  Builder(const AntennaPlacement& placement, double lambda, double lambdaHigh, double radius)
      : placement_(placement), lambda_(lambda), lambdaHigh_(lambdaHigh), radius_(radius) {
    const double angle = (90.0 - placement.headingDegrees) * std::numbers::pi / 180.0;
    cos_ = std::cos(angle);
    sin_ = std::sin(angle);
  }

  // A wire given in the antenna's own frame (x its main direction, z its height above the
  // ground), segmented for the highest frequency; returns its index.
  std::size_t Add(const Vec3& a, const Vec3& b, bool odd = false, double radius = 0.0) {
    Wire w;
    w.a = Site(a);
    w.b = Site(b);
    w.radiusMeters = radius > 0.0 ? radius : radius_;
    const int n = std::max(3, static_cast<int>(std::ceil(w.Length() * kSegmentsPerWavelength / lambdaHigh_)));
    w.segments = odd ? Odd(n) : n;
    structure_.wires.push_back(w);
    return structure_.wires.size() - 1;
  }
  void Feed(std::size_t wire, int segment) { structure_.sources.push_back({wire, segment}); }
  void FeedMiddle(std::size_t wire) { Feed(wire, (structure_.wires[wire].segments + 1) / 2); }

  double lambda() const { return lambda_; }
  double height() const { return placement_.heightMeters; }
  AntennaStructure Take() { return std::move(structure_); }

 private:
  Vec3 Site(const Vec3& p) const {
    return {placement_.x + p.x * cos_ - p.y * sin_, placement_.y + p.x * sin_ + p.y * cos_, p.z};
  }

  AntennaPlacement placement_;
  double lambda_, lambdaHigh_, radius_;
  double cos_ = 1.0, sin_ = 0.0;
  AntennaStructure structure_;
};

void Dipole(Builder& b) {
  const double half = kDipoleWavelengths * b.lambda() / 2.0;
  b.FeedMiddle(b.Add({0, -half, b.height()}, {0, half, b.height()}, true));
}

// Two arms from the apex, each drooping by half of what the apex angle leaves of 180 degrees.
void InvertedV(Builder& b, double apexDegrees) {
  const double arm = kDipoleWavelengths * b.lambda() / 2.0;
  const double droop = (180.0 - apexDegrees) / 2.0 * std::numbers::pi / 180.0;
  const double dy = arm * std::cos(droop), dz = arm * std::sin(droop);
  // One wire through the apex would be straight; two wires meet there and the feed is the
  // segment of the first one at the apex.
  const std::size_t left = b.Add({0, -dy, b.height() - dz}, {0, 0, b.height()});
  b.Add({0, 0, b.height()}, {0, dy, b.height() - dz});
  b.Feed(left, 0);  // set below, once the wire's segments are known
}

void Vertical(Builder& b, const AntennaModel& m) {
  const double base = std::max(b.height(), kLowestWireMeters);
  double length = m.lengthMeters;
  if (m.verticalLength == VerticalLength::kQuarterWave) length = kQuarterWaveRadiator * b.lambda();
  if (m.verticalLength == VerticalLength::kFiveEighthsWave) length = kFiveEighthsRadiator * b.lambda();
  b.Feed(b.Add({0, 0, base}, {0, 0, base + length}), 1);
  const double radial = kRadialWavelengths * b.lambda();
  for (int i = 0; i < m.radials; ++i) {
    const double a = 2.0 * std::numbers::pi * i / m.radials;
    b.Add({0, 0, base}, {radial * std::cos(a), radial * std::sin(a), base});
  }
}

void Yagi(Builder& b, const YagiDesign& design, bool ownRadius) {
  const auto count = static_cast<std::size_t>(&design - kYagiDesigns.data()) + 2;
  const double boom = design.elements[count - 1].position;
  const double radius = ownRadius ? 0.0 : design.diameter * b.lambda() / 2.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double x = (design.elements[i].position - boom / 2.0) * b.lambda();
    const double half = design.elements[i].length * b.lambda() / 2.0;
    const std::size_t wire = b.Add({x, -half, b.height()}, {x, half, b.height()}, true, radius);
    if (static_cast<int>(i) == design.driven) b.FeedMiddle(wire);
  }
}

void Loop(Builder& b, const AntennaModel& m, double radius) {
  const double perimeter = LoopPerimeterWavelengths(2.0 * radius / b.lambda()) * b.lambda();
  const double h = b.height();
  std::vector<Vec3> corners;
  const bool square = m.loopShape == LoopShape::kSquare;
  const double side = square ? perimeter / 4.0 : perimeter / 3.0;
  if (!m.horizontalLoop) {  // standing, its lowest side (fed in its middle) at the height
    if (square) {
      corners = {{0, -side / 2, h}, {0, side / 2, h}, {0, side / 2, h + side}, {0, -side / 2, h + side}};
    } else {
      corners = {{0, -side / 2, h}, {0, side / 2, h}, {0, 0, h + side * std::sqrt(3.0) / 2}};
    }
  } else if (square) {  // flat at the height, fed in the middle of its side facing away
    corners = {{-side / 2, -side / 2, h}, {-side / 2, side / 2, h}, {side / 2, side / 2, h}, {side / 2, -side / 2, h}};
  } else {
    const double r = side / std::sqrt(3.0);
    corners = {{-r / 2, -side / 2, h}, {-r / 2, side / 2, h}, {r, 0, h}};
  }
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const std::size_t wire = b.Add(corners[i], corners[(i + 1) % corners.size()], i == 0);
    if (i == 0) b.FeedMiddle(wire);
  }
}

}  // namespace

std::optional<AntennaStructure> BuildAntenna(const AntennaModel& model, const AntennaPlacement& placement,
                                             double designMHz, double highestMHz, std::string& problem) {
  MarkedText why;
  auto built = BuildAntenna(model, placement, designMHz, highestMHz, why);
  problem = FilledText(why);
  return built;
}

std::optional<AntennaStructure> BuildAntenna(const AntennaModel& model, const AntennaPlacement& placement,
                                             double designMHz, double highestMHz, MarkedText& problem) {
  problem = {};
  if (!(designMHz > 0.0) || !(highestMHz > 0.0)) {
    problem = {N_("the antenna needs a design frequency"), {}};
    return std::nullopt;
  }
  const double lambda = kSpeedOfLightMetersMHz / designMHz;
  const double lambdaHigh = kSpeedOfLightMetersMHz / std::max(highestMHz, designMHz);
  const double radius = model.wireRadiusMm ? *model.wireRadiusMm / 1000.0 : kDefaultWireRadiusMeters;
  Builder b(placement, lambda, lambdaHigh, radius);
  switch (model.kind) {
    case AntennaKind::kDipole:
      Dipole(b);
      break;
    case AntennaKind::kInvertedV:
      InvertedV(b, model.apexDegrees);
      break;
    case AntennaKind::kVertical:
      Vertical(b, model);
      break;
    case AntennaKind::kYagi:
      if (model.elements < 2 || model.elements > 6) {
        problem = {N_("a Yagi has 2 to 6 elements"), {}};
        return std::nullopt;
      }
      Yagi(b, kYagiDesigns[static_cast<std::size_t>(model.elements - 2)], model.wireRadiusMm.has_value());
      break;
    case AntennaKind::kLoop:
      Loop(b, model, radius);
      break;
    case AntennaKind::kImported:
      problem = {N_("an imported model is built by the engine"), {}};
      return std::nullopt;
  }
  AntennaStructure s = b.Take();
  if (model.kind == AntennaKind::kInvertedV) s.sources[0].segment = s.wires[0].segments;  // at the apex
  std::vector<SegmentShape> shapes;
  int total = 0;
  for (std::size_t i = 0; i < s.wires.size(); ++i) {
    const Wire& w = s.wires[i];
    shapes.push_back({w.Length() / w.segments, w.radiusMeters, std::min(w.a.z, w.b.z), static_cast<int>(i) + 1});
    total += w.segments;
    s.extendedKernel = s.extendedKernel || w.Length() / w.segments < 8.0 * w.radiusMeters;
  }
  if (total > kMaxSegments) {
    problem = {N_("the antenna needs %1 segments, more than %2"),
               {std::to_string(total), std::to_string(kMaxSegments)}};
    return std::nullopt;
  }
  problem = SegmentationProblemText(shapes, highestMHz, true);
  if (!problem.pattern.empty()) return std::nullopt;
  return s;
}

std::string SegmentationProblem(const std::vector<SegmentShape>& segments, double highestMHz, bool overGround) {
  return FilledText(SegmentationProblemText(segments, highestMHz, overGround));
}

MarkedText SegmentationProblemText(const std::vector<SegmentShape>& segments, double highestMHz, bool overGround) {
  const double lambda = kSpeedOfLightMetersMHz / highestMHz;
  for (const SegmentShape& s : segments) {
    const std::string tag = std::to_string(s.tag);
    if (!(s.length > 0.0)) return {N_("wire %1 has no length"), {tag}};
    if (s.length > lambda / 20.0) {
      return {N_("wire %1 has segments of %2 m, longer than a twentieth of the wavelength at %3 MHz (%4 m): give "
                 "it more segments"),
              {tag, FormatGeneral(s.length, 3), FormatGeneral(highestMHz, 6), FormatGeneral(lambda / 20.0, 3)}};
    }
    // NEC's thin-wire approximation with its extended kernel holds down to about 2 radii.
    if (s.length < 2.0 * s.radius) {
      return {N_("wire %1 is too thick for its segments (%2 m long, %3 m radius): segments must be longer than 2 "
                 "radii"),
              {tag, FormatGeneral(s.length, 3), FormatGeneral(s.radius, 3)}};
    }
    if (overGround && s.lowestZ < 0.0) {
      return {N_("wire %1 reaches below the ground (%2 m)"), {tag, FormatGeneral(s.lowestZ, 3)}};
    }
  }
  return {};
}

const GroundInfo& Info(Ground ground) { return kGrounds[static_cast<std::size_t>(ground)]; }
const AntennaKindInfo& Info(AntennaKind kind) { return kAntennaKinds[static_cast<std::size_t>(kind)]; }

}  // namespace zento
