// Each rule set pinned at every edge of its tables: just below, at (the stricter row), just above.
#include "core/rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zento {
namespace {

// One row of a table: its frequency range and S at each end, worked from the publication.
struct Row {
  double lowMHz, highMHz, lowWm2, highWm2;
};

struct TableCase {
  RuleSet rules;
  Environment environment;
  std::vector<Row> rows;
};

double S(RuleSet rules, Environment environment, double f) {
  const auto limits = LookupLimits(rules, environment, f);
  EXPECT_TRUE(limits) << Info(rules).key << " " << f;
  return limits ? limits->averaged.sWm2 : 0.0;
}

// Each row holds just inside both its ends; where two rows meet, the stricter holds; outside
// the rule set's range there is none.
TEST(RuleSets, EachTableHoldsOnBothSidesOfEveryEdge) {
  constexpr auto kC = Environment::kControlled;
  constexpr auto kU = Environment::kUncontrolled;
  const TableCase cases[] = {
      {RuleSet::kFcc,
       kC,
       {{0.3, 3, 1000, 1000}, {3, 30, 1000, 10}, {30, 300, 10, 10}, {300, 1500, 10, 50}, {1500, 100000, 50, 50}}},
      {RuleSet::kFcc,
       kU,
       {{0.3, 1.34, 1000, 1000}, {1.34, 30, 1002.45, 2}, {30, 300, 2, 2}, {300, 1500, 2, 10}, {1500, 100000, 10, 10}}},
      {RuleSet::kIcnirp1998,
       kC,
       {{0.1, 1, 987.0027, 965.12},
        {1, 10, 965.12, 9.6512},
        {10, 400, 10, 10},
        {400, 2000, 10, 50},
        {2000, 300000, 50, 50}}},
      {RuleSet::kIcnirp1998,
       kU,
       {{0.1, 0.15, 20.07692, 20.07692},
        {0.15, 1, 20.07692, 20.07692},
        {1, 10, 20.07692, 2.007692},
        {10, 400, 2, 2},
        {400, 2000, 2, 10},
        {2000, 300000, 10, 10}}},
      {RuleSet::kIcnirp2020,
       kC,
       {{0.1, 30, 29023.28, 9.880451}, {30, 400, 10, 10}, {400, 2000, 10, 50}, {2000, 300000, 50, 50}}},
      {RuleSet::kIcnirp2020,
       kU,
       {{0.1, 30, 5996.546, 2.027422}, {30, 400, 2, 2}, {400, 2000, 2, 10}, {2000, 300000, 10, 10}}},
      {RuleSet::kCanadaSc6,
       kC,
       {{0.1, 10, 988.0371, 9.6512},
        {10, 20, 10, 10},
        {20, 48, 9.999696, 6.454776},
        {48, 100, 6.455, 6.455},
        {100, 6000, 6.455, 50.00021},
        {6000, 150000, 50, 50},
        {150000, 300000, 49.95, 99.9}}},
      {RuleSet::kCanadaSc6,
       kU,
       {{0.1, 10, 200.7692, 2.007692},
        {10, 20, 2, 2},
        {20, 48, 1.999939, 1.290955},
        {48, 300, 1.291, 1.291},
        {300, 6000, 1.29122, 10.00286},
        {6000, 150000, 10, 10},
        {150000, 300000, 10.005, 20.01}}},
  };
  for (const auto& c : cases) {
    const RuleSetInfo& info = Info(c.rules);
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      const Row& r = c.rows[i];
      EXPECT_NEAR(S(c.rules, c.environment, r.lowMHz * (1 + 1e-9)), r.lowWm2, r.lowWm2 * 1e-6) << info.key << r.lowMHz;
      EXPECT_NEAR(S(c.rules, c.environment, r.highMHz * (1 - 1e-9)), r.highWm2, r.highWm2 * 1e-6)
          << info.key << r.highMHz;
      if (i > 0) {
        const double stricter = std::min(c.rows[i - 1].highWm2, r.lowWm2);
        EXPECT_NEAR(S(c.rules, c.environment, r.lowMHz), stricter, stricter * 1e-6) << info.key << " at " << r.lowMHz;
      }
    }
    EXPECT_EQ(c.rows.front().lowMHz, info.minMHz);
    EXPECT_EQ(c.rows.back().highMHz, info.maxMHz);
    EXPECT_FALSE(LookupLimits(c.rules, c.environment, info.minMHz * (1 - 1e-9))) << info.key;
    EXPECT_FALSE(LookupLimits(c.rules, c.environment, info.maxMHz * (1 + 1e-9))) << info.key;
  }
}

TEST(RuleSets, FieldsAndAveragingTimes) {
  // Where a table gives E and H they are reported as given; elsewhere as the plane wave's.
  const auto fcc = LookupLimits(RuleSet::kFcc, Environment::kUncontrolled, 14.2);
  EXPECT_NEAR(fcc->averaged.eVm, 824 / 14.2, 1e-9);
  EXPECT_NEAR(fcc->averaged.hAm, 2.19 / 14.2, 1e-9);
  const auto above = LookupLimits(RuleSet::kIcnirp2020, Environment::kUncontrolled, 10000);
  EXPECT_NEAR(above->averaged.eVm, 61.4003, 1e-4);  // sqrt(10 x 377)
  EXPECT_FALSE(above->instantaneous);
  // Safety Code 6 adds its instantaneous nerve-stimulation levels below 10 MHz: 83 V/m, 170 V/m.
  const auto sc6 = LookupLimits(RuleSet::kCanadaSc6, Environment::kUncontrolled, 3.7);
  ASSERT_TRUE(sc6->instantaneous);
  EXPECT_NEAR(sc6->instantaneous->sWm2, 83.0 * 83.0 / 377.0, 1e-9);
  EXPECT_NEAR(LookupLimits(RuleSet::kCanadaSc6, Environment::kControlled, 3.7)->instantaneous->eVm, 170, 1e-12);
  EXPECT_FALSE(LookupLimits(RuleSet::kCanadaSc6, Environment::kUncontrolled, 10.1)->instantaneous);

  const struct {
    RuleSet rules;
    Environment environment;
    double frequencyMHz, minutes;
  } windows[] = {
      {RuleSet::kFcc, Environment::kControlled, 14, 6},
      {RuleSet::kFcc, Environment::kUncontrolled, 14, 30},
      {RuleSet::kIcnirp1998, Environment::kUncontrolled, 10000, 6},
      {RuleSet::kIcnirp1998, Environment::kUncontrolled, 24000, 68 / 28.133373},  // 68 / 24^1.05
      {RuleSet::kIcnirp2020, Environment::kControlled, 144, 30},
      {RuleSet::kCanadaSc6, Environment::kControlled, 15000, 6},
      {RuleSet::kCanadaSc6, Environment::kControlled, 24000, 3.414501},  // 616000 / 24000^1.2
  };
  for (const auto& w : windows) {
    EXPECT_NEAR(AveragingMinutes(w.rules, w.environment, w.frequencyMHz), w.minutes, 1e-5)
        << Info(w.rules).key << " " << w.frequencyMHz;
  }
}

}  // namespace
}  // namespace zento
