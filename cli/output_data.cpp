// CSV (RFC 4180 quoting) and JSON (nlohmann-json) writers.
#include <nlohmann/json.hpp>

#include <cmath>

#include "cli/output.h"
#include "core/number_text.h"

namespace zento::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Number(double value) { return std::isfinite(value) ? Json(value) : Json(nullptr); }

std::string CsvBool(bool value) { return value ? "true" : "false"; }

// The figures of one evaluation, and for a band the edge each of them comes from.
struct Source {
  const Evaluation& main;
  const BandRow* band = nullptr;  // null for a single configuration

  const Evaluation& Edge(std::size_t index) const { return band ? band->edges[index] : main; }
  const Evaluation& Controlled() const { return band ? Edge(band->worst.controlled) : main; }
  const Evaluation& AtControlled(std::size_t k) const { return band ? Edge(band->worst.atControlled[k]) : main; }
  const Evaluation& AtUncontrolled(std::size_t k) const { return band ? Edge(band->worst.atUncontrolled[k]) : main; }
  const Evaluation& Exemption() const { return band ? Edge(band->worst.exemption) : main; }
};

struct Csv {
  std::vector<std::string> header, cells;
  void Add(std::string name, std::string cell) {
    header.push_back(std::move(name));
    cells.push_back(std::move(cell));
  }
};

Csv CsvOf(const Source& src) {
  const Evaluation& e = src.main;
  const StationParameters& s = e.station;
  const Evaluation& c = src.Controlled();
  Csv csv;
  csv.Add("band", src.band ? CsvField(src.band->band.name) : "");
  csv.Add("frequency_mhz", CsvNumber(s.frequencyMHz));
  csv.Add("power_watts", std::to_string(s.powerWatts));
  csv.Add("duty_cycle_percent", std::to_string(s.dutyCyclePercent));
  csv.Add("feedline_loss_db", CsvNumber(s.feedlineLossDb));
  csv.Add("antenna_gain_dbi", CsvNumber(s.antennaGainDbi));
  csv.Add("eirp_watts", CsvNumber(s.eirpWatts));
  csv.Add("controlled_limit_mw_cm2", CsvNumber(c.station.controlledLimit));
  csv.Add("uncontrolled_limit_mw_cm2", CsvNumber(s.uncontrolledLimit));
  csv.Add("controlled_distance_m", CsvNumber(c.controlledDistanceMeters));
  csv.Add("uncontrolled_distance_m", CsvNumber(e.uncontrolledDistanceMeters));
  csv.Add("controlled_distance", CsvField(c.controlledDistanceText));
  csv.Add("uncontrolled_distance", CsvField(e.uncontrolledDistanceText));
  if (src.band) csv.Add("controlled_frequency_mhz", CsvNumber(c.station.frequencyMHz));
  for (std::size_t k = 0; k < e.checks.size(); ++k) {
    const std::string at = "at" + std::to_string(k + 1) + "_";
    const DistanceCheck& check = e.checks[k];
    const Evaluation& ce = src.AtControlled(k);
    const Evaluation& ue = src.AtUncontrolled(k);
    csv.Add(at + "distance", CsvNumber(check.distance));
    csv.Add(at + "distance_m", CsvNumber(check.meters));
    csv.Add(at + "density_mw_cm2", CsvNumber(check.density));
    csv.Add(at + "controlled_percent", CsvNumber(ce.checks[k].controlledPercent));
    csv.Add(at + "controlled_complies", CsvBool(ce.checks[k].controlledComplies));
    csv.Add(at + "uncontrolled_percent", CsvNumber(ue.checks[k].uncontrolledPercent));
    csv.Add(at + "uncontrolled_complies", CsvBool(ue.checks[k].uncontrolledComplies));
    if (src.band) {
      csv.Add(at + "controlled_frequency_mhz", CsvNumber(ce.station.frequencyMHz));
      csv.Add(at + "uncontrolled_frequency_mhz", CsvNumber(ue.station.frequencyMHz));
    }
  }
  if (e.exemption) {
    const Evaluation& xe = src.Exemption();
    const ExemptionCheck& x = *xe.exemption;
    csv.Add("exemption_distance_m", CsvNumber(x.distanceMeters));
    csv.Add("erp_watts", CsvNumber(x.erpWatts));
    csv.Add("exemption_threshold_watts", x.thresholdWatts ? CsvNumber(*x.thresholdWatts) : "");
    csv.Add("exempt", CsvBool(x.exempt));
    csv.Add("exemption_reason", CsvField(x.reason));
    if (src.band) csv.Add("exemption_frequency_mhz", CsvNumber(xe.station.frequencyMHz));
  }
  if (src.band) csv.Add("no_limits", "");
  return csv;
}

