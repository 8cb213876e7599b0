#include "cli/station_output.h"

#include <algorithm>

#include "cli/near_field_output.h"
#include "core/number_text.h"
#include "core/thresholds.h"
#include "report/local_style.h"
#include "report/record.h"
#include "report/station_text.h"
#include "report/translation.h"

namespace zento::cli {
namespace {

void WriteTransmitterTable(std::ostream& out, const Station& s, const Transmitter& t, const TransmitterResult& r) {
  // TRANSLATORS: %1 the transmitter's name, %2 its power in W, %3 its mode or duty factor.
  out << '\n'
      << Subst(Tr("Transmitter %1: %2 W, %3"), {t.name, FormatGeneral(t.powerWatts, 10), ModeText(t, r.dutyPercent)})
      << "\n  "
      // TRANSLATORS: %1 the feedline and its loss, %2 the antenna.
      << Subst(Tr("%1; antenna %2"), {FeedlineText(t.feedline), AntennaText(s, t)}) << "\n";
  std::vector<std::string> header = {Tr("Band"), "MHz", Tr("Environment"),
                                     // TRANSLATORS: a column's header: the limit's averaging time in minutes.
                                     Tr("Avg min"),
                                     // TRANSLATORS: a column's header: the share of the averaging time on the air.
                                     TrIn("column", "Time"), Tr("EIRP W"), Tr("Limit W/m2 (E V/m, H A/m)"),
                                     Tr("Binding limit"), Tr("Safe distance"),
                                     // TRANSLATORS: a column's header: the distance along the ground from the mast.
                                     TrIn("column", "Horizontal")};
  for (std::size_t p = 0; p < s.places.size(); ++p) header.push_back(s.places[p].name);
  if (s.rules == RuleSet::kFcc) header.push_back(Tr("Exemption"));
  const bool thresholds = CheckThreshold(s.rules, 0.0).has_value();
  if (thresholds) header.push_back(Tr("Threshold"));
  std::vector<std::vector<std::string>> table = {header};
  for (const BandResult& band : r.bands) {
    if (!band.problem.empty()) {
      out << "  " << band.band << ": " << ShownProblem(band) << "\n";
      continue;
    }
    for (const Environment env : kEnvironments) {
      const EnvironmentResult& e = band.In(env);
      const bool controlled = env == Environment::kControlled;
      std::vector<std::string> row = {controlled ? band.band : "",
                                      FrequencyText(e.frequencyMHz),
                                      EnvironmentName(s, env),
                                      FormatGeneral(e.averagingMinutes, 3),
                                      FormatFixed(100.0 * e.timeFactor, 0) + " %",
                                      FormatFixed(e.ComparedEirpWatts(), 2),
                                      FormatGeneral(e.limit.sWm2, 4) + " (" + FormatGeneral(e.limit.eVm, 4) + ", " +
                                          FormatGeneral(e.limit.hAm, 4) + ")",
                                      LimitBasisText(e.limit),
                                      SafeDistanceText(s, e),
                                      HorizontalText(s, e)};
      for (std::size_t p = 0; p < s.places.size(); ++p) {
        const PlaceShare& share = band.places[p];
        if (s.places[p].environment != env) {
          row.push_back("");
          continue;
        }
        std::string cell = PercentText(share.share) + (share.reactiveNearField ? " *" : "");
        if (!AtAntenna(share.share)) {
          if (share.frequencyMHz != e.frequencyMHz) cell += " (" + FrequencyText(share.frequencyMHz) + " MHz)";
          if (share.limit.basis != e.limit.basis) cell += " (" + LimitBasisText(share.limit) + ")";
        }
        row.push_back(cell);
      }
      if (s.rules == RuleSet::kFcc) {
        std::string cell;
        if (!controlled && band.exemption) {
          cell = band.exemption->exempt ? Tr("exempt") : Tr("evaluation required");
          if (band.exemptionFrequencyMHz != e.frequencyMHz)
            cell += " (" + FrequencyText(band.exemptionFrequencyMHz) + " MHz)";
        }
        row.push_back(cell);
      }
      if (thresholds) row.push_back(controlled ? ThresholdText(s, band) : "");
      table.push_back(std::move(row));
    }
  }
  if (table.size() > 1) WriteTextTable(out, table);
  if (std::any_of(r.bands.begin(), r.bands.end(), InReactiveNearField))
    out << "  " << TrText(kReactiveNearFieldNote) << "\n";
}

void WriteText(std::ostream& out, const Station& s, const StationResult& result) {
  const RuleSetInfo& info = Info(s.rules);
  out << (s.callsign.empty() ? std::string(Tr("RF exposure evaluation"))
                             : Subst(Tr("RF exposure evaluation of %1"), {s.callsign}));
  if (!s.location.empty()) out << ", " << s.location;
  // TRANSLATORS: %1 the rule set's name, %2 where its limits are written.
  out << '\n'
      << Subst(Tr("Rules: %1: %2"), {TrText(info.name), TrText(info.citation)}) << '\n'
      << (s.groundReflection ? Tr("Ground reflection on (power density x 2.56); each figure is its band's worst case.")
                             : Tr("Ground reflection off; each figure is its band's worst case."))
      << '\n';
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    WriteTransmitterTable(out, s, s.transmitters[t], result.transmitters[t]);
  }
  if (!s.places.empty()) {
    // xgettext:no-c-format
    out << '\n' << Tr("At each place, the share of the limit (100 % is the limit):") << '\n';
  }
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const PlaceVerdict& v = result.places[p];
    out << "  " << PlaceText(s, s.places[p]) << ": " << PercentText(v.share) << ", "
        << (v.complies ? Tr("complies") : Tr("EXCEEDS THE LIMIT"));
    const std::string parts = VerdictParts(s, result, p);
    if (!parts.empty()) out << " (" << parts << ")";
    out << "\n";
  }
  if (const auto areas = CheckControllableArea(s, result); !areas.empty()) {
    out << '\n' << Tr("The controllable area (BEMFV section 8(2) no. 1):") << '\n';
    for (const AreaCheck& a : areas) out << "  " << ControllableAreaText(s, result, a) << "\n";
  }
  out << '\n'
      << Tr("Far-field estimate with the antenna's main-beam gain in every direction: the distances are upper bounds.")
      << '\n';
}

}  // namespace

void WriteStationEvaluation(std::ostream& out, OutputFormat format, const Station& station, const StationResult& result,
                            const StationNearField* nearField) {
  if (format == OutputFormat::kCsv) return WriteStationCsv(out, station, result, nearField);
  if (format == OutputFormat::kJson) return WriteStationJson(out, station, result, nearField);
  if (format == OutputFormat::kHtml) {
    RecordInfo info{TodayIso(), ZENTO_VERSION, {}};
    info.nearField = nearField;
    info.style = UserLocalStyle();  // the record follows the reader's locale, as the window's does
    out << EvaluationRecordHtml(station, result, info);
    return;
  }
  WriteText(out, station, result);
  if (nearField) WriteNearFieldText(out, station, result, *nearField);
}

}  // namespace zento::cli
