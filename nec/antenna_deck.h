#pragma once
// A transmitter's antenna model as the engine takes it: a built-in kind's wires as cards, or a
// ham's own deck moved to the antenna's place, with its segments.

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "core/station_model.h"
#include "nec/deck.h"
#include "nec/engine.h"
#include "nec/report.h"

namespace zento::nec {

struct Model {
  DeckInput deck;  // without points or frequencies
  std::vector<Segment> segments;
};

// The model of `transmitter`, cut for `designMHz` and segmented for `highestMHz`; an imported
// deck's segments are laid out by the engine. None, with the reason, when it cannot be made.
std::optional<Model> BuildModel(const Station& station, const Transmitter& transmitter, double designMHz,
                                double highestMHz, const EngineOptions& options, std::stop_token stop,
                                std::string& error);

}  // namespace zento::nec
