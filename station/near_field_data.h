#pragma once
// What the window keeps of the engine's fields, per geometry of a transmitter's antenna, and how
// the fields for the station's places as they are now are put together from it. No Qt: the
// workers that run the engine make these, the window reads them.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/near_field.h"
#include "nec/near_field_run.h"

namespace zento::station {

// What the engine's fields for a transmitter depend on, as text: its antenna's model, position,
// height and heading, its frequencies and design frequency, the station's ground and person
// height. Its power, mode, time, feedline and the places are not in it: they only rescale the
// fields, or are points of their own.
std::string EngineKey(const Station& station, std::size_t transmitter);

// A group of points (one place's), exactly: the fields there are the engine's for exactly these.
using PointsKey = std::vector<std::array<double, 3>>;
PointsKey KeyOf(const std::vector<Vec3>& points);

// The fields per watt at a group of points.
struct PointBlock {
  std::vector<std::vector<FieldSquares>> fields;  // [frequency][point]
  std::vector<bool> atAntenna;                    // [point]
};

// One geometry's runs: the places, boundary and horizontal picture of its first run, the places
// asked for since, and the upright pictures, band by band. Changed only on the window's thread.
struct GeometryEntry {
  std::string key;
  std::shared_ptr<const nec::AntennaNearField> run;
  std::vector<std::pair<Vec3, Vec3>> wires;  // the segments' ends, for drawings
  double halfWidth = 0.0;                    // the horizontal picture's, each way of the mast
  std::map<PointsKey, std::shared_ptr<const PointBlock>> places;
  // The upright pictures, per band (its edges, which stay when bands are reordered), or why not.
  std::map<std::pair<double, double>, std::shared_ptr<const nec::AntennaPicture>> uprights;
  std::map<std::pair<double, double>, std::string> uprightProblems;
  int generation = 0;         // counts what was added, so that a combination made before is reused
  std::uint64_t lastUse = 0;  // for keeping the most recently used
};

// The run's own places, kept as blocks of the entry.
void KeepRunPlaces(GeometryEntry& entry);

// What a transmitter's figures are computed from: the places as the station has them now, the
// run's rays and horizontal picture.
struct NearFieldData {
  NearFieldPlan plan;                   // without its points: the samples stand for them
  NearFieldSamples samples;            // the places' points, the rays', then the picture's
  std::optional<GridImage> horizontal;  // its plane, `first` into the samples
  std::vector<bool> placeKnown;         // per place: fields to judge it by
  std::vector<bool> placeEstimated;     // per place: read from the picture's grid, not the engine's own
};

// Each place's fields: the engine's own where the entry holds them, else read from the
// horizontal picture's grid (FieldsFromGrid), else none yet (not known). `placePoints` are
// PlacePoints of each of the station's places.
std::shared_ptr<const NearFieldData> Combine(const GeometryEntry& entry,
                                             const std::vector<std::vector<Vec3>>& placePoints);

}  // namespace zento::station
