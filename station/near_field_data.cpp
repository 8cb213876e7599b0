#include "station/near_field_data.h"

#include <charconv>

namespace zento::station {
namespace {

// Every number exactly: the shortest text that reads back to the same double.
void Add(std::string& key, double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  key.append(text, end).push_back(' ');
}

void Add(std::string& key, const std::vector<std::string>& cards) {
  for (const std::string& card : cards) key.append(card).push_back('\n');
  key.push_back('|');
}

}  // namespace

std::string EngineKey(const Station& station, std::size_t transmitter) {
  const Transmitter& t = station.transmitters[transmitter];
  std::string key;
  Add(key, static_cast<double>(station.ground));
  Add(key, station.personHeightMeters);
  for (const double f : EngineFrequencies(station, t)) Add(key, f);
  key += "| ";
  Add(key, DesignMHz(station, t).value_or(0.0));
  const AntennaPlacement at = PlacementOf(station, t);
  for (const double v : {at.x, at.y, at.heightMeters, at.headingDegrees}) Add(key, v);
  Add(key, t.antenna.heightMeters ? 1.0 : 0.0);  // a built-in model without a height is refused
  if (!t.antenna.model) return key + "no model";
  const AntennaModel& m = *t.antenna.model;
  for (const double v :
       {static_cast<double>(m.kind), m.apexDegrees, static_cast<double>(m.verticalLength), m.lengthMeters,
        static_cast<double>(m.radials), static_cast<double>(m.elements), static_cast<double>(m.loopShape),
        m.horizontalLoop ? 1.0 : 0.0, m.wireRadiusMm.value_or(-1.0), m.conductivitySm}) {
    Add(key, v);
  }
  if (m.kind == AntennaKind::kImported) {
    key.append(m.file).push_back('|');
    Add(key, m.imported.structure);
    Add(key, m.imported.loads);
    Add(key, m.imported.sources);
    key += m.importProblem;
  }
  return key;
}

PointsKey KeyOf(const std::vector<Vec3>& points) {
  PointsKey key;
  key.reserve(points.size());
  for (const Vec3& p : points) key.push_back({p.x, p.y, p.z});
  return key;
}

void KeepRunPlaces(GeometryEntry& entry) {
  const NearFieldPlan& plan = entry.run->plan;
  const NearFieldSamples& samples = entry.run->samples;
  for (const auto& [first, last] : plan.places) {
    auto block = std::make_shared<PointBlock>();
    for (const auto& fields : samples.fields) block->fields.emplace_back(fields.begin() + static_cast<std::ptrdiff_t>(first), fields.begin() + static_cast<std::ptrdiff_t>(last));
    block->atAntenna.assign(samples.atAntenna.begin() + static_cast<std::ptrdiff_t>(first), samples.atAntenna.begin() + static_cast<std::ptrdiff_t>(last));
    const std::vector<Vec3> points(plan.points.begin() + static_cast<std::ptrdiff_t>(first), plan.points.begin() + static_cast<std::ptrdiff_t>(last));
    entry.places.emplace(KeyOf(points), std::move(block));
  }
  ++entry.generation;
}

std::shared_ptr<const NearFieldData> Combine(const GeometryEntry& entry,
                                             const std::vector<std::vector<Vec3>>& placePoints) {
  const nec::AntennaNearField& run = *entry.run;
  const std::size_t frequencies = run.samples.frequenciesMHz.size();
  auto data = std::make_shared<NearFieldData>();
  NearFieldPlan& plan = data->plan;
  NearFieldSamples& samples = data->samples;
  plan.mast = run.plan.mast;
  plan.distances = run.plan.distances;
  plan.heights = run.plan.heights;
  samples.frequenciesMHz = run.samples.frequenciesMHz;
  samples.fields.resize(frequencies);
  // The places first, each from the engine's own fields, the picture's grid, or not yet.
  for (const std::vector<Vec3>& points : placePoints) {
    const std::size_t first = samples.atAntenna.size();
    bool known = false, estimated = false;
    if (const auto block = entry.places.find(KeyOf(points)); block != entry.places.end()) {
      for (std::size_t f = 0; f < frequencies; ++f) {
        samples.fields[f].insert(samples.fields[f].end(), block->second->fields[f].begin(),
                                 block->second->fields[f].end());
      }
      samples.atAntenna.insert(samples.atAntenna.end(), block->second->atAntenna.begin(),
                               block->second->atAntenna.end());
      known = true;
    } else if (run.horizontal && !points.empty()) {
      // Meanwhile from the picture at the person height: each point takes the picture's value
      // straight above or below it (an estimate, marked so, until the place's own run).
      std::vector<PointFields> read;
      for (const Vec3& p : points) {
        auto fields = FieldsFromGrid(*run.horizontal, run.samples, {p.x, p.y, run.horizontal->heightMeters});
        if (!fields) break;
        read.push_back(std::move(*fields));
      }
      if (read.size() == points.size()) {
        for (const PointFields& p : read) {
          for (std::size_t f = 0; f < frequencies; ++f) samples.fields[f].push_back(p.fields[f]);
          samples.atAntenna.push_back(p.atAntenna);
        }
        known = estimated = true;
      }
    }
    plan.places.emplace_back(first, samples.atAntenna.size());
    data->placeKnown.push_back(known);
    data->placeEstimated.push_back(estimated);
  }
  // Then the rays and the picture's points, as the run has them.
  const std::size_t placesEnd = samples.atAntenna.size();
  const auto from = static_cast<std::ptrdiff_t>(run.plan.rayFirst);
  for (std::size_t f = 0; f < frequencies; ++f) {
    samples.fields[f].insert(samples.fields[f].end(), run.samples.fields[f].begin() + from,
                             run.samples.fields[f].end());
  }
  samples.atAntenna.insert(samples.atAntenna.end(), run.samples.atAntenna.begin() + from, run.samples.atAntenna.end());
  plan.rayFirst = placesEnd;
  if (run.horizontal) {
    data->horizontal = *run.horizontal;
    data->horizontal->first = run.horizontal->first - run.plan.rayFirst + placesEnd;
  }
  return data;
}

}  // namespace zento::station
