// Each rule set pinned at every edge of its tables: just below, at (the stricter row), just above.
#include "core/rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zento {
namespace {

// One row of a table: its frequency range and S at each end, worked from the publication.
struct Row {
  double lowMHz, highMHz, lowWm2, highWm2;
};

enum class Which { kAveraged, kLocal };

struct TableCase {
  RuleSet rules;
  Environment environment;
  std::vector<Row> rows;
  Which which = Which::kAveraged;
};

double S(RuleSet rules, Environment environment, double f, Which which = Which::kAveraged) {
  const auto limits = LookupLimits(rules, environment, f);
  EXPECT_TRUE(limits) << Info(rules).key << " " << f;
  if (!limits) return 0.0;
  if (which == Which::kAveraged) return limits->averaged.sWm2;
  EXPECT_TRUE(limits->local) << Info(rules).key << " " << f;
  return limits->local ? limits->local->sWm2 : 0.0;
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
      // 26. BImSchV (2013) Anhang 1b (the same for everyone: see below); S from E (the
      // Bundesnetzagentur's safety distance is E's): 87²/377 = 20.0769, 28²/377 = 2.07958,
      // 1.375² f/377 = 0.0050149 f, 61²/377 = 9.87003.
      {RuleSet::kGermanyBemfv,
       kU,
       {{0.1, 1, 20.07692, 20.07692},
        {1, 10, 20.07692, 2.007692},
        {10, 400, 2.079576, 2.079576},
        {400, 2000, 2.005968, 10.02984},
        {2000, 300000, 9.870027, 9.870027}}},
      // Ofcom's condition: the general public's ICNIRP 1998 levels, also where the licensee works.
      {RuleSet::kUkOfcom,
       kC,
       {{0.1, 0.15, 20.07692, 20.07692},
        {0.15, 1, 20.07692, 20.07692},
        {1, 10, 20.07692, 2.007692},
        {10, 400, 2, 2},
        {400, 2000, 2, 10},
        {2000, 300000, 10, 10}}},
      // ARPANSA RPS S-1: the ICNIRP 2020 levels it is aligned with.
      {RuleSet::kArpansaRpsS1,
       kU,
       {{0.1, 30, 5996.546, 2.027422}, {30, 400, 2, 2}, {400, 2000, 2, 10}, {2000, 300000, 10, 10}}},
      // ICNIRP 2020 Table 6 (local, 6-minute average): S from E and H below 30 MHz, S above.
      {RuleSet::kIcnirp2020,
       kC,
       {{0.1, 30, 150714.3, 48.8592},  // 377 (10.8/30)² at 30 MHz
        {30, 400, 50, 50},
        {400, 2000, 50.13830, 200.1169},
        {2000, 6000, 200, 200},
        {6000, 300000, 200.2626, 100}},  // 275 / 6^0.177; 100 at 300 GHz itself
       Which::kLocal},
      {RuleSet::kIcnirp2020,
       kU,
       {{0.1, 30, 29998.79, 10.05752},
        {30, 400, 10, 10},
        {400, 2000, 10.02766, 40.02338},
        {2000, 6000, 40, 40},
        {6000, 300000, 40.05253, 20}},
       Which::kLocal},
  };
  // Germany's and the UK's rules have one set of limits, for everyone.
  for (const RuleSet rules : {RuleSet::kGermanyBemfv, RuleSet::kUkOfcom}) {
    for (const double f : {0.12, 3.5, 29.0, 146.0, 1296.0, 10000.0}) {
      EXPECT_EQ(S(rules, kC, f), S(rules, kU, f)) << Info(rules).key << " " << f;
    }
  }
  for (const auto& c : cases) {
    const RuleSetInfo& info = Info(c.rules);
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
      const Row& r = c.rows[i];
      EXPECT_NEAR(S(c.rules, c.environment, r.lowMHz * (1 + 1e-9), c.which), r.lowWm2, r.lowWm2 * 1e-6)
          << info.key << r.lowMHz;
      const double high = i + 1 == c.rows.size() ? r.highMHz : r.highMHz * (1 - 1e-9);
      EXPECT_NEAR(S(c.rules, c.environment, high, c.which), r.highWm2, r.highWm2 * 1e-6) << info.key << r.highMHz;
      if (i > 0) {
        const double stricter = std::min(c.rows[i - 1].highWm2, r.lowWm2);
        EXPECT_NEAR(S(c.rules, c.environment, r.lowMHz, c.which), stricter, stricter * 1e-6)
            << info.key << " at " << r.lowMHz;
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
  // Below 10 MHz, instantaneous nerve-stimulation levels: Safety Code 6 (2015) and, for ICNIRP
  // 2020, the ICNIRP 2010 reference levels (Tables 3 and 4), up to 10 MHz itself.
  const struct {
    RuleSet rules;
    Environment environment;
    double frequencyMHz;
    double eVm, hAm;  // 0: none
  } nerve[] = {
      {RuleSet::kCanadaSc6, Environment::kUncontrolled, 3.7, 83, 90},
      {RuleSet::kCanadaSc6, Environment::kControlled, 3.7, 170, 180},
      {RuleSet::kCanadaSc6, Environment::kUncontrolled, 10.1, 0, 0},
      {RuleSet::kIcnirp2020, Environment::kUncontrolled, 0.1, 83, 21},
      {RuleSet::kIcnirp2020, Environment::kUncontrolled, 10, 83, 21},
      {RuleSet::kIcnirp2020, Environment::kControlled, 10, 170, 80},
      {RuleSet::kIcnirp2020, Environment::kControlled, 10 * (1 + 1e-9), 0, 0},
      {RuleSet::kIcnirp1998, Environment::kUncontrolled, 3.7, 0, 0},
      // 26. BImSchV Anhang 1a: 0.083 kV/m and 27 uT (27e-6 / 4 pi 1e-7 = 21.4859 A/m), to 10 MHz.
      {RuleSet::kGermanyBemfv, Environment::kUncontrolled, 10, 83, 21.48592},
      {RuleSet::kGermanyBemfv, Environment::kControlled, 0.1, 83, 21.48592},
      {RuleSet::kGermanyBemfv, Environment::kUncontrolled, 10 * (1 + 1e-9), 0, 0},
      {RuleSet::kUkOfcom, Environment::kControlled, 3.7, 83, 21},
      {RuleSet::kArpansaRpsS1, Environment::kControlled, 3.7, 170, 80},
  };
  for (const auto& c : nerve) {
    const auto limits = LookupLimits(c.rules, c.environment, c.frequencyMHz);
    ASSERT_TRUE(limits);
    ASSERT_EQ(limits->instantaneous.has_value(), c.eVm > 0) << Info(c.rules).key << " " << c.frequencyMHz;
    if (!limits->instantaneous) continue;
    EXPECT_TRUE(limits->instantaneous->instantaneous);
    EXPECT_EQ(limits->instantaneous->eVm, c.eVm);
    EXPECT_NEAR(limits->instantaneous->hAm, c.hAm, 1e-4);
    EXPECT_NEAR(limits->instantaneous->sWm2, c.eVm * c.eVm / 377.0, 1e-9) << "E binds in a plane wave";
    EXPECT_FALSE(limits->instantaneous->basis.empty()) << "named where it binds";
  }
  // ICNIRP 2020's local limit is averaged over 6 minutes, its whole-body one over 30.
  const auto local = LookupLimits(RuleSet::kIcnirp2020, Environment::kUncontrolled, 1296);
  ASSERT_TRUE(local->local);
  EXPECT_EQ(local->local->averagingMinutes, 6.0);
  EXPECT_EQ(local->averaged.averagingMinutes, 30.0);
  EXPECT_FALSE(LookupLimits(RuleSet::kFcc, Environment::kUncontrolled, 1296)->local);

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

// Every rule set is cited in the help, in a section of its own that names each of its limits.
TEST(RuleSets, EachHasItsSectionInTheHelp) {
  std::ifstream in(ZENTO_SOURCE_DIR "/ui/res/zento.hlp");
  const std::string help((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(help.empty());
  for (const auto& info : kRuleSets) {
    const auto at = help.find("id=\"rules-" + std::string(info.key) + "\"");
    ASSERT_NE(at, std::string::npos) << info.key;
    const std::string section = help.substr(at, help.find("<h3", at + 1) - at);
    for (const Environment environment : kEnvironments) {
      const auto limits = LookupLimits(info.id, environment, info.minMHz);
      limits->ForEach([&](const Limit& limit) {
        // "whole body (Table 5)" is cited as "Table 5"; a basis without a source by its own words.
        const std::string_view basis = limit.basis;
        const auto open = basis.find('(');
        const std::string cited(open == std::string_view::npos ? basis
                                                               : basis.substr(open + 1, basis.find(')') - open - 1));
        EXPECT_NE(section.find(cited), std::string::npos) << info.key << ": " << cited;
      });
    }
  }
}

}  // namespace
}  // namespace zento
