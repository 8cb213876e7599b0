#include "cli/output.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "report/report_text.h"

namespace zento::cli {
namespace {

std::string Units(const StationParameters& s) { return s.englishUnits != 0 ? "Feet" : "Meters"; }

std::string Verdict(bool complies) { return complies ? "complies" : "exceeds"; }

std::string JsonNumber(double value) { return std::isfinite(value) ? FormatGeneral(value, 10) : "null"; }

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string CsvNumber(double value) { return std::isfinite(value) ? FormatGeneral(value, 10) : ""; }

std::string CheckText(const DistanceCheck& check, const StationParameters& s) {
  return "At " + FormatFixed(check.distance, 1) + " " + Units(s) + ": " + FormatGeneral(check.density, 4) +
         " mW/cm2; CONTROLLED " + FormatFixed(check.controlledPercent, 1) + " % of the limit, " +
         Verdict(check.controlledComplies) + "; UNCONTROLLED " + FormatFixed(check.uncontrolledPercent, 1) +
         " % of the limit, " + Verdict(check.uncontrolledComplies);
}

std::string ExemptionText(const ExemptionCheck& e) {
  std::string text = "Exemption (47 CFR 1.1307(b)(3)(i)(C)) at " + FormatFixed(e.distanceMeters, 2) + " m: ERP " +
                     FormatFixed(e.erpWatts, 2) + " W";
  if (e.thresholdWatts) text += ", threshold " + FormatFixed(*e.thresholdWatts, 2) + " W";
  return text + ": " + (e.exempt ? "exempt" : "not exempt, an evaluation is required") + " (" + e.reason + ")";
}

std::vector<std::string> CsvHeader(const Evaluation& e) {
  std::vector<std::string> header = {"band",
                                     "frequency_mhz",
                                     "power_watts",
                                     "duty_cycle_percent",
                                     "feedline_loss_db",
                                     "antenna_gain_dbi",
                                     "eirp_watts",
                                     "controlled_limit_mw_cm2",
                                     "uncontrolled_limit_mw_cm2",
                                     "controlled_distance_m",
                                     "uncontrolled_distance_m",
                                     "controlled_distance",
                                     "uncontrolled_distance"};
  for (std::size_t k = 1; k <= e.checks.size(); ++k) {
    const std::string at = "at" + std::to_string(k) + "_";
    for (const char* field : {"distance", "distance_m", "density_mw_cm2", "controlled_percent", "controlled_complies",
                              "uncontrolled_percent", "uncontrolled_complies"}) {
      header.push_back(at + field);
    }
  }
  if (e.exemption) {
    for (const char* field :
         {"exemption_distance_m", "erp_watts", "exemption_threshold_watts", "exempt", "exemption_reason"}) {
      header.push_back(field);
    }
  }
  return header;
}

std::vector<std::string> CsvRow(const EvaluatedRow& row) {
  const Evaluation& e = row.evaluation;
  const StationParameters& s = e.station;
  std::vector<std::string> cells = {CsvField(row.band),
                                    CsvNumber(s.frequencyMHz),
                                    std::to_string(s.powerWatts),
                                    std::to_string(s.dutyCyclePercent),
                                    CsvNumber(s.feedlineLossDb),
                                    CsvNumber(s.antennaGainDbi),
                                    CsvNumber(s.eirpWatts),
                                    CsvNumber(s.controlledLimit),
                                    CsvNumber(s.uncontrolledLimit),
                                    CsvNumber(e.controlledDistanceMeters),
                                    CsvNumber(e.uncontrolledDistanceMeters),
                                    CsvField(e.controlledDistanceText),
                                    CsvField(e.uncontrolledDistanceText)};
  for (const auto& c : e.checks) {
    for (const std::string& cell :
         {CsvNumber(c.distance), CsvNumber(c.meters), CsvNumber(c.density), CsvNumber(c.controlledPercent),
          std::string(c.controlledComplies ? "true" : "false"), CsvNumber(c.uncontrolledPercent),
          std::string(c.uncontrolledComplies ? "true" : "false")}) {
      cells.push_back(cell);
    }
  }
  if (e.exemption) {
    const ExemptionCheck& x = *e.exemption;
    for (const std::string& cell : {CsvNumber(x.distanceMeters), CsvNumber(x.erpWatts),
                                    x.thresholdWatts ? CsvNumber(*x.thresholdWatts) : std::string(),
                                    std::string(x.exempt ? "true" : "false"), CsvField(x.reason)}) {
      cells.push_back(cell);
    }
  }
  return cells;
}

void WriteCsvLine(std::ostream& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) out << (i == 0 ? "" : ",") << cells[i];
  out << '\n';
}

void WriteJsonRow(std::ostream& out, const EvaluatedRow& row) {
  const Evaluation& e = row.evaluation;
  const StationParameters& s = e.station;
  out << "    {\"band\": " << (row.band.empty() ? std::string("null") : JsonString(row.band))
      << ", \"frequency_mhz\": " << JsonNumber(s.frequencyMHz) << ", \"power_watts\": " << s.powerWatts
      << ", \"duty_cycle_percent\": " << s.dutyCyclePercent
      << ", \"feedline_loss_db\": " << JsonNumber(s.feedlineLossDb)
      << ", \"antenna_gain_dbi\": " << JsonNumber(s.antennaGainDbi) << ", \"eirp_watts\": " << JsonNumber(s.eirpWatts)
      << ",\n     \"controlled_limit_mw_cm2\": " << JsonNumber(s.controlledLimit)
      << ", \"uncontrolled_limit_mw_cm2\": " << JsonNumber(s.uncontrolledLimit)
      << ", \"controlled_distance_m\": " << JsonNumber(e.controlledDistanceMeters)
      << ", \"uncontrolled_distance_m\": " << JsonNumber(e.uncontrolledDistanceMeters)
      << ", \"controlled_distance\": " << JsonString(e.controlledDistanceText)
      << ", \"uncontrolled_distance\": " << JsonString(e.uncontrolledDistanceText) << ",\n     \"at\": [";
  for (std::size_t i = 0; i < e.checks.size(); ++i) {
    const DistanceCheck& c = e.checks[i];
    out << (i == 0 ? "" : ", ") << "{\"distance\": " << JsonNumber(c.distance)
        << ", \"units\": " << JsonString(s.englishUnits != 0 ? "feet" : "meters")
        << ", \"distance_m\": " << JsonNumber(c.meters) << ", \"density_mw_cm2\": " << JsonNumber(c.density)
        << ", \"controlled\": {\"percent_of_limit\": " << JsonNumber(c.controlledPercent)
        << ", \"complies\": " << (c.controlledComplies ? "true" : "false")
        << "}, \"uncontrolled\": {\"percent_of_limit\": " << JsonNumber(c.uncontrolledPercent)
        << ", \"complies\": " << (c.uncontrolledComplies ? "true" : "false") << "}}";
  }
  out << "]";
  if (e.exemption) {
    const ExemptionCheck& x = *e.exemption;
    out << ",\n     \"exemption\": {\"distance_m\": " << JsonNumber(x.distanceMeters)
        << ", \"erp_watts\": " << JsonNumber(x.erpWatts)
        << ", \"lambda_over_2pi_m\": " << JsonNumber(x.lambdaOver2PiMeters)
        << ", \"threshold_watts\": " << (x.thresholdWatts ? JsonNumber(*x.thresholdWatts) : std::string("null"))
        << ", \"exempt\": " << (x.exempt ? "true" : "false") << ", \"reason\": " << JsonString(x.reason) << "}";
  }
  out << "}";
}

void WriteJson(std::ostream& out, const std::vector<EvaluatedRow>& rows) {
  out << "{\n  \"results\": [\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    WriteJsonRow(out, rows[i]);
    out << (i + 1 < rows.size() ? ",\n" : "\n");
  }
  out << "  ]\n}\n";
}

