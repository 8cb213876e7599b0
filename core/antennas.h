#pragma once
// Typical gains of common antenna types, offered by the antenna gain chooser.

#include <array>
#include <string_view>

#include "core/text_mark.h"

namespace zento {

struct AntennaPreset {
  std::string_view shortName;  // zento-calc's --antenna name
  std::string_view label;      // the chooser's exact label
  double gainDbi;
};

// In rising gain, the order they stand on screen.
inline constexpr std::array<AntennaPreset, 8> kAntennaPresets = {{
    {"quarter-wave", N_("Quarter-Wave Ground Plane or Vertical ( +1 dBi)"), 1.0},
    {"dipole", N_("Half-Wave Dipole (+2.15 dBi)"), 2.15},
    {"5/8-wave", N_("5/8 Wave Ground Plane (+4 dBi)"), 4.0},
    {"yagi-3", N_("3-Element Yagi Array (+7.2 dBi)"), 7.2},
    {"yagi-5", N_("5-Element Yagi Array (+9.4 dBi)"), 9.4},
    {"yagi-8", N_("8-Element Yagi Array (+13.2 dBi)"), 13.2},
    {"yagi-10", N_("10-Element Yagi Array (+14.8 dBi)"), 14.8},
    {"yagi-17", N_("17-Element Yagi Array (+16.8 dBi)"), 16.8},
}};

// Each preset's gain is one the gain field takes (-10 to 60 dBi), and they rise.
static_assert([] {
  double last = -10.0;
  for (const auto& preset : kAntennaPresets) {
    if (!(preset.gainDbi > last && preset.gainDbi <= 60.0)) return false;
    last = preset.gainDbi;
  }
  return true;
}());

}  // namespace zento
