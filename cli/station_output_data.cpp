// A station's evaluation as CSV (one row per transmitter, band and environment) and JSON.
#include <nlohmann/json.hpp>

#include <cmath>

#include "cli/near_field_output.h"
#include "cli/station_output.h"
#include "core/number_text.h"
#include "core/site.h"
#include "core/thresholds.h"

namespace zento::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Number(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }
std::string Cell(double v) { return CsvNumber(v); }
std::string Cell(bool v) { return v ? "true" : "false"; }
std::string_view EnvironmentKey(Environment e) { return e == Environment::kControlled ? "controlled" : "uncontrolled"; }

Json LimitJson(const Limit& limit) {
  return {{"s_w_m2", Number(limit.sWm2)},
          {"e_v_m", Number(limit.eVm)},
          {"h_a_m", Number(limit.hAm)},
          {"instantaneous", limit.instantaneous},
          {"averaging_minutes", limit.instantaneous ? Json(nullptr) : Number(limit.averagingMinutes)},
          {"basis", limit.basis}};
}

Json EnvironmentJson(const EnvironmentResult& e) {
  return {{"frequency_mhz", Number(e.frequencyMHz)},
          {"feedline_loss_db", Number(e.feedlineLossDb)},
          {"averaging_minutes", Number(e.averagingMinutes)},
          {"time_factor", Number(e.timeFactor)},
          {"average_eirp_watts", Number(e.averageEirpWatts)},
          {"peak_eirp_watts", Number(e.peakEirpWatts)},
          {"limit", LimitJson(e.limit)},
          {"safe_distance_m", Number(e.safeDistanceMeters)},
          {"reactive_near_field", e.reactiveNearField},
          {"horizontal_distance_m", e.horizontalMeters ? Number(*e.horizontalMeters) : Json(nullptr)},
          {"met_everywhere_at_height", e.metEverywhereAtHeight}};
}

Json BandJson(const Station& s, const BandResult& b) {
  Json band = {{"band", b.band},
               {"low_mhz", Number(b.lowMHz)},
               {"high_mhz", Number(b.highMHz)},
               {"problem", b.problem.empty() ? Json(nullptr) : Json(b.problem)}};
  if (!b.problem.empty()) return band;
  for (const Environment env : kEnvironments) band[EnvironmentKey(env)] = EnvironmentJson(b.In(env));
  Json places = Json::array();
  for (std::size_t p = 0; p < b.places.size(); ++p) {
    const PlaceShare& share = b.places[p];
    places.push_back({{"place", s.places[p].name},
                      {"frequency_mhz", Number(share.frequencyMHz)},
                      {"distance_m", Number(share.distanceMeters)},
                      {"reactive_near_field", share.reactiveNearField},
                      {"at_antenna", AtAntenna(share.share)},
                      {"s_w_m2", Number(share.sWm2)},
                      {"e_v_m", Number(FieldStrengthVm(share.sWm2))},
                      {"h_a_m", Number(MagneticFieldAm(share.sWm2))},
                      {"percent_of_limit", Number(100.0 * share.share)},
                      {"limit", LimitJson(share.limit)}});
  }
  band["places"] = std::move(places);
  if (const auto threshold = CheckThreshold(s.rules, b.peakEirpWatts)) {
    band["threshold"] = {{"peak_eirp_watts", Number(b.peakEirpWatts)},
                         {"required", threshold->required},
                         {"statement", threshold->statement}};
  }
  if (b.exemption) {
    const ExemptionCheck& x = *b.exemption;
    band["exemption"] = {{"frequency_mhz", Number(b.exemptionFrequencyMHz)},
                         {"distance_m", Number(x.distanceMeters)},
                         {"erp_watts", Number(x.erpWatts)},
                         {"lambda_over_2pi_m", Number(x.lambdaOver2PiMeters)},
                         {"threshold_watts", x.thresholdWatts ? Number(*x.thresholdWatts) : Json(nullptr)},
                         {"exempt", x.exempt},
                         {"reason", x.reason}};
  }
  return band;
}

}  // namespace

