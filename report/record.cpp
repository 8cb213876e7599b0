#include "report/record.h"

#include <chrono>
#include <ctime>

#include "core/number_text.h"
#include "core/thresholds.h"
#include "report/html_builder.h"
#include "report/record_near_field.h"
#include "report/record_profile.h"
#include "report/station_text.h"

namespace zento {
namespace {

// On a screen the page is a centred column; printed, the paper's margins are the only ones.
constexpr const char* kScreenBody =
    "body{font-family:sans-serif;font-size:10pt;color:#000;max-width:60em;margin:1.5em auto;padding:0 1em}";
constexpr const char* kPaperBody = "body{font-family:sans-serif;font-size:10pt;color:#000}";
constexpr const char* kStyle =
    "h1{font-size:16pt}h2{font-size:12pt;margin-top:1.4em;border-bottom:1px solid #888}"
    "table{border-collapse:collapse;margin:0.4em 0}th,td{border:1px solid #999;padding:2px 5px;"
    "text-align:left;vertical-align:top}th{background:#eee}td.n{text-align:right}td.f{white-space:nowrap}"
    ".exceeds{color:#b00020;font-weight:bold}.complies{color:#1b5e20}";
constexpr const char* kPrintRules =
    "@media print{body{margin:0;max-width:none}h2,h3{break-after:avoid}tr,svg,img{break-inside:avoid}}";

}  // namespace

std::string VerdictWords(bool complies) { return complies ? "COMPLIES" : "EXCEEDS THE LIMIT"; }

namespace {

void Inputs(Html& h, const Station& s, const StationResult& result) {
  h.Raw("<h2>Inputs</h2>\n<table>\n");
  h.Row({"Place", "Where", "Environment"}, true);
  for (const Place& p : s.places) {
    h.Row({p.name, WhereText(s, p), EnvironmentName(s, p.environment)});
  }
  h.Raw("</table>\n<table>\n");
  h.Row({"Transmitter", "Power", "Mode and time", "Bands", "Feedline", "Antenna", "At the same time as"}, true);
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const Transmitter& tx = s.transmitters[t];
    std::string bands, with;
    for (const auto& b : tx.bands) {
      bands += (bands.empty() ? "" : ", ") + (b.name.empty() ? FrequencyText(b.frequencyMHz) + " MHz" : b.name);
    }
    for (const auto& name : tx.simultaneousWith) with += (with.empty() ? "" : ", ") + name;
    h.Row({tx.name, FormatGeneral(tx.powerWatts, 10) + " W PEP", ModeText(tx, result.transmitters[t].dutyPercent),
           bands, FeedlineText(tx.feedline), AntennaText(s, tx), with.empty() ? "-" : with});
  }
  h.Raw("</table>\n<p>");
  h.Text("People are taken to be " + StationDistance(s, s.personHeightMeters) + " above the ground.");
  if (s.exemptionDistanceMeters)
    h.Text(" The exemption is checked at " + StationDistance(s, *s.exemptionDistanceMeters) + ".");
  h.Raw("</p>\n");
}

// Each environment of each band: what the antenna radiates, the limit, and where it is met. Few
// enough columns for a page, each figure whole on its line.
void FiguresTable(Html& h, const Station& s, const TransmitterResult& r) {
  h.Raw("<table>\n");
  h.Row({"Band", "Environment", "MHz", "Window, on the air", "Loss dB", "EIRP W", "Limit", "Binding limit",
         "Safe distance", "From the mast"},
        true);
  for (const BandResult& b : r.bands) {
    if (!b.problem.empty()) {
      h.Row({b.band, b.problem});
      continue;
    }
    for (const Environment env : kEnvironments) {
      const EnvironmentResult& e = b.In(env);
      h.Raw("<tr>");
      // A band's two environments together, under one band cell.
      if (env == Environment::kControlled) h.Element("td", b.band, "rowspan=\"2\"");
      h.Element("td", env == Environment::kControlled ? "controlled" : "uncontrolled");
      h.Figures({FrequencyText(e.frequencyMHz)});
      h.Figures({FormatGeneral(e.averagingMinutes, 3) + " min", FormatFixed(100.0 * e.timeFactor, 0) + " %"});
      h.Figures({FormatFixed(e.feedlineLossDb, 2)});
      h.Figures({FormatFixed(e.ComparedEirpWatts(), 1)});
      h.Figures({FormatGeneral(e.limit.sWm2, 4) + " W/m\xC2\xB2", FormatGeneral(e.limit.eVm, 4) + " V/m",
                 FormatGeneral(e.limit.hAm, 4) + " A/m"});
      h.Element("td", Nb(LimitBasisText(e.limit)));
      h.Figures({SafeDistanceText(s, e)});
      h.Element("td", Nb(HorizontalText(s, e)));
      h.Raw("</tr>\n");
    }
  }
  h.Raw("</table>\n");
  bool reactive = false;
  for (const BandResult& b : r.bands) {
    for (const EnvironmentResult& e : b.environments) reactive = reactive || (b.problem.empty() && e.reactiveNearField);
    for (const PlaceShare& p : b.places) reactive = reactive || p.reactiveNearField;
  }
  if (reactive) {
    h.Raw("<p>");
    h.Text(kReactiveNearFieldNote);
    h.Raw("</p>\n");
  }
}

// The exemption of each band, with the reason where it does not apply: a table of its own, for
// the reasons are sentences.
void ExemptionTable(Html& h, const Station& s, const TransmitterResult& r) {
  if (CheckThreshold(s.rules, 0.0)) {
    h.Raw("<table>\n");
    h.Row({"Band", "Threshold"}, true);
    for (const BandResult& b : r.bands) {
      if (b.problem.empty()) h.Row({b.band, Nb(ThresholdText(s, b))});
    }
    h.Raw("</table>\n");
  }
  if (s.rules != RuleSet::kFcc) return;
  h.Raw("<table>\n");
  h.Row({"Band", "Exemption (47 CFR 1.1307(b)(3))"}, true);
  for (const BandResult& b : r.bands) {
    if (b.problem.empty()) h.Row({b.band, Nb(ExemptionWithReason(b))});
  }
  h.Raw("</table>\n");
}

// Each band's share of the limit at each place, in the place's own environment: a row a band,
// the bands of a place together.
void SharesTable(Html& h, const Station& s, const TransmitterResult& r) {
  std::size_t bands = 0;
  for (const BandResult& b : r.bands) bands += b.problem.empty() ? 1u : 0u;
  if (s.places.empty() || bands == 0) return;
  h.Raw("<table>\n");
  h.Row({"Place", "Band", "Share of the limit", "Power density", "Binding limit"}, true);
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    bool first = true;
    for (const BandResult& b : r.bands) {
      if (!b.problem.empty()) continue;
      const PlaceShare& share = b.places[p];
      h.Raw("<tr>");
      if (first) h.Element("th", s.places[p].name, "rowspan=\"" + std::to_string(bands) + "\" scope=\"rowgroup\"");
      first = false;
      h.Element("td", b.band);
      h.Element("td", PercentText(share.share) + (share.reactiveNearField ? " *" : ""), "class=\"n\"");
      if (AtAntenna(share.share)) {
        h.Element("td", "-");
        h.Element("td", "-");
      } else {
        h.Figures({FormatGeneral(share.sWm2, 3) + " W/m\xC2\xB2 at " + FrequencyText(share.frequencyMHz) + " MHz"});
        h.Element("td", Nb(LimitBasisText(share.limit)));
      }
      h.Raw("</tr>\n");
    }
  }
  h.Raw("</table>\n");
}

