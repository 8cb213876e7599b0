// A built-in antenna model's dimensions as its wires were cut, for the station window's editor.
#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "report/station_text.h"

namespace zento {
namespace {

// Lengths to the centimetre (or the tenth of an inch, near enough), as one cuts wire.
std::string Length(const Station& s, double meters) {
  return FormatFixed(FromMeters(meters, s.units), 2) + (s.units == LengthUnit::kFeet ? " ft" : " m");
}

Vec3 Middle(const Wire& w) { return (w.a + w.b) * 0.5; }

}  // namespace

std::string AntennaDimensionsText(const Station& s, const AntennaModel& m, const AntennaStructure& structure) {
  const std::vector<Wire>& w = structure.wires;
  if (w.empty()) return {};
  std::string text;
  switch (m.kind) {
    case AntennaKind::kDipole:
      text = Length(s, w[0].Length()) + " long (2 arms of " + Length(s, w[0].Length() / 2.0) + ")";
      break;
    case AntennaKind::kInvertedV:
      if (w.size() < 2) break;
      text = "2 arms of " + Length(s, w[0].Length()) + ", ends " + Length(s, (w[0].a - w[1].b).Length()) +
             " apart and " + Length(s, w[0].b.z - w[0].a.z) + " below the apex";
      break;
    case AntennaKind::kVertical:
      text = "radiator " + Length(s, w[0].Length());
      text += w.size() > 1 ? ", " + std::to_string(w.size() - 1) + " radial" + (w.size() > 2 ? "s" : "") + " of " +
                                 Length(s, w[1].Length())
                           : ", no radials";
      break;
    case AntennaKind::kYagi: {
      static constexpr const char* kNames[] = {"reflector", "driven element", "director"};
      for (std::size_t i = 0; i < w.size(); ++i) {
        text.append(i == 0 ? "" : ", ").append(kNames[std::min<std::size_t>(i, 2)]).append(" ");
        text.append(Length(s, w[i].Length()));
      }
      text.append("; boom ").append(Length(s, (Middle(w.back()) - Middle(w.front())).Length()));
      break;
    }
    case AntennaKind::kLoop: {
      double perimeter = 0.0;
      for (const Wire& wire : w) perimeter += wire.Length();
      text = std::to_string(w.size()) + " sides of " + Length(s, w[0].Length()) + " (" + Length(s, perimeter) +
             " around)";
      break;
    }
    case AntennaKind::kImported:
      break;
  }
  int segments = 0;
  for (const Wire& wire : w) segments += wire.segments;
  text.append(text.empty() ? "" : "; ").append("wire radius ").append(FormatGeneral(w[0].radiusMeters * 1000.0, 3));
  text.append(" mm, ").append(std::to_string(segments)).append(" segments");
  return text;
}

}  // namespace zento
