// The station model: time averaging, the mismatched line, heights, limits, thresholds, modes,
// bands, and worked examples.
#include "core/station_eval.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/line_loss.h"
#include "core/operating.h"
#include "core/thresholds.h"
#include "tests/core/station_examples.h"

namespace zento {
namespace {

using test::Along;
using test::At;
using test::OneTransmitter;

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

TEST(Limits, EveryLimitOfTheRuleIsMetAndTheOneThatBindsIsNamed) {
  // ICNIRP 2020, general public. 100 W SSB (20 %) at 3.6 MHz, 2 m away: the peak field is
  // sqrt(377 x 2.56 x 100 / (4 pi 4)) = 43.82 V/m against ICNIRP 2010's 83 V/m: 52.8 %, where the
  // 30-minute whole-body level (300 / 3.6^0.7 V/m, 39.70 W/m²) gives 2.6 %.
  Station hf = OneTransmitter(100, 0, 3.6);
  hf.rules = RuleSet::kIcnirp2020;
  hf.transmitters[0].mode = "ssb";
  hf.places = {At(2.0)};
  const double peakField = std::sqrt(377 * 2.56 * 100 / (4 * std::numbers::pi * 4));
  const auto band = EvaluateStation(hf).transmitters[0].bands[0];
  EXPECT_NEAR(band.places[0].share, peakField / 83, 1e-9);
  EXPECT_TRUE(band.places[0].limit.instantaneous);
  const auto& nerve = band.In(Environment::kUncontrolled);
  EXPECT_TRUE(nerve.limit.instantaneous);
  EXPECT_NEAR(nerve.safeDistanceMeters, 2.0 * peakField / 83, 1e-9);  // the field falls as 1/r
  EXPECT_EQ(nerve.averagingMinutes, 30.0) << "the main window still shown";

  // 1 min on the air in each half hour at 2400 MHz: the whole-body level (10 W/m², 30 min) sees
  // 1/30 of the power, the local one (40 W/m², 6 min) 1/6: the local one binds.
  Station microwave = OneTransmitter(100, 0, 2400);
  microwave.rules = RuleSet::kIcnirp2020;
  microwave.transmitters[0].txMinutes = 1;
  microwave.transmitters[0].rxMinutes = 29;
  microwave.places = {At(1.0)};
  const auto local = EvaluateStation(microwave).transmitters[0].bands[0];
  const double peak = 2.56 * 100 / (4 * std::numbers::pi);  // W/m² at 1 m
  EXPECT_NEAR(local.places[0].share, peak / 6 / 40, 1e-9);
  EXPECT_EQ(local.places[0].limit.averagingMinutes, 6.0);
  const auto& e = local.In(Environment::kUncontrolled);
  EXPECT_EQ(e.averagingMinutes, 6.0);
  EXPECT_NEAR(e.timeFactor, 1.0 / 6, 1e-12);
  EXPECT_NEAR(e.safeDistanceMeters, std::sqrt(peak / 6 / 40), 1e-9);
  EXPECT_NE(e.limit.basis.find("Table 6"), std::string_view::npos);
}

// The Bundesnetzagentur's worked examples ("Prüfungsfragen zum Erwerb von Amateurfunkprüfungs-
// bescheinigungen", 3rd edition, March 2024), to their printed digits: d = sqrt(30 ohm x EIRP) /
// E, no ground reflection, EIRP from the power, the cable's loss and the gain in dBd + 2.15.
TEST(WorkedExamples, TheBundesnetzagenturSafetyDistances) {
  const struct {
    const char* question;
    double watts, dBd, cableDb, mhz, meters;
    int decimals;
  } cases[] = {
      {"EK108: 10 m, FM, 7.5 dBd Yagi, 100 W, 1.5 dB", 100, 7.5, 1.5, 28.5, 5.0, 1},
      {"AK106: 10 m, RTTY, dipole, 100 W", 100, 0, 0, 28.5, 2.50, 2},
      {"AK108: 20 m, RTTY, dipole, 300 W, 0.5 dB", 300, 0, 0.5, 14.2, 4.10, 2},
      {"AK109: 20 m, RTTY, dipole, 700 W, 0.5 dB", 700, 0, 0.5, 14.2, 6.26, 2},
      {"AK110: 2 m, FM, 11.5 dBd Yagi, 75 W, 1.5 dB", 75, 11.5, 1.5, 145, 6.86, 2},
      {"AK111: 2 m, FM, 10.5 dBd Yagi, 100 W, 1.5 dB", 100, 10.5, 1.5, 145, 7.1, 1},
      {"AK112: 13 cm, FM, 18 dBd dish, 40 W, 2 dB (61 V/m)", 40, 18, 2, 2400, 4.6, 1},
  };
  for (const auto& c : cases) {
    Station s = OneTransmitter(c.watts, c.dBd + 2.15, c.mhz);
    s.rules = RuleSet::kGermanyBemfv;
    s.groundReflection = false;
    s.transmitters[0].mode = "fm";
    s.transmitters[0].feedline.totalLossDb = c.cableDb;
    const auto band = EvaluateStation(s).transmitters[0].bands[0];
    // Within the catalogue's last printed digit (it gives AK106's 2.506 m as 2,50 m).
    EXPECT_NEAR(band.In(Environment::kUncontrolled).safeDistanceMeters, c.meters, std::pow(10.0, -c.decimals))
        << c.question;
  }
}

TEST(ReactiveNearField, EveryDistanceWithinLambdaOver2PiOfTheConductorsIsFlagged) {
  // Distances are from the antenna's point; a gain alone is taken for a half-wave dipole, whose
  // ends are lambda/4 from it. At 14 MHz lambda/2pi + lambda/4 = 3.408 + 5.353 = 8.761 m: a place
  // just inside is flagged, one at it is not; so is a safe distance (4 W: 0.8 m controlled).
  const double lambda = 299.792458 / 14.0, edge = lambda / (2 * std::numbers::pi) + lambda / 4;
  Station s = OneTransmitter(4, 0, 14.0);
  s.places = {At(edge * (1 - 1e-9)), At(edge), At(0.6 * lambda)};
  const auto band = EvaluateStation(s).transmitters[0].bands[0];
  EXPECT_TRUE(band.places[0].reactiveNearField);
  EXPECT_FALSE(band.places[1].reactiveNearField);
  EXPECT_FALSE(band.places[2].reactiveNearField);
  EXPECT_TRUE(band.In(Environment::kControlled).reactiveNearField);
  // 5000 W: sqrt(2.56 x 5000 / (4 pi x 9.18 W/m2)) = 10.5 m uncontrolled (180/f2 mW/cm2): beyond it.
  s.transmitters[0].powerWatts = 5000;
  EXPECT_FALSE(EvaluateStation(s).transmitters[0].bands[0].In(Environment::kUncontrolled).reactiveNearField);
  // A 5/8-wave vertical's top is 0.625 wavelength above its base: 0.6 wavelength away is within
  // lambda/2pi of it.
  AntennaModel vertical;
  vertical.kind = AntennaKind::kVertical;
  vertical.verticalLength = VerticalLength::kFiveEighthsWave;
  vertical.designMHz = 14.0;
  s.transmitters[0].antenna.model = vertical;
  s.transmitters[0].antenna.heightMeters = 2.0;
  EXPECT_TRUE(EvaluateStation(s).transmitters[0].bands[0].places[2].reactiveNearField);
}

TEST(Thresholds, EachRegulatorsPowerFromWhichItAsks) {
  const struct {
    RuleSet rules;
    double eirp;
    std::optional<bool> required;
  } cases[] = {
      {RuleSet::kGermanyBemfv, 10.0, true},  // "von 10 Watt oder mehr" (BEMFV section 9(1))
      {RuleSet::kGermanyBemfv, 9.99, false}, {RuleSet::kUkOfcom, 10.0, false},              // above 10 W EIRP (Ofcom)
      {RuleSet::kUkOfcom, 10.01, true},      {RuleSet::kIcnirp2020, 1000.0, std::nullopt},  // no threshold of its own
      {RuleSet::kFcc, 1000.0, std::nullopt},  // its exemption is a check of its own
  };
  for (const auto& c : cases) {
    const auto check = CheckThreshold(c.rules, c.eirp);
    ASSERT_EQ(check.has_value(), c.required.has_value()) << Info(c.rules).key << " " << c.eirp;
    if (check) {
      EXPECT_EQ(check->required, *c.required) << Info(c.rules).key << " " << c.eirp;
    }
  }
  // A band's threshold takes its largest EIRP: 6 W into a 13 dBd Yagi on 2 m is 197 W (EK104).
  Station s = OneTransmitter(6, 13 + 2.15, 145);
  s.rules = RuleSet::kGermanyBemfv;
  EXPECT_NEAR(EvaluateStation(s).transmitters[0].bands[0].peakEirpWatts, 6 * std::pow(10.0, 1.515), 1e-9);
}

TEST(Modes, PeriodsAndTheCarrierOrThePeakOfAm) {
  // FT8 sends 12.64 s of each 15 s period, every other period: over any 6-minute window
  // 12.64 / 30 of the time. AM typed as its carrier: mean 1.5 times it, peak 4 times it.
  const struct {
    const char* mode;
    double averageShare, peakFactor;
  } cases[] = {
      {"ft8", 12.64 / 30, 1}, {"ft4", 5.04 / 15, 1}, {"am", 1.5, 4}, {"am-pep", 0.375, 1}, {"fm", 1, 1},
  };
  for (const auto& c : cases) {
    Station s = OneTransmitter(100, 0, 14.2);
    s.transmitters[0].mode = c.mode;
    const StationResult result = EvaluateStation(s);
    const auto& e = result.transmitters[0].bands[0].In(Environment::kControlled);
    EXPECT_NEAR(e.averageEirpWatts, 100 * c.averageShare, 1e-9) << c.mode;
    EXPECT_NEAR(e.peakEirpWatts, 100 * c.peakFactor, 1e-9) << c.mode;
  }
  // The peak counts against an instantaneous limit: Safety Code 6's nerve stimulation at 3.6 MHz.
  Station am = OneTransmitter(100, 0, 3.6);
  am.rules = RuleSet::kCanadaSc6;
  am.transmitters[0].mode = "am";
  am.places = {At(4.0)};  // where the peak's nerve-stimulation share outweighs the mean's
  const double peakField = std::sqrt(377 * 2.56 * 400 / (4 * std::numbers::pi * 16));  // 4 x 100 W at 4 m
  EXPECT_NEAR(EvaluateStation(am).transmitters[0].bands[0].places[0].share, peakField / 83, 1e-9);
}

TEST(Bands, EveryFigureOfABandComesFromThatBandAlone) {
  // 1500 W on 160 m and 10 m, 12 m up, people 2 m tall: on 10 m the limit is met only well away
  // from the mast; on 160 m it is met everywhere at 2 m. Alone or in either order, the same.
  Station s = OneTransmitter(1500, 6, 0);
  s.transmitters[0].antenna.heightMeters = 12;
  const auto alone = [&](const char* name) {
    Station one = s;
    one.transmitters[0].bands = {{name, 0}};
    return EvaluateStation(one).transmitters[0].bands[0];
  };
  const BandResult bands[] = {alone("160m"), alone("10m")};
  for (const auto& order : {std::vector<std::string>{"160m", "10m"}, std::vector<std::string>{"10m", "160m"}}) {
    s.transmitters[0].bands = {{order[0], 0}, {order[1], 0}};
    const StationResult result = EvaluateStation(s);
    for (const BandResult& b : result.transmitters[0].bands) {
      const BandResult& single = b.band == "160m" ? bands[0] : bands[1];
      for (const Environment env : kEnvironments) {
        EXPECT_EQ(b.In(env).horizontalMeters, single.In(env).horizontalMeters) << b.band << " after " << order[0];
        EXPECT_EQ(b.In(env).metEverywhereAtHeight, single.In(env).metEverywhereAtHeight) << b.band;
      }
    }
  }
  EXPECT_TRUE(bands[1].In(Environment::kUncontrolled).horizontalMeters);
  EXPECT_TRUE(bands[0].In(Environment::kUncontrolled).metEverywhereAtHeight);
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