void Results(Html& h, const Station& s, const StationResult& result) {
  h.Raw("<h2>Results</h2>\n<p>");
  h.Text("Controlled: " + EnvironmentName(s, Environment::kControlled) +
         "; uncontrolled: " + EnvironmentName(s, Environment::kUncontrolled) +
         ". The window is the rule's averaging time, with the share of it spent transmitting.");
  h.Raw("</p>\n");
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    h.Element("h3", s.transmitters[t].name);
    h.Raw("\n");
    FiguresTable(h, s, result.transmitters[t]);
    ExemptionTable(h, s, result.transmitters[t]);
    SharesTable(h, s, result.transmitters[t]);
  }
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#x27;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string TodayIso() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[16] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

std::string EvaluationRecordHtml(const Station& s, const StationResult& result, const RecordInfo& info) {
  const RuleSetInfo& rules = Info(s.rules);
  const std::string who = s.callsign.empty() ? std::string("a station") : s.callsign;
  Html h;
  h.Raw("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
  h.Text("RF exposure evaluation of " + who);
  h.Raw("</title>\n<style>");
  h.Raw(info.paper ? kPaperBody : kScreenBody);
  h.Raw(kStyle);
  if (!info.paper) h.Raw(kPrintRules);
  h.Raw("</style>\n</head>\n<body>\n");
  h.Element("h1", "RF exposure evaluation of " + who);
  h.Raw("\n<p>");
  if (!s.location.empty()) h.Text(s.location + ". ");
  h.Text("Evaluated on " + info.date + " with ZENTO " + info.version + ".");
  h.Raw("</p>\n<h2>Rules</h2>\n<p>");
  h.Text(std::string(rules.name) + ": " + std::string(rules.citation) + ". Environments: " +
         std::string(rules.environmentNames[0]) + " and " + std::string(rules.environmentNames[1]) + ".");
  h.Raw("</p>\n<h2>Verdict at each place</h2>\n<table>\n");
  h.Row({"Place", "Share of the limit", "From", "Verdict"}, true);
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const PlaceVerdict& v = result.places[p];
    h.Raw("<tr>");
    h.Element("td", PlaceText(s, s.places[p]));
    h.Element("td", PercentText(v.share), "class=\"n\"");
    h.Element("td", VerdictParts(s, result, p));
    h.Element("td", VerdictWords(v.complies), v.complies ? "class=\"complies\"" : "class=\"exceeds\"");
    h.Raw("</tr>\n");
  }
  if (s.places.empty()) h.Row({"No place was named.", "", "", ""});
  h.Raw("</table>\n");
  AssessmentSection(h, s);
  Inputs(h, s, result);
  Results(h, s, result);
  RegulatorSection(h, s, result);
  if (const auto worst = WorstBand(result)) {
    if (const auto plot = MakePlot(s, result, worst->first, worst->second)) {
      h.Raw("<h2>Power density around the antenna</h2>\n<p>");
      h.Text(
          "The band with the largest safe distance. Solid lines: the power density; dashed: each limit; "
          "dots: where the limit is met; vertical lines: the places.");
      // The picture in a block of its own, not on the last line of the text above it.
      h.Raw("</p>\n<div class=\"plot\">");
      if (info.plotImageName.empty()) {
        h.Raw(PlotSvg(s, *plot, 720, 460));
      } else {
        h.Raw("<img src=\"" + HtmlEscape(info.plotImageName) + "\" width=\"720\" height=\"460\" alt=\"");
        h.Text(plot->title);
        h.Raw("\">");
      }
      h.Raw("</div>\n");
    }
  }
  if (info.nearField) NearFieldSection(h, s, result, *info.nearField);
  h.Raw("<h2>Assumptions</h2>\n<ul>\n");
  for (const auto& line : Assumptions(s)) {
    h.Element("li", line);
    h.Raw("\n");
  }
  h.Raw("</ul>\n<p>");
  h.Text("Generated by ZENTO " + info.version + " on " + info.date +
         ". The person responsible for the station "
         "should check the inputs; the figures are estimates, not measurements.");
  h.Raw("</p>\n</body>\n</html>\n");
  return h.Take();
}

}  // namespace zento
