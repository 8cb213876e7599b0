#include "core/evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zento {
namespace {

TEST(PowerDensity, IsThePlaneWaveRelationWithGroundReflection) {
  // 100 W at 10 ft = 3.048 m: 2.56 x 100 / (125.663708 x 9.2903) = 0.21928 mW/cm².
  EXPECT_NEAR(ComputePowerDensity(100.0, DistanceInMeters(10.0, 1), 2.56), 0.21928, 5e-5);
  // At the safe distance the density is the limit itself: 4.7 ft for 1.0 at 100 W.
  EXPECT_NEAR(ComputePowerDensity(100.0, std::sqrt(2.56 * 100.0 / 125.663708), 2.56), 1.0, 1e-12);
  EXPECT_EQ(DistanceInMeters(10.0, 0), 10.0);
}

struct ThresholdCase {
  double frequencyMHz, meters, watts;  // worked by hand
};

TEST(ExemptionThreshold, GivesEachRowOfTheRule) {
  const ThresholdCase cases[] = {
      {1.0, 100.0, 1920.0 * 10000.0},       // 0.3 to 1.34 MHz: 1920 R²
      {0.3, 1.0, 1920.0},                   //   its lower edge
      {1.34, 10.0, 3450.0 * 100 / 1.7956},  // 1.34 to 30 MHz: 3450 R² / f² = 192138.5 W
      {14.2, 10.0, 1710.9700},              //   3450 x 100 / 201.64
      {30.0, 5.0, 95.75},                   // 30 to 300 MHz: 3.83 R² (30 belongs here)
      {146.0, 5.0, 95.75},                  //
      {300.0, 2.0, 0.0128 * 4 * 300},       // 300 to 1500 MHz: 0.0128 R² f = 15.36 W
      {440.0, 2.0, 22.528},                 //
      {1500.0, 1.0, 19.2},                  // 1500 to 100000 MHz: 19.2 R²
      {100000.0, 2.0, 76.8},
  };
  for (const auto& c : cases) {
    const auto threshold = ExemptionThresholdWatts(c.frequencyMHz, c.meters);
    ASSERT_TRUE(threshold) << c.frequencyMHz;
    EXPECT_NEAR(*threshold, c.watts, 1e-3) << c.frequencyMHz;
  }
  EXPECT_FALSE(ExemptionThresholdWatts(0.29, 10.0));
  EXPECT_FALSE(ExemptionThresholdWatts(100000.1, 10.0));
}

TEST(Exemption, AppliesOnlyFromLambdaOverTwoPi) {
  // 30 MHz: lambda = 9.99308 m, lambda / 2 pi = 1.590448 m.
  const auto inside = CheckExemption(30.0, 1.0, 1.5904);
  EXPECT_FALSE(inside.exempt);
  EXPECT_NEAR(inside.lambdaOver2PiMeters, 1.590448, 1e-6);
  EXPECT_NE(inside.reason.find("closer than lambda/2pi (1.59 m)"), std::string::npos);
  const auto outside = CheckExemption(30.0, 1.0, 1.5905);
  EXPECT_TRUE(outside.exempt);
  EXPECT_EQ(outside.reason, "ERP at or below the threshold");
}

TEST(Exemption, ComparesTheErpWithTheThreshold) {
  // 14.2 MHz, 10 m: threshold 1710.97 W. EIRP 1096.63 W is 668.68 W ERP: exempt.
  const auto exempt = CheckExemption(14.2, 1096.63, 10.0);
  EXPECT_TRUE(exempt.exempt);
  EXPECT_NEAR(exempt.erpWatts, 668.677, 1e-3);
  // 2806.0 W ERP is just above it.
  const auto above = CheckExemption(14.2, 1710.98 * 1.64, 10.0);
  EXPECT_FALSE(above.exempt);
  EXPECT_EQ(above.reason, "ERP above the threshold");
  EXPECT_TRUE(CheckExemption(14.2, 1710.96 * 1.64, 10.0).exempt);
  EXPECT_FALSE(CheckExemption(0.1, 1.0, 10000.0).exempt);
}

}  // namespace
}  // namespace zento
