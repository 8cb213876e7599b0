#pragma once
// The engine's input: the structure's cards, the ground, the frequencies and the field points.

#include <string>
#include <vector>

#include "core/geometry.h"

namespace zento::nec {

enum class GroundModel { kFreeSpace, kPerfect, kReflectionCoefficient, kSommerfeld };

struct GroundSpec {
  GroundModel model = GroundModel::kFreeSpace;
  double relativePermittivity = 1.0;  // finite grounds
  double conductivitySm = 0.0;        //
};

struct DeckInput {
  std::vector<std::string> structure;  // geometry cards (GW, GA, GH, GM, GR, GX, GS), in order, without GE
  std::vector<std::string> loads;      // LD and TL cards
  std::vector<std::string> sources;    // EX cards
  double conductivitySm = 0.0;         // of every wire; 0 for a perfect conductor
  bool extendedKernel = false;         // thick wires
  GroundSpec ground;
  std::vector<double> frequenciesMHz;
  std::vector<Vec3> points;  // E and H at each, for each frequency
};

// A GW card for a straight wire.
std::string WireCard(int tag, int segments, const Vec3& a, const Vec3& b, double radiusMeters);
// An EX card: a 1 V source at a segment (1-based) of a wire.
std::string SourceCard(int tag, int segment);

std::string WriteDeck(const DeckInput& input);

// Only the structure: the engine lists its segments and solves nothing.
std::string WriteGeometryDeck(const DeckInput& input);

}  // namespace zento::nec
