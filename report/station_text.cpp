#include "report/station_text.h"

#include <algorithm>

#include "core/feedline.h"
#include "core/number_text.h"
#include "core/operating.h"
#include "core/thresholds.h"
#include "report/local_style.h"
#include "report/translation.h"

namespace zento {

std::string StationDistance(const Station& s, double meters) {
  const std::string n = LocalNumber(FormatFixed(FromMeters(meters, s.units), 1));
  // TRANSLATORS: a distance, %1 its number.
  return Subst(s.units == LengthUnit::kFeet ? Tr("%1 Feet") : Tr("%1 Meters"), {n});
}

std::string PercentText(double share) {
  return AtAntenna(share) ? Tr("at the antenna") : LocalNumber(FormatFixed(100.0 * share, 1)) + " %";
}

std::string FrequencyText(double mhz) { return LocalNumber(FormatGeneral(mhz, 10)); }

std::string EnvironmentName(const Station& s, Environment e) {
  return TrText(Info(s.rules).environmentNames[static_cast<std::size_t>(e)]);
}

std::string ModeText(const Transmitter& t, double dutyPercent) {
  std::string text;
  const std::string duty = LocalNumber(FormatGeneral(dutyPercent, 6));
  if (const auto mode = FindMode(t.mode); mode && !t.dutyPercent) {
    // TRANSLATORS: a mode and its duty factor, "FT8 (100 %)".
    text = Subst(Tr("%1 (%2 %)"), {TrText(mode->label), duty});
  } else {
    // TRANSLATORS: the duty factor given as a number, "duty 40 %".
    text = Subst(Tr("duty %1 %"), {duty});
  }
  const OnAir on = OnAirOf(t);
  if (on.txMinutes) {
    // In seconds where they were given so, or come from the mode's periods.
    const bool seconds = t.timesInSeconds || !t.txMinutes;
    const double scale = seconds ? 60.0 : 1.0;
    const std::string tx = LocalNumber(FormatGeneral(*on.txMinutes * scale, 6));
    const std::string rx = LocalNumber(FormatGeneral(on.rxMinutes.value_or(0.0) * scale, 6));
    // TRANSLATORS: the mode's text, then its times transmitting and receiving.
    text = Subst(seconds ? Tr("%1, %2 s TX / %3 s RX") : Tr("%1, %2 min TX / %3 min RX"), {text, tx, rx});
    if (!t.txMinutes) text = Subst(Tr("%1, every other period"), {text});
  }
  return text;
}

std::string FeedlineText(const Feedline& f) {
  std::string text;
  const std::string length = LocalNumber(FormatGeneral(f.length, 10)) + (f.lengthUnit == LengthUnit::kFeet ? " ft" : " m");
  switch (f.kind) {
    case FeedlineKind::kCable:
      // TRANSLATORS: a feedline, "30 m of RG-213".
      text = Subst(Tr("%1 of %2"), {length, kCableTable[static_cast<std::size_t>(f.cableRow)].name});
      break;
    case FeedlineKind::kLossPer100Feet:
      text = Subst(Tr("%1 at %2 dB/100 ft"), {length, LocalNumber(FormatGeneral(f.lossDbPer100Feet, 6))});
      break;
    case FeedlineKind::kTotalLoss:
      text = Subst(Tr("%1 dB matched loss"), {LocalNumber(FormatGeneral(f.totalLossDb, 6))});
      break;
  }
  // TRANSLATORS: %1 the feedline's loss, %2 the SWR, %3 any other loss in dB.
  return Subst(Tr("%1, SWR %2, other loss %3 dB"),
               {text, LocalNumber(FormatGeneral(f.swr, 4)), LocalNumber(FormatGeneral(f.otherLossDb, 6))});
}

std::string AntennaText(const Station& s, const Transmitter& t) {
  const std::string gain = LocalNumber(FormatGeneral(AntennaGainDbi(t.antenna), 6));
  if (!t.antenna.heightMeters) return gain + " dBi";
  // TRANSLATORS: an antenna's gain and its height, "6 dBi at 12.0 Meters".
  return Subst(Tr("%1 dBi at %2"), {gain, StationDistance(s, *t.antenna.heightMeters)});
}

std::string WhereText(const Station& s, const Place& p) {
  const std::string high = StationDistance(s, p.heightMeters.value_or(s.personHeightMeters));
  if (p.distanceMeters) return Subst(Tr("%1 from the antenna"), {StationDistance(s, *p.distanceMeters)});
  if (p.positionMeters) {
    // TRANSLATORS: a place's coordinates on the site (%1, %2) and its height (%3).
    return Subst(Tr("at (%1, %2) on the site, %3 high"),
                 {LocalNumber(FormatFixed(FromMeters((*p.positionMeters)[0], s.units), 1)),
                  LocalNumber(FormatFixed(FromMeters((*p.positionMeters)[1], s.units), 1)), high});
  }
  return Subst(Tr("%1 from the mast, %2 high"), {StationDistance(s, p.horizontalMeters.value_or(0.0)), high});
}

std::string PlaceText(const Station& s, const Place& p) {
  std::string where;
  if (p.distanceMeters) {
    where = StationDistance(s, *p.distanceMeters);
  } else if (p.positionMeters) {
    where = WhereText(s, p);
  } else {
    where = Subst(Tr("%1 from the mast at %2 high"), {StationDistance(s, p.horizontalMeters.value_or(0.0)),
                                                     StationDistance(s, p.heightMeters.value_or(s.personHeightMeters))});
  }
  // TRANSLATORS: a place's name, where it is, and its environment.
  return Subst(Tr("%1 (%2, %3)"), {p.name, where, EnvironmentName(s, p.environment)});
}

std::string HorizontalText(const Station& s, const EnvironmentResult& r) {
  if (r.metEverywhereAtHeight) return Subst(Tr("nowhere at %1 high"), {StationDistance(s, s.personHeightMeters)});
  return r.horizontalMeters ? StationDistance(s, *r.horizontalMeters) : "-";
}

bool InReactiveNearField(const BandResult& b) {
  if (!b.problem.empty()) return false;
  return std::any_of(b.environments.begin(), b.environments.end(), [](const auto& e) { return e.reactiveNearField; }) ||
         std::any_of(b.places.begin(), b.places.end(), [](const auto& p) { return p.reactiveNearField; });
}

std::string SafeDistanceText(const Station& s, const EnvironmentResult& r) {
  return StationDistance(s, r.safeDistanceMeters) + (r.reactiveNearField ? " *" : "");
}

std::string ControllableAreaText(const Station& s, const StationResult& result, const AreaCheck& a) {
  const std::string& name = s.transmitters[a.transmitter].name;
  const std::string& band = result.transmitters[a.transmitter].bands[a.band].band;
  const std::string distance = StationDistance(s, a.safetyDistanceMeters);
  if (a.check.inside) {
    // TRANSLATORS: %1 the transmitter, %2 the band, %3 the safety distance, %4 the margin.
    return Subst(Tr("%1: the safety distance in the main beam on %2, %3 around the antenna, stays inside the "
                    "controllable area (%4 to spare)"),
                 {name, band, distance, StationDistance(s, a.check.marginMeters)});
  }
  // TRANSLATORS: %1 the transmitter, %2 the band, %3 the safety distance, %4 how far it reaches beyond.
  return Subst(Tr("%1: the safety distance in the main beam on %2, %3 around the antenna, DOES NOT STAY inside the "
                  "controllable area (%4 beyond it)"),
               {name, band, distance, StationDistance(s, -a.check.marginMeters)});
}

std::string ThresholdText(const Station& s, const BandResult& band) {
  const auto check = CheckThreshold(s.rules, band.peakEirpWatts);
  if (!check) return {};
  // CheckThreshold's own sentence in the reader's words, its one figure, the EIRP, in their numbers.
  return Subst(TrText(check->statementText.pattern), {LocalNumber(check->statementText.arguments.at(0))});
}

std::string LimitText(const Limit& limit) {
  return LocalNumber(FormatGeneral(limit.sWm2, 4)) + " W/m2 (" + LocalNumber(FormatGeneral(limit.eVm, 4)) + " V/m, " +
         LocalNumber(FormatGeneral(limit.hAm, 4)) + " A/m), " + LimitBasisText(limit);
}

std::string LimitBasisText(const Limit& limit) {
  // TRANSLATORS: a limit's basis ("whole body (Table 5)") and its averaging time, or peak.
  if (limit.instantaneous) return Subst(Tr("%1, peak"), {TrText(limit.basis)});
  return Subst(Tr("%1, %2 min"), {TrText(limit.basis), LocalNumber(FormatGeneral(limit.averagingMinutes, 3))});
}

std::string ExemptionText(const BandResult& band) {
  if (!band.exemption) return "";
  const std::string f = FrequencyText(band.exemptionFrequencyMHz);
  return Subst(band.exemption->exempt ? Tr("exempt at %1 MHz") : Tr("evaluation required at %1 MHz"), {f});
}

std::string ExemptionWithReason(const BandResult& band) {
  if (!band.exemption || band.exemption->exempt) return ExemptionText(band);
  // TRANSLATORS: the exemption, then why the band is not exempt.
  return Subst(Tr("%1: %2"), {ExemptionText(band), TrMarked(band.exemption->reasonText, band.exemption->reason)});
}

std::string VerdictParts(const Station& s, const StationResult& result, std::size_t place) {
  const PlaceVerdict& v = result.places[place];
  std::string parts;
  for (const std::size_t t : v.transmitters) {
    const TransmitterResult& tr = result.transmitters[t];
    if (tr.bands.empty()) continue;
    // TRANSLATORS: a transmitter's share at a place, "Run 45.7 % on 10m".
    const std::string part =
        Subst(Tr("%1 %2 on %3"), {s.transmitters[t].name, PercentText(tr.worstShare[place]), tr.bands[tr.worstBand[place]].band});
    parts += (parts.empty() ? "" : " + ") + part;
  }
  if (v.transmitters.size() > 1) parts = Subst(Tr("%1, at the same time"), {parts});
  return parts;
}

std::vector<std::string> Assumptions(const Station& s) {
  std::vector<std::string> lines = {
      Tr("Far field: the power density falls with the square of the distance (S = EIRP / 4 pi r2); close to an "
      "antenna, within about a wavelength, the estimate does not hold."),
      Tr("The antenna is taken to radiate with its main-beam gain in every direction, also towards the ground and "
      "behind it, so the distances are upper bounds."),
      // TRANSLATORS: %1 the factor 2.56.
      s.groundReflection ? Subst(Tr("Ground reflection is on: the power density is multiplied by %1 (OET Bulletin 65)."),
                                 {LocalNumber("2.56")})
                         : Tr("Ground reflection is off: the antenna is well above people and its main beam does not "
                           "reach the ground."),
      Tr("Each figure is its band's worst case over the band's edges and any break of the rule's table inside it."),
      Tr("At each place the worst band of each transmitter counts. Transmitters on the air at the same time add "
      "their shares (either of two may say so); of the sets of transmitters all on the air together, the worst "
      "counts, and a place complies when its sum is at most 100 %. Each transmitter's share is taken against "
      "whichever of the rule's limits it comes nearest, so the sum is an upper bound where those differ."),
      Tr("Every limit of the rule must be met: the share is the largest ratio to any of them. Against a "
      "time-averaged limit it is the ratio of the power density averaged over that limit's window; against an "
      "instantaneous (nerve stimulation) limit, the ratio of the peak field strength."),
      Tr("A place at the antenna itself has no distance: no limit is met there."),
      Tr("Average power is the peak envelope power times the mode's duty factor and the share of each averaging "
      "window spent transmitting."),
  };
  if (s.rules == RuleSet::kFcc) {
    lines.push_back(
        Tr("The exemption of 47 CFR 1.1307(b)(3) is checked at the worst edge of each band; transmitters on the air "
        "together are exempt only while the ratios of their ERPs to their thresholds add up to at most 1 "
        "(1.1307(b)(3)(ii)(A)), each other transmitter at its worst band."));
  }
  return lines;
}

}  // namespace zento
