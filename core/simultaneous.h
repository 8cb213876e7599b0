#pragma once
// Which transmitters are on the air together. "At the same time as" is mutual, whichever of two
// transmitters lists the other; exposures add only within a set of transmitters every two of
// which are on the air together.

#include <cstddef>
#include <vector>

#include "core/station_model.h"

namespace zento {

// Whether transmitters a and b (a != b) are on the air at the same time: either lists the other.
bool OnAirTogether(const Station& station, std::size_t a, std::size_t b);

// The largest sets of transmitters that are all on the air together, each in rising order, the
// sets in the order of their first transmitter: every transmitter is in at least one set (a
// transmitter with none beside it is a set of its own), and no set lies inside another.
std::vector<std::vector<std::size_t>> SimultaneousSets(const Station& station);

}  // namespace zento
