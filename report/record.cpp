#include "report/record.h"

#include <chrono>
#include <ctime>

#include "core/number_text.h"
#include "report/station_text.h"

namespace zento {
namespace {

constexpr const char* kStyle =
    "body{font-family:sans-serif;font-size:10pt;color:#000;max-width:60em;margin:1.5em auto;padding:0 1em}"
    "h1{font-size:16pt}h2{font-size:12pt;margin-top:1.4em;border-bottom:1px solid #888}"
    "table{border-collapse:collapse;margin:0.4em 0}th,td{border:1px solid #999;padding:2px 5px;"
    "text-align:left;vertical-align:top}th{background:#eee}td.n{text-align:right}"
    ".exceeds{color:#b00020;font-weight:bold}.complies{color:#1b5e20}"
    "@media print{body{margin:0;max-width:none}h2{break-after:avoid}table,svg{break-inside:avoid}}";

class Html {
 public:
  void Raw(std::string_view text) { out_ += text; }
  void Text(std::string_view text) { out_ += HtmlEscape(text); }
  // Appended piece by piece: g++ 12 at -O3 takes the chained temporaries for an overlapping copy
  // (-Werror=restrict) and the release build fails.
  void Element(std::string_view tag, std::string_view text, std::string_view attributes = "") {
    out_.append("<").append(tag);
    if (!attributes.empty()) out_.append(" ").append(attributes);
    out_.append(">").append(HtmlEscape(text)).append("</").append(tag).append(">");
  }
  void Row(const std::vector<std::string>& cells, bool header = false) {
    out_ += "<tr>";
    for (const auto& cell : cells) Element(header ? "th" : "td", cell);
    out_ += "</tr>\n";
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

std::string Verdict(bool complies) { return complies ? "COMPLIES" : "EXCEEDS THE LIMIT"; }

void Inputs(Html& h, const Station& s, const StationResult& result) {
  h.Raw("<h2>Inputs</h2>\n<table>\n");
  h.Row({"Place", "Where", "Environment"}, true);
  for (const Place& p : s.places) {
    std::string where = p.distanceMeters
                            ? StationDistance(s, *p.distanceMeters) + " from the antenna"
                            : StationDistance(s, p.horizontalMeters.value_or(0.0)) + " from the mast, at " +
                                  StationDistance(s, p.heightMeters.value_or(s.personHeightMeters)) + " high";
    h.Row({p.name, where, EnvironmentName(s, p.environment)});
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

// Each environment of each band: what the antenna radiates, the limit, and where it is met.
void FiguresTable(Html& h, const Station& s, const TransmitterResult& r) {
  h.Raw("<table>\n");
  std::vector<std::string> header = {"Band",    "Environment",   "MHz",           "Window, on the air",
                                     "Loss dB", "EIRP W",        "Limit W/m2",    "E V/m",
                                     "H A/m",   "Binding limit", "Safe distance", "From the mast"};
  if (s.rules == RuleSet::kFcc) header.push_back("Exemption");
  h.Row(header, true);
  for (const BandResult& b : r.bands) {
    if (!b.problem.empty()) {
      h.Row({b.band, b.problem});
      continue;
    }
    for (const Environment env : kEnvironments) {
      const EnvironmentResult& e = b.In(env);
      std::vector<std::string> row = {
          b.band,
          env == Environment::kControlled ? "controlled" : "uncontrolled",
          FrequencyText(e.frequencyMHz),
          FormatGeneral(e.averagingMinutes, 3) + " min, " + FormatFixed(100.0 * e.timeFactor, 0) + " %",
          FormatFixed(e.feedlineLossDb, 2),
          FormatFixed(e.ComparedEirpWatts(), 1),
          FormatGeneral(e.limit.sWm2, 4),
          FormatGeneral(e.limit.eVm, 4),
          FormatGeneral(e.limit.hAm, 4),
          LimitBasisText(e.limit),
          StationDistance(s, e.safeDistanceMeters),
          HorizontalText(s, e)};
      if (s.rules == RuleSet::kFcc) row.push_back(env == Environment::kUncontrolled ? ExemptionWithReason(b) : "");
      h.Row(row);
    }
  }
  h.Raw("</table>\n");
}

// Each band's share of the limit at each place, in the place's own environment.
void SharesTable(Html& h, const Station& s, const TransmitterResult& r) {
  if (s.places.empty()) return;
  h.Raw("<table>\n");
  std::vector<std::string> header = {"Share of the limit"};
  for (const Place& p : s.places) header.push_back(p.name);
  h.Row(header, true);
  for (const BandResult& b : r.bands) {
    if (!b.problem.empty()) continue;
    std::vector<std::string> row = {b.band};
    for (const PlaceShare& share : b.places) {
      if (AtAntenna(share.share)) {
        row.push_back(PercentText(share.share));
        continue;
      }
      row.push_back(PercentText(share.share) + " (" + FormatGeneral(share.sWm2, 3) + " W/m2 at " +
                    FrequencyText(share.frequencyMHz) + " MHz; " + LimitBasisText(share.limit) + ")");
    }
    h.Row(row);
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
  h.Raw(kStyle);
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
    h.Element("td", Verdict(v.complies), v.complies ? "class=\"complies\"" : "class=\"exceeds\"");
    h.Raw("</tr>\n");
  }
  if (s.places.empty()) h.Row({"No place was named.", "", "", ""});
  h.Raw("</table>\n");
  Inputs(h, s, result);
  Results(h, s, result);
  if (const auto worst = WorstBand(result)) {
    if (const auto plot = MakePlot(s, result, worst->first, worst->second)) {
      h.Raw("<h2>Power density around the antenna</h2>\n<p>");
      h.Text(
          "The band with the largest safe distance. Solid lines: the power density; dashed: each limit; "
          "dots: where the limit is met; vertical lines: the places.");
      h.Raw("</p>\n");
      if (info.plotImageName.empty()) {
        h.Raw(PlotSvg(s, *plot, 720, 460));
      } else {
        h.Raw("<img src=\"" + HtmlEscape(info.plotImageName) + "\" width=\"720\" height=\"460\" alt=\"");
        h.Text(plot->title);
        h.Raw("\">");
      }
      h.Raw("\n");
    }
  }
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
