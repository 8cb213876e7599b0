#include "nec/near_field_run.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <thread>

#include "core/evaluation.h"
#include "core/number_text.h"
#include "core/text_mark.h"
#include "nec/antenna_deck.h"
#include "nec/deck.h"

namespace zento::nec {
namespace {

// Below this share of a wavelength above real ground the reflection-coefficient method is not
// trusted (sources put its limit between 0.1 and 0.2 wavelength: the larger, to be safe).
constexpr double kReflectionMethodHeight = 0.2;

// Points on or within a segment length of a wire.
std::vector<bool> AtAntenna(const std::vector<Vec3>& points, const std::vector<Segment>& segments) {
  std::vector<bool> at(points.size(), false);
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (const Segment& seg : segments) {
      if (DistanceToSegment(points[i], seg.End(-1), seg.End(+1)) <= std::max(seg.length, seg.radius)) {
        at[i] = true;
        break;
      }
    }
  }
  return at;
}

// How far the rays reach: well past the wires, a wavelength, and half again the far-field
// formula's largest distance at the present power (beyond the rays, that formula stands).
double Reach(const std::vector<Segment>& segments, const Vec3& mast, double lowestMHz, double farFieldMeters) {
  double radius = 0.0;
  for (const Segment& seg : segments) {
    for (const int end : {-1, 1}) {
      const Vec3 p = seg.End(end);
      radius = std::max(radius, std::hypot(p.x - mast.x, p.y - mast.y));
    }
  }
  return std::max({3.0 * radius, kSpeedOfLightMetersMHz / lowestMHz, 10.0, 1.5 * farFieldMeters});
}

// One run of the deck: per frequency, the fields per watt at the points asked for, in order.
struct RunFields {
  std::vector<std::vector<FieldSquares>> fields;  // [frequency][asked point]
  std::vector<double> inputWatts;                 // [frequency]
};

std::optional<RunFields> Run(const DeckInput& deck, const EngineOptions& options, std::stop_token stop,
                             std::string& error) {
  const EngineRun run = RunEngine(WriteDeck(deck), options, stop);
  if (!run.ok) {
    error = run.error;
    return std::nullopt;
  }
  const auto report = ParseReport(run.output, error);
  if (!report) return std::nullopt;
  if (report->frequencies.size() != deck.frequenciesMHz.size()) {
    error = "the engine's report holds " + std::to_string(report->frequencies.size()) + " frequencies of " +
            std::to_string(deck.frequenciesMHz.size());
    return std::nullopt;
  }
  RunFields out;
  for (const FrequencyReport& f : report->frequencies) {
    if (f.electric.size() != deck.points.size() || f.magnetic.size() != deck.points.size()) {
      error = "the engine's report holds fields at " + std::to_string(f.electric.size()) + " points of " +
              std::to_string(deck.points.size());
      return std::nullopt;
    }
    std::vector<FieldSquares> fields(deck.points.size());
    // The engine prints peak phasors for its 1 V sources: the mean square is half the sum of
    // the squared magnitudes, per watt of the input power it printed.
    const double perWatt = f.inputPowerWatts > 0.0 ? 0.5 / f.inputPowerWatts : 0.0;
    for (std::size_t i = 0; i < deck.points.size(); ++i) {
      const auto& e = f.electric[i].peak;
      const auto& h = f.magnetic[i].peak;
      fields[i] = {(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]) * perWatt,
                   (h[0] * h[0] + h[1] * h[1] + h[2] * h[2]) * perWatt};
    }
    out.fields.push_back(std::move(fields));
    out.inputWatts.push_back(f.inputPowerWatts);
  }
  return out;
}

std::string GroundWords(const GroundInfo& g) {
  return std::string(g.name) + " (relative permittivity " + FormatGeneral(g.relativePermittivity, 4) + ", " +
         FormatGeneral(g.conductivitySm, 4) + " S/m)";
}

// The model of transmitter `index`, ready for the engine: its deck without points or
// frequencies, its segments, and the method's engine and segment count.
struct Prepared {
  Model model;
  NearFieldMethod method;
};

