#include "report/record.h"

#include <chrono>
#include <ctime>

#include "core/number_text.h"
#include "core/thresholds.h"
#include "report/html_builder.h"
#include "report/record_near_field.h"
#include "report/record_profile.h"
#include "report/station_text.h"
#include "report/translation.h"

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

std::string VerdictWords(bool complies) { return complies ? Tr("COMPLIES") : Tr("EXCEEDS THE LIMIT"); }

namespace {

void Inputs(Html& h, const Station& s, const StationResult& result) {
  h.Block("h2", Tr("Inputs"));
  h.Raw("<table>\n");
  h.Row({Tr("Place"), Tr("Where"), Tr("Environment")}, true);
  for (const Place& p : s.places) {
    h.Row({p.name, WhereText(s, p), EnvironmentName(s, p.environment)});
  }
  h.Raw("</table>\n<table>\n");
  h.Row({Tr("Transmitter"), Tr("Power"), Tr("Mode and time"), Tr("Bands"), Tr("Feedline"), Tr("Antenna"),
         Tr("At the same time as")},
        true);
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const Transmitter& tx = s.transmitters[t];
    std::string bands, with;
    for (const auto& b : tx.bands) {
      bands += (bands.empty() ? "" : ", ") + (b.name.empty() ? FrequencyText(b.frequencyMHz) + " MHz" : b.name);
    }
    for (const auto& name : tx.simultaneousWith) with += (with.empty() ? "" : ", ") + name;
    h.Row({tx.name, LocalNumber(FormatGeneral(tx.powerWatts, 10)) + " W PEP", ModeText(tx, result.transmitters[t].dutyPercent),
           bands, FeedlineText(tx.feedline), AntennaText(s, tx), with.empty() ? "-" : with});
  }
  h.Raw("</table>\n<p>");
  h.Text(Subst(Tr("People are taken to be %1 above the ground."), {StationDistance(s, s.personHeightMeters)}));
  if (s.exemptionDistanceMeters) {
    h.Text(" ");
    h.Text(Subst(Tr("The exemption is checked at %1."), {StationDistance(s, *s.exemptionDistanceMeters)}));
  }
  h.Raw("</p>\n");
}

// Each environment of each band: what the antenna radiates, the limit, and where it is met. Few
// enough columns for a page, each figure whole on its line.
void FiguresTable(Html& h, const Station& s, const TransmitterResult& r) {
  h.Raw("<table>\n");
  h.Row({Tr("Band"), Tr("Environment"), "MHz", Tr("Window, on the air"), Tr("Loss dB"), Tr("EIRP W"), Tr("Limit"),
         Tr("Binding limit"), Tr("Safe distance"), Tr("From the mast")},
        true);
  for (const BandResult& b : r.bands) {
    if (!b.problem.empty()) {
      h.Row({b.band, TrMarked(b.problemText, b.problem)});
      continue;
    }
    for (const Environment env : kEnvironments) {
      const EnvironmentResult& e = b.In(env);
      h.Raw("<tr>");
      // A band's two environments together, under one band cell.
      if (env == Environment::kControlled) h.Element("td", b.band, "rowspan=\"2\"");
      h.Element("td", env == Environment::kControlled ? Tr("controlled") : Tr("uncontrolled"));
      h.Figures({FrequencyText(e.frequencyMHz)});
      h.Figures({LocalNumber(FormatGeneral(e.averagingMinutes, 3)) + " min",
                 LocalNumber(FormatFixed(100.0 * e.timeFactor, 0)) + " %"});
      h.Figures({LocalNumber(FormatFixed(e.feedlineLossDb, 2))});
      h.Figures({LocalNumber(FormatFixed(e.ComparedEirpWatts(), 1))});
      h.Figures({LocalNumber(FormatGeneral(e.limit.sWm2, 4)) + " W/m\xC2\xB2",
                 LocalNumber(FormatGeneral(e.limit.eVm, 4)) + " V/m", LocalNumber(FormatGeneral(e.limit.hAm, 4)) + " A/m"});
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
    h.Block("p", Tr(kReactiveNearFieldNote));
  }
}

// The exemption of each band, with the reason where it does not apply: a table of its own, for
// the reasons are sentences.
void ExemptionTable(Html& h, const Station& s, const TransmitterResult& r) {
  if (CheckThreshold(s.rules, 0.0)) {
    h.Raw("<table>\n");
    h.Row({Tr("Band"), Tr("Threshold")}, true);
    for (const BandResult& b : r.bands) {
      if (b.problem.empty()) h.Row({b.band, Nb(ThresholdText(s, b))});
    }
    h.Raw("</table>\n");
  }
  if (s.rules != RuleSet::kFcc) return;
  h.Raw("<table>\n");
  h.Row({Tr("Band"), Tr("Exemption (47 CFR 1.1307(b)(3))")}, true);
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
  h.Row({Tr("Place"), Tr("Band"), Tr("Share of the limit"), Tr("Power density"), Tr("Binding limit")}, true);
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
        // TRANSLATORS: a power density and the frequency it is at, "0.5 W/m² at 14.35 MHz".
        h.Figures({Subst(Tr("%1 W/m\xC2\xB2 at %2 MHz"),
                         {LocalNumber(FormatGeneral(share.sWm2, 3)), FrequencyText(share.frequencyMHz)})});
        h.Element("td", Nb(LimitBasisText(share.limit)));
      }
      h.Raw("</tr>\n");
    }
  }
  h.Raw("</table>\n");
}

