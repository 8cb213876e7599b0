#include "core/bands.h"

#include <algorithm>
#include <cctype>

namespace zento {

std::span<const AmateurBand> BandsFor(RuleSet rules) {
  switch (rules) {
    case RuleSet::kIcnirp1998:
    case RuleSet::kIcnirp2020:
    case RuleSet::kGermanyBemfv:
    case RuleSet::kUkOfcom:
      return kRegion1AmateurBands;
    case RuleSet::kArpansaRpsS1:  // the US bands span Australia's on every band they share
    case RuleSet::kFcc:
    case RuleSet::kCanadaSc6:
      break;
  }
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
