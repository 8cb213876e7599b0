#pragma once
// Writing a station's evaluation as text, CSV, JSON or the HTML evaluation record.

#include <ostream>

#include "cli/output.h"
#include "core/station_eval.h"

namespace zento::cli {

void WriteStationEvaluation(std::ostream& out, OutputFormat format, const Station& station,
                            const StationResult& result);

void WriteStationCsv(std::ostream& out, const Station& station, const StationResult& result);
void WriteStationJson(std::ostream& out, const Station& station, const StationResult& result);

}  // namespace zento::cli