std::optional<Prepared> Prepare(const Station& station, std::size_t index, const EngineOptions& options,
                                std::stop_token stop, std::string& error) {
  const Transmitter& t = station.transmitters[index];
  if (!t.antenna.model) {
    error = N_("no antenna model");
    return std::nullopt;
  }
  Prepared p;
  p.method.frequenciesMHz = EngineFrequencies(station, t);
  const auto design = DesignMHz(station, t);
  if (p.method.frequenciesMHz.empty() || !design) {
    error = N_("no band to evaluate");
    return std::nullopt;
  }
  if (t.antenna.model->kind != AntennaKind::kImported && !t.antenna.heightMeters) {
    error = N_("the antenna's model needs its height above the ground (height_m)");
    return std::nullopt;
  }
  if (t.antenna.model->kind == AntennaKind::kImported && !t.antenna.model->importProblem.empty()) {
    error = t.antenna.model->importProblem;
    return std::nullopt;
  }
  const double highest = p.method.frequenciesMHz.back();
  auto model = BuildModel(station, t, *design, highest, options, stop, error);
  if (!model) return std::nullopt;
  p.model = std::move(*model);
  // NEC-2 cannot model a wire on or in real ground; perfect ground it may touch.
  if (station.ground != Ground::kFreeSpace) {
    const double lowest = station.ground == Ground::kPerfect ? 0.0 : kLowestWireMeters;
    for (const Segment& seg : p.model.segments) {
      const double z = std::min(seg.End(-1).z, seg.End(+1).z);
      if (z < lowest - 1e-9) {
        error = "wire " + std::to_string(seg.tag) + " comes down to " + FormatGeneral(z, 3) +
                " m: NEC-2 cannot model wires on or in " +
                (station.ground == Ground::kPerfect
                     ? std::string("the ground")
                     : "real ground; keep every wire at least " + FormatGeneral(kLowestWireMeters, 3) + " m above it");
        return std::nullopt;
      }
    }
  }
  p.method.segments = static_cast<int>(p.model.segments.size());
  p.method.engine = EngineVersion(options);
  if (p.method.engine.empty()) {
    error = std::string(kEngineMissing);
    return std::nullopt;
  }
  return p;
}

// The fields per watt at `points` for `frequencies`: on the station's ground, as the engine can
// be trusted with it (see below); the ground's words go into the method.
std::optional<NearFieldSamples> Sample(const Station& station, Prepared& prepared, const std::vector<Vec3>& points,
                                       const std::vector<double>& frequencies, const EngineOptions& options,
                                       std::stop_token stop, std::string& error) {
  NearFieldSamples samples;
  samples.frequenciesMHz = frequencies;
  samples.atAntenna = AtAntenna(points, prepared.model.segments);
  DeckInput deck = prepared.model.deck;
  deck.frequenciesMHz = frequencies;
  std::vector<std::size_t> asked;  // points off the wires, the only ones the engine is asked for
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!samples.atAntenna[i]) {
      asked.push_back(i);
      deck.points.push_back(points[i]);
    }
  }
  // The ground: free space and perfect ground as they are; a real ground by the Sommerfeld-
  // Norton method where the engine passes its check, otherwise by reflection coefficients, and
  // there, for wires within a fifth of a wavelength of the ground where that method fails, no
  // less than perfect ground gives.
  const GroundInfo& ground = Info(station.ground);
  std::vector<DeckInput> decks;
  double lowestWire = 1e300;
  for (const Segment& seg : prepared.model.segments) {
    lowestWire = std::min({lowestWire, seg.End(-1).z, seg.End(+1).z});
  }
  std::string& words = prepared.method.ground;
  switch (station.ground) {
    case Ground::kFreeSpace:
      deck.ground = {GroundModel::kFreeSpace};
      words = N_("free space");
      decks.push_back(deck);
      break;
    case Ground::kPerfect:
      deck.ground = {GroundModel::kPerfect};
      words = N_("perfect ground");
      decks.push_back(deck);
      break;
    default: {
      const bool sommerfeld = SommerfeldPasses(options);
      deck.ground = {sommerfeld ? GroundModel::kSommerfeld : GroundModel::kReflectionCoefficient,
                     ground.relativePermittivity, ground.conductivitySm};
      decks.push_back(deck);
      words = GroundWords(ground) + (sommerfeld ? " by the Sommerfeld-Norton method"
                                                : " by the reflection-coefficient method (the engine's "
                                                  "Sommerfeld-Norton ground failed its check)");
      if (!sommerfeld && lowestWire < kReflectionMethodHeight * kSpeedOfLightMetersMHz / frequencies.front()) {
        DeckInput perfect = deck;
        perfect.ground = {GroundModel::kPerfect};
        decks.push_back(perfect);
        words +=
            "; with wires within a fifth of a wavelength of the ground, where that method does not hold, "
            "each point takes the larger of its field and perfect ground's";
      }
    }
  }
  samples.fields.assign(frequencies.size(), std::vector<FieldSquares>(points.size()));
  // Two grounds are two runs of the same points, one on each core.
  std::vector<std::string> errors(decks.size());
  std::vector<std::optional<RunFields>> runs(decks.size());
  {
    std::vector<std::jthread> workers;
    for (std::size_t d = 1; d < decks.size(); ++d) {
      workers.emplace_back([&, d] { runs[d] = Run(decks[d], options, stop, errors[d]); });
    }
    runs[0] = Run(decks[0], options, stop, errors[0]);
  }
  // Every frequency needs fields from one run at least: a frequency left without would count as
  // no exposure at all.
  std::vector<bool> valid(frequencies.size(), false);
  for (std::size_t d = 0; d < decks.size(); ++d) {
    const auto& fields = runs[d];
    if (!fields) {
      error = errors[d];
      return std::nullopt;
    }
    for (std::size_t f = 0; f < fields->fields.size(); ++f) {
      if (!(fields->inputWatts[f] > 0.0)) {
        // No power goes in: the method failed at this frequency (another run may stand for it).
        if (decks.size() > 1) {
          words += "; at " + FormatGeneral(frequencies[f], 8) +
                   " MHz the reflection-coefficient method gave no input power and perfect ground's fields stand "
                   "alone";
        }
        continue;
      }
      valid[f] = true;
      for (std::size_t k = 0; k < asked.size(); ++k) {
        FieldSquares& into = samples.fields[f][asked[k]];
        into.e2 = std::max(into.e2, fields->fields[f][k].e2);
        into.h2 = std::max(into.h2, fields->fields[f][k].h2);
      }
    }
  }
  for (std::size_t f = 0; f < frequencies.size(); ++f) {
    if (!valid[f]) {
      error = "the engine found no power going into the antenna at " + FormatGeneral(frequencies[f], 8) +
              " MHz: check its feed";
      return std::nullopt;
    }
  }
  return samples;
}

}  // namespace

