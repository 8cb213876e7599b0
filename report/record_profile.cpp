#include "report/record_profile.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/plot.h"
#include "core/site.h"
#include "core/thresholds.h"
#include "report/local_style.h"
#include "report/station_text.h"
#include "report/translation.h"

namespace zento {
namespace {

// Where a transmitter's mast stands on the site.
std::array<double, 2> Mast(const Transmitter& t) { return t.antenna.positionMeters.value_or(std::array<double, 2>{}); }

double Vertical(const Transmitter& t, double mainBeam) {
  return mainBeam * std::pow(10.0, -t.antenna.downwardAttenuationDb / 20.0);
}

void Germany(Html& h, const Station& s, const StationResult& result) {
  h.Block("h2", Tr("Notification data (BEMFV section 9)"));
  h.Block("p",
          Tr("The configuration of each transmitter and its safety distance (Sicherheitsabstand) by the "
             "Bundesnetzagentur's method: in the main beam (in Hauptstrahlrichtung) and straight down (in vertikaler "
             "Richtung), with the antenna's mounting height above the ground (Montagehöhe über Grund)."));
  h.Raw("<table>\n");
  h.Row({Tr("Transmitter"), Tr("Band"), Tr("Mode"), Tr("Power (PEP)"), Tr("Antenna"), "EIRP", Tr("In the main beam"),
         Tr("Vertical"), Tr("Mounting height"), Tr("Notification")},
        true);
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const Transmitter& tx = s.transmitters[t];
    for (const BandResult& b : result.transmitters[t].bands) {
      if (!b.problem.empty()) continue;
      const EnvironmentResult& e = b.In(Environment::kUncontrolled);
      const auto threshold = CheckThreshold(s.rules, b.peakEirpWatts);
      // TRANSLATORS: whether the notification to the Bundesnetzagentur is required.
      const std::string notification = threshold ? (threshold->required ? Tr("required") : Tr("not required")) : "-";
      h.Row({tx.name, b.band, ModeText(tx, result.transmitters[t].dutyPercent),
             LocalNumber(FormatGeneral(tx.powerWatts, 6)) + " W",
             LocalNumber(FormatGeneral(result.transmitters[t].gainDbi, 4)) + " dBi",
             LocalNumber(FormatGeneral(b.peakEirpWatts, 4)) + " W", SafeDistanceText(s, e),
             StationDistance(s, Vertical(tx, e.safeDistanceMeters)),
             tx.antenna.heightMeters ? StationDistance(s, *tx.antenna.heightMeters) : "-", notification});
    }
  }
  h.Raw("</table>\n");
  // The site's safety distance must lie inside the controllable area (section 8(2) no. 1).
  h.Block("h3", Tr("The controllable area (kontrollierbarer Bereich)"));
  if (s.siteOutline.size() < 3) {
    h.Block("p",
            Tr("No controllable area was given (the station file's site outline): whether each safety distance stays "
               "inside it (BEMFV section 8(2) no. 1) is not checked."));
    return;
  }
  h.Raw("<div class=\"plot\">");
  h.Raw(SiteSvg(s, result, 640, 480));
  h.Raw("</div>\n<ul>\n");
  for (const AreaCheck& a : CheckControllableArea(s, result)) {
    h.Element("li", ControllableAreaText(s, result, a), a.check.inside ? "class=\"complies\"" : "class=\"exceeds\"");
    h.Raw("\n");
  }
  h.Raw("</ul>\n");
}

void Uk(Html& h, const Station& s, const StationResult& result) {
  h.Block("h2", Tr("Configurations assessed"));
  h.Block(
      "p",
      Tr("Every configuration of band, power, mode, antenna and location, as the RSGB's guidance on Ofcom's licence "
         "condition lists them (Ofcom's own list of what the records hold could not be read here)."));
  h.Raw("<table>\n");
  h.Row({Tr("Transmitter"), Tr("Band"), Tr("Power"), Tr("Mode"), Tr("Antenna"), Tr("Location"), "EIRP", Tr("Assessment")},
        true);
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const Transmitter& tx = s.transmitters[t];
    // Appended piece by piece: GCC 12 warns falsely on "literal" + temporary at -O3.
    std::string location;
    if (tx.antenna.positionMeters) {
      location = "(";
      location += LocalNumber(FormatGeneral((*tx.antenna.positionMeters)[0], 6));
      location += ", ";
      location += LocalNumber(FormatGeneral((*tx.antenna.positionMeters)[1], 6));
      location += ") m";
    } else {
      location = Tr("the station's mast");
    }
    // TRANSLATORS: where the antenna stands, then the station's location.
    if (!s.location.empty()) location = Subst(Tr("%1, %2"), {location, s.location});
    for (const BandResult& b : result.transmitters[t].bands) {
      if (!b.problem.empty()) continue;
      const auto threshold = CheckThreshold(s.rules, b.peakEirpWatts);
      h.Row({tx.name, b.band, LocalNumber(FormatGeneral(tx.powerWatts, 6)) + " W",
             ModeText(tx, result.transmitters[t].dutyPercent), AntennaText(s, tx), location,
             LocalNumber(FormatGeneral(b.peakEirpWatts, 4)) + " W", threshold ? ThresholdText(s, b) : "-"});
    }
  }
  h.Raw("</table>\n");
}

}  // namespace

