// Transmitters on the air together: their shares summed at each place, the sets that really are
// on the air together, and the FCC exemption's sum of ratios.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/simultaneous.h"
#include "core/station_eval.h"
#include "tests/core/station_examples.h"

namespace zento {
namespace {

using test::At;
using test::OneTransmitter;

TEST(Summation, TransmittersAtTheSameTimeAddTheirShares) {
  Station s = OneTransmitter(100, 0, 146);  // 2 W/m² uncontrolled
  Transmitter hf = s.transmitters[0];
  hf.name = "HF";
  hf.bands = {{"20m", 0}, {"40m", 0}};
  s.transmitters.push_back(hf);
  const double r = 2.0 * 3.19154;  // a quarter of the limit from the VHF transmitter
  s.places = {At(r)};

  const auto apart = EvaluateStation(s);
  const double vhf = apart.transmitters[0].worstShare[0];
  const double worstHf = apart.transmitters[1].worstShare[0];
  EXPECT_NEAR(vhf, 0.25, 1e-5);
  EXPECT_EQ(apart.transmitters[1].bands[apart.transmitters[1].worstBand[0]].band, "20m");  // 180/f² is lower
  EXPECT_DOUBLE_EQ(apart.places[0].share, std::max(vhf, worstHf));

  s.transmitters[1].simultaneousWith = {"TX"};
  const auto together = EvaluateStation(s);
  EXPECT_DOUBLE_EQ(together.places[0].share, vhf + worstHf);
  EXPECT_EQ(together.places[0].transmitters.size(), 2u);
  EXPECT_EQ(together.places[0].complies, vhf + worstHf <= 1.0);
}

// Transmitters named A, B, ... each listing the ones given.
Station Listing(std::vector<std::vector<std::string>> lists) {
  Station s;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    Transmitter t;
    t.name = std::string(1, static_cast<char>('A' + i));
    t.simultaneousWith = lists[i];
    s.transmitters.push_back(t);
  }
  return s;
}

TEST(Summation, TheSetsOnTheAirTogether) {
  using Sets = std::vector<std::vector<std::size_t>>;
  const struct {
    const char* how;
    std::vector<std::vector<std::string>> lists;
    Sets sets;
  } cases[] = {
      {"none together", {{}, {}}, {{0}, {1}}},
      {"listed on one side only", {{"B"}, {}}, {{0, 1}}},
      {"a ring listed one way round", {{"B"}, {"C"}, {"A"}}, {{0, 1, 2}}},
      {"a chain: A never with C", {{"B"}, {"C"}, {}}, {{0, 1}, {1, 2}}},
      {"a triangle, a pair sharing C, one alone", {{"B", "C"}, {"C"}, {"D"}, {}, {}}, {{0, 1, 2}, {2, 3}, {4}}},
  };
  for (const auto& c : cases) EXPECT_EQ(SimultaneousSets(Listing(c.lists)), c.sets) << c.how;
}

TEST(Summation, EachPlaceTakesTheWorstSetReallyOnTheAirTogether) {
  // 1500 W, 0 dBi, 14.35 MHz: 2.56 x 1500 / (4 pi 9²) = 3.7725 W/m² at 9 m against 1800 / 14.35²
  // = 8.7413 W/m² (uncontrolled): 43.16 % from each transmitter.
  const double one = 2.56 * 1500 / (4 * std::numbers::pi * 81) / (1800 / (14.35 * 14.35));
  Station ring = Listing({{"B"}, {"C"}, {"A"}});
  Station chain = Listing({{"B"}, {"A", "C"}, {"B"}});  // as the window writes it: both ways
  for (Station* s : {&ring, &chain}) {
    for (Transmitter& t : s->transmitters) {
      t.powerWatts = 1500;
      t.bands = {{"", 14.35}};
    }
    s->places = {At(9.0)};
  }
  const auto ringResult = EvaluateStation(ring).places[0];
  EXPECT_NEAR(ringResult.share, 3 * one, 1e-9) << "129.5 %, not 86.3 %";
  EXPECT_FALSE(ringResult.complies);
  EXPECT_EQ(ringResult.transmitters, (std::vector<std::size_t>{0, 1, 2}));

  chain.transmitters[1].powerWatts = 750;  // B is the weaker: the worst set is B with C's equal
  chain.transmitters[2].powerWatts = 1500;
  chain.transmitters[0].powerWatts = 1000;
  const auto chainResult = EvaluateStation(chain).places[0];
  EXPECT_NEAR(chainResult.share, (750 + 1500) / 1500.0 * one, 1e-9) << "never A, B and C together";
  EXPECT_EQ(chainResult.transmitters, (std::vector<std::size_t>{1, 2}));
}

TEST(Exemption, TransmittersOnTheAirTogetherAddTheirRatios) {
  // 47 CFR 1.1307(b)(3)(i)(C) at 10 m and 14 MHz: 3450 R² / f² = 1760.2 W ERP; lambda/2pi is
  // 3.4 m. Each transmitter alone at ratio 0.6 is exempt; together 1.2 is not.
  const double threshold = 3450.0 * 100 / (14.0 * 14.0);
  Station s = Listing({{"B"}, {}});
  s.exemptionDistanceMeters = 10.0;
  for (Transmitter& t : s.transmitters) {
    t.powerWatts = 0.6 * threshold * 1.64;
    t.bands = {{"", 14.0}};
  }
  const auto together = EvaluateStation(s);
  for (const auto& t : together.transmitters) {
    ASSERT_TRUE(t.bands[0].exemption);
    EXPECT_NEAR(t.bands[0].exemption->erpWatts / *t.bands[0].exemption->thresholdWatts, 0.6, 1e-9);
    EXPECT_FALSE(t.bands[0].exemption->exempt);
    EXPECT_NE(t.bands[0].exemption->reason.find("1.1307(b)(3)(ii)"), std::string::npos);
  }
  s.transmitters[1].powerWatts = 0.4 * threshold * 1.64;  // 0.6 + 0.4: at 1, still exempt
  const StationResult atOne = EvaluateStation(s);
  for (const auto& t : atOne.transmitters) EXPECT_TRUE(t.bands[0].exemption->exempt);
  s.transmitters[0].simultaneousWith.clear();
  s.transmitters[1].powerWatts = 0.6 * threshold * 1.64;
  const StationResult apart = EvaluateStation(s);
  for (const auto& t : apart.transmitters) EXPECT_TRUE(t.bands[0].exemption->exempt) << "apart";
}

}  // namespace
}  // namespace zento
