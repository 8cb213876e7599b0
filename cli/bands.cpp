#include "cli/bands.h"

#include "core/feedline.h"
#include "core/number_text.h"
#include "report/translation.h"

namespace zento::cli {
namespace {

// The index of the edge whose `value` is largest; the lower edge on a tie.
template <typename Value>
std::size_t Largest(const std::vector<Evaluation>& edges, Value value) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < edges.size(); ++i) {
    if (value(edges[i]) > value(edges[best])) best = i;
  }
  return best;
}

WorstEdges FindWorstEdges(const std::vector<Evaluation>& edges) {
  WorstEdges worst;
  worst.controlled = Largest(edges, [](const Evaluation& e) { return e.controlledDistanceMeters; });
  worst.uncontrolled = Largest(edges, [](const Evaluation& e) { return e.uncontrolledDistanceMeters; });
  for (std::size_t k = 0; k < edges.front().checks.size(); ++k) {
    worst.atControlled.push_back(Largest(edges, [k](const Evaluation& e) { return e.checks[k].controlledPercent; }));
    worst.atUncontrolled.push_back(
        Largest(edges, [k](const Evaluation& e) { return e.checks[k].uncontrolledPercent; }));
  }
  if (edges.front().exemption) {
    // Not exempt outranks exempt; then the larger share of the threshold.
    worst.exemption = Largest(edges, [](const Evaluation& e) {
      const ExemptionCheck& x = *e.exemption;
      const double share = x.thresholdWatts ? x.erpWatts / *x.thresholdWatts : 0.0;
      return (x.exempt ? 0.0 : 1.0e300) + share;
    });
  }
  return worst;
}

std::string CableWarning(const Configuration& config, const AmateurBand& band) {
  if (!config.cableRow) return {};
  const CableSpec& cable = kCableTable[static_cast<std::size_t>(*config.cableRow)];
  if (!(band.highMHz > cable.maxFrequencyMHz)) return {};
  return Subst(Tr("warning: %1: %2 is meant for up to %3 MHz; its loss above that is extrapolated"),
               {band.name, cable.name, FormatGeneral(cable.maxFrequencyMHz, 15)});
}

}  // namespace

std::vector<BandRow> EvaluateBands(const Configuration& config) {
  std::vector<BandRow> rows;
  for (const auto& band : config.bands) {
    BandRow row{band, {}, {}, {}, {}, CableWarning(config, band)};
    for (const double edge : {band.lowMHz, band.highMHz}) {
      Configuration atEdge = config;
      atEdge.station.frequencyMHz = edge;
      EvaluationError edgeError{};
      auto evaluation = Evaluate(atEdge, edgeError);
      if (!evaluation) {
        if (row.noLimits.empty()) {
          row.noLimits = edgeError.message;
          row.noLimitsShown = edgeError.shown;
        }
        continue;
      }
      AddChecks(*evaluation, config.atDistances, config.exemptionDistance);
      row.edges.push_back(std::move(*evaluation));
    }
    if (row.HasLimits()) {
      row.noLimits.clear();
      row.noLimitsShown.clear();
      row.worst = FindWorstEdges(row.edges);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace zento::cli