void WriteCsv(std::ostream& out, const std::vector<EvaluatedRow>& rows) {
  if (rows.empty()) return;
  WriteCsvLine(out, CsvHeader(rows.front().evaluation));
  for (const auto& row : rows) WriteCsvLine(out, CsvRow(row));
}

// Columns padded to their widest cell.
void WriteTextTable(std::ostream& out, const std::vector<std::vector<std::string>>& table) {
  std::vector<std::size_t> widths;
  for (const auto& row : table) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
  }
  for (const auto& row : table) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - row[i].size() + 2, ' ');
    }
    out << line << '\n';
  }
}

}  // namespace

void WriteSingle(std::ostream& out, OutputFormat format, const Evaluation& evaluation) {
  if (format == OutputFormat::kCsv) return WriteCsv(out, {{"", evaluation}});
  if (format == OutputFormat::kJson) return WriteJson(out, {{"", evaluation}});
  for (const auto& line :
       ResultBlockLines(evaluation.station, evaluation.controlledDistanceText, evaluation.uncontrolledDistanceText)) {
    out << ToLf(line) << '\n';
  }
  for (const auto& check : evaluation.checks) out << CheckText(check, evaluation.station) << '\n';
  if (evaluation.exemption) out << ExemptionText(*evaluation.exemption) << '\n';
}

void WriteBands(std::ostream& out, OutputFormat format, const std::vector<EvaluatedRow>& rows) {
  if (format == OutputFormat::kCsv) return WriteCsv(out, rows);
  if (format == OutputFormat::kJson) return WriteJson(out, rows);
  if (rows.empty()) return;
  const Evaluation& first = rows.front().evaluation;
  const StationParameters& s = first.station;
  out << "RF exposure evaluation: " << s.powerWatts << " Watts, duty cycle " << s.dutyCyclePercent
      << " %, antenna gain " << FormatFixed(s.antennaGainDbi, 2) << " dBi\n"
      << "Each band at the edge that needs the larger uncontrolled distance; limits in mW/cm2.\n\n";
  std::vector<std::vector<std::string>> table;
  std::vector<std::string> header = {
      "Band", "MHz", "Loss dB", "EIRP W", "Controlled", "Uncontrolled", "Controlled distance", "Uncontrolled distance"};
  for (const auto& check : first.checks) {
    header.push_back("At " + FormatFixed(check.distance, 1) + " " + Units(s) + " (controlled / uncontrolled)");
  }
  if (first.exemption) header.push_back("Exemption at " + FormatFixed(first.exemption->distanceMeters, 2) + " m");
  table.push_back(header);
  for (const auto& row : rows) {
    const Evaluation& e = row.evaluation;
    std::vector<std::string> cells = {row.band,
                                      FormatGeneral(e.station.frequencyMHz, 10),
                                      FormatFixed(e.station.feedlineLossDb, 2),
                                      FormatFixed(e.station.eirpWatts, 2),
                                      FormatFixed(e.station.controlledLimit, 2),
                                      FormatFixed(e.station.uncontrolledLimit, 2),
                                      e.controlledDistanceText,
                                      e.uncontrolledDistanceText};
    for (const auto& c : e.checks) {
      cells.push_back(FormatFixed(c.controlledPercent, 1) + " % " + Verdict(c.controlledComplies) + " / " +
                      FormatFixed(c.uncontrolledPercent, 1) + " % " + Verdict(c.uncontrolledComplies));
    }
    if (e.exemption) cells.push_back(e.exemption->exempt ? "exempt" : "evaluation required");
    table.push_back(cells);
  }
  WriteTextTable(out, table);
}

}  // namespace zento::cli
