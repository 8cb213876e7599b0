#pragma once
// Writing evaluations as text, CSV or JSON.

#include <ostream>
#include <string>
#include <vector>

#include "cli/bands.h"
#include "cli/evaluate.h"
#include "core/station_eval.h"
#include "core/text_mark.h"

namespace zento::cli {

enum class OutputFormat { kText, kCsv, kJson, kHtml };  // HTML: the evaluation record of a station

// Text: the result block as the report shows it, then the checks. CSV and JSON: one row.
void WriteSingle(std::ostream& out, OutputFormat format, const Evaluation& evaluation);
// One row per band.
void WriteBands(std::ostream& out, OutputFormat format, const std::vector<BandRow>& rows);

// Shared by the writers.
void WriteTextTable(std::ostream& out, const std::vector<std::vector<std::string>>& table);  // columns padded
std::string Verdict(bool complies);
std::string ShownProblem(const BandResult& band);   // why a band could not be evaluated, likewise
std::string UnitsName(const StationParameters& s);  // "Feet" or "Meters"
std::string CsvField(std::string_view text);        // quoted as RFC 4180 says, when it must be
std::string CsvNumber(double value);                // empty for a value that is not finite
void WriteCsv(std::ostream& out, const Evaluation& evaluation);
void WriteCsv(std::ostream& out, const std::vector<BandRow>& rows);
void WriteJson(std::ostream& out, const Evaluation& evaluation);
void WriteJson(std::ostream& out, const std::vector<BandRow>& rows);

}  // namespace zento::cli
