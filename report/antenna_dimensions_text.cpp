// A built-in antenna model's dimensions as its wires were cut, for the station window's editor.
#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "report/local_style.h"
#include "report/station_text.h"
#include "report/translation.h"

namespace zento {
namespace {

// Lengths to the centimetre (or the tenth of an inch, near enough), as one cuts wire.
std::string Length(const Station& s, double meters) {
  return LocalNumber(FormatFixed(FromMeters(meters, s.units), 2)) + (s.units == LengthUnit::kFeet ? " ft" : " m");
}

Vec3 Middle(const Wire& w) { return (w.a + w.b) * 0.5; }

}  // namespace

std::string AntennaDimensionsText(const Station& s, const AntennaModel& m, const AntennaStructure& structure) {
  const std::vector<Wire>& w = structure.wires;
  if (w.empty()) return {};
  std::string text;
  switch (m.kind) {
    case AntennaKind::kDipole:
      // TRANSLATORS: a dipole's length and the length of each of its two arms.
      text = Subst(Tr("%1 long (2 arms of %2)"), {Length(s, w[0].Length()), Length(s, w[0].Length() / 2.0)});
      break;
    case AntennaKind::kInvertedV:
      if (w.size() < 2) break;
      // TRANSLATORS: an inverted V: %1 each arm's length, %2 the span between its ends, %3 their drop.
      text = Subst(Tr("2 arms of %1, ends %2 apart and %3 below the apex"),
                   {Length(s, w[0].Length()), Length(s, (w[0].a - w[1].b).Length()), Length(s, w[0].b.z - w[0].a.z)});
      break;
    case AntennaKind::kVertical:
      if (w.size() == 1) {
        text = Subst(Tr("radiator %1, no radials"), {Length(s, w[0].Length())});
      } else if (w.size() == 2) {
        text = Subst(Tr("radiator %1, 1 radial of %2"), {Length(s, w[0].Length()), Length(s, w[1].Length())});
      } else {
        // TRANSLATORS: %1 the radiator's length, %2 the number of radials (more than one), %3 each one's length.
        text = Subst(Tr("radiator %1, %2 radials of %3"),
                     {Length(s, w[0].Length()), std::to_string(w.size() - 1), Length(s, w[1].Length())});
      }
      break;
    case AntennaKind::kYagi: {
      // TRANSLATORS: a Yagi's elements with their lengths, "reflector 10.40 m".
      static constexpr const char* kNames[] = {N_("reflector %1"), N_("driven element %1"), N_("director %1")};
      for (std::size_t i = 0; i < w.size(); ++i) {
        const std::string element = Subst(Tr(kNames[std::min<std::size_t>(i, 2)]), {Length(s, w[i].Length())});
        text = i == 0 ? element : Subst(Tr("%1, %2"), {text, element});
      }
      // TRANSLATORS: the Yagi's elements, then its boom's length.
      text = Subst(Tr("%1; boom %2"), {text, Length(s, (Middle(w.back()) - Middle(w.front())).Length())});
      break;
    }
    case AntennaKind::kLoop: {
      double perimeter = 0.0;
      for (const Wire& wire : w) perimeter += wire.Length();
      // TRANSLATORS: a loop: %1 the number of sides, %2 each side's length, %3 the perimeter.
      text = Subst(Tr("%1 sides of %2 (%3 around)"), {std::to_string(w.size()), Length(s, w[0].Length()), Length(s, perimeter)});
      break;
    }
    case AntennaKind::kImported:
      break;
  }
  int segments = 0;
  for (const Wire& wire : w) segments += wire.segments;
  // TRANSLATORS: the wire's radius in millimetres and the number of segments of the model.
  const std::string wire = Subst(Tr("wire radius %1 mm, %2 segments"),
                                 {LocalNumber(FormatGeneral(w[0].radiusMeters * 1000.0, 3)), std::to_string(segments)});
  // TRANSLATORS: an antenna's dimensions, then its wire.
  return text.empty() ? wire : Subst(Tr("%1; %2"), {text, wire});
}

}  // namespace zento
