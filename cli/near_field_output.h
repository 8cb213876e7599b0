#pragma once
// The near field in zento-calc's outputs: text, CSV columns and JSON members.

#include <nlohmann/json.hpp>

#include <ostream>

#include "core/near_field.h"

namespace zento::cli {

void WriteNearFieldText(std::ostream& out, const Station& station, const StationResult& farField,
                        const StationNearField& nearField);

// The JSON of a station's near field: per transmitter its method, bands and (when computed)
// pictures, and the verdicts with it.
nlohmann::ordered_json NearFieldJson(const Station& station, const StationResult& farField,
                                     const StationNearField& nearField);

// The CSV columns a near field adds to each row of a band and environment.
std::string NearFieldCsvHeader(const Station& station);
std::string NearFieldCsvCells(const Station& station, const StationNearField& nearField, std::size_t transmitter,
                              std::size_t band, Environment environment);

}  // namespace zento::cli
