#include "report/station_text.h"

#include <algorithm>

#include "core/feedline.h"
#include "core/number_text.h"
#include "core/operating.h"
#include "core/thresholds.h"

namespace zento {

std::string StationDistance(const Station& s, double meters) {
  return FormatFixed(FromMeters(meters, s.units), 1) + (s.units == LengthUnit::kFeet ? " Feet" : " Meters");
}

std::string PercentText(double share) {
  return AtAntenna(share) ? "at the antenna" : FormatFixed(100.0 * share, 1) + " %";
}

std::string FrequencyText(double mhz) { return FormatGeneral(mhz, 10); }

std::string EnvironmentName(const Station& s, Environment e) {
  return std::string(Info(s.rules).environmentNames[static_cast<std::size_t>(e)]);
}

std::string ModeText(const Transmitter& t, double dutyPercent) {
  std::string text;
  if (const auto mode = FindMode(t.mode); mode && !t.dutyPercent) {
    text = std::string(mode->label) + " (" + FormatGeneral(dutyPercent, 6) + " %)";
  } else {
    text = "duty " + FormatGeneral(dutyPercent, 6) + " %";
  }
  const OnAir on = OnAirOf(t);
  if (on.txMinutes) {
    // In seconds where they were given so, or come from the mode's periods.
    const bool seconds = t.timesInSeconds || !t.txMinutes;
    const double scale = seconds ? 60.0 : 1.0;
    const std::string unit = seconds ? " s" : " min";
    text += ", " + FormatGeneral(*on.txMinutes * scale, 6) + unit + " TX / " +
            FormatGeneral(on.rxMinutes.value_or(0.0) * scale, 6) + unit + " RX";
    if (!t.txMinutes) text += ", every other period";
  }
  return text;
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

std::string AntennaText(const Station& s, const Transmitter& t) {
  std::string text = FormatGeneral(AntennaGainDbi(t.antenna), 6) + " dBi";
  if (t.antenna.heightMeters) text += " at " + StationDistance(s, *t.antenna.heightMeters);
  return text;
}

std::string WhereText(const Station& s, const Place& p) {
  const std::string high = StationDistance(s, p.heightMeters.value_or(s.personHeightMeters)) + " high";
  if (p.distanceMeters) return StationDistance(s, *p.distanceMeters) + " from the antenna";
  if (p.positionMeters) {
    return "at (" + FormatFixed(FromMeters((*p.positionMeters)[0], s.units), 1) + ", " +
           FormatFixed(FromMeters((*p.positionMeters)[1], s.units), 1) + ") on the site, " + high;
  }
  return StationDistance(s, p.horizontalMeters.value_or(0.0)) + " from the mast, " + high;
}

std::string PlaceText(const Station& s, const Place& p) {
  std::string text = p.name + " (";
  if (p.distanceMeters) {
    text += StationDistance(s, *p.distanceMeters);
  } else if (p.positionMeters) {
    text += WhereText(s, p);
  } else {
    text += StationDistance(s, p.horizontalMeters.value_or(0.0)) + " from the mast at " +
            StationDistance(s, p.heightMeters.value_or(s.personHeightMeters)) + " high";
  }
  return text + ", " + EnvironmentName(s, p.environment) + ")";
}

std::string HorizontalText(const Station& s, const EnvironmentResult& r) {
  if (r.metEverywhereAtHeight) return "nowhere at " + StationDistance(s, s.personHeightMeters) + " high";
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
  std::string text = s.transmitters[a.transmitter].name;
  text += ": the safety distance in the main beam on ";
  text += result.transmitters[a.transmitter].bands[a.band].band;
  text += ", ";
  text += StationDistance(s, a.safetyDistanceMeters);
  text += " around the antenna, ";
  if (a.check.inside) {
    text += "stays inside the controllable area (";
    text += StationDistance(s, a.check.marginMeters);
    text += " to spare)";
  } else {
    text += "DOES NOT STAY inside the controllable area (";
    text += StationDistance(s, -a.check.marginMeters);
    text += " beyond it)";
  }
  return text;
}

std::string ThresholdText(const Station& s, const BandResult& band) {
  const auto check = CheckThreshold(s.rules, band.peakEirpWatts);
  return check ? check->statement : std::string();
}

std::string LimitText(const Limit& limit) {
  return FormatGeneral(limit.sWm2, 4) + " W/m2 (" + FormatGeneral(limit.eVm, 4) + " V/m, " +
         FormatGeneral(limit.hAm, 4) + " A/m), " + LimitBasisText(limit);
}

std::string LimitBasisText(const Limit& limit) {
  return std::string(limit.basis) +
         (limit.instantaneous ? ", peak" : ", " + FormatGeneral(limit.averagingMinutes, 3) + " min");
}

std::string ExemptionText(const BandResult& band) {
  if (!band.exemption) return "";
  return std::string(band.exemption->exempt ? "exempt" : "evaluation required") + " at " +
         FrequencyText(band.exemptionFrequencyMHz) + " MHz";
}

std::string ExemptionWithReason(const BandResult& band) {
  if (!band.exemption || band.exemption->exempt) return ExemptionText(band);
  return ExemptionText(band) + ": " + band.exemption->reason;
}

std::string VerdictParts(const Station& s, const StationResult& result, std::size_t place) {
  const PlaceVerdict& v = result.places[place];
  std::string parts;
  for (const std::size_t t : v.transmitters) {
    const TransmitterResult& tr = result.transmitters[t];
    if (tr.bands.empty()) continue;
    parts += (parts.empty() ? "" : " + ") + s.transmitters[t].name + " " + PercentText(tr.worstShare[place]) + " on " +
             tr.bands[tr.worstBand[place]].band;
  }
  if (v.transmitters.size() > 1) parts += ", at the same time";
  return parts;
}

std::vector<std::string> Assumptions(const Station& s) {
  std::vector<std::string> lines = {
      "Far field: the power density falls with the square of the distance (S = EIRP / 4 pi r2); close to an "
      "antenna, within about a wavelength, the estimate does not hold.",
      "The antenna is taken to radiate with its main-beam gain in every direction, also towards the ground and "
      "behind it, so the distances are upper bounds.",
      s.groundReflection ? "Ground reflection is on: the power density is multiplied by 2.56 (OET Bulletin 65)."
                         : "Ground reflection is off: the antenna is well above people and its main beam does not "
                           "reach the ground.",
      "Each figure is its band's worst case over the band's edges and any break of the rule's table inside it.",
      "At each place the worst band of each transmitter counts. Transmitters on the air at the same time add "
      "their shares (either of two may say so); of the sets of transmitters all on the air together, the worst "
      "counts, and a place complies when its sum is at most 100 %. Each transmitter's share is taken against "
      "whichever of the rule's limits it comes nearest, so the sum is an upper bound where those differ.",
      "Every limit of the rule must be met: the share is the largest ratio to any of them. Against a "
      "time-averaged limit it is the ratio of the power density averaged over that limit's window; against an "
      "instantaneous (nerve stimulation) limit, the ratio of the peak field strength.",
      "A place at the antenna itself has no distance: no limit is met there.",
      "Average power is the peak envelope power times the mode's duty factor and the share of each averaging "
      "window spent transmitting.",
  };
  if (s.rules == RuleSet::kFcc) {
    lines.push_back(
        "The exemption of 47 CFR 1.1307(b)(3) is checked at the worst edge of each band; transmitters on the air "
        "together are exempt only while the ratios of their ERPs to their thresholds add up to at most 1 "
        "(1.1307(b)(3)(ii)(A)), each other transmitter at its worst band.");
  }
  return lines;
}

}  // namespace zento
