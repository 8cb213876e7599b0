// The station file: the examples read and write back unchanged; every refusal names key and line.
#include "report/station_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "tests/support/files.h"

namespace zento {
namespace {

namespace fs = std::filesystem;

const char* const kExamples[] = {"us-hf-and-2m", "uk-icnirp-1998", "contest-two-transmitters"};

// Every key's round trip, on any input, is fuzz/fuzz_station_file.cpp's (its corpus holds a
// station with every key); here the examples come back byte for byte.
TEST(StationFile, TheExamplesReadAndWriteBackByteForByte) {
  for (const char* name : kExamples) {
    const std::string text =
        test::ReadAll(fs::path(ZENTO_SOURCE_DIR) / "examples" / (std::string(name) + ".zento.json"));
    std::string error;
    const auto station = ParseStation(text, error);
    ASSERT_TRUE(station) << name << ": " << error;
    EXPECT_EQ(StationText(*station), text) << name;
    EXPECT_FALSE(station->transmitters.empty());
  }
  // The fuzz corpus's station with every key comes back the same through its text.
  std::string error;
  const auto every =
      ParseStation(test::ReadAll(fs::path(ZENTO_SOURCE_DIR) / "fuzz/corpus/station_file/every-value.json"), error);
  ASSERT_TRUE(every) << error;
  EXPECT_EQ(ParseStation(StationText(*every), error), every);
}

// A station with one transmitter, `transmitter` spliced in as its keys from line 11 on.
std::string With(const std::string& transmitter, const std::string& top = "") {
  return "{\n"
         "  \"format\": \"zento-station\",\n"
         "  \"version\": 1,\n" +
         top +
         "  \"places\": [\n"
         "    {\"name\": \"yard\", \"distance_m\": 5}\n"
         "  ],\n"
         "  \"transmitters\": [\n"
         "    {\n"
         "      \"name\": \"HF\",\n"
         "      \"bands\": [\"20m\"],\n" +
         transmitter +
         "\n"
         "    }\n"
         "  ]\n"
         "}\n";
}

TEST(StationFile, RefusesWhatItCannotUseNamingKeyAndLine) {
  const std::string power = "      \"power_watts\": 100";
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      {With("      \"power_watts\": \"lots\""),
       "transmitters[0].power_watts: expected a number from 0.001 to 100000, got \"lots\" (line 11)"},
      {With(power + ",\n      \"powr\": 5"), "transmitters[0].powr: unknown key (line 12)"},
      {With("      \"mode\": \"ssb\""), "transmitters[0]: missing key \"power_watts\" (line 8)"},
      {With(power + ",\n      \"mode\": \"psk\""),
       "transmitters[0].mode: expected a mode of zento-calc --list-modes, "
       "got \"psk\" (line 12)"},
      {With(power + ",\n      \"mode\": \"cw\", \"duty_percent\": 40"),
       "transmitters[0].duty_percent: only one of \"mode\", \"duty_percent\" may be given"},
      {With(power + ",\n      \"feedline\": {\"swr\": 0.5}"),
       "transmitters[0].feedline.swr: expected a number from 1 to 100, got 0.5 (line 12)"},
      {With(power + ",\n      \"feedline\": {\"cable\": \"coax\", \"length\": 10}"),
       "transmitters[0].feedline.cable: expected a cable of zento-calc --list-cables, got \"coax\" (line 12)"},
      {With(power + ",\n      \"antenna\": {\"preset\": \"beam\"}"),
       "transmitters[0].antenna.preset: expected a preset of zento-calc --list-antennas, got \"beam\" (line 12)"},
      {With(power + ",\n      \"bands\": [\"20m\"]"), "transmitters[0].bands: the key appears twice (line 12)"},
      {With(power + ",\n      \"simultaneous_with\": [\"VHF\"]"),
       "transmitters[0].simultaneous_with[0]: expected the name of another transmitter, got \"VHF\" (line 12)"},
      {With(power + ",\n      \"rx_minutes\": 3"), "transmitters[0]: missing key \"tx_minutes\" beside \"rx_minutes\""},
      {With(power, "  \"rules\": \"fcc2\",\n"),
       "rules: expected one of fcc, icnirp-1998, icnirp-2020, canada-sc6, "
       "got \"fcc2\" (line 4)"},
      {With(power, "  \"ground_reflection\": \"yes\",\n"), "ground_reflection: expected true or false, got \"yes\""},
      {With(power, "  \"units\": \"yards\",\n"), "units: expected \"feet\" or \"meters\", got \"yards\" (line 4)"},
      {"{\"format\": \"zento-station\", \"version\": 2}", "version: expected 1 (a newer ZENTO wrote this file), got 2"},
      {"{\"version\": 1}", "the station: missing key \"format\""},
      {"{\n  \"format\": \"zento-station\", \"version\": 1,\n  \"places\": [{\"name\": \"x\", \"distance_m\": 1, "
       "\"environment\": \"public\"}]}",
       "places[0].environment: expected \"controlled\" or \"uncontrolled\", got \"public\" (line 3)"},
      {"{\n  \"format\": \"zento-station\", \"version\": 1,\n  \"transmitters\": [{\"name\": \"A\", \"power_watts\": "
       "5, \"bands\": "
       "[\"11m\"]}]}",
       "transmitters[0].bands[0]: expected a band name (160m ... 23cm, 4m) or a frequency in MHz, got \"11m\" (line "
       "3)"},
      {"{\n  \"format\": \"zento-station\",\n  \"version\": 1,\n  \"callsign\": \"A\"\n  \"location\": \"B\"\n}",
       "line 5, column 12: syntax error while parsing object"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseStation(c.text, error)) << c.error;
    EXPECT_NE(error.find(c.error), std::string::npos) << "expected: " << c.error << "\n     got: " << error;
  }
}

class StationFileWrite : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zento-station-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(StationFileWrite, ReplacesTheFileWholeOrNotAtAll) {
  const fs::path path = dir_ / "home.zento.json";
  Station s;
  s.callsign = "N0CALL";
  ASSERT_EQ(WriteStationFile(path, s).result, SaveResult::kSaved);
  std::string error;
  ASSERT_TRUE(ReadStationFile(path, error)) << error;
  s.callsign = "N0CALL/P";
  ASSERT_EQ(WriteStationFile(path, s).result, SaveResult::kSaved);
  EXPECT_EQ(ReadStationFile(path, error)->callsign, "N0CALL/P");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no temporary file left";

  EXPECT_NE(WriteStationFile(dir_ / "missing" / "x.zento.json", s).result, SaveResult::kSaved);
  EXPECT_FALSE(ReadStationFile(dir_ / "missing.zento.json", error));
  EXPECT_NE(error.find("cannot be opened"), std::string::npos) << error;
}

}  // namespace
}  // namespace zento
