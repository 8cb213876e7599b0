#pragma once
// How much of the time a transmitter radiates: the duty factor of its mode, and the share of an
// averaging window it spends transmitting.

#include <array>
#include <optional>
#include <string_view>

namespace zento {

struct OperatingMode {
  std::string_view key;    // as in station files and on the command line
  std::string_view label;  // as shown to the user
  double dutyPercent;      // average power as a share of the peak envelope power
};

// FCC OET Bulletin 65 Supplement B (1997), Table 2 "Duty factor of modes commonly used by
// amateurs", and the modes amateurs use today that radiate a constant envelope.
inline constexpr std::array<OperatingMode, 10> kOperatingModes = {{
    {"ssb", "SSB, conversational, no speech processing", 20.0},
    {"ssb-processed", "SSB, conversational, heavy speech processing", 50.0},
    {"cw", "CW, conversational", 40.0},
    {"fm", "FM (voice)", 100.0},
    {"am", "AM with carrier (carrier power)", 100.0},
    {"rtty", "RTTY or FSK", 100.0},
    {"afsk", "AFSK on SSB", 100.0},
    {"digital", "FT8, FT4 and other digital modes", 100.0},
    {"sstv", "SSTV", 100.0},
    {"carrier", "Carrier or tune-up", 100.0},
}};

std::optional<OperatingMode> FindMode(std::string_view key);

// The share (0 to 1) of a window of `windowMinutes` spent transmitting, when `txMinutes` on and
// `rxMinutes` off repeat from the start of the window (the worst-placed window):
// cycle = tx + rx; 1 when tx fills the window; tx / window when one cycle does; otherwise
// (floor(window / cycle) x tx + min(tx, window mod cycle)) / window.
double TimeAveragingFactor(double txMinutes, double rxMinutes, double windowMinutes);

}  // namespace zento