Json EnvironmentJson(const Evaluation& e, std::size_t k, bool controlled, bool band) {
  const DistanceCheck& check = e.checks[k];
  Json env = {{"percent_of_limit", Number(controlled ? check.controlledPercent : check.uncontrolledPercent)},
              {"complies", controlled ? check.controlledComplies : check.uncontrolledComplies}};
  if (band) {
    env["frequency_mhz"] = Number(e.station.frequencyMHz);
    env["density_mw_cm2"] = Number(check.density);
  }
  return env;
}

Json JsonOf(const Source& src) {
  const Evaluation& e = src.main;
  const StationParameters& s = e.station;
  const Evaluation& c = src.Controlled();
  Json row = {{"band", src.band ? Json(src.band->band.name) : Json(nullptr)},
              {"frequency_mhz", Number(s.frequencyMHz)},
              {"power_watts", s.powerWatts},
              {"duty_cycle_percent", s.dutyCyclePercent},
              {"feedline_loss_db", Number(s.feedlineLossDb)},
              {"antenna_gain_dbi", Number(s.antennaGainDbi)},
              {"eirp_watts", Number(s.eirpWatts)},
              {"controlled_limit_mw_cm2", Number(c.station.controlledLimit)},
              {"uncontrolled_limit_mw_cm2", Number(s.uncontrolledLimit)},
              {"controlled_distance_m", Number(c.controlledDistanceMeters)},
              {"uncontrolled_distance_m", Number(e.uncontrolledDistanceMeters)},
              {"controlled_distance", c.controlledDistanceText},
              {"uncontrolled_distance", e.uncontrolledDistanceText}};
  if (src.band) row["controlled_frequency_mhz"] = Number(c.station.frequencyMHz);
  Json at = Json::array();
  for (std::size_t k = 0; k < e.checks.size(); ++k) {
    const DistanceCheck& check = e.checks[k];
    at.push_back({{"distance", Number(check.distance)},
                  {"units", s.englishUnits != 0 ? "feet" : "meters"},
                  {"distance_m", Number(check.meters)},
                  {"density_mw_cm2", Number(check.density)},
                  {"controlled", EnvironmentJson(src.AtControlled(k), k, true, src.band != nullptr)},
                  {"uncontrolled", EnvironmentJson(src.AtUncontrolled(k), k, false, src.band != nullptr)}});
  }
  row["at"] = std::move(at);
  if (e.exemption) {
    const Evaluation& xe = src.Exemption();
    const ExemptionCheck& x = *xe.exemption;
    row["exemption"] = {{"distance_m", Number(x.distanceMeters)},
                        {"erp_watts", Number(x.erpWatts)},
                        {"lambda_over_2pi_m", Number(x.lambdaOver2PiMeters)},
                        {"threshold_watts", x.thresholdWatts ? Number(*x.thresholdWatts) : Json(nullptr)},
                        {"exempt", x.exempt},
                        {"reason", x.reason}};
    if (src.band) row["exemption"]["frequency_mhz"] = Number(xe.station.frequencyMHz);
  }
  if (src.band) row["no_limits"] = nullptr;
  return row;
}

void WriteCsvLine(std::ostream& out, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) out << (i == 0 ? "" : ",") << cells[i];
  out << '\n';
}

void WriteResults(std::ostream& out, Json results) { out << Json{{"results", std::move(results)}}.dump(2) << '\n'; }

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string CsvNumber(double value) { return std::isfinite(value) ? FormatGeneral(value, 10) : ""; }

void WriteCsv(std::ostream& out, const Evaluation& evaluation) {
  const Csv csv = CsvOf({evaluation});
  WriteCsvLine(out, csv.header);
  WriteCsvLine(out, csv.cells);
}

void WriteCsv(std::ostream& out, const std::vector<BandRow>& rows) {
  const auto first = std::find_if(rows.begin(), rows.end(), [](const BandRow& r) { return r.HasLimits(); });
  if (first == rows.end()) return;
  const std::vector<std::string> header = CsvOf({first->Row(), &*first}).header;
  WriteCsvLine(out, header);
  for (const auto& row : rows) {
    if (row.HasLimits()) {
      WriteCsvLine(out, CsvOf({row.Row(), &row}).cells);
      continue;
    }
    std::vector<std::string> cells(header.size());
    cells.front() = CsvField(row.band.name);
    cells.back() = CsvField(row.noLimits);
    WriteCsvLine(out, cells);
  }
}

void WriteJson(std::ostream& out, const Evaluation& evaluation) {
  WriteResults(out, Json::array({JsonOf({evaluation})}));
}

void WriteJson(std::ostream& out, const std::vector<BandRow>& rows) {
  Json results = Json::array();
  for (const auto& row : rows) {
    results.push_back(row.HasLimits() ? JsonOf({row.Row(), &row})
                                      : Json{{"band", row.band.name}, {"no_limits", row.noLimits}});
  }
  WriteResults(out, std::move(results));
}

}  // namespace zento::cli
