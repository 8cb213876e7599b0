#pragma once
// How much of the time a transmitter radiates: the duty factor of its mode, and the share of an
// averaging window it spends transmitting.

#include <array>
#include <optional>
#include <string_view>

#include "core/text_mark.h"

namespace zento {

struct OperatingMode {
  std::string_view key;     // as in station files and on the command line
  std::string_view label;   // as shown to the user
  double dutyPercent;       // average power as a share of the power typed
  double peakFactor = 1.0;  // the peak envelope power over the power typed
  // A mode sent in fixed periods: the period's length in seconds (a cycle of one period sending
  // and one receiving, unless the transmitter gives its own times).
  double periodSeconds = 0.0;
};

// FCC OET Bulletin 65 Supplement B (1997), Table 2 "Duty factor of modes commonly used by
// amateurs", and the modes amateurs use today that radiate a constant envelope. FT8 and FT4
// send 12.64 s of each 15 s period and 5.04 s of each 7.5 s (WSJT-X User Guide, "Parameters of
// Slow Modes"), at a constant envelope. Full-carrier AM at full modulation (m = 1) has a mean
// power of 1.5 times the carrier and a peak envelope power of 4 times it ((1 + m)²): typed as the
// carrier, its mean is 150 % of it and its peak 4 times; typed as the peak, its mean is 37.5 %.
inline constexpr std::array<OperatingMode, 13> kOperatingModes = {{
    {"ssb", N_("SSB, conversational, no speech processing"), 20.0},
    {"ssb-processed", N_("SSB, conversational, heavy speech processing"), 50.0},
    {"cw", N_("CW, conversational"), 40.0},
    {"fm", N_("FM (voice)"), 100.0},
    {"am", N_("AM with carrier, carrier power typed"), 150.0, 4.0},
    {"am-pep", N_("AM with carrier, peak envelope power typed"), 37.5},
    {"rtty", N_("RTTY or FSK"), 100.0},
    {"afsk", N_("AFSK on SSB"), 100.0},
    {"ft8", N_("FT8 (12.64 s in each 15 s period)"), 100.0 * 12.64 / 15.0, 1.0, 15.0},
    {"ft4", N_("FT4 (5.04 s in each 7.5 s period)"), 100.0 * 5.04 / 7.5, 1.0, 7.5},
    {"digital", N_("Other constant-envelope digital modes"), 100.0},
    {"sstv", "SSTV", 100.0},
    {"carrier", N_("Carrier or tune-up"), 100.0},
}};

std::optional<OperatingMode> FindMode(std::string_view key);

// The share (0 to 1) of a window of `windowMinutes` spent transmitting, when `txMinutes` on and
// `rxMinutes` off repeat from the start of the window (the worst-placed window):
// cycle = tx + rx; 1 when tx fills the window; tx / window when one cycle does; otherwise
// (floor(window / cycle) x tx + min(tx, window mod cycle)) / window.
double TimeAveragingFactor(double txMinutes, double rxMinutes, double windowMinutes);

}  // namespace zento
