#include "cli/station_output.h"

#include <algorithm>

#include "core/feedline.h"
#include "core/number_text.h"
#include "core/operating.h"

namespace zento::cli {
namespace {

// Columns padded to their widest cell.
void WriteTable(std::ostream& out, const std::vector<std::vector<std::string>>& table) {
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

std::string Mhz(double f) { return FormatGeneral(f, 10); }

std::string Horizontal(const Station& s, const EnvironmentResult& r) {
  if (r.metEverywhereAtHeight) return "nowhere at " + StationDistance(s, s.personHeightMeters) + " high";
  return r.horizontalMeters ? StationDistance(s, *r.horizontalMeters) : "-";
}

std::string FeedlineText(const Feedline& f) {
  std::string text;
  const std::string units = f.lengthUnit == LengthUnit::kFeet ? " ft" : " m";
  switch (f.kind) {
    case FeedlineKind::kCable:
      text = FormatGeneral(f.length, 10) + units + " of " +
             std::string(kCableTable[static_cast<std::size_t>(f.cableRow)].name);
      break;
    case FeedlineKind::kLossPer100Feet:
      text = FormatGeneral(f.length, 10) + units + " at " + FormatGeneral(f.lossDbPer100Feet, 6) + " dB/100 ft";
      break;
    case FeedlineKind::kTotalLoss:
      text = FormatGeneral(f.totalLossDb, 6) + " dB matched loss";
      break;
  }
  return text + ", SWR " + FormatGeneral(f.swr, 4) + ", other loss " + FormatGeneral(f.otherLossDb, 6) + " dB";
}

void WriteTransmitterTable(std::ostream& out, const Station& s, const Transmitter& t, const TransmitterResult& r) {
  out << "\nTransmitter " << t.name << ": " << FormatGeneral(t.powerWatts, 10) << " W, " << ModeText(t, r) << "\n  "
      << FeedlineText(t.feedline) << "; antenna " << FormatGeneral(r.gainDbi, 6) << " dBi";
  if (t.antenna.heightMeters) out << " at " << StationDistance(s, *t.antenna.heightMeters);
  out << "\n";
  std::vector<std::string> header = {
      "Band",          "MHz",       "Environment", "Avg min", "Time", "EIRP W", "Limit W/m2 (E V/m, H A/m)",
      "Safe distance", "Horizontal"};
  for (std::size_t p = 0; p < s.places.size(); ++p) header.push_back(s.places[p].name);
  if (s.rules == RuleSet::kFcc) header.push_back("Exemption");
  std::vector<std::vector<std::string>> table = {header};
  for (const BandResult& band : r.bands) {
    if (!band.problem.empty()) {
      out << "  " << band.band << ": " << band.problem << "\n";
      continue;
    }
    for (const Environment env : kEnvironments) {
      const EnvironmentResult& e = band.In(env);
      const bool controlled = env == Environment::kControlled;
      std::vector<std::string> row = {controlled ? band.band : "",
                                      Mhz(e.frequencyMHz),
                                      std::string(Info(s.rules).environmentNames[static_cast<std::size_t>(env)]),
                                      FormatGeneral(e.averagingMinutes, 3),
                                      FormatFixed(100.0 * e.timeFactor, 0) + " %",
                                      FormatFixed(e.averageEirpWatts, 2),
                                      FormatGeneral(e.limit.sWm2, 4) + " (" + FormatGeneral(e.limit.eVm, 4) + ", " +
                                          FormatGeneral(e.limit.hAm, 4) + ")" + (e.limit.instantaneous ? " peak" : ""),
                                      StationDistance(s, e.safeDistanceMeters),
                                      Horizontal(s, e)};
      for (std::size_t p = 0; p < s.places.size(); ++p) {
        const PlaceShare& share = band.places[p];
        if (s.places[p].environment != env) {
          row.push_back("");
          continue;
        }
        std::string cell = PercentText(share.share);
        if (share.frequencyMHz != e.frequencyMHz) cell += " (" + Mhz(share.frequencyMHz) + " MHz)";
        row.push_back(cell);
      }
      if (s.rules == RuleSet::kFcc) {
        std::string cell;
        if (!controlled && band.exemption) {
          cell = band.exemption->exempt ? "exempt" : "evaluation required";
          if (band.exemptionFrequencyMHz != e.frequencyMHz) cell += " (" + Mhz(band.exemptionFrequencyMHz) + " MHz)";
        }
        row.push_back(cell);
      }
      table.push_back(std::move(row));
    }
  }
  if (table.size() > 1) WriteTable(out, table);
}

void WriteText(std::ostream& out, const Station& s, const StationResult& result) {
  const RuleSetInfo& info = Info(s.rules);
  out << "RF exposure evaluation";
  if (!s.callsign.empty()) out << " of " << s.callsign;
  if (!s.location.empty()) out << ", " << s.location;
  out << "\nRules: " << info.name << ": " << info.citation << "\nGround reflection "
      << (s.groundReflection ? "on (power density x 2.56)" : "off") << "; each figure is its band's worst case.\n";
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    WriteTransmitterTable(out, s, s.transmitters[t], result.transmitters[t]);
  }
  if (!s.places.empty()) out << "\nAt each place, the share of the limit (100 % is the limit):\n";
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const PlaceVerdict& v = result.places[p];
    out << "  " << PlaceText(s, s.places[p]) << ": " << PercentText(v.share) << ", "
        << (v.complies ? "complies" : "EXCEEDS THE LIMIT");
    std::string parts;
    for (const std::size_t t : v.transmitters) {
      const TransmitterResult& tr = result.transmitters[t];
      if (tr.bands.empty()) continue;
      parts += (parts.empty() ? "" : " + ") + s.transmitters[t].name + " " + PercentText(tr.worstShare[p]) + " on " +
               tr.bands[tr.worstBand[p]].band;
    }
    if (!parts.empty()) out << " (" << parts << (v.transmitters.size() > 1 ? ", at the same time" : "") << ")";
    out << "\n";
  }
  out << "\nFar-field estimate with the antenna's main-beam gain in every direction: the distances are upper "
         "bounds.\n";
}

}  // namespace

