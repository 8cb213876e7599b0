// zento-calc's station evaluation: checks at distances, the exemption, bands and formats.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>
#include "tests/support/files.h"

#include <nlohmann/json.hpp>

#include <filesystem>

#include "tests/cli/run_calc.h"

namespace zento::cli {
namespace {

using test::Lines;
using test::RunCalc;
using testing::HasSubstr;
using testing::Not;

TEST(Checks, DensityPercentAndVerdictAtEachDistance) {
  // 100 W at 30 MHz, 10 ft: 0.21928 mW/cm², 21.9 % of 1.0 and 109.6 % of 0.2.
  const auto r = RunCalc({"--at", "10", "--at", "20,40"});
  ASSERT_EQ(r.status, kExitOk);
  EXPECT_THAT(r.out, HasSubstr("At 10.0 Feet: 0.2193 mW/cm2; CONTROLLED 21.9 % of the limit, complies; "
                               "UNCONTROLLED 109.6 % of the limit, exceeds\n"));
  // Twice as far, a quarter of it: 27.4 % of 0.2.
  EXPECT_THAT(r.out, HasSubstr("At 20.0 Feet: 0.05482 mW/cm2; CONTROLLED 5.5 % of the limit, complies; "
                               "UNCONTROLLED 27.4 % of the limit, complies\n"));
  EXPECT_THAT(r.out, HasSubstr("At 40.0 Feet"));
  EXPECT_EQ(r.out.rfind("Description:\n", 0), 0u) << "the result block comes first";
  // 3.048 m is the same 10 ft.
  EXPECT_THAT(RunCalc({"--metric", "--at", "3.048"}).out, HasSubstr("At 3.0 Meters: 0.2193 mW/cm2"));
}

TEST(Exemption, SaysWhetherAnEvaluationIsRequired) {
  const auto exempt = RunCalc({"--frequency", "14.2", "--power", "1500", "--duty-cycle", "50", "--gain", "2.15",
                               "--loss", "0.5", "--metric", "--exemption-at", "10"});
  EXPECT_THAT(exempt.out, HasSubstr("at 10.00 m: ERP 668.68 W, threshold 1710.97 W: exempt "
                                    "(ERP at or below the threshold)"));
  const auto close = RunCalc({"--frequency", "1.9", "--exemption-at", "30"});  // 9.14 m < lambda/2pi = 25.1 m
  EXPECT_THAT(close.out, HasSubstr("not exempt, an evaluation is required (closer than lambda/2pi (25.11 m)"));
}

TEST(Formats, JsonHasTheDocumentedFields) {
  const auto r = RunCalc({"--at", "10", "--exemption-at", "30", "--format", "json"});
  ASSERT_EQ(r.status, kExitOk);
  const auto row = nlohmann::json::parse(r.out).at("results").at(0);
  EXPECT_TRUE(row.at("band").is_null());
  EXPECT_EQ(row.at("frequency_mhz"), 30.0);
  EXPECT_EQ(row.at("eirp_watts"), 100.0);
  EXPECT_EQ(row.at("controlled_limit_mw_cm2"), 1.0);
  EXPECT_EQ(row.at("uncontrolled_distance"), "10.5 Feet");
  const auto& at = row.at("at").at(0);
  EXPECT_EQ(at.at("distance"), 10.0);
  EXPECT_EQ(at.at("units"), "feet");
  EXPECT_NEAR(at.at("controlled").at("percent_of_limit").get<double>(), 21.93, 0.01);
  EXPECT_EQ(at.at("controlled").at("complies"), true);
  EXPECT_NEAR(at.at("uncontrolled").at("percent_of_limit").get<double>(), 109.64, 0.01);
  EXPECT_EQ(at.at("uncontrolled").at("complies"), false);
  const auto& exemption = row.at("exemption");
  EXPECT_NEAR(exemption.at("distance_m").get<double>(), 9.144, 1e-3);
  EXPECT_EQ(exemption.at("exempt"), true);
  EXPECT_EQ(exemption.at("reason"), "ERP at or below the threshold");
  for (const char* key : {"lambda_over_2pi_m", "threshold_watts", "erp_watts"}) EXPECT_TRUE(exemption.contains(key));
}

TEST(Formats, CsvHasAHeaderAndOneRowPerResult) {
  const auto r = RunCalc({"--at", "10,20", "--exemption-at", "1", "--format", "csv"});
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("band,frequency_mhz,power_watts,duty_cycle_percent,feedline_loss_db,antenna_gain_dbi,"
                           "eirp_watts,controlled_limit_mw_cm2,uncontrolled_limit_mw_cm2,",
                           0),
            0u);
  EXPECT_THAT(lines[0], HasSubstr(",at1_distance,at1_distance_m,at1_density_mw_cm2,at1_controlled_percent,"
                                  "at1_controlled_complies,at1_uncontrolled_percent,at1_uncontrolled_complies,at2_"));
  EXPECT_THAT(lines[0], HasSubstr(",exemption_distance_m,erp_watts,exemption_threshold_watts,exempt,exemption_reason"));
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ','), 31);
  // The reason has a comma, so it is quoted.
  EXPECT_THAT(lines[1], HasSubstr(",false,\"closer than lambda/2pi (1.59 m) to the antenna, where"));
}

}  // namespace
}  // namespace zento::cli
