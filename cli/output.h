#pragma once
// Writing evaluations as text, CSV or JSON.

#include <ostream>
#include <string>
#include <vector>

#include "cli/evaluate.h"

namespace zento::cli {

enum class OutputFormat { kText, kCsv, kJson };

struct EvaluatedRow {
  std::string band;  // empty for a single configuration
  Evaluation evaluation;
};

// Text: the result block as the report shows it, then the checks. CSV and JSON: one row.
void WriteSingle(std::ostream& out, OutputFormat format, const Evaluation& evaluation);
// One row per band.
void WriteBands(std::ostream& out, OutputFormat format, const std::vector<EvaluatedRow>& rows);

}  // namespace zento::cli
