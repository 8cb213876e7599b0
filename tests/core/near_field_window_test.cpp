// What the station window reads from the near field without asking the engine: where a place's
// points are, a point's fields read from a picture's grid, the farthest boundary, how far the
// pictures reach.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/near_field.h"

namespace zento {
namespace {

Place At(std::optional<std::array<double, 2>> position, std::optional<double> horizontal,
         std::optional<double> distance, std::optional<double> height = std::nullopt) {
  Place p;
  p.name = "p";
  p.positionMeters = position;
  p.horizontalMeters = horizontal;
  p.distanceMeters = distance;
  p.heightMeters = height;
  return p;
}

Station OneAntenna(double height) {
  Station s;
  Transmitter t;
  t.name = "HF";
  t.bands = {{"20m", 0}};
  t.antenna.heightMeters = height;
  t.antenna.positionMeters = std::array{3.0, -4.0};
  s.transmitters = {t};
  return s;
}

TEST(NearFieldPoints, APlaceIsItsPointTheCircleAroundTheMastOrTheSphereAboveTheGround) {
  const Station s = OneAntenna(10.0);
  const Vec3 antenna{3.0, -4.0, 10.0};
  const struct {
    const char* what;
    Place place;
    std::size_t points;
    Vec3 centre;
    double radius;  // every point this far from the centre; horizontally for the circle
  } cases[] = {
      {"position", At(std::array{8.0, 8.0}, {}, {}, 1.7), 1, {8.0, 8.0, 1.7}, 0.0},
      {"circle", At({}, 6.0, {}, 1.5), 36, {3.0, -4.0, 1.5}, 6.0},
      // 5 elevations of 24 and straight up and down.
      {"sphere clear of the ground", At({}, {}, 5.0), 5 * 24 + 2, antenna, 5.0},
      // 15 m from an antenna 10 m up: -60 degrees and straight down are under the ground.
      {"sphere cut by the ground", At({}, {}, 15.0), 4 * 24 + 1, antenna, 15.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Vec3> points = PlacePoints(s, s.transmitters[0], c.place);
    EXPECT_EQ(points.size(), c.points);
    for (const Vec3& p : points) {
      EXPECT_GE(p.z, 0.0);
      const Vec3 d = p - c.centre;
      EXPECT_NEAR(c.place.horizontalMeters ? std::hypot(d.x, d.y) : d.Length(), c.radius, 1e-9);
      if (c.place.horizontalMeters) {
        EXPECT_DOUBLE_EQ(p.z, 1.5);
      }
    }
  }
  // Without a height of its own, a body standing there: from near the ground to the person height
  // (2 m), as the boundary is judged.
  const std::vector<Vec3> body = PlacePoints(s, s.transmitters[0], At(std::array{8.0, 8.0}, {}, {}));
  ASSERT_EQ(body.size(), 3u);
  EXPECT_EQ(body[0].z, 2.0);
  EXPECT_EQ(body[1].z, 1.0);
  EXPECT_EQ(body[2].z, 0.2);
  EXPECT_EQ(PlacePoints(s, s.transmitters[0], At({}, 6.0, {})).size(), 3u * 36u);
}

// A 3 x 3 plane at 2 m, 1 m apart from (10, 20): E² rising along x, H² along y, so that a row
// taken for a column shows.
TEST(NearFieldPoints, APointBetweenGridPointsTakesTheLargestOfTheFourAroundIt) {
  GridImage plane;
  plane.columns = plane.rows = 3;
  plane.left = 10.0;
  plane.bottom = 20.0;
  plane.step = 1.0;
  plane.heightMeters = 2.0;
  plane.first = 5;  // after other points
  NearFieldSamples samples;
  samples.frequenciesMHz = {14.0, 14.35};
  samples.atAntenna.assign(5 + 9, false);
  samples.fields.assign(2, std::vector<FieldSquares>(5 + 9));
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const std::size_t i = 5 + static_cast<std::size_t>(r * 3 + c);
      samples.fields[0][i] = {1.0 + c, 10.0 + r};
      samples.fields[1][i] = {2.0 * (1.0 + c), 0.5};
    }
  }
  samples.atAntenna[5 + 8] = true;  // the top right point
  const struct {
    Vec3 at;
    bool read;
    double e2, h2, e2High;
    bool atAntenna;
  } cases[] = {
      {{10.5, 20.5, 2.0}, true, 2.0, 11.0, 4.0, false},  // among the bottom left four
      {{11.0, 20.0, 2.0}, true, 3.0, 11.0, 6.0, false},  // on a point: its cell's four
      {{12.0, 21.5, 2.0}, true, 3.0, 12.0, 6.0, true},   // beside the point at the antenna
      {{12.5, 21.0, 2.0}, false, 0, 0, 0, false},        // outside
      {{10.5, 20.5, 2.5}, false, 0, 0, 0, false},        // above the plane
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at.x << ", " << c.at.y << ", " << c.at.z);
    const auto read = FieldsFromGrid(plane, samples, c.at);
    ASSERT_EQ(read.has_value(), c.read);
    if (!read) continue;
    EXPECT_EQ(read->fields[0].e2, c.e2);
    EXPECT_EQ(read->fields[0].h2, c.h2);
    EXPECT_EQ(read->fields[1].e2, c.e2High);
    EXPECT_EQ(read->atAntenna, c.atAntenna);
  }
}

TEST(NearFieldPoints, TheFarthestBoundaryIsFoundInEveryBandOrTheOneAsked) {
  NearFieldTransmitter t;
  t.bands.resize(3);
  const auto direction = [](double bearing, double meters) { return BoundaryDirection{bearing, meters}; };
  t.bands[0].boundary[1] = {direction(0, 2.0), direction(10, 3.0)};
  t.bands[1].boundary[1] = {direction(0, 1.0), direction(200, 7.5)};
  t.bands[1].boundary[0] = {direction(90, 40.0)};  // controlled: not what the pictures show
  EXPECT_EQ(FarthestBoundaryOf(t, 45.0).band, 1u);
  EXPECT_EQ(FarthestBoundaryOf(t, 45.0).bearingDegrees, 200.0);
  EXPECT_EQ(FarthestBoundaryOf(t, 45.0, 0).bearingDegrees, 10.0);
  // A band where everything complies: the antenna's main direction.
  EXPECT_EQ(FarthestBoundaryOf(t, 45.0, 2).band, 2u);
  EXPECT_EQ(FarthestBoundaryOf(t, 45.0, 2).bearingDegrees, 45.0);
  EXPECT_EQ(FarthestBoundaryOf(t, 45.0, 2).meters, 0.0);
}

TEST(NearFieldPoints, ThePicturesReachPastThePlacesAndTheWires) {
  Station s = OneAntenna(10.0);
  s.transmitters[0].powerWatts = 0.001;  // a far-field distance of nothing
  const StationResult far = EvaluateStation(s);
  EXPECT_EQ(PictureHalfWidth(s, 0, far), 5.0);
  s.places = {At(std::array{3.0 + 30.0, -4.0 + 40.0}, {}, {})};
  EXPECT_NEAR(PictureHalfWidth(s, 0, EvaluateStation(s)), 1.15 * 50.0, 1e-9);
  const Vec3 mast{3.0, -4.0, 0.0};
  EXPECT_EQ(UprightHalfWidth(20.0, {{{3, -4, 10}, {3, 6, 10}}}, mast), 20.0);
  EXPECT_NEAR(UprightHalfWidth(5.0, {{{3, -4, 10}, {3, 6, 10}}}, mast), 12.0, 1e-9);
}

}  // namespace
}  // namespace zento
