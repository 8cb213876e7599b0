#pragma once
// Small stations for the station model's tests: a place at a distance or along the ground, one
// transmitter on one frequency.

#include <optional>

#include "core/station_model.h"

namespace zento::test {

inline Place At(double meters, Environment environment = Environment::kUncontrolled) {
  Place place;
  place.name = "place";
  place.environment = environment;
  place.distanceMeters = meters;
  return place;
}

inline Place Along(double horizontalMeters, std::optional<double> heightMeters = std::nullopt) {
  Place place;
  place.name = "place";
  place.horizontalMeters = horizontalMeters;
  place.heightMeters = heightMeters;
  return place;
}

inline Station OneTransmitter(double power, double gainDbi, double frequencyMHz) {
  Station s;
  Transmitter t;
  t.name = "TX";
  t.powerWatts = power;
  t.antenna.gainDbi = gainDbi;
  t.bands = {{"", frequencyMHz}};
  s.transmitters = {t};
  return s;
}

}  // namespace zento::test
