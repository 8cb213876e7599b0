// zento-calc's whole-station evaluation: from a file or from options, and what it refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "report/local_style.h"
#include "report/station_file.h"
#include "tests/cli/run_calc.h"

namespace zento::cli {
namespace {

namespace fs = std::filesystem;
using test::RunCalc;
using testing::HasSubstr;
using testing::StartsWith;
using Json = nlohmann::json;

const std::string kExample = std::string(ZENTO_SOURCE_DIR) + "/examples/contest-two-transmitters.zento.json";

TEST(Station, EvaluatesAFileWithTheSumAtEachPlace) {
  const auto r = RunCalc({"--station", kExample, "--format", "json"});
  ASSERT_EQ(r.status, kExitOk) << r.err;
  const auto json = Json::parse(r.out);
  EXPECT_EQ(json.at("station").at("rules").at("key"), "fcc");
  const auto& tent = json.at("places").at(1);
  EXPECT_EQ(tent.at("name"), "Visitors' tent");
  EXPECT_EQ(tent.at("transmitters"), Json::array({"Run", "Mult"}));  // they transmit at the same time
  const auto& run = json.at("transmitters").at(0);
  const auto& mult = json.at("transmitters").at(1);
  double runWorst = 0, multWorst = 0;
  for (const auto& band : run.at("bands"))
    runWorst = std::max(runWorst, band.at("places").at(1).at("percent_of_limit").get<double>());
  for (const auto& band : mult.at("bands"))
    multWorst = std::max(multWorst, band.at("places").at(1).at("percent_of_limit").get<double>());
  EXPECT_NEAR(tent.at("percent_of_limit").get<double>(), runWorst + multWorst, 1e-9);
  EXPECT_EQ(tent.at("complies"), runWorst + multWorst <= 100.0);

  const auto text = RunCalc({"--station", kExample});
  EXPECT_THAT(text.out, HasSubstr("Rules: FCC: 47 CFR 1.1310"));
  EXPECT_THAT(text.out, HasSubstr("at the same time)"));
  EXPECT_THAT(text.out, HasSubstr("main-beam gain in every direction"));
  const auto csv = RunCalc({"--station", kExample, "--format", "csv"});
  EXPECT_THAT(csv.out, StartsWith("transmitter,band,environment,frequency_mhz,"));
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1 + 2 * (5 + 3));  // header, 2 rows per band
}

TEST(Station, OptionsDescribeTheSameStationAFileHolds) {
  const fs::path path = fs::temp_directory_path() / ("zento-options-" + std::to_string(::getpid()) + ".zento.json");
  const std::vector<std::string> options = {
      "--rules",      "icnirp-2020", "--bands",      "40m,4m",       "--power",
      "400",          "--mode",      "cw",           "--tx-minutes", "3",
      "--rx-minutes", "3",           "--antenna",    "yagi-3",       "--antenna-height",
      "33",           "--cable",     "rg-213",       "--length",     "66",
      "--swr",        "1.5",         "--other-loss", "0.2",          "--horizontal-at",
      "20",           "--at",        "40",           "--callsign",   "G0XXX",
      "--no-ground",  "--format",    "json"};
  auto saving = options;
  saving.insert(saving.end(), {"--save-station", path.string()});
  const auto fromOptions = RunCalc(saving);
  ASSERT_EQ(fromOptions.status, kExitOk) << fromOptions.err;
  const auto fromFile = RunCalc({"--station", path.string(), "--format", "json"});
  fs::remove(path);
  EXPECT_EQ(fromFile.out, fromOptions.out);
  const auto json = Json::parse(fromFile.out);
  EXPECT_EQ(json.at("station").at("ground_factor"), 1.0);
  const auto& fourMeters = json.at("transmitters").at(0).at("bands").at(1);
  EXPECT_EQ(fourMeters.at("high_mhz"), 70.5);  // IARU Region 1 under ICNIRP
  EXPECT_EQ(fourMeters.at("uncontrolled").at("averaging_minutes"), 30.0);
  EXPECT_NEAR(fourMeters.at("uncontrolled").at("time_factor").get<double>(), 0.5, 1e-12);
  EXPECT_EQ(json.at("places").at(0).at("name"), "at 40");
}

// What zento-calc writes for `options` in `format`, which it must accept.
std::string InFormat(std::vector<std::string> options, const char* format) {
  options.insert(options.end(), {"--format", format});
  const auto r = RunCalc(options);
  EXPECT_EQ(r.status, kExitOk) << r.err;
  return r.out;
}

TEST(Station, APlaceAtTheAntennaIsSaidInWordsAndExceedsInEveryOutput) {
  // 2 m up, people 2 m tall, 0 m from the mast: the place is the antenna itself.
  const std::vector<std::string> options = {
      "--bands", "20m", "--metric", "--antenna-height", "2", "--horizontal-at", "0", "--person-height", "2"};
  const auto run = [&](const char* format) { return InFormat(options, format); };
  const std::string text = run("text");
  EXPECT_THAT(text, HasSubstr(": at the antenna, EXCEEDS THE LIMIT (TX at the antenna on 20m)"));
  EXPECT_THAT(text, testing::Not(HasSubstr("inf")));
  const auto json = Json::parse(run("json"));
  EXPECT_EQ(json.at("places").at(0).at("at_antenna"), true);
  EXPECT_EQ(json.at("places").at(0).at("complies"), false);
  EXPECT_EQ(json.at("transmitters").at(0).at("bands").at(0).at("places").at(0).at("at_antenna"), true);
  EXPECT_THAT(run("csv"), HasSubstr(",false,at the antenna,14,"));
  EXPECT_THAT(run("html"), HasSubstr("<td class=\"n\">at the antenna</td>"));
}

TEST(Station, TheReactiveNearFieldAndTheThresholdsAreSaidInEveryOutput) {
  // 100 W on 80 m under Germany's rules: 3 m is within lambda/2pi (13.6 m at 3.5 MHz), and
  // 100 W into a dipole is over 10 W EIRP.
  const std::vector<std::string> options = {"--rules",   "germany-bemfv", "--bands", "80m", "--power", "100",
                                            "--antenna", "dipole",        "--at",    "3",   "--metric"};
  const auto run = [&](const char* format) { return InFormat(options, format); };
  const auto json = Json::parse(run("json"));
  const auto& band = json.at("transmitters").at(0).at("bands").at(0);
  EXPECT_EQ(band.at("places").at(0).at("reactive_near_field"), true);
  EXPECT_EQ(band.at("threshold").at("required"), true);
  EXPECT_THAT(band.at("threshold").at("statement").get<std::string>(), HasSubstr("BEMFV sections 9(1) and 8(2)"));
  const std::string text = run("text");
  EXPECT_THAT(text, HasSubstr("* within lambda/2pi of the antenna, in its reactive near field"));
  EXPECT_THAT(text, HasSubstr("notification to the Bundesnetzagentur"));
  EXPECT_THAT(run("csv"), HasSubstr(",place1_reactive_near_field,exempt,exemption_frequency_mhz,threshold_required,"));
  EXPECT_THAT(run("html"), HasSubstr("evaluate the near field."));

  // The example's controllable area, checked for each transmitter in the text and the JSON alike.
  const std::string germany = std::string(ZENTO_SOURCE_DIR) + "/examples/germany-bemfv.zento.json";
  const auto areas = Json::parse(RunCalc({"--station", germany, "--format", "json"}).out).at("controllable_area");
  ASSERT_EQ(areas.size(), 2u);
  const std::string said = RunCalc({"--station", germany}).out;
  EXPECT_THAT(said, HasSubstr("\nThe controllable area (BEMFV section 8(2) no. 1):\n  HF: the safety distance"));
  for (const auto& area : areas) {
    EXPECT_THAT(said, HasSubstr(area.at("transmitter").get<std::string>() + ": the safety distance in the main beam on " +
                                area.at("band").get<std::string>()));
    EXPECT_EQ(area.at("inside").get<bool>(), area.at("margin_m").get<double>() >= 0.0);
  }
}

TEST(Station, RefusesWhatItCannotUse) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{"--station", kExample, "--power", "10"}, kExitBadInput, "--power: the station comes from --station"},
      {{"--rules", "fcc", "--report", "x.txt"}, kExitBadInput, "--report: not used in a station evaluation"},
      {{"--rules", "who"},
       kExitBadInput,
       "--rules: 'who' is not one of fcc, icnirp-1998, icnirp-2020, canada-sc6, germany-bemfv, uk-ofcom, "
       "arpansa-rps-s1"},
      {{"--mode", "psk31"}, kExitBadInput, "--mode: unknown mode 'psk31'; known: ssb, ssb-processed, cw"},
      {{"--mode", "cw", "--mode-duty", "40"}, kExitBadInput, "--mode excludes --mode-duty"},
      {{"--rx-minutes", "3"}, kExitBadInput, "--rx-minutes: needs --tx-minutes"},
      {{"--swr", "0.9"}, kExitBadInput, "--swr: 0.9 is outside the accepted SWR of 1 to 100"},
      {{"--rules", "fcc", "--bands", "4m"}, kExitBadInput, "--bands: no band '4m' in the allocations used with FCC"},
      {{"--rules", "fcc", "--frequency", "0.2"}, kExitNoLimits, "nothing to evaluate: no limits at 0.2 MHz under FCC"},
      {{"--rules", "fcc", "--at",
        "1" +
            [] {
              std::string more;
              for (int i = 0; i < 100; ++i) more += ",1";
              return more;
            }()},
       kExitBadInput,
       "--at, --horizontal-at: 101 places; a station has at most 100"},
      {{"--station", "/nonexistent/x.zento.json"},
       kExitBadInput,
       "--station: /nonexistent/x.zento.json: cannot be opened"},
      {{"--station", "/dev/zero"}, kExitBadInput, "--station: /dev/zero: the file has more than 1048576 bytes"},
  };
  for (const auto& c : cases) {
    const auto r = RunCalc(c.args);
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_THAT(r.err, StartsWith("zento-calc: " + c.message));
    EXPECT_EQ(r.out, "");
  }
  EXPECT_THAT(RunCalc({"--list-modes"}).out, HasSubstr("ssb-processed\t50 %\t"));
}

