// The station model: time averaging, the mismatched line, heights, summation, and worked examples.
#include "core/station_eval.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/line_loss.h"
#include "core/operating.h"

namespace zento {
namespace {

TEST(TimeAveraging, EachBranchOfTheRule) {
  const struct {
    double tx, rx, window, factor;
  } cases[] = {
      {6, 0, 6, 1.0},         // transmitting the whole window
      {7, 3, 6, 1.0},         //
      {5, 5, 6, 5.0 / 6},     // one cycle fills the window
      {3, 10, 6, 0.5},        //
      {2, 3, 6, 0.5},         // one cycle, then 1 minute of the next one's transmission
      {4, 1, 6, 5.0 / 6},     //
      {2, 3, 30, 0.4},        // six whole cycles
      {10, 10, 30, 2.0 / 3},  // one and a half cycles
      {0.25, 0.25, 6, 0.5},   // the FT8 cycle, 15 s each way
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(TimeAveragingFactor(c.tx, c.rx, c.window), c.factor, 1e-12) << c.tx << "/" << c.rx << "/" << c.window;
  }
}

TEST(Feedline, MismatchAddsToTheMatchedLoss) {
  EXPECT_DOUBLE_EQ(MismatchedLineLossDb(1.0, 1.0), 1.0);
  EXPECT_NEAR(MismatchedLineLossDb(1.0, 3.0), 1.503853, 1e-6);  // 10 log10((1.584893 - 0.25) / (1.258925 x 0.75))
  EXPECT_NEAR(MismatchedLineLossDb(0.0, 5.0), 0.0, 1e-12);      // a lossless line loses nothing
  Feedline cable{FeedlineKind::kCable, 16, 30.48, LengthUnit::kMeters};  // RG-213, 100 ft
  cable.swr = 2.0;
  cable.otherLossDb = 0.25;
  // 1.2525 dB per 100 ft at 30 MHz, then the mismatch, then the connectors.
  EXPECT_NEAR(FeedlineLossDb(cable, 30.0), MismatchedLineLossDb(1.252548, 2.0) + 0.25, 1e-4);
}

Place At(double meters, Environment environment = Environment::kUncontrolled) {
  Place place;
  place.name = "place";
  place.environment = environment;
  place.distanceMeters = meters;
  return place;
}

Place Along(double horizontalMeters, std::optional<double> heightMeters = std::nullopt) {
  Place place;
  place.name = "place";
  place.horizontalMeters = horizontalMeters;
  place.heightMeters = heightMeters;
  return place;
}

Station OneTransmitter(double power, double gainDbi, double frequencyMHz) {
  Station s;
  Transmitter t;
  t.name = "TX";
  t.powerWatts = power;
  t.antenna.gainDbi = gainDbi;
  t.bands = {{"", frequencyMHz}};
  s.transmitters = {t};
  return s;
}

TEST(WorkedExamples, OetBulletin65SupplementBMoonbounceArray) {
  // Eight 17-element Yagis, 24 dBi at 144 MHz, 1500 W: 287 ft controlled, 642 ft uncontrolled.
  const auto r = EvaluateStation(OneTransmitter(1500, 24, 144)).transmitters[0].bands[0];
  EXPECT_NEAR(r.In(Environment::kControlled).safeDistanceMeters / kMetersPerFoot, 287.4, 0.05);
  EXPECT_NEAR(r.In(Environment::kUncontrolled).safeDistanceMeters / kMetersPerFoot, 642.7, 0.05);
}

TEST(WorkedExamples, SixtyWattsOnTenMetersHalfTheTime) {
  // 60 W, SSB 20 %, on half the time, 2.2 dBi, 29 MHz, someone 6 ft away: 0.0606525 mW/cm²;
  // safe at 1.42841 ft (controlled) and 3.19402 ft (uncontrolled).
  Station s = OneTransmitter(60, 2.2, 29);
  s.transmitters[0].mode = "ssb";
  s.transmitters[0].txMinutes = 1;
  s.transmitters[0].rxMinutes = 1;
  s.places = {At(6 * kMetersPerFoot)};
  const auto r = EvaluateStation(s).transmitters[0].bands[0];
  EXPECT_NEAR(r.places[0].sWm2, 0.606525, 1e-5);
  EXPECT_NEAR(r.In(Environment::kControlled).safeDistanceMeters / kMetersPerFoot, 1.42841, 1e-5);
  EXPECT_NEAR(r.In(Environment::kUncontrolled).safeDistanceMeters / kMetersPerFoot, 3.19402, 1e-5);
}

TEST(Heights, HorizontalDistanceFromTheMast) {
  // 100 W at 146 MHz, 0 dBi: 10 W/m² controlled at sqrt(2.56 x 100 / (4 pi x 10)) = 1.427 m,
  // 2 W/m² uncontrolled at 3.192 m. Antenna 5 m up, people 2 m tall: 3 m below it.
  Station s = OneTransmitter(100, 0, 146);
  s.transmitters[0].antenna.heightMeters = 5;
  s.places = {Along(4.0), Along(0.0, 5.0)};
  const auto result = EvaluateStation(s);
  const auto& band = result.transmitters[0].bands[0];
  const auto& controlled = band.In(Environment::kControlled);
  EXPECT_TRUE(controlled.metEverywhereAtHeight);  // 1.43 m never reaches 3 m below
  EXPECT_FALSE(controlled.horizontalMeters);
  const auto& uncontrolled = band.In(Environment::kUncontrolled);
  EXPECT_NEAR(*uncontrolled.horizontalMeters, std::sqrt(3.19154 * 3.19154 - 9.0), 1e-4);
  EXPECT_DOUBLE_EQ(band.places[0].distanceMeters, 5.0);  // 4 m along the ground, 3 m down
  EXPECT_DOUBLE_EQ(band.places[1].distanceMeters, 0.0);  // on the roof by the antenna
  EXPECT_FALSE(result.places[1].complies);
}

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

TEST(Bands, EachFigureAtItsWorstFrequencyAndNamesResolvedUnderTheRules) {
  Station s = OneTransmitter(1500, 0, 0);
  s.transmitters[0].bands = {{"160m", 0}, {"4m", 0}};
  s.places = {At(30.0, Environment::kControlled)};
  const auto fcc = EvaluateStation(s).transmitters[0].bands;
  // Under the FCC 160 m is 1.8 to 2.0 MHz. The controlled limit is flat there and the EIRP the
  // same at both edges, so the tie keeps the lower edge; 180 / f² falls, so the upper edge.
  EXPECT_EQ(fcc[0].lowMHz, 1.8);
  EXPECT_EQ(fcc[0].In(Environment::kControlled).frequencyMHz, 1.8);
  EXPECT_EQ(fcc[0].In(Environment::kUncontrolled).frequencyMHz, 2.0);
  EXPECT_NE(fcc[1].problem.find("no 4m band"), std::string::npos);
  // The exemption is checked at the nearest place: 30 m is beyond lambda/2pi (26.5 m at 1.8 MHz).
  ASSERT_TRUE(fcc[0].exemption);
  EXPECT_TRUE(fcc[0].exemption->exempt);
  s.rules = RuleSet::kIcnirp1998;
  const auto europe = EvaluateStation(s).transmitters[0].bands;
  EXPECT_EQ(europe[0].lowMHz, 1.81);
  EXPECT_TRUE(europe[1].problem.empty());
  EXPECT_EQ(europe[1].highMHz, 70.5);
  EXPECT_FALSE(europe[0].exemption);  // an FCC rule only
}

}  // namespace
}  // namespace zento
