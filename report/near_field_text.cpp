// The near field in words, for zento-calc's text and the record alike.
#include <cmath>

#include "core/near_field.h"
#include "core/number_text.h"
#include "report/local_style.h"
#include "report/station_text.h"
#include "report/translation.h"

namespace zento {

std::string AntennaModelText(const Station& s, const Transmitter& t) {
  if (!t.antenna.model) return Tr("no model");
  const AntennaModel& m = *t.antenna.model;
  std::string text;
  switch (m.kind) {
    case AntennaKind::kYagi:
      text = Subst(Tr("%1-element Yagi"), {std::to_string(m.elements)});
      break;
    case AntennaKind::kVertical: {
      const std::string radials = std::to_string(m.radials);
      if (m.verticalLength == VerticalLength::kQuarterWave) {
        text = Subst(Tr("quarter-wave vertical with %1 radials"), {radials});
      } else if (m.verticalLength == VerticalLength::kFiveEighthsWave) {
        text = Subst(Tr("5/8-wave vertical with %1 radials"), {radials});
      } else {
        // TRANSLATORS: %1 the radiator's length, %2 the number of radials.
        text = Subst(Tr("vertical of %1 with %2 radials"), {StationDistance(s, m.lengthMeters), radials});
      }
      break;
    }
    case AntennaKind::kLoop:
      if (m.loopShape == LoopShape::kSquare) {
        text = m.horizontalLoop ? Tr("horizontal square full-wave loop") : Tr("square full-wave loop");
      } else {
        text = m.horizontalLoop ? Tr("horizontal delta full-wave loop") : Tr("delta full-wave loop");
      }
      break;
    case AntennaKind::kInvertedV:
      text = Subst(Tr("inverted V (apex %1 degrees)"), {LocalNumber(FormatGeneral(m.apexDegrees, 4))});
      break;
    case AntennaKind::kDipole:
      text = Tr("half-wave dipole");
      break;
    case AntennaKind::kImported:
      // TRANSLATORS: %1 the model's file name.
      text = Subst(Tr("NEC-2 model %1"), {m.file});
      break;
  }
  if (m.kind != AntennaKind::kImported) {
    // TRANSLATORS: an antenna and its design frequency, "half-wave dipole cut for 14.2 MHz".
    if (const auto design = DesignMHz(s, t)) text = Subst(Tr("%1 cut for %2 MHz"), {text, FrequencyText(*design)});
    // TRANSLATORS: an antenna and its height, "half-wave dipole, 12.0 Meters up".
    text = Subst(Tr("%1, %2 up"), {text, StationDistance(s, t.antenna.heightMeters.value_or(0.0))});
  }
  if (t.antenna.positionMeters) {
    // TRANSLATORS: an antenna and its position (x, y) on the site.
    text = Subst(Tr("%1, at (%2, %3) m on the site"), {text, LocalNumber(FormatGeneral((*t.antenna.positionMeters)[0], 6)),
                                                      LocalNumber(FormatGeneral((*t.antenna.positionMeters)[1], 6))});
  }
  if (t.antenna.headingDegrees != 0.0) {
    text = Subst(Tr("%1, heading %2 degrees"), {text, LocalNumber(FormatGeneral(t.antenna.headingDegrees, 5))});
  }
  return text;
}

std::string NearFieldShareText(const NearFieldShare& share) {
  if (share.atAntenna) return Tr("at the antenna");
  const std::string e = LocalNumber(FormatGeneral(share.eVm, 4)), h = LocalNumber(FormatGeneral(share.hAm, 4));
  // TRANSLATORS: the fields E and H at a place and its share of the limit; which of E and H binds.
  return Subst(share.magnetic ? Tr("E %1 V/m, H %2 A/m: %3 (H binds)") : Tr("E %1 V/m, H %2 A/m: %3 (E binds)"),
               {e, h, PercentText(share.share)});
}

std::string BoundaryText(const Station& s, const NearFieldBand& band, Environment environment) {
  const auto e = static_cast<std::size_t>(environment);
  const BoundaryDirection* far = nullptr;
  for (const auto& d : band.boundary[e]) {
    if (!far || d.meters > far->meters) far = &d;
  }
  if (!far || far->meters <= 0.0) return Tr("none: the limit is met everywhere");
  // TRANSLATORS: a distance and its bearing, "12.4 Meters toward 10 degrees".
  std::string text = Subst(Tr("%1 toward %2 degrees"),
                           {StationDistance(s, far->meters), LocalNumber(FormatGeneral(far->bearingDegrees, 3))});
  if (far->beyondReach) text = Subst(Tr("%1 (past the computed points: the far-field formula's)"), {text});
  if (far->overWires) {
    text = Subst(Tr("%1 (over the antenna's own wires: the farthest point that exceeds is at them)"), {text});
  }
  return text;
}

std::string NearFieldMethodText(const NearFieldMethod& m) {
  std::string frequencies;
  for (const double f : m.frequenciesMHz) frequencies += (frequencies.empty() ? "" : ", ") + FrequencyText(f);
  // TRANSLATORS: %1 the engine, %2 the number of segments, %3 the frequencies, %4 the ground.
  return Subst(Tr("NEC-2 (%1), %2 segments, %3 MHz; ground: %4."),
               {m.engine, std::to_string(m.segments), frequencies, TrText(m.ground)});
}

std::vector<std::string> NearFieldAssumptions() {
  return {
      Tr("Near field: the antenna's model is solved with NEC-2 for its currents, and E and H are computed at each "
      "point; each is compared with the rule's own E and H limits separately (in the near field neither stands "
      "for the other). The engine prints peak phasors: the RMS field is the root of half the sum of the squared "
      "components, scaled to the power going into the antenna."),
      Tr("Time-averaged limits take the average power (mode, time on the air, feedline loss); nerve-stimulation "
      "limits the peak power. A place given by a distance is the worst point of the circle (or, for a "
      "straight-line distance, the sphere) at that distance around the antenna; a place without a height of "
      "its own is judged from near the ground to the person height."),
      Tr("The compliance boundary is, in each of 36 directions, the smallest distance along the ground from the mast "
      "beyond which every point from near the ground to the person height complies. Points on or within a "
      "segment's length of a wire are at the antenna, where no limit is met."),
      Tr("NEC-2 cannot model buried radials or wires touching real ground: radials lie just above it."),
  };
}

std::string FarFieldStandsInText(const std::vector<std::string>& names) {
  if (names.empty()) return {};
  if (names.size() == 1) {
    return Subst(Tr("%1 has no near field: its far-field share stands in the verdicts with the near field."), {names[0]});
  }
  std::string list = names[0];
  for (std::size_t i = 1; i + 1 < names.size(); ++i) list = Subst(Tr("%1, %2"), {list, names[i]});
  // TRANSLATORS: the last two of a list of names, "A, B and C".
  list = Subst(Tr("%1 and %2"), {list, names.back()});
  return Subst(Tr("%1 have no near field: their far-field shares stand in the verdicts with the near field."), {list});
}

std::vector<std::string> WithoutNearField(const Station& s, const StationNearField& nf) {
  std::vector<std::string> names;
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    const bool modelled = s.transmitters[t].antenna.model.has_value();
    if (modelled && (t >= nf.transmitters.size() || !nf.transmitters[t])) names.push_back(s.transmitters[t].name);
  }
  return names;
}

}  // namespace zento
