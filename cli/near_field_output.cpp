#include "cli/near_field_output.h"

#include <cmath>

#include "cli/output.h"
#include "core/number_text.h"
#include "report/station_text.h"
#include "report/translation.h"

namespace zento::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Number(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }
std::string_view EnvironmentKey(Environment e) { return e == Environment::kControlled ? "controlled" : "uncontrolled"; }

const NearFieldBand* BandOf(const StationNearField& nf, std::size_t t, std::size_t b) {
  if (t >= nf.transmitters.size() || !nf.transmitters[t]) return nullptr;
  const auto& bands = nf.transmitters[t]->result.bands;
  return b < bands.size() && !bands[b].boundary[0].empty() ? &bands[b] : nullptr;
}

Json GridJson(const GridImage& g) {
  Json shares = Json::array();
  for (const double s : g.shares) shares.push_back(std::isfinite(s) ? Json(100.0 * s) : Json("at the antenna"));
  Json out = {{"columns", g.columns}, {"rows", g.rows}, {"step_m", Number(g.step)}};
  if (g.vertical) {
    out["bearing_deg"] = Number(g.bearingDegrees);
    out["first_across_m"] = Number(g.left);
    out["first_height_m"] = Number(g.bottom);
  } else {
    out["height_m"] = Number(g.heightMeters);
    out["first_x_m"] = Number(g.left);
    out["first_y_m"] = Number(g.bottom);
  }
  out["percent_of_limit"] = std::move(shares);  // rows from the bottom, each from the first point on
  return out;
}

}  // namespace

void WriteNearFieldText(std::ostream& out, const Station& s, const StationResult& far, const StationNearField& nf) {
  out << '\n' << Tr("Near field:") << '\n';
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    if (!nf.transmitters[t] && nf.problems[t].empty()) continue;
    // TRANSLATORS: %1 the transmitter's name, %2 its antenna's model.
    out << '\n'
        << Subst(Tr("Transmitter %1: %2"), {s.transmitters[t].name, AntennaModelText(s, s.transmitters[t])}) << '\n';
    if (!nf.transmitters[t]) {
      out << "  " << Subst(Tr("no near field: %1"), {TrText(nf.problems[t])}) << "\n";
      continue;
    }
    out << "  " << NearFieldMethodText(nf.transmitters[t]->method) << "\n";
    if (!nf.problems[t].empty()) out << "  " << Subst(Tr("no pictures: %1"), {TrText(nf.problems[t])}) << "\n";
    std::vector<std::vector<std::string>> table = {{Tr("Band"), Tr("Environment"),
                                                    Tr("Compliance boundary (near field)"),
                                                    Tr("Far-field formula, from the mast")}};
    for (std::size_t b = 0; b < far.transmitters[t].bands.size(); ++b) {
      const NearFieldBand* band = BandOf(nf, t, b);
      if (!band) continue;
      for (const Environment env : kEnvironments) {
        const auto& ff = band->farFieldMeters[static_cast<std::size_t>(env)];
        table.push_back({env == Environment::kControlled ? far.transmitters[t].bands[b].band : "",
                         EnvironmentName(s, env), BoundaryText(s, *band, env),
                         ff ? (*ff > 0.0 ? StationDistance(s, *ff) : Tr("none at the person height")) : "-"});
      }
    }
    if (table.size() > 1) WriteTextTable(out, table);
    const NearFieldTransmitter& r = nf.transmitters[t]->result;
    for (std::size_t p = 0; p < s.places.size(); ++p) {
      const NearFieldBand* band = BandOf(nf, t, r.worstBand[p]);
      if (!band) continue;
      const NearFieldShare& share = band->places[p];
      // TRANSLATORS: %1 a place, %2 its share of the limit with the near field, %3 the band, %4 the far-field
      // share.
      out << "  "
          << Subst(Tr("%1: %2 on %3; far field %4"),
                   {s.places[p].name, NearFieldShareText(share), far.transmitters[t].bands[r.worstBand[p]].band,
                    PercentText(far.transmitters[t].bands[r.worstBand[p]].places[p].share)})
          << "\n";
    }
  }
  if (!s.places.empty()) {
    // xgettext:no-c-format
    out << '\n' << Tr("At each place with the near field (100 % is the limit):") << '\n';
    if (const std::string standIn = FarFieldStandsInText(WithoutNearField(s, nf)); !standIn.empty()) {
      out << "  " << standIn << "\n";
    }
  }
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const PlaceVerdict& v = nf.places[p];
    out << "  " << s.places[p].name << ": " << PercentText(v.share) << ", "
        << (v.complies ? Tr("complies") : Tr("EXCEEDS THE LIMIT")) << "\n";
  }
}

