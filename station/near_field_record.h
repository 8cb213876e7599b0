#pragma once
// The near field as the record shows it, from what the window's service holds.

#include <optional>

#include "core/near_field.h"

namespace zento::station {

class NearFieldService;

// Each modelled transmitter's results, method and wires, with the pictures of the band whose
// boundary reaches farthest (as zento-calc's record has them), or why there is none; none while the
// engine is still at work on any of it (what is missing is asked for here).
std::optional<StationNearField> RecordNearField(NearFieldService& service, const Station& station,
                                                const StationResult& farField);

}  // namespace zento::station
