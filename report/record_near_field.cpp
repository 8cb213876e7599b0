#include "report/record_near_field.h"

#include "core/number_text.h"
#include "report/heat_map_svg.h"
#include "report/local_style.h"
#include "report/station_text.h"
#include "report/translation.h"

namespace zento {
namespace {

void BoundaryTables(Html& h, const Station& s, const BandResult& far, const NearFieldBand& band) {
  h.Raw("<table>\n");
  h.Row({Tr("Band"), Tr("Environment"), Tr("Compliance boundary (near field)"), Tr("Far-field formula, from the mast")},
        true);
  for (const Environment env : kEnvironments) {
    const auto& ff = band.farFieldMeters[static_cast<std::size_t>(env)];
    h.Row({far.band, EnvironmentName(s, env), BoundaryText(s, band, env),
           ff ? (*ff > 0.0 ? StationDistance(s, *ff) : std::string(Tr("none: met everywhere at the person height")))
              : Subst(Tr("%1 from the antenna"), {StationDistance(s, far.In(env).safeDistanceMeters)})});
  }
  h.Raw("</table>\n<table>\n");
  // The uncontrolled boundary in each direction, twelve directions to a row.
  const auto& dirs = band.boundary[static_cast<std::size_t>(Environment::kUncontrolled)];
  std::vector<std::string> header = {Tr("Bearing")};
  for (int c = 0; c < 12; ++c) header.push_back(LocalNumber(FormatGeneral(30.0 * c, 3)));
  for (int r = 0; r < 3; ++r) {
    std::vector<std::string> bearings = {Tr("degrees")}, distances = {Tr("boundary")};
    for (int c = 0; c < 12; ++c) {
      const auto& d = dirs[static_cast<std::size_t>(3 * c + r)];
      bearings.push_back(LocalNumber(FormatGeneral(d.bearingDegrees, 3)));
      distances.push_back(d.meters > 0.0 ? LocalNumber(FormatFixed(FromMeters(d.meters, s.units), 1)) + (d.beyondReach ? "*" : "")
                                         : "0");
    }
    h.Row(bearings, r == 0);
    h.Row(distances);
  }
  h.Raw("</table>\n<p>");
  // TRANSLATORS: %1 the uncontrolled environment's name.
  h.Text(Subst(s.units == LengthUnit::kFeet
                   ? Tr("Boundary in each direction in feet along the ground from the mast (%1); * past the computed "
                        "points, where the far-field formula's distance stands.")
                   : Tr("Boundary in each direction in meters along the ground from the mast (%1); * past the computed "
                        "points, where the far-field formula's distance stands."),
               {EnvironmentName(s, Environment::kUncontrolled)}));
  h.Raw("</p>\n");
}

void PlacesTable(Html& h, const Station& s, const StationResult& farField, std::size_t t,
                 const NearFieldTransmitter& near) {
  if (s.places.empty()) return;
  h.Raw("<table>\n");
  h.Row({Tr("Place"), Tr("Band"), Tr("Near field"), Tr("Limit that binds"), Tr("Far field")}, true);
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const std::size_t b = near.worstBand[p];
    if (b >= near.bands.size() || near.bands[b].places.empty()) continue;
    const NearFieldShare& share = near.bands[b].places[p];
    h.Row({s.places[p].name, farField.transmitters[t].bands[b].band, NearFieldShareText(share),
           share.atAntenna ? std::string("-") : LimitBasisText(share.limit),
           PercentText(farField.transmitters[t].bands[b].places[p].share)});
  }
  h.Raw("</table>\n");
}

// The pictures of a transmitter's worst band: around the mast at the person height, and upright
// along the direction the boundary reaches farthest.
void Pictures(Html& h, const Station& s, const StationResult& farField, std::size_t t,
              const StationNearField::Transmitter& entry) {
  const auto& [horizontal, vertical] = *entry.grids;
  const BandResult& band = farField.transmitters[t].bands[entry.gridBand];
  const NearFieldBand& near = entry.result.bands[entry.gridBand];
  const auto& ff = near.farFieldMeters[static_cast<std::size_t>(Environment::kUncontrolled)];
  HeatMapMarks marks;
  marks.units = s.units;
  marks.wires = entry.wires;
  if (ff && *ff > 0.0) marks.farFieldMeters = *ff;
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    if (!s.places[p].positionMeters || near.places.empty()) continue;
    marks.places.push_back(
        {s.places[p].name, (*s.places[p].positionMeters)[0], (*s.places[p].positionMeters)[1], near.places[p].share});
  }
  // TRANSLATORS: a picture's title: %1 the transmitter, %2 the band, %3 the height of the plane.
  marks.title = Subst(Tr("%1 on %2, %3 above the ground"),
                      {s.transmitters[t].name, band.band, StationDistance(s, horizontal.heightMeters)});
  h.Raw("<p>");
  // TRANSLATORS: %1 the uncontrolled environment's name.
  h.Text(Subst(Tr("Share of the %1 limit around the antenna (logarithmic colours; black: at the antenna), the worst "
                  "of E and H at each point. Solid line: 100 %, where the limit is met; dashed: the far-field "
                  "formula's distance, for comparison."),
               {EnvironmentName(s, Environment::kUncontrolled)}));
  h.Raw("</p>\n<div class=\"plot\">");
  h.Raw(HeatMapSvg(horizontal, marks, 640, 560));
  h.Raw("</div>\n<div class=\"plot\">");
  marks.places.clear();
  // TRANSLATORS: a picture's title: %1 the transmitter, %2 the band, %3 the bearing of the upright plane.
  marks.title = Subst(Tr("%1 on %2, upright toward %3 degrees"),
                      {s.transmitters[t].name, band.band, LocalNumber(FormatGeneral(vertical.bearingDegrees, 3))});
  h.Raw(HeatMapSvg(vertical, marks, 640, 420));
  h.Raw("</div>\n");
}

}  // namespace

