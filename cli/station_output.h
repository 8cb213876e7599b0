#pragma once
// Writing a station's evaluation as text, CSV, JSON or the HTML evaluation record.

#include <ostream>

#include "cli/output.h"
#include "core/near_field.h"
#include "core/station_eval.h"

namespace zento::cli {

// With `nearField`, its figures beside the far field's.
void WriteStationEvaluation(std::ostream& out, OutputFormat format, const Station& station, const StationResult& result,
                            const StationNearField* nearField = nullptr);

void WriteStationCsv(std::ostream& out, const Station& station, const StationResult& result,
                     const StationNearField* nearField);
void WriteStationJson(std::ostream& out, const Station& station, const StationResult& result,
                      const StationNearField* nearField);

}  // namespace zento::cli
