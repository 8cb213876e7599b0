// Edits of the station that must leave it a station the file reader takes back.
#include "station/station_edits.h"

#include <gtest/gtest.h>

#include "report/station_file.h"

namespace zento::station {
namespace {

Station TwoTogether() {
  Station s;
  AddTransmitter(s);
  AddTransmitter(s);
  SetSimultaneous(s, 0, 1, true);
  return s;
}

// Whatever the edits did, the file reader must take the station back.
void ExpectReadable(const Station& s) {
  std::string error;
  EXPECT_TRUE(ParseStation(StationText(s), error)) << error;
}

TEST(StationEdits, TransmitterNamesStayUniqueAndMentionsFollow) {
  Station s = TwoTogether();
  EXPECT_EQ(s.transmitters[1].name, "Transmitter 2");
  EXPECT_EQ(NameProblem(s, 0, ""), "a transmitter needs a name");
  EXPECT_EQ(NameProblem(s, 0, "Transmitter 2"), "another transmitter has this name");
  EXPECT_EQ(NameProblem(s, 0, "Transmitter 1"), "");

  // Renaming and removing, with the links that follow, are the window's tests; a duplicate
  // gets a name of its own and no links.
  RenameTransmitter(s, 0, "Run");
  EXPECT_EQ(DuplicateTransmitter(s, 0), 1u);
  EXPECT_EQ(s.transmitters[1].name, "Run 3");
  EXPECT_TRUE(s.transmitters[1].simultaneousWith.empty());
  ExpectReadable(s);
}

TEST(StationEdits, AtTheSameTimeGoesBothWays) {
  Station s = TwoTogether();
  EXPECT_TRUE(Simultaneous(s, 1, 0));
  SetSimultaneous(s, 1, 0, false);
  EXPECT_FALSE(Simultaneous(s, 0, 1));
  SetSimultaneous(s, 0, 0, true);  // never with itself
  EXPECT_TRUE(s.transmitters[0].simultaneousWith.empty());
  ExpectReadable(s);
}

TEST(StationEdits, BandsKeepTheAllocationsOrderBeforeFrequencies) {
  struct Case {
    std::vector<BandChoice> before;
    std::string band;
    bool on;
    std::vector<BandChoice> after;
  };
  const BandChoice f{"", 14.2};
  const Case cases[] = {
      {{{"20m", 0}}, "80m", true, {{"80m", 0}, {"20m", 0}}},
      {{{"20m", 0}}, "10m", true, {{"20m", 0}, {"10m", 0}}},
      {{{"20m", 0}, f}, "10m", true, {{"20m", 0}, {"10m", 0}, f}},
      {{{"4m", 0}, {"20m", 0}}, "2m", true, {{"4m", 0}, {"20m", 0}, {"2m", 0}}},  // not in the allocation: kept
      {{{"80m", 0}, {"20m", 0}, f}, "80m", false, {{"20m", 0}, f}},
      {{{"20m", 0}}, "20m", true, {{"20m", 0}}},
  };
  for (const Case& c : cases) {
    Transmitter t;
    t.bands = c.before;
    SetBand(t, BandsFor(RuleSet::kFcc), c.band, c.on);
    EXPECT_EQ(t.bands, c.after) << c.band << (c.on ? " on" : " off");
  }
}

TEST(StationEdits, FrequenciesAreReadWithAPointAndChecked) {
  struct Case {
    std::string text;
    std::optional<std::vector<double>> frequencies;
  };
  const Case cases[] = {
      {"", std::vector<double>{}},
      {"14.2, 146.52", std::vector<double>{14.2, 146.52}},
      {"14.2 50;  ", std::vector<double>{14.2, 50.0}},
      {"lots", std::nullopt},
      {"14,2", std::nullopt},  // a decimal comma, not 14 and 2 MHz
      {"0", std::nullopt},
      {"300001", std::nullopt},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(ParseFrequencies(c.text, error), c.frequencies) << c.text;
    EXPECT_EQ(error.empty(), c.frequencies.has_value()) << c.text;
  }
  Transmitter t;
  t.bands = {{"20m", 0}, {"", 7.1}};
  SetFrequencies(t, {146.52, 14.2});
  EXPECT_EQ(FrequenciesText(Frequencies(t)), "146.52, 14.2");
  EXPECT_EQ(t.bands.front().name, "20m");
}

}  // namespace
}  // namespace zento::station
