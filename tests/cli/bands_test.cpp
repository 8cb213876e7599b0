// zento-calc --bands: every figure its band's own worst case, and a band without limits a row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

#include "cli/options.h"
#include "core/evaluation.h"
#include "tests/cli/run_calc.h"

namespace zento::cli {
namespace {

using test::Lines;
using test::RunCalc;
using testing::HasSubstr;
using Json = nlohmann::json;

const std::vector<std::string> kStation = {"--power", "1500", "--cable", "rg-213", "--length", "100", "--metric"};

std::vector<std::string> With(std::vector<std::string> args) {
  args.insert(args.end(), kStation.begin(), kStation.end());
  return args;
}

Json JsonOf(const std::vector<std::string>& args) {
  const auto r = RunCalc(args);
  EXPECT_EQ(r.status, kExitOk) << r.err;
  return Json::parse(r.out).at("results");
}

TEST(Bands, EachColumnTakesItsOwnWorstEdge) {
  // On 160 m with 100 ft of coax the controlled limit is flat (100), so the lower edge keeps
  // more EIRP and a larger distance; 180 / f² falls faster than the loss grows, so the
  // uncontrolled distance is larger at the upper edge. At 25 m, lambda/2pi is 26.5 m at
  // 1.8 MHz and 23.9 m at 2.0 MHz: the band is not exempt.
  const auto row = JsonOf(With({"--bands", "160m", "--at", "3", "--exemption-at", "25", "--format", "json"})).at(0);
  const auto low = JsonOf(With({"--frequency", "1.8", "--at", "3", "--exemption-at", "25", "--format", "json"})).at(0);
  const auto high = JsonOf(With({"--frequency", "2", "--at", "3", "--exemption-at", "25", "--format", "json"})).at(0);
  EXPECT_EQ(row.at("frequency_mhz"), 2.0);
  EXPECT_EQ(row.at("uncontrolled_distance_m"), high.at("uncontrolled_distance_m"));
  EXPECT_EQ(row.at("controlled_frequency_mhz"), 1.8);
  EXPECT_EQ(row.at("controlled_distance_m"), low.at("controlled_distance_m"));
  EXPECT_GT(low.at("controlled_distance_m"), high.at("controlled_distance_m"));
  const auto& at = row.at("at").at(0);
  EXPECT_EQ(at.at("controlled").at("frequency_mhz"), 1.8);
  EXPECT_EQ(at.at("controlled").at("percent_of_limit"), low.at("at").at(0).at("controlled").at("percent_of_limit"));
  EXPECT_EQ(at.at("uncontrolled").at("frequency_mhz"), 2.0);
  EXPECT_EQ(high.at("exemption").at("exempt"), true);
  EXPECT_EQ(row.at("exemption").at("exempt"), false);
  EXPECT_EQ(row.at("exemption").at("frequency_mhz"), 1.8);
  EXPECT_TRUE(row.at("no_limits").is_null());
}

TEST(Bands, TheTextTableAndTheReportNameTheOtherEdge) {
  const auto path = testing::TempDir() + "bands-report.txt";
  const auto r = RunCalc(With({"--bands", "160m", "--exemption-at", "25", "--report", path}));
  ASSERT_EQ(r.status, kExitOk) << r.err;
  EXPECT_THAT(r.out, HasSubstr("0.5 Meters (1.8 MHz)"));
  EXPECT_THAT(r.out, HasSubstr("evaluation required (1.8 MHz)"));
  std::ifstream in(path, std::ios::binary);
  const std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // One result block for each edge that gives a distance.
  EXPECT_THAT(report, HasSubstr("Frequency: 2.00 MHz\r\n"));
  EXPECT_THAT(report, HasSubstr("Frequency: 1.80 MHz\r\n"));
}

TEST(Bands, ABandWithoutLimitsIsARowAndTheOthersGoOn) {
  // 5 W through 100 ft of RG-58: 1.3 W of EIRP on 2 m, 0.05 W on 23 cm.
  const std::vector<std::string> weak = {"--power", "5", "--cable", "rg-58/58b", "--length", "100"};
  auto args = weak;
  args.insert(args.end(), {"--bands", "2m,23cm", "--format", "csv"});
  const auto csv = RunCalc(args);
  EXPECT_EQ(csv.status, kExitOk);
  const auto lines = Lines(csv.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].rfind("2m,144,", 0), 0u);
  EXPECT_THAT(lines[2], testing::MatchesRegex("23cm,,,.*,\"?no exposure limits for an EIRP of 0\\.0[0-9] Watts.*"));
  args.back() = "json";
  const auto json = Json::parse(RunCalc(args).out).at("results");
  EXPECT_THAT(json.at(1).at("no_limits").get<std::string>(), HasSubstr("limits are computed from 1 Watt up"));
  args.back() = "text";
  const auto text = RunCalc(args).out;
  EXPECT_THAT(text, testing::ContainsRegex("\n23cm +1240-1300 +- +-"));
  EXPECT_THAT(text, HasSubstr("\n23cm: no exposure limits for an EIRP of 0.05 Watts at 1240 MHz"));

  auto none = weak;
  none.insert(none.end(), {"--bands", "23cm"});
  const auto r = RunCalc(none);
  EXPECT_EQ(r.status, kExitNoLimits);
  EXPECT_THAT(r.err, HasSubstr("no band has exposure limits"));
  EXPECT_EQ(r.out, "");
}

TEST(Bands, AllIsEveryUsBandFrom160mTo23cmAndTheDocumentsSaySo) {
  const auto rows = JsonOf({"--bands", "all", "--format", "json"});
  ASSERT_EQ(rows.size(), kUsAmateurBands.size());
  EXPECT_EQ(rows.at(14).at("band"), "33cm");
  // f / 1500 rises, so the lower edges of 33 cm and 70 cm; 2 m is flat: a tie keeps the lower.
  EXPECT_EQ(rows.at(14).at("frequency_mhz"), 902.0);
  EXPECT_EQ(rows.at(13).at("frequency_mhz"), 420.0);
  EXPECT_EQ(rows.at(11).at("frequency_mhz"), 144.0);
  const auto table = RunCalc(With({"--bands", "all", "--at", "30"}));
  EXPECT_THAT(table.out, HasSubstr("At 30.0 Meters (controlled / uncontrolled)"));
  EXPECT_THAT(table.err, HasSubstr("23cm: RG-213/214/215/216 Coaxial is meant for up to 1000 MHz"));
  std::string list;
  for (const auto& band : kUsAmateurBands) list += (list.empty() ? "" : ",") + std::string(band.name);
  std::ifstream readme(ZENTO_SOURCE_DIR "/README.md");
  std::stringstream text;
  text << readme.rdbuf();
  EXPECT_THAT(text.str(), HasSubstr("`" + list + "`"));
  EXPECT_THAT(RunCalc({"--help"}).out, HasSubstr(BandNames()));
}

}  // namespace
}  // namespace zento::cli
