#include "cli/output.h"

#include <algorithm>

#include "core/exposure.h"
#include "core/number_text.h"
#include "report/report_text.h"
#include "report/translation.h"

namespace zento::cli {
namespace {

std::string CheckText(const DistanceCheck& check, const StationParameters& s) {
  // TRANSLATORS: %1 a distance, %2 Feet or Meters, %3 a power density, %4 and %6 percentages, %5 and %7
  // "complies" or "exceeds".
  return Subst(Tr("At %1 %2: %3 mW/cm2; CONTROLLED %4 % of the limit, %5; UNCONTROLLED %6 % of the limit, %7"),
               {FormatFixed(check.distance, 1), UnitsName(s), FormatGeneral(check.density, 4),
                FormatFixed(check.controlledPercent, 1), Verdict(check.controlledComplies),
                FormatFixed(check.uncontrolledPercent, 1), Verdict(check.uncontrolledComplies)});
}

std::string ExemptionText(const ExemptionCheck& e) {
  const std::string distance = FormatFixed(e.distanceMeters, 2), erp = FormatFixed(e.erpWatts, 2);
  const std::string verdict = e.exempt ? Tr("exempt") : Tr("not exempt, an evaluation is required");
  const std::string reason = TrMarked(e.reasonText, e.reason);
  if (!e.thresholdWatts) {
    // TRANSLATORS: %1 a distance in m, %2 the ERP in W, %3 exempt or not, %4 why.
    return Subst(Tr("Exemption (47 CFR 1.1307(b)(3)(i)(C)) at %1 m: ERP %2 W: %3 (%4)"),
                 {distance, erp, verdict, reason});
  }
  // TRANSLATORS: %1 a distance in m, %2 the ERP in W, %3 the threshold in W, %4 exempt or not, %5 why.
  return Subst(Tr("Exemption (47 CFR 1.1307(b)(3)(i)(C)) at %1 m: ERP %2 W, threshold %3 W: %4 (%5)"),
               {distance, erp, FormatFixed(*e.thresholdWatts, 2), verdict, reason});
}

std::vector<std::string> TableHeader(const Evaluation& first) {
  std::vector<std::string> header = {Tr("Band"),
                                     "MHz",
                                     Tr("Loss dB"),
                                     Tr("EIRP W"),
                                     Tr("Controlled"),
                                     Tr("Uncontrolled"),
                                     Tr("Controlled distance"),
                                     Tr("Uncontrolled distance")};
  for (const auto& check : first.checks) {
    // TRANSLATORS: a column's header; %1 a distance, %2 Feet or Meters.
    header.push_back(
        Subst(Tr("At %1 %2 (controlled / uncontrolled)"), {FormatFixed(check.distance, 1), UnitsName(first.station)}));
  }
  if (first.exemption) {
    header.push_back(Subst(Tr("Exemption at %1 m"), {FormatFixed(first.exemption->distanceMeters, 2)}));
  }
  return header;
}

// FormatDistance's figure, its units named in the user's language.
std::string ShownDistance(const StationParameters& s, double meters) {
  return FormatFixed(s.englishUnits != 0 ? meters * kFeetPerMeterDistance : meters, 1) + " " + UnitsName(s);
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
  std::vector<std::string> cells = {
      std::string(row.band.name),
      FormatGeneral(main.station.frequencyMHz, 10),
      FormatFixed(main.station.feedlineLossDb, 2),
      FormatFixed(main.station.eirpWatts, 2),
      from(row.worst.controlled, FormatFixed(controlled.station.controlledLimit, 2)),
      FormatFixed(main.station.uncontrolledLimit, 2),
      from(row.worst.controlled, ShownDistance(controlled.station, controlled.controlledDistanceMeters)),
      ShownDistance(main.station, main.uncontrolledDistanceMeters)};
  for (std::size_t k = 0; k < main.checks.size(); ++k) {
    const std::size_t c = row.worst.atControlled[k], u = row.worst.atUncontrolled[k];
    const DistanceCheck& cc = row.edges[c].checks[k];
    const DistanceCheck& uc = row.edges[u].checks[k];
    cells.push_back(from(c, FormatFixed(cc.controlledPercent, 1) + " % " + Verdict(cc.controlledComplies)) + " / " +
                    from(u, FormatFixed(uc.uncontrolledPercent, 1) + " % " + Verdict(uc.uncontrolledComplies)));
  }
  if (main.exemption) {
    const std::size_t x = row.worst.exemption;
    cells.push_back(from(x, row.edges[x].exemption->exempt ? Tr("exempt") : Tr("evaluation required")));
  }
  return cells;
}

// Columns line up by characters, not bytes: a translated header may hold ä or é.
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void WriteTextTable(std::ostream& out, const std::vector<std::vector<std::string>>& table) {
  std::vector<std::size_t> widths;
  for (const auto& row : table) {
    widths.resize(std::max(widths.size(), row.size()));
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Width(row[i]));
  }
  for (const auto& row : table) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(widths[i] - Width(row[i]) + 2, ' ');
    }
    out << line << '\n';
  }
}

std::string Verdict(bool complies) { return complies ? Tr("complies") : Tr("exceeds"); }

std::string ShownProblem(const BandResult& band) { return TrMarked(band.problemText, band.problem); }

std::string UnitsName(const StationParameters& s) { return s.englishUnits != 0 ? Tr("Feet") : Tr("Meters"); }

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
  // TRANSLATORS: %1 the power in Watts, %2 the duty cycle in percent, %3 the antenna's gain in dBi.
  out << Subst(Tr("RF exposure evaluation: %1 Watts, duty cycle %2 %, antenna gain %3 dBi"),
               {std::to_string(s.powerWatts), std::to_string(s.dutyCyclePercent), FormatFixed(s.antennaGainDbi, 2)})
      << '\n'
      << Tr("Each figure is its band's worst case over the band's two edges. MHz is the edge with the larger\n"
            "uncontrolled distance; a figure from the other edge names its frequency. Limits in mW/cm2.")
      << "\n\n";
  std::vector<std::vector<std::string>> table = {TableHeader(first->Row())};
  for (const auto& row : rows) table.push_back(TableRow(row, table.front().size()));
  WriteTextTable(out, table);
  for (const auto& row : rows) {
    if (!row.HasLimits()) out << row.band.name << ": " << row.noLimitsShown << '\n';
  }
}

}  // namespace zento::cli
