// Which edits the window asks the engine again for: those the fields depend on (the antenna's
// model, place, height and heading, the bands, the ground, the person height), and no other (the
// power, mode, time, feedline and places only rescale the fields or are points of their own).
#include <gtest/gtest.h>

#include <functional>

#include "station/near_field_data.h"

namespace zento::station {
namespace {

Station WithModel() {
  Station s;
  Transmitter t;
  t.name = "HF";
  t.bands = {{"20m", 0}, {"40m", 0}};
  t.antenna.heightMeters = 10.0;
  t.antenna.model = AntennaModel{};
  s.transmitters = {t};
  Place p;
  p.name = "Yard";
  p.horizontalMeters = 10.0;
  s.places = {p};
  return s;
}

TEST(EngineKey, OnlyWhatTheFieldsDependOnAsksTheEngineAgain) {
  const struct {
    const char* edit;
    std::function<void(Station&, Transmitter&)> change;
    bool runs;
  } cases[] = {
      {"power", [](Station&, Transmitter& t) { t.powerWatts = 1500; }, false},
      {"mode", [](Station&, Transmitter& t) { t.mode = "cw"; }, false},
      {"duty", [](Station&, Transmitter& t) { t.dutyPercent = 40; }, false},
      {"time", [](Station&, Transmitter& t) { t.txMinutes = 5, t.rxMinutes = 5; }, false},
      {"feedline", [](Station&, Transmitter& t) { t.feedline.totalLossDb = 2; }, false},
      {"gain", [](Station&, Transmitter& t) { t.antenna.gainDbi = 6; }, false},
      {"a place", [](Station& s, Transmitter&) { s.places[0].horizontalMeters = 3.0; }, false},
      {"another place", [](Station& s, Transmitter&) { s.places.push_back(s.places[0]); }, false},
      {"rules with the same bands", [](Station& s, Transmitter&) { s.rules = RuleSet::kCanadaSc6; }, false},
      {"height", [](Station&, Transmitter& t) { t.antenna.heightMeters = 12; }, true},
      {"heading", [](Station&, Transmitter& t) { t.antenna.headingDegrees = 45; }, true},
      {"position", [](Station&, Transmitter& t) { t.antenna.positionMeters = std::array{1.0, 0.0}; }, true},
      {"a band", [](Station&, Transmitter& t) { t.bands.push_back({"15m", 0}); }, true},
      {"the first band (the design frequency)", [](Station&, Transmitter& t) { std::swap(t.bands[0], t.bands[1]); },
       true},
      {"design frequency", [](Station&, Transmitter& t) { t.antenna.model->designMHz = 14.0; }, true},
      {"kind", [](Station&, Transmitter& t) { t.antenna.model->kind = AntennaKind::kLoop; }, true},
      {"wire radius", [](Station&, Transmitter& t) { t.antenna.model->wireRadiusMm = 2.0; }, true},
      {"conductivity", [](Station&, Transmitter& t) { t.antenna.model->conductivitySm = 3.5e7; }, true},
      {"ground", [](Station& s, Transmitter&) { s.ground = Ground::kPoor; }, true},
      {"person height", [](Station& s, Transmitter&) { s.personHeightMeters = 1.7; }, true},
      {"rules with other band edges", [](Station& s, Transmitter&) { s.rules = RuleSet::kIcnirp1998; }, true},
  };
  const Station before = WithModel();
  const std::string key = EngineKey(before, 0);
  for (const auto& c : cases) {
    Station after = before;
    c.change(after, after.transmitters[0]);
    EXPECT_EQ(EngineKey(after, 0) != key, c.runs) << c.edit;
  }
}

}  // namespace
}  // namespace zento::station