void NearFieldSection(Html& h, const Station& s, const StationResult& farField, const StationNearField& nearField) {
  h.Block("h2", Tr("Near field"));
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const auto& entry = t < nearField.transmitters.size() ? nearField.transmitters[t] : std::nullopt;
    const std::string& problem = t < nearField.problems.size() ? nearField.problems[t] : std::string();
    if (!entry && problem.empty()) continue;
    h.Block("h3", Subst(Tr("%1: %2"), {s.transmitters[t].name, AntennaModelText(s, s.transmitters[t])}));
    h.Raw("<p>");
    if (!entry) {
      // TRANSLATORS: %1 why the near field could not be computed.
      h.Text(Subst(Tr("No near field: %1. The far-field figures above stand."), {TrText(problem)}));
      h.Raw("</p>\n");
      continue;
    }
    h.Text(NearFieldMethodText(entry->method));
    if (!problem.empty()) {
      h.Text(" ");
      h.Text(Subst(Tr("No pictures: %1."), {TrText(problem)}));
    }
    h.Raw("</p>\n");
    for (std::size_t b = 0; b < entry->result.bands.size(); ++b) {
      const NearFieldBand& band = entry->result.bands[b];
      if (band.boundary[0].empty()) continue;
      BoundaryTables(h, s, farField.transmitters[t].bands[b], band);
    }
    PlacesTable(h, s, farField, t, entry->result);
    if (entry->grids) Pictures(h, s, farField, t, *entry);
  }
  if (!s.places.empty()) {
    h.Block("h3", Tr("Verdict at each place with the near field"));
    if (const std::string standIn = FarFieldStandsInText(WithoutNearField(s, nearField)); !standIn.empty()) {
      h.Block("p", standIn);
    }
    h.Raw("<table>\n");
    h.Row({Tr("Place"), Tr("Share of the limit"), Tr("Verdict")}, true);
    for (std::size_t p = 0; p < s.places.size() && p < nearField.places.size(); ++p) {
      const PlaceVerdict& v = nearField.places[p];
      h.Raw("<tr>");
      h.Element("td", PlaceText(s, s.places[p]));
      h.Element("td", PercentText(v.share), "class=\"n\"");
      h.Element("td", VerdictWords(v.complies), v.complies ? "class=\"complies\"" : "class=\"exceeds\"");
      h.Raw("</tr>\n");
    }
    h.Raw("</table>\n");
  }
  h.Raw("<ul>\n");
  for (const auto& line : NearFieldAssumptions()) {
    h.Element("li", line);
    h.Raw("\n");
  }
  h.Raw("</ul>\n");
}

}  // namespace zento