std::string StationDistance(const Station& s, double meters) {
  if (s.units == LengthUnit::kFeet) return FormatFixed(meters / kMetersPerFoot, 1) + " Feet";
  return FormatFixed(meters, 1) + " Meters";
}

std::string PercentText(double share) { return FormatFixed(100.0 * share, 1) + " %"; }

std::string ModeText(const Transmitter& t, const TransmitterResult& r) {
  std::string text;
  if (const auto mode = FindMode(t.mode); mode && !t.dutyPercent) {
    text = std::string(mode->label) + " (" + FormatGeneral(r.dutyPercent, 6) + " %)";
  } else {
    text = "duty " + FormatGeneral(r.dutyPercent, 6) + " %";
  }
  if (t.txMinutes) {
    text +=
        ", " + FormatGeneral(*t.txMinutes, 6) + " min TX / " + FormatGeneral(t.rxMinutes.value_or(0.0), 6) + " min RX";
  }
  return text;
}

std::string PlaceText(const Station& s, const Place& p) {
  std::string text = p.name + " (";
  if (p.distanceMeters) {
    text += StationDistance(s, *p.distanceMeters);
  } else {
    text += StationDistance(s, p.horizontalMeters.value_or(0.0)) + " from the mast at " +
            StationDistance(s, p.heightMeters.value_or(s.personHeightMeters)) + " high";
  }
  return text + ", " + std::string(Info(s.rules).environmentNames[static_cast<std::size_t>(p.environment)]) + ")";
}

void WriteStationCsv(std::ostream& out, const Station& station, const StationResult& result);
void WriteStationJson(std::ostream& out, const Station& station, const StationResult& result);

void WriteStationEvaluation(std::ostream& out, OutputFormat format, const Station& station,
                            const StationResult& result) {
  if (format == OutputFormat::kCsv) return WriteStationCsv(out, station, result);
  if (format == OutputFormat::kJson) return WriteStationJson(out, station, result);
  WriteText(out, station, result);
}

}  // namespace zento::cli
