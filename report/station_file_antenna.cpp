// Reading an antenna model: its kind and that kind's own keys, and an imported deck's cards.
#include "report/station_file_antenna.h"

#include <vector>

#include "report/translation.h"
namespace zento {

AntennaModel ReadAntennaModel(const JsonReader& r, const nlohmann::json& v, const JsonPath& path,
                              const DeckLoader& loader) {
  const auto& o = r.Object(v, path);
  r.Required(o, path, "kind");
  const auto kind = r.OptionalChoice(o, path, "kind", {"dipole", "inverted-v", "vertical", "yagi", "loop", "nec"});
  AntennaModel m;
  m.kind = kAntennaKinds[*kind].id;
  // Every kind takes these; each its own keys besides.
  std::vector<std::string_view> keys = {"kind", "design_mhz", "wire_radius_mm", "conductivity_s_m"};
  switch (m.kind) {
    case AntennaKind::kInvertedV:
      keys.push_back("apex_deg");
      break;
    case AntennaKind::kVertical:
      keys.insert(keys.end(), {"length", "length_m", "radials"});
      break;
    case AntennaKind::kYagi:
      keys.push_back("elements");
      break;
    case AntennaKind::kLoop:
      keys.insert(keys.end(), {"shape", "plane"});
      break;
    case AntennaKind::kImported:
      keys.push_back("file");
      break;
    case AntennaKind::kDipole:
      break;
  }
  for (const auto& [key, value] : o.items()) {
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
      // TRANSLATORS: %1 the model's kind as the file writes it ("dipole").
      r.Fail(path.Member(key), Subst(Tr("not a key of a \"%1\" model"), {kAntennaKinds[*kind].key}));
    }
  }
  m.designMHz = r.OptionalNumber(o, path, "design_mhz", kFrequencyRange);
  m.wireRadiusMm = r.OptionalNumber(o, path, "wire_radius_mm", kWireRadiusMmRange);
  m.conductivitySm = r.OptionalNumber(o, path, "conductivity_s_m", kConductivityRange).value_or(m.conductivitySm);
  m.apexDegrees = r.OptionalNumber(o, path, "apex_deg", kApexRange).value_or(m.apexDegrees);
  if (r.OneOf(o, path, {"length", "length_m"}, true) == "length_m") {
    m.verticalLength = VerticalLength::kGiven;
    m.lengthMeters = r.Number(o, path, "length_m", kAntennaLengthRange);
  } else if (const auto length = r.OptionalChoice(o, path, "length", {"quarter-wave", "five-eighths-wave"})) {
    m.verticalLength = *length == 0 ? VerticalLength::kQuarterWave : VerticalLength::kFiveEighthsWave;
  }
  m.radials = r.OptionalInteger(o, path, "radials", kRadialsRange).value_or(m.radials);
  m.elements = r.OptionalInteger(o, path, "elements", kYagiElementsRange).value_or(m.elements);
  if (const auto shape = r.OptionalChoice(o, path, "shape", {"square", "delta"})) {
    m.loopShape = *shape == 0 ? LoopShape::kSquare : LoopShape::kDelta;
  }
  if (const auto plane = r.OptionalChoice(o, path, "plane", {"vertical", "horizontal"})) m.horizontalLoop = *plane == 1;
  if (m.kind == AntennaKind::kImported) {
    m.file = r.String(o, path, "file", kMaxPathLength);
    // A file that cannot be taken costs the near field of this antenna, not the station: the
    // reason stays with the model and the near field says it.
    if (loader) {
      std::string why;
      if (const auto text = loader(m.file, why)) {
        if (const auto deck = ParseNecDeck(*text, why)) {
          m.imported = *deck;
        } else {
          m.importProblem = Subst(Tr("%1: %2"), {m.file, why});
        }
      } else {
        m.importProblem = why;
      }
    } else {
      m.importProblem = Subst(Tr("the model's file %1 was not read"), {m.file});
    }
  }
  return m;
}

}  // namespace zento
