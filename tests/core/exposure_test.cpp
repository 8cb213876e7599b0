#include "core/exposure.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/number_text.h"

namespace zento {
namespace {

struct LimitCase {
  double frequencyMHz;
  const char* controlled;  // "%.2lf"
  const char* uncontrolled;
};

TEST(LookupExposureLimits, GivesEachBandsRuleWithLowerEdgesInTheBandAbove) {
  const LimitCase cases[] = {
      {1.0, "100.00", "100.00"},   {1.3399, "100.00", "100.00"},  // below the 1.34 MHz edge
      {1.34, "100.00", "100.25"},  {2.0, "100.00", "45.00"},      // 180 / f² from 1.34 MHz
      {2.9999, "100.00", "20.00"}, {3.0, "100.00", "20.00"},      // 900 / f² from 3 MHz
      {14.2, "4.46", "0.89"},      {29.999, "1.00", "0.20"},      //
      {30.0, "1.00", "0.20"},      {299.99, "1.00", "0.20"},      //
      {300.0, "1.00", "0.20"},     {440.0, "1.47", "0.29"},       // f / 300 and f / 1500
      {1499.99, "5.00", "1.00"},   {1500.0, "5.00", "1.00"},      //
      {30000.0, "5.00", "1.00"},
  };
  for (const auto& c : cases) {
    const auto limits = LookupExposureLimits(c.frequencyMHz, 100.0);
    ASSERT_TRUE(limits) << c.frequencyMHz;
    EXPECT_EQ(FormatFixed(limits->controlledLimit, 2), c.controlled) << c.frequencyMHz;
    EXPECT_EQ(FormatFixed(limits->uncontrolledLimit, 2), c.uncontrolled) << c.frequencyMHz;
  }
}

TEST(LookupExposureLimits, HasNoResultOutsideItsRange) {
  EXPECT_FALSE(LookupExposureLimits(0.5, 100.0));
  EXPECT_FALSE(LookupExposureLimits(0.0, 100.0));
  EXPECT_FALSE(LookupExposureLimits(0.9999, 100.0));
  EXPECT_FALSE(LookupExposureLimits(30000.01, 100.0));
  EXPECT_FALSE(LookupExposureLimits(30.0, 0.99));
  EXPECT_FALSE(LookupExposureLimits(30.0, 0.0));
  EXPECT_FALSE(LookupExposureLimits(std::nan(""), 100.0));
  EXPECT_FALSE(LookupExposureLimits(30.0, std::nan("")));
  EXPECT_TRUE(LookupExposureLimits(30.0, 1.0));
}

struct DistanceCase {
  double eirp, limit;
  const char* feet;
  const char* meters;
};

TEST(SafeDistance, MatchesTheWorkedFigures) {
  const DistanceCase cases[] = {
      {100.0, 1.0, "4.7 Feet", "1.4 Meters"},
      {100.0, 0.2, "10.5 Feet", "3.2 Meters"},
      {1096.6330, 900.0 / (14.2 * 14.2), "7.3 Feet", "2.2 Meters"},
      {1096.6330, 180.0 / (14.2 * 14.2), "16.4 Feet", "5.0 Meters"},
      {19.81, 440.0 * 0.0033333333333333335, "1.7 Feet", "0.5 Meters"},
      {19.81, 440.0 * 0.0006666666666666666, "3.8 Feet", "1.2 Meters"},
  };
  for (const auto& c : cases) {
    const double meters = ComputeSafeDistance(c.eirp, c.limit, 2.56);
    EXPECT_EQ(FormatDistance(meters, 1), c.feet) << c.eirp << " W at " << c.limit;
    EXPECT_EQ(FormatDistance(meters, 0), c.meters) << c.eirp << " W at " << c.limit;
  }
}

TEST(SafeDistance, AnyNonzeroUnitFlagMeansFeet) { EXPECT_EQ(FormatDistance(1.4273, 7), "4.7 Feet"); }

TEST(ComputeEirpForDistance, WorksBackFromATypedDistance) {
  EXPECT_NEAR(ComputeEirpForDistance("10", 1, 1.0, 2.56), 456.0367, 5e-5);
  EXPECT_NEAR(ComputeEirpForDistance("3.048", 0, 1.0, 2.56), 456.0367, 5e-4);
  EXPECT_EQ(ComputeEirpForDistance("0", 1, 1.0, 2.56), 0.0);
  EXPECT_EQ(ComputeEirpForDistance("abc", 1, 1.0, 2.56), 0.0);
  EXPECT_EQ(ComputeEirpForDistance("", 0, 0.2, 2.56), 0.0);
  // Only the flag value 1 converts from feet.
  EXPECT_EQ(ComputeEirpForDistance("2", 7, 1.0, 2.56), 1.0 * 2 * 2 * kFortyPi / 2.56);
}

}  // namespace
}  // namespace zento