void AssessmentSection(Html& h, const Station& s) {
  h.Block("h2", Tr("Assessment"));
  if (!s.assessment) {
    h.Block("p", Tr("Not given: who assessed the station and when, the method, the measures that keep the public out "
                    "of where the limits are not met, and when it is assessed again (the station file's assessment)."));
    return;
  }
  const Assessment& a = *s.assessment;
  const auto or_none = [](const std::string& text) { return text.empty() ? std::string(Tr("not given")) : text; };
  h.Raw("<table>\n");
  h.Row({Tr("Assessed by"), or_none(a.assessor)});
  // TRANSLATORS: the date of the assessment follows.
  h.Row({TrIn("assessed on", "On"), or_none(LocalDate(a.date))});
  // TRANSLATORS: %1 the assessment's method as the station's operator wrote it.
  h.Row({Tr("Method and assumptions"),
         Subst(Tr("%1 (the assumptions of the evaluation are listed below)"), {or_none(a.method)})});
  h.Row({Tr("Measures keeping the public out"), or_none(a.measures)});
  h.Row({Tr("To be assessed again"), or_none(LocalDate(a.nextReview))});
  h.Raw("</table>\n");
}

void RegulatorSection(Html& h, const Station& s, const StationResult& result) {
  if (s.rules == RuleSet::kGermanyBemfv) Germany(h, s, result);
  if (s.rules == RuleSet::kUkOfcom) Uk(h, s, result);
}

std::string SiteSvg(const Station& s, const StationResult& result, int width, int height) {
  // The extent: the outline, every antenna's circle, every place with a position; square meters.
  double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
  const auto take = [&](double x, double y, double r) {
    minX = std::min(minX, x - r), maxX = std::max(maxX, x + r), minY = std::min(minY, y - r),
    maxY = std::max(maxY, y + r);
  };
  for (const auto& c : s.siteOutline) take(c[0], c[1], 0.0);
  std::vector<std::pair<std::array<double, 2>, double>> circles;
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const auto b = FarthestBand(result.transmitters[t]);
    const double r = b ? result.transmitters[t].bands[*b].In(Environment::kUncontrolled).safeDistanceMeters : 0.0;
    circles.push_back({Mast(s.transmitters[t]), r});
    take(circles.back().first[0], circles.back().first[1], r);
  }
  for (const Place& p : s.places) {
    if (p.positionMeters) take((*p.positionMeters)[0], (*p.positionMeters)[1], 0.0);
  }
  if (!(maxX > minX)) minX -= 1, maxX += 1;
  if (!(maxY > minY)) minY -= 1, maxY += 1;
  const double margin = 40.0;
  const double scale = std::min((width - 2 * margin) / (maxX - minX), (height - 2 * margin) / (maxY - minY));
  const auto X = [&](double x) { return FormatFixed(margin + (x - minX) * scale, 1); };
  const auto Y = [&](double y) { return FormatFixed(height - margin - (y - minY) * scale, 1); };
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) + "\" height=\"" +
                    std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) + " " +
                    std::to_string(height) +
                    "\" font-family=\"sans-serif\" font-size=\"11\" role=\"img\" aria-label=\"" +
                    HtmlEscape(Tr("The site from above: the controllable area and each antenna's safety distance")) +
                    "\">";
  svg.append("<title>").append(HtmlEscape(Tr("The site from above"))).append("</title>");
  std::string points;
  for (const auto& c : s.siteOutline) points.append(X(c[0])).append(",").append(Y(c[1])).append(" ");
  svg.append("<polygon points=\"").append(points).append("\" fill=\"#e8f0e8\" stroke=\"#1b5e20\" stroke-width=\"2\"/>");
  for (std::size_t t = 0; t < circles.size(); ++t) {
    const auto& [at, r] = circles[t];
    svg.append("<circle cx=\"").append(X(at[0])).append("\" cy=\"").append(Y(at[1])).append("\" r=\"");
    svg.append(FormatFixed(r * scale, 1)).append("\" fill=\"none\" stroke=\"#b00020\" stroke-dasharray=\"6 4\"/>");
    svg.append("<circle cx=\"").append(X(at[0])).append("\" cy=\"").append(Y(at[1])).append("\" r=\"3\"/>");
    svg.append("<text x=\"").append(X(at[0])).append("\" y=\"").append(Y(at[1])).append("\" dx=\"5\" dy=\"-5\">");
    // TRANSLATORS: an antenna's label on the site's picture: the transmitter and its safety distance.
    svg.append(HtmlEscape(Subst(Tr("%1 %2"), {s.transmitters[t].name, StationDistance(s, r)}))).append("</text>");
  }
  for (const Place& p : s.places) {
    if (!p.positionMeters) continue;
    const auto& at = *p.positionMeters;
    svg.append("<rect x=\"").append(FormatFixed(margin + (at[0] - minX) * scale - 3, 1)).append("\" y=\"");
    svg.append(FormatFixed(height - margin - (at[1] - minY) * scale - 3, 1));
    svg.append("\" width=\"6\" height=\"6\" fill=\"#1f4e9c\"/><text x=\"").append(X(at[0])).append("\" y=\"");
    svg.append(Y(at[1])).append("\" dx=\"5\" dy=\"12\">").append(HtmlEscape(p.name)).append("</text>");
  }
  svg.append("<text x=\"").append(std::to_string(width / 2)).append("\" y=\"").append(std::to_string(height - 8));
  svg.append("\" text-anchor=\"middle\">")
      .append(HtmlEscape(Tr("north up; green: the controllable area; dashed: "
                            "each antenna's safety distance in its main beam")));
  svg.append("</text></svg>");
  return svg;
}

}  // namespace zento
