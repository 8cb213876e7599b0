// The built-in antennas as wires, and the importer of a ham's NEC-2 deck.
#include "core/antenna_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/evaluation.h"
#include "core/site.h"

namespace zento {
namespace {

AntennaStructure Build(const AntennaModel& m, AntennaPlacement at = {}, double mhz = 14.2) {
  std::string problem;
  const auto s = BuildAntenna(m, at, mhz, mhz, problem);
  EXPECT_TRUE(s) << problem;
  return s ? *s : AntennaStructure{};
}

double TotalLength(const AntennaStructure& s) {
  double sum = 0.0;
  for (const Wire& w : s.wires) sum += w.Length();
  return sum;
}

TEST(AntennaModels, EachKindIsCutForItsFrequencyAndStandsWhereItIsPut) {
  const double lambda = kSpeedOfLightMetersMHz / 14.2;
  AntennaModel dipole;
  // 468 / f feet, broadside north at heading 0: the wire runs east and west, 10 m up at (5, 6).
  const AntennaStructure d = Build(dipole, {5, 6, 10, 0});
  ASSERT_EQ(d.wires.size(), 1u);
  EXPECT_NEAR(d.wires[0].Length(), 468 * 0.3048 / 14.2, 1e-9);
  EXPECT_NEAR(std::abs(d.wires[0].a.y - 6) + std::abs(d.wires[0].b.y - 6), 0.0, 1e-9);
  EXPECT_DOUBLE_EQ(d.wires[0].a.z, 10.0);
  EXPECT_EQ(d.wires[0].segments % 2, 1) << "fed in its middle segment";
  EXPECT_EQ(d.sources[0].segment, (d.wires[0].segments + 1) / 2);
  EXPECT_LE(d.wires[0].Length() / d.wires[0].segments, lambda / 20);

  AntennaModel vee;
  vee.kind = AntennaKind::kInvertedV;
  vee.apexDegrees = 90;  // each arm 45 degrees down
  const AntennaStructure v = Build(vee, {0, 0, 12, 0});
  ASSERT_EQ(v.wires.size(), 2u);
  EXPECT_NEAR(std::min(v.wires[0].a.z, v.wires[0].b.z), 12 - TotalLength(v) / 2 * std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(v.wires[0].b.z, 12, 1e-12) << "fed at the apex";
  EXPECT_EQ(v.sources[0].segment, v.wires[0].segments);

  AntennaModel vertical;
  vertical.kind = AntennaKind::kVertical;
  vertical.radials = 4;
  const AntennaStructure g = Build(vertical, {0, 0, 0, 0});
  ASSERT_EQ(g.wires.size(), 5u);
  EXPECT_DOUBLE_EQ(g.wires[0].a.z, kLowestWireMeters) << "never on or in the ground";
  EXPECT_NEAR(g.wires[0].Length(), 234 * 0.3048 / 14.2, 1e-9);
  EXPECT_NEAR(g.wires[1].Length(), lambda / 4, 1e-9);
  EXPECT_EQ(g.sources[0].segment, 1) << "fed at its base";

  // The Yagis' designs in wavelengths: the boom from the reflector to the last director.
  const struct {
    int elements;
    double boom;
  } yagis[] = {{2, 0.16}, {3, 0.32482}, {4, 0.42943}, {5, 0.8}, {6, 1.2}};
  for (const auto& y : yagis) {
    AntennaModel yagi;
    yagi.kind = AntennaKind::kYagi;
    yagi.elements = y.elements;
    const AntennaStructure s = Build(yagi, {0, 0, 12, 90});  // beaming east: the boom along x
    ASSERT_EQ(s.wires.size(), static_cast<std::size_t>(y.elements));
    EXPECT_NEAR(s.wires.back().a.x - s.wires.front().a.x, y.boom * lambda, 1e-9) << y.elements;
    EXPECT_LT(s.wires.front().a.x, 0) << "the reflector behind the mast";
  }

  AntennaModel loop;
  loop.kind = AntennaKind::kLoop;
  const AntennaStructure l = Build(loop, {0, 0, 5, 0});
  ASSERT_EQ(l.wires.size(), 4u);
  EXPECT_GT(TotalLength(l), 1.04 * lambda) << "a resonant loop is longer than a wavelength";
  EXPECT_LT(TotalLength(l), 1.07 * lambda);
}

TEST(AntennaModels, AModelThatCannotBeBuiltSaysWhy) {
  AntennaModel vee;
  vee.kind = AntennaKind::kInvertedV;
  vee.apexDegrees = 60;
  AntennaModel fat;
  fat.wireRadiusMm = 900.0;
  const struct {
    AntennaModel model;
    AntennaPlacement at;
    std::string problem;
  } cases[] = {
      {vee, {0, 0, 3, 0}, "reaches below the ground"},
      {fat, {0, 0, 10, 0}, "too thick for its segments"},
  };
  for (const auto& c : cases) {
    std::string problem;
    EXPECT_FALSE(BuildAntenna(c.model, c.at, 14.2, 14.2, problem));
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }
}

TEST(NecImport, TakesTheStructureLoadsAndFeedAndRefusesWhatItCannotStandBehind) {
  const std::string good =
      "CM a 40 m dipole with a trap\nCE\nGW 1 21 0 -10 10 0 10 10 0.001\nGM 0 0 0 0 0 0 0 0 0\n"
      "GE 1\nLD 0 1 5 5 10 0 0\nEX 0 1 11 0 1 0\nGN 2 0 0 0 13 0.005\nFR 0 1 0 0 7.1 0\nRP 0 1 1 1000 90 0 0 0\nEN\n";
  std::string error;
  const auto deck = ParseNecDeck(good, error);
  ASSERT_TRUE(deck) << error;
  EXPECT_EQ(deck->structure.size(), 2u);
  EXPECT_EQ(deck->loads.size(), 1u);
  EXPECT_EQ(deck->sources.size(), 1u);
  EXPECT_EQ(deck->replaced, (std::vector<std::string>{"GE", "GN", "FR", "RP"}));

  const struct {
    std::string text;
    std::string error;
  } bad[] = {
      {"GW 1 5 0 0 1 0 0 5 0.001\nQQ 1 2\nEX 0 1 1 0 1 0\n", "'QQ 1 2' is not a NEC-2 card (line 2)"},
      {"GW 1 5 0 0 1 0 0 5 0.001\nSP 0 0 1 1 1 0 0 0\nEX 0 1 1 0 1 0\n", "SP: surface patches are not taken (line 2)"},
      {"GW 1 5 0 0 1 0 0 1 0.001\nEX 0 1 1 0 1 0\n", "GW: a wire of no length (line 1)"},
      {"GW 1 5 0 0 1 0 0 five 0.001\nEX 0 1 1 0 1 0\n", "GW: 'five' is not a number (line 1)"},
      {"GW 1 5 0 0 1 0 0 5\n", "GW: expected 9 numbers, got 8 (line 1)"},
      {"GW 1 5 0 0 1 0 0 5 0.001\nEX 1 1 1 0 1 0\n", "EX: only voltage sources (type 0)"},
      {"GW 1 5 0 0 1 0 0 5 0.001\nFR 0 1 0 0 7 0\n", "the file has no EX card: no segment is fed"},
      {"CM nothing\nEX 0 1 1 0 1 0\n", "the file has no wires"},
  };
  for (const auto& c : bad) {
    EXPECT_FALSE(ParseNecDeck(c.text, error)) << c.error;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << "expected: " << c.error << "\n     got: " << error;
  }
}

TEST(Site, ACircleInsideTheOutlineOrNot) {
  // A 20 x 10 m plot from (0, 0): a circle of 3 m at (5, 5) has 2 m to spare (to y = 10 and to
  // x = 0, the nearest edges); 6 m crosses by 1 m; a circle around a point outside never fits.
  const std::vector<std::array<double, 2>> plot = {{0, 0}, {20, 0}, {20, 10}, {0, 10}};
  const struct {
    double x, y, r;
    bool inside;
    double margin;
  } cases[] = {{5, 5, 3, true, 2}, {5, 5, 6, false, -1}, {25, 5, 0, false, -5}, {20, 5, 0, true, 0}};
  for (const auto& c : cases) {
    const OutlineCheck check = CheckInsideOutline(plot, c.x, c.y, c.r);
    EXPECT_EQ(check.inside, c.inside) << c.x << " " << c.r;
    EXPECT_NEAR(check.marginMeters, c.margin, 1e-12) << c.x << " " << c.r;
  }
  EXPECT_FALSE(CheckInsideOutline({{0, 0}, {1, 1}}, 0.5, 0.5, 0).inside) << "no area";
}

}  // namespace
}  // namespace zento
