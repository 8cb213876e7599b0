// Each rule set pinned at every edge of its tables: just below, at (the stricter row), just above.
#include "core/rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace zento {
namespace {

struct Pin {
  double frequencyMHz;
  double sWm2;
};

struct TableCase {
  RuleSet rules;
  Environment environment;
  std::vector<Pin> pins;  // values worked from the publications' formulas
};

TEST(RuleSets, EachTableHoldsAtEveryEdge) {
  constexpr auto kC = Environment::kControlled;
  constexpr auto kU = Environment::kUncontrolled;
  const TableCase cases[] = {
      {RuleSet::kFcc,
       kC,
       {{0.3, 1000},
        {2.999997, 1000},
        {3, 1000},
        {3.000003, 999.998},
        {29.99997, 10.00002},
        {30, 10},
        {30.00003, 10},
        {299.9997, 10},
        {300, 10},
        {300.0003, 10.00001},
        {1499.9985, 49.99995},
        {1500, 50},
        {1500.0015, 50},
        {100000, 50}}},
      {RuleSet::kFcc,
       kU,
       {{0.3, 1000},
        {1.33999866, 1000},
        {1.34, 1000},
        {1.34000134, 1002.448},
        {29.99997, 2.000004},
        {30, 2},
        {30.00003, 2},
        {299.9997, 2},
        {300, 2},
        {300.0003, 2.000002},
        {1499.9985, 9.99999},
        {1500, 10},
        {1500.0015, 10},
        {100000, 10}}},
      {RuleSet::kIcnirp1998,
       kC,
       {{0.1, 987.0027},
        {0.999999, 965.1219},
        {1, 965.12},
        {1.000001, 965.1181},
        {9.99999, 9.651219},
        {10, 9.6512},
        {10.00001, 10},
        {399.9996, 10},
        {400, 10},
        {400.0004, 10.00001},
        {1999.998, 49.99995},
        {2000, 50},
        {2000.002, 50},
        {300000, 50}}},
      {RuleSet::kIcnirp1998,
       kU,
       {{0.1, 20.07692},
        {0.14999985, 20.07692},
        {0.15, 20.07692},
        {0.15000015, 20.07692},
        {0.999999, 20.07692},
        {1, 20.07692},
        {1.000001, 20.0769},
        {9.99999, 2.007694},
        {10, 2},
        {10.00001, 2},
        {399.9996, 2},
        {400, 2},
        {400.0004, 2.000002},
        {1999.998, 9.99999},
        {2000, 10},
        {2000.002, 10},
        {300000, 10}}},
      {RuleSet::kIcnirp2020,
       kC,
       {{0.1, 29023.28},
        {29.99997, 9.880465},
        {30, 9.880451},
        {30.00003, 10},
        {399.9996, 10},
        {400, 10},
        {400.0004, 10.00001},
        {1999.998, 49.99995},
        {2000, 50},
        {2000.002, 50},
        {300000, 50}}},
      {RuleSet::kIcnirp2020,
       kU,
       {{0.1, 5996.546},
        {29.99997, 2.027426},
        {30, 2},
        {30.00003, 2},
        {399.9996, 2},
        {400, 2},
        {400.0004, 2.000002},
        {1999.998, 9.99999},
        {2000, 10},
        {2000.002, 10},
        {300000, 10}}},
      {RuleSet::kCanadaSc6,
       kC,
       {{0.1, 988.0371},  {9.99999, 9.651219},  {10, 9.6512},          {10.00001, 10},        {19.99998, 10},
        {20, 9.999696},   {20.00002, 9.999691}, {47.999952, 6.454779}, {48, 6.454776},        {48.000048, 6.455},
        {99.9999, 6.455}, {100, 6.455},         {100.0001, 6.455003},  {5999.994, 50.00019},  {6000, 50},
        {6000.006, 50},   {149999.85, 50},      {150000, 49.95},       {150000.15, 49.95005}, {300000, 99.9}}},
      {RuleSet::kCanadaSc6, kU, {{0.1, 200.7692},       {9.99999, 2.007694},   {10, 2},
                                 {10.00001, 2},         {19.99998, 2},         {20, 1.999939},
                                 {20.00002, 1.999938},  {47.999952, 1.290956}, {48, 1.290955},
                                 {48.000048, 1.291},    {299.9997, 1.291},     {300, 1.291},
                                 {300.0003, 1.291221},  {5999.994, 10.00285},  {6000, 10},
                                 {6000.006, 10},        {149999.85, 10},       {150000, 10},
                                 {150000.15, 10.00501}, {300000, 20.01}}},
  };
  for (const auto& c : cases) {
    const RuleSetInfo& info = Info(c.rules);
    for (const Pin& pin : c.pins) {
      const auto limits = LookupLimits(c.rules, c.environment, pin.frequencyMHz);
      ASSERT_TRUE(limits) << info.key << " " << pin.frequencyMHz;
      EXPECT_NEAR(limits->averaged.sWm2, pin.sWm2, pin.sWm2 * 2e-6) << info.key << " " << pin.frequencyMHz;
    }
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