void WriteStationJson(std::ostream& out, const Station& s, const StationResult& result,
                      const StationNearField* nearField) {
  const RuleSetInfo& info = Info(s.rules);
  Json root = {{"station",
                {{"callsign", s.callsign},
                 {"location", s.location},
                 {"rules", {{"key", info.key}, {"name", info.name}, {"citation", info.citation}}},
                 {"ground_reflection", s.groundReflection},
                 {"ground_factor", GroundFactor(s)},
                 {"person_height_m", s.personHeightMeters}}}};
  Json places = Json::array();
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const PlaceVerdict& v = result.places[p];
    Json names = Json::array();
    for (const std::size_t t : v.transmitters) names.push_back(s.transmitters[t].name);
    places.push_back({{"name", s.places[p].name},
                      {"environment", EnvironmentKey(s.places[p].environment)},
                      {"percent_of_limit", Number(100.0 * v.share)},
                      {"at_antenna", AtAntenna(v.share)},
                      {"transmitters", std::move(names)},
                      {"complies", v.complies}});
  }
  root["places"] = std::move(places);
  Json transmitters = Json::array();
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const TransmitterResult& r = result.transmitters[t];
    Json bands = Json::array();
    for (const BandResult& band : r.bands) bands.push_back(BandJson(s, band));
    transmitters.push_back({{"name", s.transmitters[t].name},
                            {"power_watts", Number(s.transmitters[t].powerWatts)},
                            {"duty_percent", Number(r.dutyPercent)},
                            {"gain_dbi", Number(r.gainDbi)},
                            {"bands", std::move(bands)}});
  }
  root["transmitters"] = std::move(transmitters);
  if (const auto areas = CheckControllableArea(s, result); !areas.empty()) {
    Json checks = Json::array();
    for (const AreaCheck& a : areas) {
      checks.push_back({{"transmitter", s.transmitters[a.transmitter].name},
                        {"band", result.transmitters[a.transmitter].bands[a.band].band},
                        {"safety_distance_m", Number(a.safetyDistanceMeters)},
                        {"inside", a.check.inside},
                        {"margin_m", Number(a.check.marginMeters)}});
    }
    root["controllable_area"] = std::move(checks);
  }
  if (nearField) root["near_field"] = NearFieldJson(s, result, *nearField);
  out << root.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

void WriteStationCsv(std::ostream& out, const Station& s, const StationResult& result,
                     const StationNearField* nearField) {
  out << "transmitter,band,environment,frequency_mhz,feedline_loss_db,duty_percent,averaging_minutes,time_factor,"
         "average_eirp_watts,peak_eirp_watts,limit_w_m2,limit_e_v_m,limit_h_a_m,limit_instantaneous,limit_basis,"
         "safe_distance_m,reactive_near_field,"
         "horizontal_distance_m,met_everywhere_at_height";
  for (std::size_t p = 1; p <= s.places.size(); ++p) {
    out << ",place" << p << "_percent_of_limit,place" << p << "_frequency_mhz,place" << p << "_reactive_near_field";
  }
  out << ",exempt,exemption_frequency_mhz,threshold_required,problem" << (nearField ? NearFieldCsvHeader(s) : "")
      << "\n";
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const TransmitterResult& r = result.transmitters[t];
    for (const BandResult& b : r.bands) {
      for (const Environment env : kEnvironments) {
        const std::string lead =
            CsvField(s.transmitters[t].name) + "," + CsvField(b.band) + "," + std::string(EnvironmentKey(env));
        if (!b.problem.empty()) {
          out << lead << std::string(20 + 3 * s.places.size(), ',') << CsvField(b.problem)
              << (nearField ? std::string(2 + s.places.size(), ',') : "") << '\n';
          continue;
        }
        const EnvironmentResult& e = b.In(env);
        out << lead << ',' << Cell(e.frequencyMHz) << ',' << Cell(e.feedlineLossDb) << ',' << Cell(r.dutyPercent) << ','
            << Cell(e.averagingMinutes) << ',' << Cell(e.timeFactor) << ',' << Cell(e.averageEirpWatts) << ','
            << Cell(e.peakEirpWatts) << ',' << Cell(e.limit.sWm2) << ',' << Cell(e.limit.eVm) << ','
            << Cell(e.limit.hAm) << ',' << Cell(e.limit.instantaneous) << ',' << CsvField(std::string(e.limit.basis))
            << ',' << Cell(e.safeDistanceMeters) << ',' << Cell(e.reactiveNearField) << ','
            << (e.horizontalMeters ? Cell(*e.horizontalMeters) : "") << ',' << Cell(e.metEverywhereAtHeight);
        for (std::size_t p = 0; p < s.places.size(); ++p) {
          if (s.places[p].environment == env) {
            const double share = b.places[p].share;
            out << ',' << (AtAntenna(share) ? "at the antenna" : Cell(100.0 * share)) << ','
                << Cell(b.places[p].frequencyMHz) << ',' << Cell(b.places[p].reactiveNearField);
          } else {
            out << ",,,";
          }
        }
        const bool exemption = b.exemption && env == Environment::kUncontrolled;
        const auto threshold = CheckThreshold(s.rules, b.peakEirpWatts);
        out << ',' << (exemption ? Cell(b.exemption->exempt) : "") << ','
            << (exemption ? Cell(b.exemptionFrequencyMHz) : "") << ","
            << (threshold && env == Environment::kControlled ? Cell(threshold->required) : "") << ","
            << (nearField ? NearFieldCsvCells(s, *nearField, t, static_cast<std::size_t>(&b - r.bands.data()), env)
                          : "")
            << "\n";
      }
    }
  }
}

}  // namespace zento::cli
