#pragma once
// Whole bands: each evaluated at both edges, each figure taken where it is worst.

#include <string>
#include <vector>

#include "cli/evaluate.h"

namespace zento::cli {

// The edge (an index into `edges`) that each figure of a band's row comes from.
struct WorstEdges {
  std::size_t controlled = 0;                             // the larger controlled distance
  std::size_t uncontrolled = 0;                           // the larger uncontrolled distance; the row's own frequency
  std::vector<std::size_t> atControlled, atUncontrolled;  // the larger share of the limit, per --at
  std::size_t exemption = 0;  // an edge that is not exempt, else the one nearest its threshold
};

struct BandRow {
  AmateurBand band;
  std::vector<Evaluation> edges;  // the edges that have limits, by rising frequency
  WorstEdges worst;
  std::string noLimits;       // why no edge has limits, in English for csv and json; empty when some edge has
  std::string noLimitsShown;  // the same in the user's language
  std::string warning;        // for standard error; empty when none

  bool HasLimits() const { return !edges.empty(); }
  const Evaluation& Row() const { return edges[worst.uncontrolled]; }
};

// Every band of the configuration. A band without limits at either edge (an EIRP below 1 Watt,
// or a cable loss above 60 dB) is a row that says why.
std::vector<BandRow> EvaluateBands(const Configuration& config);

}  // namespace zento::cli
