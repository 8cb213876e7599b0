#include "cli/output.h"

#include <algorithm>

#include "core/number_text.h"
#include "report/report_text.h"

namespace zento::cli {
namespace {

std::string CheckText(const DistanceCheck& check, const StationParameters& s) {
  return "At " + FormatFixed(check.distance, 1) + " " + UnitsName(s) + ": " + FormatGeneral(check.density, 4) +
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

std::vector<std::string> TableHeader(const Evaluation& first) {
  std::vector<std::string> header = {
      "Band", "MHz", "Loss dB", "EIRP W", "Controlled", "Uncontrolled", "Controlled distance", "Uncontrolled distance"};
  for (const auto& check : first.checks) {
    header.push_back("At " + FormatFixed(check.distance, 1) + " " + UnitsName(first.station) +
                     " (controlled / uncontrolled)");
  }
  if (first.exemption) header.push_back("Exemption at " + FormatFixed(first.exemption->distanceMeters, 2) + " m");
  return header;
}

std::vector<std::string> TableRow(const BandRow& row, std::size_t columns) {
  if (!row.HasLimits()) {
    std::vector<std::string> cells(columns, "-");
    cells[0] = row.band.name;
    cells[1] = FormatGeneral(row.band.lowMHz, 10) + "-" + FormatGeneral(row.band.highMHz, 10);
    return cells;
  }
  const Evaluation& main = row.Row();
  // A figure from the other edge names its frequency.
  const auto from = [&](std::size_t edge, std::string text) {
    const double f = row.edges[edge].station.frequencyMHz;
    return f == main.station.frequencyMHz ? text : text + " (" + FormatGeneral(f, 10) + " MHz)";
  };
  const Evaluation& controlled = row.edges[row.worst.controlled];
  std::vector<std::string> cells = {std::string(row.band.name),
                                    FormatGeneral(main.station.frequencyMHz, 10),
                                    FormatFixed(main.station.feedlineLossDb, 2),
                                    FormatFixed(main.station.eirpWatts, 2),
                                    from(row.worst.controlled, FormatFixed(controlled.station.controlledLimit, 2)),
                                    FormatFixed(main.station.uncontrolledLimit, 2),
                                    from(row.worst.controlled, controlled.controlledDistanceText),
                                    main.uncontrolledDistanceText};
  for (std::size_t k = 0; k < main.checks.size(); ++k) {
    const std::size_t c = row.worst.atControlled[k], u = row.worst.atUncontrolled[k];
    const DistanceCheck& cc = row.edges[c].checks[k];
    const DistanceCheck& uc = row.edges[u].checks[k];
    cells.push_back(from(c, FormatFixed(cc.controlledPercent, 1) + " % " + Verdict(cc.controlledComplies)) + " / " +
                    from(u, FormatFixed(uc.uncontrolledPercent, 1) + " % " + Verdict(uc.uncontrolledComplies)));
  }
  if (main.exemption) {
    const std::size_t x = row.worst.exemption;
    cells.push_back(from(x, row.edges[x].exemption->exempt ? "exempt" : "evaluation required"));
  }
  return cells;
}

}  // namespace

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

std::string Verdict(bool complies) { return complies ? "complies" : "exceeds"; }

std::string UnitsName(const StationParameters& s) { return s.englishUnits != 0 ? "Feet" : "Meters"; }

void WriteSingle(std::ostream& out, OutputFormat format, const Evaluation& evaluation) {
  if (format == OutputFormat::kCsv) return WriteCsv(out, evaluation);
  if (format == OutputFormat::kJson) return WriteJson(out, evaluation);
  for (const auto& line :
       ResultBlockLines(evaluation.station, evaluation.controlledDistanceText, evaluation.uncontrolledDistanceText)) {
    out << ToLf(line) << '\n';
  }
  for (const auto& check : evaluation.checks) out << CheckText(check, evaluation.station) << '\n';
  if (evaluation.exemption) out << ExemptionText(*evaluation.exemption) << '\n';
}

void WriteBands(std::ostream& out, OutputFormat format, const std::vector<BandRow>& rows) {
  if (format == OutputFormat::kCsv) return WriteCsv(out, rows);
  if (format == OutputFormat::kJson) return WriteJson(out, rows);
  const auto first = std::find_if(rows.begin(), rows.end(), [](const BandRow& r) { return r.HasLimits(); });
  if (first == rows.end()) return;
  const StationParameters& s = first->Row().station;
  out << "RF exposure evaluation: " << s.powerWatts << " Watts, duty cycle " << s.dutyCyclePercent
      << " %, antenna gain " << FormatFixed(s.antennaGainDbi, 2) << " dBi\n"
      << "Each figure is its band's worst case over the band's two edges. MHz is the edge with the larger\n"
         "uncontrolled distance; a figure from the other edge names its frequency. Limits in mW/cm2.\n\n";
  std::vector<std::vector<std::string>> table = {TableHeader(first->Row())};
  for (const auto& row : rows) table.push_back(TableRow(row, table.front().size()));
  WriteTextTable(out, table);
  for (const auto& row : rows) {
    if (!row.HasLimits()) out << row.band.name << ": " << row.noLimits << '\n';
  }
}

}  // namespace zento::cli