void Results(Html& h, const Station& s, const StationResult& result) {
  h.Block("h2", Tr("Results"));
  h.Raw("<p>");
  // TRANSLATORS: %1 and %2 the rule's names for its controlled and uncontrolled environments.
  h.Text(Subst(Tr("Controlled: %1; uncontrolled: %2. The window is the rule's averaging time, with the share of it "
                  "spent transmitting."),
               {EnvironmentName(s, Environment::kControlled), EnvironmentName(s, Environment::kUncontrolled)}));
  h.Raw("</p>\n");
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    h.Block("h3", s.transmitters[t].name);
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

std::string PlotTitle(const Station& s, const StationResult& result, const Plot& plot) {
  const BandResult& b = result.transmitters[plot.transmitter].bands[plot.band];
  const std::string& name = s.transmitters[plot.transmitter].name;
  // TRANSLATORS: a transmitter on a band, "Run on 10m".
  if (b.lowMHz == b.highMHz) return Subst(Tr("%1 on %2"), {name, b.band});
  // TRANSLATORS: a transmitter on a band and the band's edges, "Run on 10m (28-29.7 MHz)".
  return Subst(Tr("%1 on %2 (%3-%4 MHz)"), {name, b.band, FrequencyText(b.lowMHz), FrequencyText(b.highMHz)});
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
  // Every number and date below in the reader's style; files and the command line keep the point.
  LocalStyleScope scope(info.style);
  const std::string title = s.callsign.empty() ? std::string(Tr("RF exposure evaluation of a station"))
                                               : Subst(Tr("RF exposure evaluation of %1"), {s.callsign});
  Html h;
  h.Raw("<!DOCTYPE html>\n<html lang=\"" + ShownLanguage() + "\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
  h.Text(title);
  h.Raw("</title>\n<style>");
  h.Raw(info.paper ? kPaperBody : kScreenBody);
  h.Raw(kStyle);
  if (!info.paper) h.Raw(kPrintRules);
  h.Raw("</style>\n</head>\n<body>\n");
  h.Block("h1", title);
  h.Raw("<p>");
  if (!s.location.empty()) h.Text(s.location + ". ");
  // TRANSLATORS: %1 the date, %2 ZENTO's version.
  h.Text(Subst(Tr("Evaluated on %1 with ZENTO %2."), {LocalDate(info.date), info.version}));
  h.Raw("</p>\n<h2>");
  h.Text(Tr("Rules"));
  h.Raw("</h2>\n<p>");
  // TRANSLATORS: %1 the rule set's name, %2 its citation, %3 and %4 its two environments.
  h.Text(Subst(Tr("%1: %2. Environments: %3 and %4."), {TrText(rules.name), TrText(rules.citation),
                                                       TrText(rules.environmentNames[0]),
                                                       TrText(rules.environmentNames[1])}));
  h.Raw("</p>\n<h2>");
  h.Text(Tr("Verdict at each place"));
  h.Raw("</h2>\n<table>\n");
  h.Row({Tr("Place"), Tr("Share of the limit"), Tr("From"), Tr("Verdict")}, true);
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const PlaceVerdict& v = result.places[p];
    h.Raw("<tr>");
    h.Element("td", PlaceText(s, s.places[p]));
    h.Element("td", PercentText(v.share), "class=\"n\"");
    h.Element("td", VerdictParts(s, result, p));
    h.Element("td", VerdictWords(v.complies), v.complies ? "class=\"complies\"" : "class=\"exceeds\"");
    h.Raw("</tr>\n");
  }
  if (s.places.empty()) h.Row({Tr("No place was named."), "", "", ""});
  h.Raw("</table>\n");
  AssessmentSection(h, s);
  Inputs(h, s, result);
  Results(h, s, result);
  RegulatorSection(h, s, result);
  if (const auto worst = WorstBand(result)) {
    if (auto plot = MakePlot(s, result, worst->first, worst->second)) {
      plot->title = PlotTitle(s, result, *plot);
      h.Block("h2", Tr("Power density around the antenna"));
      h.Raw("<p>");
      h.Text(
          Tr("The band with the largest safe distance. Solid lines: the power density; dashed: each limit; "
             "dots: where the limit is met; vertical lines: the places."));
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
  h.Block("h2", Tr("Assumptions"));
  h.Raw("<ul>\n");
  for (const auto& line : Assumptions(s)) {
    h.Element("li", line);
    h.Raw("\n");
  }
  h.Raw("</ul>\n<p>");
  // TRANSLATORS: %1 ZENTO's version, %2 the date.
  h.Text(Subst(Tr("Generated by ZENTO %1 on %2. The person responsible for the station should check the inputs; the "
                  "figures are estimates, not measurements."),
               {info.version, LocalDate(info.date)}));
  h.Raw("</p>\n</body>\n</html>\n");
  return h.Take();
}

}  // namespace zento
