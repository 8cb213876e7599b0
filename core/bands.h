#pragma once
// Amateur band allocations by name.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "core/rules.h"

namespace zento {

struct AmateurBand {
  std::string_view name;
  double lowMHz;
  double highMHz;
};

// The US amateur bands from 160 m to 23 cm (47 CFR 97.301), by rising frequency. 60 m spans the
// channels and the block of 97.303(h).
inline constexpr std::array<AmateurBand, 16> kUsAmateurBands = {{
    {"160m", 1.8, 2.0},
    {"80m", 3.5, 4.0},
    {"60m", 5.3305, 5.4065},
    {"40m", 7.0, 7.3},
    {"30m", 10.1, 10.15},
    {"20m", 14.0, 14.35},
    {"17m", 18.068, 18.168},
    {"15m", 21.0, 21.45},
    {"12m", 24.89, 24.99},
    {"10m", 28.0, 29.7},
    {"6m", 50.0, 54.0},
    {"2m", 144.0, 148.0},
    {"1.25m", 222.0, 225.0},
    {"70cm", 420.0, 450.0},
    {"33cm", 902.0, 928.0},
    {"23cm", 1240.0, 1300.0},
}};

// The IARU Region 1 allocations (ITU Radio Regulations Article 5 and the IARU Region 1 band
// plans), as most of Europe has them, by rising frequency.
inline constexpr std::array<AmateurBand, 15> kRegion1AmateurBands = {{
    {"160m", 1.81, 2.0},
    {"80m", 3.5, 3.8},
    {"60m", 5.3515, 5.3665},
    {"40m", 7.0, 7.2},
    {"30m", 10.1, 10.15},
    {"20m", 14.0, 14.35},
    {"17m", 18.068, 18.168},
    {"15m", 21.0, 21.45},
    {"12m", 24.89, 24.99},
    {"10m", 28.0, 29.7},
    {"6m", 50.0, 52.0},
    {"4m", 70.0, 70.5},
    {"2m", 144.0, 146.0},
    {"70cm", 430.0, 440.0},
    {"23cm", 1240.0, 1300.0},
}};

// Bands by rising frequency, none overlapping the next.
constexpr bool RisingAndApart(std::span<const AmateurBand> bands) {
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (!(bands[i].lowMHz < bands[i].highMHz)) return false;
    if (i > 0 && !(bands[i - 1].highMHz < bands[i].lowMHz)) return false;
  }
  return true;
}
static_assert(RisingAndApart(kUsAmateurBands) && RisingAndApart(kRegion1AmateurBands));

// The allocations a rule set's users have: the US (Region 2) under the FCC and Safety Code 6,
// IARU Region 1 under ICNIRP, Germany's and the UK's rules; under ARPANSA's, the US edges, which
// hold Australia's on every band both have (a band's worst edge is never missed; give
// frequencies for Australia's own edges).
std::span<const AmateurBand> BandsFor(RuleSet rules);

// A band by its name, case-insensitively; none when the rules' allocations have no such band.
std::optional<AmateurBand> FindBand(RuleSet rules, std::string_view name);

}  // namespace zento
