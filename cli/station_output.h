#pragma once
// Writing a station's evaluation as text, CSV or JSON.

#include <ostream>

#include "cli/output.h"
#include "core/station_eval.h"

namespace zento::cli {

void WriteStationEvaluation(std::ostream& out, OutputFormat format, const Station& station,
                            const StationResult& result);

// Distances as the station shows them: "12.3 Feet" or "3.7 Meters".
std::string StationDistance(const Station& station, double meters);
std::string PercentText(double share);
std::string ModeText(const Transmitter& transmitter, const TransmitterResult& result);
std::string PlaceText(const Station& station, const Place& place);

}  // namespace zento::cli
