// zento-calc refuses what it cannot take at its word, with one short line naming the option.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <streambuf>

#include "tests/cli/run_calc.h"
#include "tests/support/files.h"

namespace zento::cli {
namespace {

using test::RunCalc;
using testing::HasSubstr;
using testing::StartsWith;

struct Refusal {
  std::vector<std::string> args;
  int status;
  std::string message;  // the start of the one line on standard error, after "zento-calc: "
};

void ExpectRefused(const Refusal& c) {
  const auto r = RunCalc(c.args);
  EXPECT_EQ(r.status, c.status) << c.args.front();
  EXPECT_THAT(r.err, StartsWith("zento-calc: " + c.message)) << c.args.front();
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST(Input, EveryOptionRefusesAnEmptyValue) {
  for (const std::string option :
       {"--frequency", "--power", "--duty-cycle", "--gain", "--antenna", "--loss", "--cable", "--length",
        "--length-units", "--controlled-distance", "--uncontrolled-distance", "--callsign", "--location", "--report",
        "--at", "--exemption-at", "--bands", "--format"}) {
    std::vector<std::string> args = {option, ""};
    if (option.rfind("--length", 0) == 0) args.insert(args.begin(), {"--cable", "rg-8/8a"});
    ExpectRefused({args, kExitBadInput, option + ": an empty value is not accepted"});
  }
  ExpectRefused({{"--at", "10,,20"}, kExitBadInput, "--at: an empty item in '10,,20'"});
  ExpectRefused({{"--bands", "40m,"}, kExitBadInput, "--bands: an empty item"});
}

TEST(Input, EachValueIsCheckedAndTheFaultNamed) {
  const std::vector<std::string> cable = {"--cable", "rg-58/58b", "--frequency", "146"};
  const auto with = [&cable](std::vector<std::string> more) {
    more.insert(more.begin(), cable.begin(), cable.end());
    return more;
  };
  const Refusal cases[] = {
      {{"--duty-cycle", "101"}, kExitBadInput, "--duty-cycle: 101 is outside the accepted 0 to 100 percent"},
      {{"--power", "0"}, kExitBadInput, "--power: 0 is outside the accepted 1 to 100000 whole Watts"},
      {{"--power", "1.5"}, kExitBadInput, "--power: '1.5' is not a whole number"},
      {{"--gain", "60.5"}, kExitBadInput, "--gain: 60.5 is outside the accepted -10 to 60 dBi"},
      {{"--frequency", "14.2x"}, kExitBadInput, "--frequency: '14.2x' is not a number"},
      {{"--frequency", "0.5"},
       kExitNoLimits,
       "--frequency: no exposure limits at 0.5 MHz; limits exist from 1 to 30000"},
      {{"--duty-cycle", "0"}, kExitNoLimits, "no exposure limits for an EIRP of 0.00 Watts at 30 MHz"},
      {{"--cable", "coax"}, kExitBadInput, "--cable: unknown cable 'coax'"},
      {{"--cable", "rg-8"}, kExitBadInput, "--cable: 'rg-8' could mean: 'RG-8 Coaxial, FOAM DIELECTRIC' 'RG-8/8A Co"},
      {{"--antenna", "beam"}, kExitBadInput, "--antenna: unknown antenna 'beam'; known: quarter-wave, dipole"},
      {with({"--length-units", "yards"}), kExitBadInput, "--length-units: 'yards' is not one of feet, meters"},
      {{"--controlled-distance", "-3"}, kExitBadInput, "--controlled-distance: -3 is outside"},
      {{"--callsign", "ABCDEFGHIJK"}, kExitBadInput, "--callsign: at most 10 characters"},
      {{"--frequency"}, kExitBadInput, "--frequency"},
      {{"--bogus"}, kExitBadInput, "The following argument was not expected: --bogus"},
      {{"--gain", "1", "--antenna", "dipole"}, kExitBadInput, "--gain excludes --antenna"},
      {{"--length", "10"}, kExitBadInput, "--length requires --cable"},
      {{"--bands", "11m"}, kExitBadInput, "--bands: unknown band '11m'; known: 160m, 80m, 60m"},
      {{"--at", "0"}, kExitBadInput, "--at: 0 is outside the accepted distances above 0"},
      {{"--at", "10,x"}, kExitBadInput, "--at: 'x' is not a number"},
      {{"--format", "xml"}, kExitBadInput, "--format: 'xml' is not one of text, csv, json, html"},
      {with({"--length", "1e3"}), kExitBadInput, "--length: '1e3' is not a whole number"},
      {with({"--length", "100.9"}), kExitBadInput, "--length: '100.9' is not a whole number"},
      {with({"--length", "-3"}), kExitBadInput,
       "--length: -3 is outside the accepted 0 to 100000 whole feet or meters"},
      {with({"--length", "100001"}), kExitBadInput, "--length: 100001 is outside"},
      {with({"--length", "5000"}), kExitBadInput,
       "--length: 5000 feet of RG-58/58B Coaxial lose 291.68 dB at 146 MHz, more than the accepted 0 to 60 dB"},
      {{"--frequency", "-5", "--cable", "rg-8/8a", "--length", "10"},
       kExitNoLimits,
       "--frequency: no exposure limits at -5 MHz; limits exist from 1 to 30000 MHz"},
      {{"--uncontrolled-distance", "1e6"},
       kExitBadInput,
       "--uncontrolled-distance: no power from 1 to 100000 Watts meets the uncontrolled limit at 1e6 Feet; "
       "the largest distance the power range allows is 331.1 Feet"},
      {{"--controlled-distance", "0.01", "--metric"},
       kExitBadInput,
       "--controlled-distance: no power from 1 to 100000 Watts meets the controlled limit at 0.01 Meters; "
       "the smallest distance the power range allows is 0.1 Meters"},
      {{"--callsign", "W1AW\nX"}, kExitBadInput, "--callsign: a call sign is one line"},
      {{"--callsign", "W1AW\r"}, kExitBadInput, "--callsign: a call sign is one line"},
  };
  for (const auto& c : cases) ExpectRefused(c);
  // Just inside the power range, the work back is an answer.
  EXPECT_THAT(RunCalc({"--uncontrolled-distance", "331"}).out, HasSubstr("Power: 99927 Watts"));
}

TEST(Input, ErrorLinesEchoAtMostSixtyCharacters) {
  const std::string huge(128 * 1024, 'x');
  const std::string digits(309, '9');
  const std::vector<std::string> cases[] = {
      {"--frequency", huge},  {"--frequency", digits}, {"--duty-cycle", digits},   {"--power", huge},
      {"--cable", huge},      {"--antenna", huge},     {"--bands", huge},          {"--format", huge},
      {"--at", digits + "x"}, {"--" + huge},           {"--frequency", "1", huge},
  };
  for (const auto& args : cases) {
    const auto r = RunCalc(args);
    EXPECT_NE(r.status, kExitOk);
    EXPECT_LT(r.err.size(), 200u) << args.front().substr(0, 20);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << args.front().substr(0, 20);
  }
  EXPECT_THAT(RunCalc({"--cable", huge}).err, HasSubstr("'" + std::string(60, 'x') + "...'"));
}

// A stream that refuses every byte, as a full disk does.
class FullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(Output, AFailedWriteToStandardOutputIsAFailure) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"--format", "csv"}, {"--format", "json", "--bands", "all"}, {"--help"}, {"--list-cables"}}) {
    FullBuffer full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(cli::Run(args, out, err), kExitWriteFailed);
    EXPECT_EQ(err.str(), "zento-calc: could not write to standard output\n");
  }
}

TEST(Output, TheReportStaysCrLfWhateverLineBreaksTheLocationHas) {
  const auto path = std::filesystem::temp_directory_path() / ("zento-crlf-" + std::to_string(::getpid()) + ".txt");
  ASSERT_EQ(RunCalc({"--report", path.string(), "--location", "A\rB\nC\r\nD"}).status, kExitOk);
  const std::string report = zento::test::ReadAll(path);
  std::filesystem::remove(path);
  EXPECT_THAT(report, HasSubstr("Station Location:\r\nA\r\nB\r\nC\r\nD\r\n"));
  for (std::size_t i = report.find('\n'); i != std::string::npos; i = report.find('\n', i + 1)) {
    ASSERT_EQ(report[i - 1], '\r') << "bare LF at " << i;
  }
}

}  // namespace
}  // namespace zento::cli
