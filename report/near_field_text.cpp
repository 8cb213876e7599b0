// The near field in words, for zento-calc's text and the record alike.
#include <cmath>

#include "core/near_field.h"
#include "core/number_text.h"
#include "report/station_text.h"

namespace zento {

std::string AntennaModelText(const Station& s, const Transmitter& t) {
  if (!t.antenna.model) return "no model";
  const AntennaModel& m = *t.antenna.model;
  std::string text;
  switch (m.kind) {
    case AntennaKind::kYagi:
      text = std::to_string(m.elements) + "-element Yagi";
      break;
    case AntennaKind::kVertical:
      text = std::string(m.verticalLength == VerticalLength::kQuarterWave ? "quarter-wave vertical"
                         : m.verticalLength == VerticalLength::kFiveEighthsWave
                             ? "5/8-wave vertical"
                             : "vertical of " + StationDistance(s, m.lengthMeters)) +
             " with " + std::to_string(m.radials) + " radials";
      break;
    case AntennaKind::kLoop:
      text = std::string(m.horizontalLoop ? "horizontal " : "") +
             (m.loopShape == LoopShape::kSquare ? "square" : "delta") + " full-wave loop";
      break;
    case AntennaKind::kInvertedV:
      text = "inverted V (apex " + FormatGeneral(m.apexDegrees, 4) + " degrees)";
      break;
    case AntennaKind::kDipole:
      text = "half-wave dipole";
      break;
    case AntennaKind::kImported:
      text = "NEC-2 model " + m.file;
      break;
  }
  if (m.kind != AntennaKind::kImported) {
    if (const auto design = DesignMHz(s, t)) text += " cut for " + FrequencyText(*design) + " MHz";
    text += ", " + StationDistance(s, t.antenna.heightMeters.value_or(0.0)) + " up";
  }
  if (t.antenna.positionMeters) {
    text += ", at (" + FormatGeneral((*t.antenna.positionMeters)[0], 6) + ", " +
            FormatGeneral((*t.antenna.positionMeters)[1], 6) + ") m on the site";
  }
  if (t.antenna.headingDegrees != 0.0) text += ", heading " + FormatGeneral(t.antenna.headingDegrees, 5) + " degrees";
  return text;
}

std::string NearFieldShareText(const NearFieldShare& share) {
  if (share.atAntenna) return "at the antenna";
  return "E " + FormatGeneral(share.eVm, 4) + " V/m, H " + FormatGeneral(share.hAm, 4) +
         " A/m: " + PercentText(share.share) + (share.magnetic ? " (H binds)" : " (E binds)");
}

std::string BoundaryText(const Station& s, const NearFieldBand& band, Environment environment) {
  const auto e = static_cast<std::size_t>(environment);
  const BoundaryDirection* far = nullptr;
  for (const auto& d : band.boundary[e]) {
    if (!far || d.meters > far->meters) far = &d;
  }
  if (!far || far->meters <= 0.0) return "none: the limit is met everywhere";
  return StationDistance(s, far->meters) + " toward " + FormatGeneral(far->bearingDegrees, 3) + " degrees" +
         (far->beyondReach ? " (past the computed points: the far-field formula's)" : "") +
         (far->overWires ? " (over the antenna's own wires: the farthest point that exceeds is at them)" : "");
}

std::string NearFieldMethodText(const NearFieldMethod& m) {
  std::string frequencies;
  for (const double f : m.frequenciesMHz) frequencies += (frequencies.empty() ? "" : ", ") + FrequencyText(f);
  return "NEC-2 (" + m.engine + "), " + std::to_string(m.segments) + " segments, " + frequencies +
         " MHz; ground: " + m.ground + ".";
}

std::vector<std::string> NearFieldAssumptions() {
  return {
      "Near field: the antenna's model is solved with NEC-2 for its currents, and E and H are computed at each "
      "point; each is compared with the rule's own E and H limits separately (in the near field neither stands "
      "for the other). The engine prints peak phasors: the RMS field is the root of half the sum of the squared "
      "components, scaled to the power going into the antenna.",
      "Time-averaged limits take the average power (mode, time on the air, feedline loss); nerve-stimulation "
      "limits the peak power. A place given by a distance is the worst point of the circle (or, for a "
      "straight-line distance, the sphere) at that distance around the antenna; a place without a height of "
      "its own is judged from near the ground to the person height.",
      "The compliance boundary is, in each of 36 directions, the smallest distance along the ground from the mast "
      "beyond which every point from near the ground to the person height complies. Points on or within a "
      "segment's length of a wire are at the antenna, where no limit is met.",
      "NEC-2 cannot model buried radials or wires touching real ground: radials lie just above it.",
  };
}

std::string FarFieldStandsInText(const std::vector<std::string>& names) {
  if (names.empty()) return {};
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " and " : ", ";
    list += names[i];
  }
  list += names.size() == 1 ? " has no near field: its far-field share stands"
                             : " have no near field: their far-field shares stand";
  list += " in the verdicts with the near field.";
  return list;
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
