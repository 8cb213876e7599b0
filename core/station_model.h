#pragma once
// A whole station: its transmitters with their feedlines and antennas, and the places where
// people are. Heights and distances in meters.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/antenna_model.h"
#include "core/rules.h"

namespace zento {

enum class LengthUnit { kFeet, kMeters };
enum class FeedlineKind { kCable, kLossPer100Feet, kTotalLoss };

struct Feedline {
  FeedlineKind kind = FeedlineKind::kTotalLoss;
  int cableRow = -1;                          // kCable: a row of kCableTable
  double length = 0.0;                        // kCable and kLossPer100Feet, in lengthUnit
  LengthUnit lengthUnit = LengthUnit::kFeet;  //
  double lossDbPer100Feet = 0.0;              // kLossPer100Feet: matched loss
  double totalLossDb = 0.0;                   // kTotalLoss: matched loss of the whole run
  double swr = 1.0;                           // at the antenna
  double otherLossDb = 0.0;                   // connectors, switches, filters

  bool operator==(const Feedline&) const = default;
};

struct Antenna {
  std::optional<int> preset;  // a row of kAntennaPresets; its gain replaces gainDbi
  double gainDbi = 0.0;
  std::optional<double> heightMeters;  // above the ground
  // For the near field: the antenna as wires, where its mast stands on the site (x east, y
  // north; the origin when unset) and the compass heading of its main direction.
  std::optional<AntennaModel> model;
  std::optional<std::array<double, 2>> positionMeters;
  double headingDegrees = 0.0;
  // How much weaker its pattern is straight down than in its main beam: the vertical safety
  // distance is the main beam's scaled by it (0, the main beam's, unless known).
  double downwardAttenuationDb = 0.0;

  bool operator==(const Antenna&) const = default;
};

// A band by name (resolved under the station's rules), or one frequency.
struct BandChoice {
  std::string name;  // empty when a frequency is given
  double frequencyMHz = 0.0;

  bool operator==(const BandChoice&) const = default;
};

struct Transmitter {
  std::string name;
  double powerWatts = 100.0;  // peak envelope power into the feedline
  std::string mode;           // a key of kOperatingModes; with dutyPercent unset
  std::optional<double> dutyPercent;
  std::optional<double> txMinutes, rxMinutes;  // both or neither; neither: transmitting throughout
  bool timesInSeconds = false;                 // shown and written in seconds (FT8's 15 s, say)
  std::vector<BandChoice> bands;
  Feedline feedline;
  Antenna antenna;
  std::vector<std::string> simultaneousWith;  // names of transmitters that transmit at the same time

  bool operator==(const Transmitter&) const = default;
};

struct Place {
  std::string name;
  Environment environment = Environment::kUncontrolled;
  std::optional<double> distanceMeters;                 // straight-line distance from the antenna, or
  std::optional<double> horizontalMeters;               // the distance along the ground from the mast,
  std::optional<double> heightMeters;                   // at this height (the station's person height if unset)
  std::optional<std::array<double, 2>> positionMeters;  // or here on the site, at that height

  bool operator==(const Place&) const = default;
};

// Who evaluated the station, how, what keeps people out, and when it is evaluated again: what
// inspectors ask of a record. Dates as YYYY-MM-DD.
struct Assessment {
  std::string assessor;
  std::string date;
  std::string method;    // method notes and assumptions
  std::string measures;  // what keeps the public out of where the limits are not met
  std::string nextReview;

  bool operator==(const Assessment&) const = default;
};

// "YYYY-MM-DD" with a month 1-12 and a day 1-31, as the assessment's dates are written.
inline bool IsIsoDate(std::string_view text) {
  const auto digits = [&](std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return -1;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || digits(0, 4) < 0) return false;
  const int month = digits(5, 2), day = digits(8, 2);
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

struct Station {
  std::string callsign;
  std::string location;
  RuleSet rules = RuleSet::kFcc;
  bool groundReflection = true;
  LengthUnit units = LengthUnit::kFeet;  // how distances are shown
  double personHeightMeters = 2.0;
  std::optional<double> exemptionDistanceMeters;  // the nearest place's distance if unset
  Ground ground = Ground::kAverage;               // under the antennas, for the near field
  std::optional<Assessment> assessment;
  // The area the operator controls (the property, or Germany's kontrollierbarer Bereich), as a
  // polygon in site coordinates; empty when not given.
  std::vector<std::array<double, 2>> siteOutline;
  std::vector<Place> places;
  std::vector<Transmitter> transmitters;

  bool operator==(const Station&) const = default;
};

// The ranges a station's values must lie in; the file reader and zento-calc check them.
struct Range {
  double min, max;
  bool Holds(double v) const { return v >= min && v <= max; }
};
inline constexpr Range kPowerRange{0.001, 100000.0};
inline constexpr Range kDutyRange{0.0, 100.0};
inline constexpr Range kMinutesRange{0.0, 1440.0};
inline constexpr Range kGainRange{-10.0, 60.0};
inline constexpr Range kSwrRange{1.0, 100.0};
inline constexpr Range kLossRange{0.0, 60.0};
inline constexpr Range kLossPer100FeetRange{0.0, 100.0};
inline constexpr Range kCableLengthRange{0.0, 100000.0};
inline constexpr Range kHeightRange{0.0, 10000.0};
inline constexpr Range kDistanceRange{0.0, 1.0e6};
inline constexpr Range kFrequencyRange{0.001, 300000.0};
inline constexpr Range kPlaceDistanceRange{1e-6, 1.0e6};  // a straight-line distance is never 0
inline constexpr Range kTxMinutesRange{1e-6, 1440.0};     // a transmission lasts some time
inline constexpr Range kSiteRange{-100000.0, 100000.0};   // positions on the site
inline constexpr Range kHeadingRange{0.0, 360.0};
inline constexpr Range kApexRange{60.0, 180.0};
inline constexpr Range kRadialsRange{0.0, 64.0};
inline constexpr Range kYagiElementsRange{2.0, 6.0};
inline constexpr Range kWireRadiusMmRange{0.01, 1000.0};
inline constexpr Range kConductivityRange{0.0, 1.0e9};  // S/m; 0 for a perfect conductor
inline constexpr Range kAntennaLengthRange{0.01, 10000.0};
inline constexpr Range kAttenuationRange{0.0, 60.0};
inline constexpr std::size_t kMaxOutlinePoints = 200;
inline constexpr std::size_t kMaxAssessmentTextLength = 2000;  // each of its notes

// How much a station may hold, so that every reader refuses early what no station needs and
// every evaluation stays quick (the shares of transmitters on the air together are summed over
// each set of them that is on the air together). Text lengths count characters.
inline constexpr std::size_t kMaxTransmitters = 32;
inline constexpr std::size_t kMaxPlaces = 100;
inline constexpr std::size_t kMaxBandsPerTransmitter = 64;
inline constexpr std::size_t kMaxCallsignLength = 20;
inline constexpr std::size_t kMaxNameLength = 80;  // a transmitter's or a place's
inline constexpr std::size_t kMaxLocationLength = 500;

inline constexpr double kMetersPerFoot = 0.3048;

// A length in the unit the station shows, and back to meters.
inline double FromMeters(double meters, LengthUnit unit) {
  return unit == LengthUnit::kFeet ? meters / kMetersPerFoot : meters;
}
inline double ToMeters(double value, LengthUnit unit) {
  return unit == LengthUnit::kFeet ? value * kMetersPerFoot : value;
}

}  // namespace zento
