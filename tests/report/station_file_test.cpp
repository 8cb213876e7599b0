// The station file: the examples read and write back unchanged; every refusal names key and line.
#include "report/station_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/files.h"

namespace zento {
namespace {

namespace fs = std::filesystem;

const char* const kExamples[] = {"us-hf-and-2m",      "uk-icnirp-1998",        "contest-two-transmitters",
                                 "near-field-dipole", "near-field-inverted-v", "near-field-vertical",
                                 "near-field-yagi",   "near-field-loop",       "near-field-imported"};

// Every key's round trip, on any input, is fuzz/fuzz_station_file.cpp's (its corpus holds a
// station with every key); here the examples come back byte for byte.
TEST(StationFile, TheExamplesReadAndWriteBackByteForByte) {
  for (const char* name : kExamples) {
    const std::string text =
        test::ReadAll(fs::path(ZENTO_SOURCE_DIR) / "examples" / (std::string(name) + ".zento.json"));
    std::string error;
    const auto station =
        ReadStationFile(fs::path(ZENTO_SOURCE_DIR) / "examples" / (std::string(name) + ".zento.json"), error);
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
       "rules: expected one of fcc, icnirp-1998, icnirp-2020, canada-sc6, germany-bemfv, uk-ofcom, arpansa-rps-s1, "
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

// The near field's keys: each refused in words with its key path, and an imported model that
// cannot be read costs its near field, not the station.
TEST(StationFile, AntennaModelsAndPositionsAreReadStrictly) {
  const std::string power = "      \"power_watts\": 100,\n      \"antenna\": ";
  const struct {
    std::string antenna, top, error;
  } cases[] = {
      {"{\"model\": {\"kind\": \"rhombic\"}}", "",
       "transmitters[0].antenna.model.kind: expected one of \"dipole\", \"inverted-v\", \"vertical\", \"yagi\", "
       "\"loop\", "
       "\"nec\", got \"rhombic\" (line 12)"},
      {"{\"model\": {\"elements\": 3}}", "", "transmitters[0].antenna.model: missing key \"kind\""},
      {"{\"model\": {\"kind\": \"dipole\", \"elements\": 3}}", "",
       "transmitters[0].antenna.model.elements: not a key of a \"dipole\" model"},
      {"{\"model\": {\"kind\": \"yagi\", \"elements\": 7}}", "",
       "transmitters[0].antenna.model.elements: expected a number from 2 to 6, got 7"},
      {"{\"model\": {\"kind\": \"yagi\", \"elements\": 3.5}}", "",
       "transmitters[0].antenna.model.elements: expected a whole number, got 3.5"},
      {"{\"model\": {\"kind\": \"inverted-v\", \"apex_deg\": 30}}", "",
       "transmitters[0].antenna.model.apex_deg: expected a number from 60 to 180, got 30"},
      {"{\"model\": {\"kind\": \"vertical\", \"length\": \"half-wave\"}}", "",
       "transmitters[0].antenna.model.length: expected one of \"quarter-wave\", \"five-eighths-wave\""},
      {"{\"model\": {\"kind\": \"nec\"}}", "", "transmitters[0].antenna.model: missing key \"file\""},
      {"{\"position_m\": [1, 2, 3]}", "", "transmitters[0].antenna.position_m: expected [x, y], got [1,2,3]"},
      {"{\"heading_deg\": 400}", "", "transmitters[0].antenna.heading_deg: expected a number from 0 to 360, got 400"},
      {"{}", "  \"ground\": \"mud\",\n", "ground: expected one of \"free-space\", \"perfect\", \"poor\""},
      {"{}", "  \"assessment\": {\"date\": \"7.12.2026\"},\n", "assessment.date: expected a date as YYYY-MM-DD"},
      {"{}", "  \"assessment\": {\"by\": \"me\"},\n", "assessment.by: unknown key"},
      {"{}", "  \"site\": {\"outline_m\": [[0, 0], [1, 1]]},\n", "site.outline_m: expected at least 3 corners"},
      {"{\"downward_attenuation_db\": -3}", "",
       "transmitters[0].antenna.downward_attenuation_db: expected a number from 0 to 60, got -3"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseStation(With(power + c.antenna, c.top), error)) << c.error;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << "expected: " << c.error << "\n     got: " << error;
  }
  std::string error;
  // Times in seconds come back in seconds; minutes and seconds together are refused.
  const auto ft8 = ParseStation(With("      \"power_watts\": 100,\n      \"mode\": \"ft8\", \"tx_seconds\": 15, "
                                     "\"rx_seconds\": 10"),
                                error);
  ASSERT_TRUE(ft8) << error;
  EXPECT_NEAR(*ft8->transmitters[0].rxMinutes, 10.0 / 60, 1e-15);
  EXPECT_NE(StationText(*ft8).find("\"rx_seconds\": 10.0"), std::string::npos);
  EXPECT_FALSE(ParseStation(With("      \"power_watts\": 100,\n      \"tx_seconds\": 15, \"rx_minutes\": 1"), error));
  EXPECT_EQ(error.rfind("transmitters[0]: the times in minutes or in seconds, not both", 0), 0u) << error;
  // A model's file that cannot be read: the station reads, and the model says why.
  const auto station = ParseStation(With(power + "{\"model\": {\"kind\": \"nec\", \"file\": \"gone.nec\"}}"), error,
                                    [](const std::string& file, std::string& why) -> std::optional<std::string> {
                                      why = "cannot read " + file;
                                      return std::nullopt;
                                    });
  ASSERT_TRUE(station) << error;
  EXPECT_EQ(station->transmitters[0].antenna.model->importProblem, "cannot read gone.nec");
}

std::string Repeated(const std::string& text, std::size_t count, const std::string& between = "") {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += (i ? between : "") + text;
  return out;
}

// "a0": 1, "a1": 1, ...
std::string ManyKeys(std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += (i ? ", \"a" : "\"a") + std::to_string(i) + "\": 1";
  return out;
}

// A station whose one transmitter, on line 3, has `keys` from column 55 on.
std::string OnLine3(const std::string& keys) {
  return "{\n  \"format\": \"zento-station\", \"version\": 1,\n"
         "  \"transmitters\": [{\"name\": \"HF\", \"power_watts\": 100, " +
         keys + "}]}";
}

// What no station holds is refused before it can make the reader slow or the window unusable,
// and what is not JSON, or not text, is named by its place like any other refusal.
TEST(StationFile, RefusesWhatNoStationHoldsNamingThePlace) {
  const std::string power = "      \"power_watts\": 100";
  const std::string e21 = Repeated("\u00e9", 21);  // 21 characters, 42 bytes
  const struct {
    std::string text;
    std::string error;
  } cases[] = {
      // Not text, or not UTF-8.
      {"", "the file is empty"},
      {"\xEF\xBB\xBF \n\t\r\n", "the file holds only blank space"},
      {std::string("\0\0\0{}", 5), "line 1, column 1: a NUL byte (this is not a text file)"},
      {With(power, std::string("  \"callsign\": \"N0\0CALL\",\n", 25)),
       "line 4, column 18: a NUL byte (this is not a text file)"},
      {std::string("\xFF\xFE{\0}\0", 6), "line 1, column 1: a UTF-16 byte-order mark (save the file as UTF-8)"},
      {With(power, "  \"location\": \"K\xF6ln\",\n"),
       "location: expected UTF-8 text, got the byte 0xF6 (line 4, column 17)"},
      {With(power, "  \"callsign\": \"\xED\xA0\x80\",\n"),  // a surrogate
       "callsign: expected UTF-8 text, got the byte 0xED (line 4, column 16)"},
      {OnLine3("\"bands\": [\"2m\", \"\xC0\xAF\"]"),  // an overlong '/'
       "transmitters[0].bands[1]: expected UTF-8 text, got the byte 0xC0 (line 3, column 72)"},
      {"{\"form\xE9t\": 1}", "line 1, column 7: expected UTF-8 text, got the byte 0xE9"},
      {"{\xFF}", "line 1, column 2: expected UTF-8 text, got the byte 0xFF"},
      // Numbers beyond a double's range.
      {With(power + ",\n      \"feedline\": {\"swr\": 1e400}"),
       "transmitters[0].feedline.swr: the number 1e400 is out of range (line 12, column 27)"},
      {OnLine3("\"bands\": [-1e400]"),
       "transmitters[0].bands[0]: the number -1e400 is out of range (line 3, column 65)"},
      {"1e400", "line 1, column 1: the number 1e400 is out of range"},
      {"{\"person_height_m\": 1" + std::string(500, '0') + "}",
       "person_height_m: the number 100000000000000000000000... is out of range (line 1, column 21)"},
      // Too large, too deep.
      {std::string(kMaxStationFileBytes + 1, ' '),
       "the file has 1048577 bytes; a station file has at most 1048576 (1 MiB)"},
      {std::string(100000, '[') + std::string(100000, ']'),
       "line 1, column 17: lists and objects nested more than 16 deep"},
      {With(power + ",\n      \"antenna\": " + std::string(14, '[') + std::string(14, ']')),
       "line 12, column 31: lists and objects nested more than 16 deep"},
      // Keys as long as a whole file, nested: no path repeats them for each value, no message shows them.
      {Repeated("{\"" + std::string(60000, 'k') + "\": ", 15) + "{" + ManyKeys(2000) + "}" + std::string(15, '}'),
       "\"kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk...\": unknown key (line 1)"},
      {Repeated("{\"" + std::string(60000, 'k') + "\": ", 15) + "{\"a\": 1, \"a\": 2}" + std::string(15, '}'),
       "kkkk...\".a: the key appears twice (line 1)"},
      {With(power, "  \"call\\u001bsign\": \"N0CALL\",\n"), "\"call\\u001bsign\": unknown key (line 4)"},
      // More than a station holds.
      {With(power, "  \"callsign\": \"" + e21 + "\",\n"), "callsign: expected at most 20 characters, got 21 (line 4)"},
      {With(power, "  \"location\": \"" + std::string(1000000, 'x') + "\",\n"),
       "location: expected at most 500 characters, got 1000000 (line 4)"},
      {With(power, "  \"location\": \"" + Repeated("x\\n", 251) + "\",\n"),
       "location: expected at most 500 characters, got 502 (line 4)"},
      {With(power, "  \"callsign\": \"N0\\nCALL\",\n"), "callsign: expected one line, got \"N0\\nCALL\" (line 4)"},
      {"{\n  \"format\": \"zento-station\", \"version\": 1,\n  \"transmitters\": [{\"name\": \"\", \"power_watts\": "
       "1}]}",
       "transmitters[0].name: expected a name, got \"\" (line 3)"},
      {With(power, "  \"callsign\": \"N0\\u001b[31mCALL\",\n"),
       "callsign: expected text without control characters, got U+001B (line 4)"},
      {"{\n  \"format\": \"zento-station\", \"version\": 1,\n  \"places\": [{\"name\": \"" + std::string(81, 'p') +
           "\", \"distance_m\": 1}]}",
       "places[0].name: expected at most 80 characters, got 81 (line 3)"},
      {"{\n  \"format\": \"zento-station\", \"version\": 1,\n  \"places\": [{\"name\": \"a\\u0000b\", \"distance_m\": "
       "1}]}",
       "places[0].name: expected text without control characters, got U+0000 (line 3)"},
      {With(power + ",\n      \"mode\": \"" + std::string(81, 'm') + "\""),
       "transmitters[0].mode: expected at most 80 characters, got 81 (line 12)"},
      {OnLine3("\"simultaneous_with\": [\"" + std::string(81, 'n') + "\"]"),
       "transmitters[0].simultaneous_with[0]: expected at most 80 characters, got 81 (line 3)"},
      {OnLine3("\"bands\": [\"" + std::string(100000, 'b') + "\"]"),
       "transmitters[0].bands[0]: expected at most 80 characters, got 100000 (line 3)"},
      {OnLine3("\"bands\": [" + Repeated("\"20m\"", kMaxBandsPerTransmitter + 1, ", ") + "]"),
       "transmitters[0].bands: expected at most 64 bands, got 65 (line 3)"},
      {OnLine3("\"simultaneous_with\": [" + Repeated("\"HF\"", kMaxTransmitters + 1, ", ") + "]"),
       "transmitters[0].simultaneous_with: expected at most 32 names, got 33 (line 3)"},
      {"{\n  \"format\": \"zento-station\", \"version\": 1,\n  \"places\": [" +
           Repeated("{\"name\": \"p\", \"distance_m\": 1}", kMaxPlaces + 1, ", ") + "]}",
       "places: expected at most 100 places, got 101 (line 3)"},
      {"{\n  \"format\": \"zento-station\", \"version\": 1,\n  \"transmitters\": [" +
           Repeated("{}", kMaxTransmitters + 1, ", ") + "]}",
       "transmitters: expected at most 32 transmitters, got 33 (line 3)"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseStation(c.text, error)) << c.error;
    EXPECT_NE(error.find(c.error), std::string::npos)
        << "expected: " << c.error << "\n     got: " << error.substr(0, 300);
    EXPECT_LE(error.size(), 240u) << error.substr(0, 300);
  }
}

// What a station may hold is taken, at its limits and with text that only looks like nesting.
TEST(StationFile, TakesAStationAtItsLimits) {
  const std::string example = test::ReadAll(fs::path(ZENTO_SOURCE_DIR) / "examples/us-hf-and-2m.zento.json");
  std::string error;
  const auto plain = ParseStation(example, error);
  ASSERT_TRUE(plain) << error;
  EXPECT_EQ(ParseStation("\xEF\xBB\xBF" + example, error), plain) << "a UTF-8 byte-order mark is skipped";

  Station s;
  s.callsign = Repeated("\u00e9", kMaxCallsignLength);
  s.location = "[{\"" + Repeated("\\[{\n\t", (kMaxLocationLength - 3) / 5);
  // Every name as long as may be, in characters of four bytes; every band a frequency of 17 digits.
  const std::string antennas = Repeated("\U0001F4E1", kMaxNameLength - 3);
  for (std::size_t p = 0; p < kMaxPlaces; ++p) {
    Place place;
    place.name = std::to_string(p) + antennas;
    place.distanceMeters = 1.0;
    s.places.push_back(place);
  }
  for (std::size_t t = 0; t < kMaxTransmitters; ++t) {
    Transmitter tx;
    tx.name = std::to_string(t) + antennas;
    tx.bands.assign(kMaxBandsPerTransmitter, BandChoice{"", 100.0 / 3.0});
    s.transmitters.push_back(tx);
  }
  for (auto& tx : s.transmitters) {
    for (const auto& other : s.transmitters) {
      if (other.name != tx.name) tx.simultaneousWith.push_back(other.name);
    }
  }
  ASSERT_LE(s.location.size(), kMaxLocationLength);
  const std::string text = StationText(s);
  EXPECT_LT(text.size(), kMaxStationFileBytes / 2) << "the largest station is far from the file limit";
  EXPECT_EQ(ParseStation(text, error), s) << error;
}

class StationFileOnDisk : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zento-station-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(StationFileOnDisk, ReplacesTheFileWholeOrNotAtAll) {
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

// A file too large for a station is refused by its size, before it is read: the window and
// zento-calc stay quick whatever file they are given.
TEST_F(StationFileOnDisk, RefusesALargeFileOrAFolderBeforeReadingIt) {
  const fs::path big = dir_ / "big.zento.json";
  std::ofstream(big) << "{";
  fs::resize_file(big, 50'000'000);  // a sparse file: nothing written, and nothing to read fast
  std::string error;
  EXPECT_FALSE(ReadStationFile(big, error));
  EXPECT_EQ(error, "the file has 50000000 bytes; a station file has at most 1048576 (1 MiB)");
  EXPECT_FALSE(ReadStationFile("/dev/zero", error));  // endless, of no size known beforehand
  EXPECT_EQ(error, "the file has more than 1048576 bytes; a station file has at most 1048576 (1 MiB)");
  EXPECT_FALSE(ReadStationFile(dir_, error));
  EXPECT_EQ(error, "is a folder, not a file");
}

}  // namespace
}  // namespace zento
