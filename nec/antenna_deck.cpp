#include "nec/antenna_deck.h"

#include <algorithm>
#include <cmath>

#include "core/near_field.h"
#include "core/number_text.h"

namespace zento::nec {
namespace {

std::vector<Segment> SegmentsOf(const AntennaStructure& s) {
  std::vector<Segment> out;
  for (std::size_t i = 0; i < s.wires.size(); ++i) {
    const Wire& w = s.wires[i];
    const Vec3 step = (w.b - w.a) * (1.0 / w.segments);
    const double length = step.Length();
    const double alpha = std::asin(std::clamp(step.z / length, -1.0, 1.0)) * 180.0 / 3.14159265358979323846;
    const double beta = std::atan2(step.y, step.x) * 180.0 / 3.14159265358979323846;
    for (int k = 0; k < w.segments; ++k) {
      Segment seg;
      seg.center = w.a + step * (k + 0.5);
      seg.length = length;
      seg.alphaDegrees = alpha;
      seg.betaDegrees = beta;
      seg.radius = w.radiusMeters;
      seg.tag = static_cast<int>(i) + 1;
      out.push_back(seg);
    }
  }
  return out;
}

std::optional<Model> BuiltIn(const Station& s, const Transmitter& t, double design, double highest,
                             std::string& error) {
  const auto structure = BuildAntenna(*t.antenna.model, PlacementOf(s, t), design, highest, error);
  if (!structure) return std::nullopt;
  Model m;
  for (std::size_t i = 0; i < structure->wires.size(); ++i) {
    const Wire& w = structure->wires[i];
    m.deck.structure.push_back(WireCard(static_cast<int>(i) + 1, w.segments, w.a, w.b, w.radiusMeters));
  }
  for (const Source& source : structure->sources) {
    m.deck.sources.push_back(SourceCard(static_cast<int>(source.wire) + 1, source.segment));
  }
  m.deck.extendedKernel = structure->extendedKernel;
  m.deck.conductivitySm = t.antenna.model->conductivitySm;
  m.segments = SegmentsOf(*structure);
  return m;
}

// A ham's own deck, moved to the antenna's place on the site: x and y from its position, turned
// by its heading (the file's own axes at heading 0), z as the file gives it.
std::optional<Model> Imported(const Station& s, const Transmitter& t, double highest, const EngineOptions& options,
                              std::stop_token stop, std::string& error) {
  const AntennaModel& model = *t.antenna.model;
  Model m;
  m.deck.structure = model.imported.structure;
  const AntennaPlacement at = PlacementOf(s, t);
  if (at.x != 0.0 || at.y != 0.0 || at.headingDegrees != 0.0) {
    m.deck.structure.push_back("GM 0 0 0 0 " + FormatGeneral(-at.headingDegrees, 10) + " " + FormatGeneral(at.x, 10) +
                               " " + FormatGeneral(at.y, 10) + " 0 0");
  }
  m.deck.loads = model.imported.loads;
  m.deck.sources = model.imported.sources;
  // The file's own wire conductivity (an LD card of type 5) stands; otherwise the model's.
  const bool ownConductivity =
      std::any_of(model.imported.loads.begin(), model.imported.loads.end(), [](const std::string& card) {
        const std::size_t start = card.find_first_not_of(' ', 2);
        if (card.rfind("LD", 0) != 0 || start == std::string::npos) return false;
        const auto type = ParseWholeDouble(std::string_view(card).substr(start, card.find(' ', start) - start));
        return type && *type == 5.0;
      });
  m.deck.conductivitySm = ownConductivity ? 0.0 : model.conductivitySm;
  m.deck.ground.model = s.ground == Ground::kFreeSpace ? GroundModel::kFreeSpace : GroundModel::kPerfect;
  // The engine lays out the wires (arcs, helices, copies, moves): its segments are the model. In
  // free space, so that a wire under the ground is refused below in words naming it, not by the
  // engine's own geometry error.
  DeckInput layout = m.deck;
  layout.ground.model = GroundModel::kFreeSpace;
  const EngineRun run = RunEngine(WriteGeometryDeck(layout), options, stop);
  std::string why;
  const auto report = run.ok ? ParseReport(run.output, why) : std::nullopt;
  if (!report) {
    error = run.ok ? why : run.error;
    return std::nullopt;
  }
  m.segments = report->segments;
  if (static_cast<int>(m.segments.size()) > kMaxSegments) {
    error =
        "the model has " + std::to_string(m.segments.size()) + " segments, more than " + std::to_string(kMaxSegments);
    return std::nullopt;
  }
  std::vector<SegmentShape> shapes;
  for (const Segment& seg : m.segments) {
    shapes.push_back({seg.length, seg.radius, std::min(seg.End(-1).z, seg.End(+1).z), seg.tag});
    m.deck.extendedKernel = m.deck.extendedKernel || seg.length < 8.0 * seg.radius;
  }
  error = SegmentationProblem(shapes, highest, s.ground != Ground::kFreeSpace);
  if (!error.empty()) return std::nullopt;
  return m;
}

}  // namespace

std::optional<Model> BuildModel(const Station& station, const Transmitter& transmitter, double designMHz,
                                double highestMHz, const EngineOptions& options, std::stop_token stop,
                                std::string& error) {
  return transmitter.antenna.model->kind == AntennaKind::kImported
             ? Imported(station, transmitter, highestMHz, options, stop, error)
             : BuiltIn(station, transmitter, designMHz, highestMHz, error);
}

}  // namespace zento::nec