std::optional<AntennaNearField> ComputeNearField(const Station& station, std::size_t index,
                                                 const EngineOptions& options, std::stop_token stop, std::string& error,
                                                 double pictureHalfWidth) {
  const Transmitter& t = station.transmitters[index];
  auto prepared = Prepare(station, index, options, stop, error);
  if (!prepared) {
    error = t.name + ": " + error;
    return std::nullopt;
  }
  AntennaNearField out;
  double farField = 0.0;
  const StationResult far = EvaluateStation(station);  // kept: the loop reads into it
  for (const BandResult& band : far.transmitters[index].bands) {
    if (band.problem.empty()) farField = std::max(farField, band.In(Environment::kUncontrolled).safeDistanceMeters);
  }
  const AntennaPlacement at = PlacementOf(station, t);
  const auto& frequencies = prepared->method.frequenciesMHz;
  out.plan =
      PlanNearField(station, t, Reach(prepared->model.segments, {at.x, at.y, 0.0}, frequencies.front(), farField));
  // The horizontal picture's points go with the same run: one solution serves them all.
  std::vector<Vec3> points = out.plan.points;
  if (pictureHalfWidth > 0.0) out.horizontal = PlanHorizontalGrid(station, t, pictureHalfWidth, points);
  auto samples = Sample(station, *prepared, points, frequencies, options, stop, error);
  if (!samples) {
    error = t.name + ": " + error;
    return std::nullopt;
  }
  out.samples = std::move(*samples);
  out.segments = prepared->model.segments;
  out.method = prepared->method;
  return out;
}

std::optional<AntennaPicture> ComputeVerticalGrid(const Station& station, std::size_t index, std::size_t band,
                                                  double halfWidth, double bearingDegrees, const EngineOptions& options,
                                                  std::stop_token stop, std::string& error) {
  const Transmitter& t = station.transmitters[index];
  auto prepared = Prepare(station, index, options, stop, error);
  if (!prepared) {
    error = t.name + ": " + error;
    return std::nullopt;
  }
  const StationResult far = EvaluateStation(station);
  const BandResult& b = far.transmitters[index].bands.at(band);
  std::vector<double> frequencies;
  for (const double f : prepared->method.frequenciesMHz) {
    if (f >= b.lowMHz && f <= b.highMHz) frequencies.push_back(f);
  }
  if (frequencies.empty()) {
    error = t.name + ": no frequency of " + b.band + " to picture";
    return std::nullopt;
  }
  AntennaPicture out;
  std::vector<Vec3> points;
  out.plane = PlanVerticalGrid(station, t, halfWidth, bearingDegrees, points);
  auto samples = Sample(station, *prepared, points, frequencies, options, stop, error);
  if (!samples) {
    error = t.name + ": " + error;
    return std::nullopt;
  }
  out.samples = std::move(*samples);
  return out;
}

std::optional<NearFieldSamples> ComputePointFields(const Station& station, std::size_t index,
                                                   const std::vector<Vec3>& points, const EngineOptions& options,
                                                   std::stop_token stop, std::string& error) {
  auto prepared = Prepare(station, index, options, stop, error);
  auto samples = prepared ? Sample(station, *prepared, points, prepared->method.frequenciesMHz, options, stop, error)
                          : std::nullopt;
  if (!samples) error = station.transmitters[index].name + ": " + error;
  return samples;
}

bool SommerfeldPasses(const EngineOptions& options) {
  static std::mutex mutex;
  static std::map<std::string, bool> known;
  const std::lock_guard lock(mutex);
  if (const auto it = known.find(options.program); it != known.end()) return it->second;
  DeckInput check;
  check.structure = {WireCard(1, 41, {-10, 0, 0.5}, {10, 0, 0.5}, 0.001)};
  check.sources = {SourceCard(1, 21)};
  check.ground = {GroundModel::kSommerfeld, 13.0, 0.005};
  check.frequenciesMHz = {28.0};
  std::string error;
  const EngineRun run = RunEngine(WriteDeck(check), options);
  const auto report = run.ok ? ParseReport(run.output, error) : std::nullopt;
  bool passes = false;
  if (report && report->frequencies.size() == 1) {
    const std::complex<double> z = report->frequencies[0].impedanceOhms;
    passes = std::abs(z - std::complex<double>(1905.0, 1196.0)) < 0.1 * std::abs(std::complex<double>(1905.0, 1196.0));
  }
  known[options.program] = passes;
  return passes;
}

}  // namespace zento::nec