Json NearFieldJson(const Station& s, const StationResult& far, const StationNearField& nf) {
  Json transmitters = Json::array();
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    Json entry = {{"name", s.transmitters[t].name}};
    if (!nf.transmitters[t]) {
      entry["problem"] = nf.problems[t].empty() ? Json("no antenna model") : Json(nf.problems[t]);
      transmitters.push_back(std::move(entry));
      continue;
    }
    const auto& e = *nf.transmitters[t];
    if (!nf.problems[t].empty()) entry["problem"] = nf.problems[t];  // the pictures', where they failed
    entry["method"] = {{"engine", e.method.engine},
                       {"ground", e.method.ground},
                       {"segments", e.method.segments},
                       {"frequencies_mhz", e.method.frequenciesMHz}};
    Json bands = Json::array();
    for (std::size_t b = 0; b < far.transmitters[t].bands.size(); ++b) {
      const NearFieldBand* band = BandOf(nf, t, b);
      Json j = {{"band", far.transmitters[t].bands[b].band}};
      if (!band) {
        bands.push_back(std::move(j));
        continue;
      }
      for (const Environment env : kEnvironments) {
        const auto i = static_cast<std::size_t>(env);
        Json directions = Json::array();
        for (const auto& d : band->boundary[i]) {
          directions.push_back({{"bearing_deg", Number(d.bearingDegrees)},
                                {"meters", Number(d.meters)},
                                {"beyond_reach", d.beyondReach},
                                {"over_wires", d.overWires}});
        }
        j[EnvironmentKey(env)] = {
            {"largest_m", Number(band->largestMeters[i])},
            {"far_field_m", band->farFieldMeters[i] ? Number(*band->farFieldMeters[i]) : Json(nullptr)},
            {"boundary", std::move(directions)}};
      }
      Json places = Json::array();
      for (std::size_t p = 0; p < s.places.size(); ++p) {
        const NearFieldShare& x = band->places[p];
        places.push_back(
            {{"place", s.places[p].name},
             {"at_antenna", x.atAntenna},
             {"frequency_mhz", Number(x.frequencyMHz)},
             {"e_v_m", x.atAntenna ? Json(nullptr) : Number(x.eVm)},
             {"h_a_m", x.atAntenna ? Json(nullptr) : Number(x.hAm)},
             {"s_e_w_m2", x.atAntenna ? Json(nullptr) : Number(x.eVm * x.eVm / 377.0)},
             {"s_h_w_m2", x.atAntenna ? Json(nullptr) : Number(377.0 * x.hAm * x.hAm)},
             {"percent_of_limit", Number(100.0 * x.share)},
             {"binds", x.atAntenna ? Json(nullptr) : Json(x.magnetic ? "H" : "E")},
             {"limit", x.atAntenna ? Json(nullptr) : Json(std::string(x.limit.basis))},
             {"far_field_percent_of_limit", Number(100.0 * far.transmitters[t].bands[b].places[p].share)}});
      }
      j["places"] = std::move(places);
      bands.push_back(std::move(j));
    }
    entry["bands"] = std::move(bands);
    if (e.grids) {
      entry["grids"] = {{"band", far.transmitters[t].bands[e.gridBand].band},
                        {"environment", "uncontrolled"},
                        {"horizontal", GridJson(e.grids->first)},
                        {"vertical", GridJson(e.grids->second)}};
    }
    transmitters.push_back(std::move(entry));
  }
  Json places = Json::array();
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const PlaceVerdict& v = nf.places[p];
    Json names = Json::array();
    for (const std::size_t t : v.transmitters) names.push_back(s.transmitters[t].name);
    places.push_back({{"name", s.places[p].name},
                      {"percent_of_limit", Number(100.0 * v.share)},
                      {"at_antenna", AtAntenna(v.share)},
                      {"transmitters", std::move(names)},
                      {"complies", v.complies}});
  }
  return {{"transmitters", std::move(transmitters)}, {"places", std::move(places)}};
}

std::string NearFieldCsvHeader(const Station& s) {
  std::string header = ",near_field_boundary_m,near_field_bearing_deg";
  for (std::size_t p = 1; p <= s.places.size(); ++p) header += ",place" + std::to_string(p) + "_near_field_percent";
  return header;
}

std::string NearFieldCsvCells(const Station& s, const StationNearField& nf, std::size_t t, std::size_t b,
                              Environment env) {
  const NearFieldBand* band = BandOf(nf, t, b);
  if (!band) return std::string(2 + s.places.size(), ',');
  const auto i = static_cast<std::size_t>(env);
  const BoundaryDirection* farthest = &band->boundary[i].front();
  for (const auto& d : band->boundary[i]) {
    if (d.meters > farthest->meters) farthest = &d;
  }
  std::string cells(",");  // appended piece by piece: g++ 12 -O3 misreads "," + temporary (-Werror=restrict)
  cells.append(CsvNumber(farthest->meters)).append(",").append(CsvNumber(farthest->bearingDegrees));
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const NearFieldShare& x = band->places[p];
    cells += ",";
    if (s.places[p].environment == env) cells += x.atAntenna ? "at the antenna" : CsvNumber(100.0 * x.share);
  }
  return cells;
}

}  // namespace zento::cli
