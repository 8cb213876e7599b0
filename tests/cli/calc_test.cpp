#include "cli/calc.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>
#include "tests/support/files.h"

#include <filesystem>

#include "tests/cli/run_calc.h"

namespace zento::cli {
namespace {

namespace fs = std::filesystem;
using test::RunCalc;
using testing::HasSubstr;
using zento::test::ReadAll;

constexpr const char* kStartUpBlock =
    "Description:\n"
    "Frequency: 30.00 MHz\n"
    "Power: 100 Watts   Duty Cycle: 100 %\n"
    "Feedline Loss: 0.0 dB  Antenna Gain: 0.0 dBi\n"
    "EIRP (Major Lobe, Plane Wave): 100.0  Watts\n"
    "\n"
    "MINIMUM DISTANCES TO MEET RADIATION LIMITS\n"
    "\n"
    "CONTROLLED Limit = 1.00 mw/cm-cm @ 4.7 Feet\n"
    "UNCONTROLLED Limit = 0.20 mw/cm-cm @ 10.5 Feet\n"
    "----------------------------------------------------\n";

TEST(ZentoCalc, WithoutOptionsPrintsTheStartUpBlock) {
  const auto r = RunCalc({});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_EQ(r.out, kStartUpBlock);
  EXPECT_EQ(r.err, "");
}

TEST(ZentoCalc, PrintsTheWorkedExampleInFeetOrMeters) {
  std::vector<std::string> example = {"--frequency", "14.2",      "--power", "1500",   "--duty-cycle",
                                      "50",          "--antenna", "dipole",  "--loss", "0.5"};
  EXPECT_THAT(RunCalc(example).out, HasSubstr("EIRP (Major Lobe, Plane Wave): 1096.6  Watts\n\nMINIMUM DISTANCES TO "
                                              "MEET RADIATION LIMITS\n\nCONTROLLED Limit = 4.46 mw/cm-cm @ 7.3 Feet\n"
                                              "UNCONTROLLED Limit = 0.89 mw/cm-cm @ 16.4 Feet\n"));
  example.push_back("--metric");
  EXPECT_THAT(RunCalc(example).out, HasSubstr("@ 2.2 Meters\nUNCONTROLLED Limit = 0.89 mw/cm-cm @ 5.0 Meters\n"));
}

TEST(ZentoCalc, WorksBackFromATypedDistance) {
  const auto r = RunCalc({"--controlled-distance", "10"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_THAT(r.out, HasSubstr("Power: 456 Watts"));
  EXPECT_THAT(r.out, HasSubstr("EIRP (Major Lobe, Plane Wave): 456.0  Watts"));
  EXPECT_THAT(r.out, HasSubstr("CONTROLLED Limit = 1.00 mw/cm-cm @ 10.0 Feet\n"));
  EXPECT_THAT(r.out, HasSubstr("UNCONTROLLED Limit = 0.20 mw/cm-cm @ 22.4 Feet\n"));
  const auto metric = RunCalc({"--metric", "--uncontrolled-distance", "3.048"});
  EXPECT_THAT(metric.out, HasSubstr("Power: 91 Watts"));
}

TEST(ZentoCalc, TakesTheCableLossCutToHundredths) {
  const auto feet = RunCalc({"--frequency", "146", "--cable", "RG-8/8A", "--length", "100"});
  EXPECT_THAT(feet.out, HasSubstr("Feedline Loss: 3.1 dB"));
  const auto meters = RunCalc({"--frequency", "146", "--cable", "rg-8/8a coaxial", "--length", "30", "--length-units",
                               "meters", "--power", "1000"});
  // 1000 W less 3.04 dB.
  EXPECT_THAT(meters.out, HasSubstr("Feedline Loss: 3.0 dB"));
  EXPECT_THAT(meters.out, HasSubstr("EIRP (Major Lobe, Plane Wave): 496.6  Watts"));
}

TEST(ZentoCalc, FindsCablesByUniquePrefix) {
  EXPECT_EQ(RunCalc({"--cable", "belden"}).status, kExitOk);
  EXPECT_EQ(RunCalc({"--cable", "rg-213"}).status, kExitOk);
  EXPECT_EQ(RunCalc({"--cable", "OPEN WIRE, #12"}).status, kExitOk);
}

TEST(ZentoCalc, WarnsForACableAboveItsFrequency) {
  const auto r = RunCalc({"--frequency", "440", "--cable", "300 ohm", "--length", "10"});
  EXPECT_EQ(r.status, kExitOk);
  EXPECT_THAT(r.err, HasSubstr("300 Ohm Tubular is meant for up to 150 MHz"));
  EXPECT_THAT(r.out, HasSubstr("EIRP (Major Lobe, Plane Wave): 94.4  Watts"));
}

TEST(ZentoCalc, ListsAndVersion) {
  const auto cables = RunCalc({"--list-cables"});
  EXPECT_EQ(std::count(cables.out.begin(), cables.out.end(), '\n'), 27);
  EXPECT_EQ(cables.out.rfind("1/2\" 50 Ohm Hardline\n", 0), 0u);
  const auto antennas = RunCalc({"--list-antennas"});
  EXPECT_EQ(std::count(antennas.out.begin(), antennas.out.end(), '\n'), 8);
  EXPECT_THAT(antennas.out, HasSubstr("yagi-5\t5-Element Yagi Array (+9.4 dBi)\n"));
  EXPECT_EQ(RunCalc({"--version"}).out, "zento-calc 1.0.0.1\n");
  const auto help = RunCalc({"--help"}).out;
  for (const char* word : {"--uncontrolled-distance", "--exemption-at", "controlled_limit_mw_cm2", "exemption_reason",
                           "complies", "--station", "limit_w_m2", "docs/station-file.md"}) {
    EXPECT_THAT(help, HasSubstr(word)) << word;
  }
}

class ZentoCalcReport : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zento-calc-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(ZentoCalcReport, WritesTheReportAsTheWindowSavesIt) {
  const auto path = (dir_ / "station.txt").string();
  const auto r = RunCalc({"--report", path, "--callsign", "w1aw", "--location", "Newington\nCT"});
  EXPECT_EQ(r.status, kExitOk);
  const std::string report = ReadAll(path);
  EXPECT_EQ(report.rfind("ZENTO Version 1.00", 0), 0u);
  EXPECT_THAT(report, HasSubstr("\r\n-------------------------------------------------\r\n"
                                "Callsign: W1AW\r\nStation Location:\r\nNewington\r\nCT\r\n"
                                "-------------------------------------------------\r\nDescription:\r\n"));
  EXPECT_THAT(report, HasSubstr("\r\nEIRP (Major Lobe, Plane Wave): 100.0  Watts\r\n\r\n"
                                "MINIMUM DISTANCES TO MEET RADIATION LIMITS\r\n\r\n"));
  EXPECT_EQ(report.substr(report.size() - 54), std::string(52, '-') + "\r\n");
  const auto plain = (dir_ / "plain.txt").string();
  ASSERT_EQ(RunCalc({"--report", plain}).status, kExitOk);
  EXPECT_THAT(ReadAll(plain), HasSubstr(std::string(49, '-') + "\r\nDescription:\r\n")) << "no station block";
}

TEST_F(ZentoCalcReport, FailuresAreReportedAndNothingIsWrittenForBadInput) {
  const auto full = RunCalc({"--report", "/dev/full"});
  EXPECT_EQ(full.status, kExitWriteFailed);
  EXPECT_EQ(full.err, "Error Writing Report File.\n");
  EXPECT_EQ(full.out, "");
  EXPECT_EQ(RunCalc({"--report", (dir_ / "no" / "such.txt").string()}).status, kExitWriteFailed);

  const auto path = dir_ / "never.txt";
  EXPECT_EQ(RunCalc({"--report", path.string(), "--power", "0"}).status, kExitBadInput);
  EXPECT_EQ(RunCalc({"--report", path.string(), "--frequency", "0.5"}).status, kExitNoLimits);
  EXPECT_FALSE(fs::exists(path));
}

}  // namespace
}  // namespace zento::cli
