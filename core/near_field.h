#pragma once
// The near field of a station's antennas: where the engine is asked for fields, and what the
// fields it returns mean under the station's rules. The fields are kept per watt of input power,
// so that a power, mode, time, loss or place edit rescales them without asking the engine again.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/antenna_model.h"
#include "core/station_eval.h"

namespace zento {

// Mean-square E and H (the squares of the RMS fields) per watt of input power.
struct FieldSquares {
  double e2 = 0.0;  // (V/m)² per W
  double h2 = 0.0;  // (A/m)² per W
};

inline constexpr int kBoundaryDirections = 36;

// The points one antenna's fields are asked for, in order: each place's, then the boundary's
// rays (direction by direction, distance by distance, height by height).
struct NearFieldPlan {
  Vec3 mast;                                                // the antenna's position, at the ground
  std::vector<Vec3> points;                                 //
  std::vector<std::pair<std::size_t, std::size_t>> places;  // [first, last) of points, per station place
  std::size_t rayFirst = 0;                                 // the first point of the rays
  std::vector<double> distances;                            // along the ground from the mast, rising
  std::vector<double> heights;                              // from near the ground to the person height
  std::size_t RayPoint(int direction, std::size_t distance, std::size_t height) const {
    return rayFirst + (static_cast<std::size_t>(direction) * distances.size() + distance) * heights.size() + height;
  }
};

// What the engine returned for a plan: per frequency, per point. Points on or within a segment
// length of a wire are at the antenna: no number stands for them.
struct NearFieldSamples {
  std::vector<double> frequenciesMHz;
  std::vector<std::vector<FieldSquares>> fields;  // [frequency][point]
  std::vector<bool> atAntenna;                    // [point]
};

// The antenna's position, height and heading as the station gives them.
AntennaPlacement PlacementOf(const Station& station, const Transmitter& transmitter);
// How far the antenna's conductors reach from the point its far field is reckoned from (its
// position at its height): its built-in model's wires, or an imported one's straight wires as
// written; 0 without a model (the evaluation takes a gain alone for a half-wave dipole).
double AntennaExtentMeters(const Station& station, const Transmitter& transmitter);
// The design frequency: the model's own, or the middle of the transmitter's first band.
std::optional<double> DesignMHz(const Station& station, const Transmitter& transmitter);
// The frequencies the engine is asked for: each band's edges (or its one frequency), rising.
std::vector<double> EngineFrequencies(const Station& station, const Transmitter& transmitter);

// The points a place is judged at for a transmitter: its position, or the circle of points at its
// distance from the mast, each at its own height if it has one, else from near the ground to the
// person height (the person height first); or the sphere of points at its straight-line distance
// around the antenna, those under the ground left out.
std::vector<Vec3> PlacePoints(const Station& station, const Transmitter& transmitter, const Place& place);

// Where a transmitter's fields are needed: at each place (a place with a position is one point;
// one given by a distance is the circle of points at that distance, or the sphere for a
// straight-line distance), and along 36 directions from the mast, out to `reachMeters`.
NearFieldPlan PlanNearField(const Station& station, const Transmitter& transmitter, double reachMeters);

// One place's near field from one transmitter on one band: its worst point and edge.
struct NearFieldShare {
  double frequencyMHz = 0.0;
  double eVm = 0.0, hAm = 0.0;  // RMS, time-averaged as the binding limit averages
  double share = 0.0;           // of the binding limit: the larger of E's and H's
  bool magnetic = false;        // H binds rather than E
  Limit limit{};                // the limit that binds
  bool atAntenna = false;
};

struct BoundaryDirection {
  double bearingDegrees = 0.0;  // compass, from the mast
  double meters = 0.0;          // the smallest horizontal distance beyond which everything complies
  bool beyondReach = false;     // the engine's points all exceed: the far-field distance stands
  bool overWires = false;       // it ends where the antenna's wires do (radials, a low wire)
};

struct NearFieldBand {
  std::vector<NearFieldShare> places;                      // per station place
  std::array<std::vector<BoundaryDirection>, 2> boundary;  // per environment, 36 directions
  std::array<double, 2> largestMeters{};                   // per environment
  std::array<std::optional<double>, 2> farFieldMeters{};   // the far-field formula's, from the mast
};

struct NearFieldTransmitter {
  std::vector<NearFieldBand> bands;    // as the transmitter's bands; empty for a band with a problem
  std::vector<double> worstShare;      // per place
  std::vector<std::size_t> worstBand;  // per place
};

// The near field of one transmitter from its samples, at its present power, mode, time and loss.
NearFieldTransmitter EvaluateNearField(const Station& station, std::size_t transmitter, const StationResult& farField,
                                       const NearFieldPlan& plan, const NearFieldSamples& samples);

// A picture's worth of shares: a plane of points in rows, each the share of the limit that binds
// there (infinite at the antenna). Horizontal: x east, y north, at one height. Vertical: through
// the mast along a bearing, across from -halfWidth to +halfWidth, up from the ground.
enum class FieldChoice { kWorst, kElectric, kMagnetic };

struct GridImage {
  bool vertical = false;
  int columns = 0, rows = 0;
  double left = 0.0, bottom = 0.0;  // the first point: x and y (horizontal), or across and z (vertical)
  double step = 0.0;                // between neighbouring points, in meters, both ways
  double heightMeters = 0.0;        // horizontal: the plane's height
  double bearingDegrees = 0.0;      // vertical: the direction "across" runs to
  Vec3 mast;
  std::size_t first = 0;       // its first point's index among the points the engine was asked for
  std::vector<double> shares;  // rows from the bottom, each from the left: rows x columns
  double At(int column, int row) const { return shares[static_cast<std::size_t>(row * columns + column)]; }
};

// The pictures' planes around a transmitter's mast, their points appended to `points`: the
// horizontal plane at the person height (`across` x `across` points over `halfWidth` each way),
// and the vertical plane along `bearingDegrees`, up to a little above the antenna.
GridImage PlanHorizontalGrid(const Station& station, const Transmitter& transmitter, double halfWidth,
                             std::vector<Vec3>& points, int across = 50);
GridImage PlanVerticalGrid(const Station& station, const Transmitter& transmitter, double halfWidth,
                           double bearingDegrees, std::vector<Vec3>& points, int across = 50);

// A plane's shares from one band of a transmitter, at its worst edge per point.
GridImage EvaluateGrid(const Station& station, std::size_t transmitter, std::size_t band, const StationResult& farField,
                       GridImage plane, const NearFieldSamples& samples, FieldChoice choice, Environment environment);

// How far each way of the mast a transmitter's pictures reach: past the far-field formula's
// distance of each of its bands (uncontrolled; along the ground where it is known), which is drawn
// over them for comparison, and past every place with a position; at least 5 m.
double PictureHalfWidth(const Station& station, std::size_t transmitter, const StationResult& farField);
// The upright picture's: the horizontal one's, and a fifth past the wires' farthest end from the mast.
double UprightHalfWidth(double halfWidth, const std::vector<std::pair<Vec3, Vec3>>& wires, const Vec3& mast);

// The band whose uncontrolled boundary reaches farthest, and its farthest direction; the first
// band and `headingDegrees` (the main direction) when nothing exceeds. With `band`, that band's
// farthest direction.
struct FarthestBoundary {
  std::size_t band = 0;
  double meters = 0.0;
  double bearingDegrees = 0.0;
};
FarthestBoundary FarthestBoundaryOf(const NearFieldTransmitter& result, double headingDegrees,
                                    std::optional<std::size_t> band = std::nullopt);

// A point's fields per watt read from a horizontal plane's grid instead of the engine: at each
// frequency the larger of the four grid points around it, E and H each, and at the antenna where
// any of them is. An estimate until the engine gives the point's own fields (a peak between grid
// points is missed); none for a point off the plane's height or outside it.
struct PointFields {
  std::vector<FieldSquares> fields;  // [frequency]
  bool atAntenna = false;
};
std::optional<PointFields> FieldsFromGrid(const GridImage& plane, const NearFieldSamples& samples, const Vec3& point);

// How a transmitter's fields were found, in words for the record.
struct NearFieldMethod {
  std::string engine;  // "nec2c 1.3"
  std::string ground;  // the ground model, and any fallback
  int segments = 0;
  std::vector<double> frequenciesMHz;
};

// A station's near field: per transmitter its results, or why there are none.
struct StationNearField {
  struct Transmitter {
    NearFieldTransmitter result;
    NearFieldMethod method;
    std::vector<std::pair<Vec3, Vec3>> wires;              // the segments' ends, for drawings
    std::optional<std::pair<GridImage, GridImage>> grids;  // horizontal, vertical
    std::size_t gridBand = 0;
  };
  std::vector<std::optional<Transmitter>> transmitters;
  std::vector<std::string> problems;  // per transmitter: why it has no near field ("" for none asked)
  std::vector<PlaceVerdict> places;   // the verdicts with the near field where there is one
};

// At each place the worst set of transmitters on the air together, as for the far field; a
// transmitter without near-field results counts with its far-field share.
std::vector<PlaceVerdict> NearFieldVerdicts(const Station& station, const StationResult& farField,
                                            const std::vector<std::optional<NearFieldTransmitter>>& nearField);

}  // namespace zento
