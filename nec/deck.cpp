#include "nec/deck.h"

#include "core/number_text.h"

namespace zento::nec {
namespace {

std::string N(double value) { return FormatGeneral(value, 10); }

void Geometry(std::string& deck, const DeckInput& input) {
  deck += "CM ZENTO near-field model\nCE\n";
  for (const auto& card : input.structure) deck += card + "\n";
  // With a ground, wire ends that touch it connect to their images.
  deck += input.ground.model == GroundModel::kFreeSpace ? "GE 0\n" : "GE 1\n";
  if (input.extendedKernel) deck += "EK\n";
}

std::string GroundCard(const GroundSpec& g) {
  switch (g.model) {
    case GroundModel::kFreeSpace:
      return {};
    case GroundModel::kPerfect:
      return "GN 1\n";
    case GroundModel::kReflectionCoefficient:
      return "GN 0 0 0 0 " + N(g.relativePermittivity) + " " + N(g.conductivitySm) + "\n";
    case GroundModel::kSommerfeld:
      return "GN 2 0 0 0 " + N(g.relativePermittivity) + " " + N(g.conductivitySm) + "\n";
  }
  return {};
}

}  // namespace

std::string WireCard(int tag, int segments, const Vec3& a, const Vec3& b, double radiusMeters) {
  return "GW " + std::to_string(tag) + " " + std::to_string(segments) + " " + N(a.x) + " " + N(a.y) + " " + N(a.z) +
         " " + N(b.x) + " " + N(b.y) + " " + N(b.z) + " " + N(radiusMeters);
}

std::string SourceCard(int tag, int segment) {
  return "EX 0 " + std::to_string(tag) + " " + std::to_string(segment) + " 0 1 0";
}

std::string WriteDeck(const DeckInput& input) {
  std::string deck;
  deck.reserve(200 + 2 * 48 * input.points.size() * input.frequenciesMHz.size());
  Geometry(deck, input);
  if (input.conductivitySm > 0.0) deck += "LD 5 0 0 0 " + N(input.conductivitySm) + "\n";
  for (const auto& card : input.loads) deck += card + "\n";
  deck += GroundCard(input.ground);
  for (const auto& card : input.sources) deck += card + "\n";
  std::string points;
  for (const Vec3& p : input.points) points += " 0 1 1 1 " + N(p.x) + " " + N(p.y) + " " + N(p.z) + " 0 0 0\n";
  for (const double f : input.frequenciesMHz) {
    deck += "FR 0 1 0 0 " + N(f) + " 0\n";
    if (points.empty()) deck += "XQ\n";  // no field asked for: solve for the currents alone
    // One card per point, E then H: the report keeps their order.
    for (const char* kind : {"NE", "NH"}) {
      std::size_t start = 0;
      while (start < points.size()) {
        const std::size_t end = points.find('\n', start) + 1;
        deck.append(kind).append(points, start, end - start);
        start = end;
      }
    }
  }
  deck += "EN\n";
  return deck;
}

std::string WriteGeometryDeck(const DeckInput& input) {
  std::string deck;
  Geometry(deck, input);
  deck += "EN\n";
  return deck;
}

}  // namespace zento::nec