TEST(Station, TheNearFieldStandsBesideTheFarFieldInEveryOutput) {
  const std::string yagi = std::string(ZENTO_SOURCE_DIR) + "/examples/near-field-yagi.zento.json";
  const auto json = RunCalc({"--station", yagi, "--near-field", "--grid", "--format", "json"});
  ASSERT_EQ(json.status, kExitOk) << json.err;
  const auto root = Json::parse(json.out);
  const auto& nf = root.at("near_field").at("transmitters").at(0);
  EXPECT_EQ(nf.at("method").at("engine").get<std::string>().rfind("nec2c", 0), 0u);
  const auto& band = nf.at("bands").at(0);
  EXPECT_EQ(band.at("uncontrolled").at("boundary").size(), 36u);
  EXPECT_EQ(band.at("places").size(), 3u);
  EXPECT_EQ(nf.at("grids").at("horizontal").at("percent_of_limit").size(), 2500u);
  EXPECT_LE(nf.at("grids").at("horizontal").at("first_x_m").get<double>(), -20.0) << "the garden 20 m east is in it";
  EXPECT_EQ(root.at("near_field").at("places").size(), 3u);
  // Under the beam the far-field formula asks for more than the near field finds.
  EXPECT_LT(band.at("places").at(0).at("percent_of_limit").get<double>(),
            band.at("places").at(0).at("far_field_percent_of_limit").get<double>());

  const auto text = RunCalc({"--station", yagi, "--near-field"});
  EXPECT_THAT(text.out, HasSubstr("\nNear field:\n"));
  EXPECT_THAT(text.out, HasSubstr("NEC-2 (nec2c"));
  const auto csv = RunCalc({"--station", yagi, "--near-field", "--format", "csv"});
  EXPECT_THAT(csv.out, HasSubstr(",near_field_boundary_m,near_field_bearing_deg,place1_near_field_percent,"));
  EXPECT_THAT(RunCalc({"--station", yagi, "--near-field", "--format", "html"}).out, HasSubstr("<h2>Near field</h2>"));
  const fs::path saved = fs::temp_directory_path() / ("zento-nf-" + std::to_string(::getpid()) + ".zento.json");
  EXPECT_EQ(RunCalc({"--near-field", "--bands", "20m", "--save-station", saved.string()}).status, kExitBadInput)
      << "a model is in a station file";
  EXPECT_FALSE(fs::exists(saved)) << "nothing written for a refused command";

  // Without the engine the far field is written, and the exit status says the near field is not.
  const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", "/nonexistent", 1);
  const auto missing = RunCalc({"--station", yagi, "--near-field"});
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(missing.status, kExitNoNearField);
  EXPECT_THAT(missing.out, HasSubstr("At each place, the share of the limit"));
  // Its verdicts with the near field are the far field's, and say so.
  EXPECT_THAT(missing.out, HasSubstr("10m beam has no near field: its far-field share stands in the verdicts"));
  EXPECT_THAT(missing.err,
              HasSubstr("10m beam: the NEC-2 engine nec2c is not installed: install the Debian package nec2c"));
}

TEST(Station, TheRecordIsOneHtmlPageForAFileOrForOptions) {
  const auto file = RunCalc({"--station", kExample, "--format", "html"});
  ASSERT_EQ(file.status, kExitOk) << file.err;
  EXPECT_THAT(file.out, StartsWith("<!DOCTYPE html>\n"));
  EXPECT_THAT(file.out, HasSubstr(" with ZENTO 1.0.0.1."));
  // The classic options describe a one-transmitter station when a record is asked for.
  const auto options = RunCalc({"--bands", "20m", "--power", "100", "--at", "10", "--format", "html"});
  ASSERT_EQ(options.status, kExitOk) << options.err;
  // The record writes numbers as the reader's locale does (this suite also runs under a comma locale).
  std::string place = "<td>at 10 (10";
  place += UserLocalStyle().decimal;
  place += "0 Feet, general population/uncontrolled)</td>";
  EXPECT_THAT(options.out, HasSubstr(place));
}

}  // namespace
}  // namespace zento::cli
