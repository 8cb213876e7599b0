#pragma once
// The record's near-field section: the method, each antenna's boundary and places, the pictures.

#include "core/near_field.h"
#include "report/html_builder.h"

namespace zento {

void NearFieldSection(Html& html, const Station& station, const StationResult& farField,
                      const StationNearField& nearField);

}  // namespace zento
