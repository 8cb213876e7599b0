#pragma once
// A whole station evaluated under its rules: every band of every transmitter at its worst
// frequency, figure by figure, and the share of the limit at each place where people are.

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/evaluation.h"
#include "core/station_model.h"

namespace zento {

inline constexpr double kNoGroundReflection = 1.0;

// What one transmitter on one band gives in one environment, at the frequency where the safe
// distance is largest.
struct EnvironmentResult {
  double frequencyMHz = 0.0;
  double feedlineLossDb = 0.0;
  // Of the time-averaged limit that binds (the main one when an instantaneous limit binds):
  double averagingMinutes = 0.0;
  double timeFactor = 1.0;        // share of its averaging window spent transmitting
  double averageEirpWatts = 0.0;  // power x duty x time factor x gain over losses
  double peakEirpWatts = 0.0;     // power x gain over losses
  Limit limit{};                  // the limit that sets the distance: the one that asks for most
  double safeDistanceMeters = 0.0;
  // Along the ground from the mast at the person height; unset with no antenna height, or
  // when the limit is met everywhere at that height.
  std::optional<double> horizontalMeters;
  bool metEverywhereAtHeight = false;
  // The safe distance lies within lambda/2pi of the antenna (at the band's lowest frequency): in
  // the reactive near field, where the far-field formula does not hold.
  bool reactiveNearField = false;

  // The EIRP the binding limit is compared with: the peak one for an instantaneous limit.
  double ComparedEirpWatts() const { return limit.instantaneous ? peakEirpWatts : averageEirpWatts; }
};

// One place's exposure from one band, at the band's worst frequency for that place.
// At the antenna (distance 0) the density and the share are infinite: no limit is met there.
struct PlaceShare {
  double frequencyMHz = 0.0;
  double distanceMeters = 0.0;     // straight-line, from the antenna
  double sWm2 = 0.0;               // power density there, averaged as the main limit averages
  double share = 0.0;              // of the limit that binds there (1 is the limit): the largest ratio
  Limit limit{};                   // that limit
  bool reactiveNearField = false;  // the place is within lambda/2pi of the antenna: see EnvironmentResult
};

// Whether a share is that of a place at the antenna, where no figure is a number.
inline bool AtAntenna(double share) { return share == std::numeric_limits<double>::infinity(); }

struct BandResult {
  std::string band;  // its name, or the frequency
  double lowMHz = 0.0, highMHz = 0.0;
  std::string problem;                              // why the band could not be evaluated; empty when it was
  MarkedText problemText;                           // the same, for translation where it is shown
  std::array<EnvironmentResult, 2> environments{};  // by Environment
  std::vector<PlaceShare> places;                   // by station place
  std::optional<ExemptionCheck> exemption;          // FCC rules only: the worst over the band
  double exemptionFrequencyMHz = 0.0;
  double peakEirpWatts = 0.0;  // the largest over the band, for the thresholds

  const EnvironmentResult& In(Environment e) const { return environments[static_cast<std::size_t>(e)]; }
};

struct TransmitterResult {
  double dutyPercent = 100.0;
  double gainDbi = 0.0;
  std::vector<BandResult> bands;
  std::vector<double> worstShare;      // per place: the largest share over the bands
  std::vector<std::size_t> worstBand;  // per place: the band giving it
};

struct PlaceVerdict {
  double share = 0.0;                     // the worst share, summed where transmitters run together
  std::vector<std::size_t> transmitters;  // those whose shares make it
  bool complies = true;                   // share at most 1
};

struct StationResult {
  std::vector<TransmitterResult> transmitters;
  std::vector<PlaceVerdict> places;
};

double GroundFactor(const Station& station);
// Power density in W/m² at r meters: factor x EIRP / (4 pi r²).
double DensityWm2(double eirpWatts, double meters, double groundFactor);
// The straight-line distance from a transmitter's antenna to a place.
double PlaceDistanceMeters(const Station& station, const Transmitter& transmitter, const Place& place);
// How a transmitter's power relates to what is typed: the mean's share (duty) and the peak's
// factor, by its mode or its own duty factor; and its cycle on and off the air in minutes, its
// own or its mode's periods (FT8's 15 s on, 15 s off); none when it transmits throughout.
struct OnAir {
  double dutyPercent = 100.0;
  double peakFactor = 1.0;
  std::optional<double> txMinutes, rxMinutes;
  // The share of a window of `minutes` spent transmitting.
  double TimeFactor(double minutes) const;
};
OnAir OnAirOf(const Transmitter& transmitter);

// The transmitter's antenna gain: its preset's, or the one given.
double AntennaGainDbi(const Antenna& antenna);

StationResult EvaluateStation(const Station& station);

// Each place's verdict from each transmitter's worst share there ([transmitter][place]): the
// worst set of transmitters on the air together.
std::vector<PlaceVerdict> Verdicts(const Station& station, const std::vector<std::vector<double>>& worstShares);

}  // namespace zento
