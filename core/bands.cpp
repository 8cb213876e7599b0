#include "core/bands.h"

#include <algorithm>
#include <cctype>

namespace zento {

std::span<const AmateurBand> BandsFor(RuleSet rules) {
  if (rules == RuleSet::kIcnirp1998 || rules == RuleSet::kIcnirp2020) return kRegion1AmateurBands;
  return kUsAmateurBands;
}

std::optional<AmateurBand> FindBand(RuleSet rules, std::string_view name) {
  const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  for (const auto& band : BandsFor(rules)) {
    if (std::equal(band.name.begin(), band.name.end(), name.begin(), name.end(),
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return band;
    }
  }
  return std::nullopt;
}

}  // namespace zento
