#include "core/thresholds.h"

#include "core/number_text.h"

namespace zento {

std::optional<ThresholdCheck> CheckThreshold(RuleSet rules, double eirp) {
  const auto check = [eirp](bool required, std::string_view pattern) {
    MarkedText text{pattern, {FormatGeneral(eirp, 4)}};
    return ThresholdCheck{required, FilledText(text), std::move(text)};
  };
  switch (rules) {
    case RuleSet::kGermanyBemfv:
      // BEMFV section 9(1): "von 10 Watt oder mehr".
      if (eirp >= 10.0) {
        return check(true, N_("EIRP %1 W: notification to the Bundesnetzagentur before operation, and the safety "
                              "distance inside the controllable area (BEMFV sections 9(1) and 8(2), from 10 W EIRP)"));
      }
      return check(false, N_("EIRP %1 W: below 10 W, no notification (BEMFV section 9(1))"));
    case RuleSet::kUkOfcom:
      if (eirp > 10.0) {
        return check(true, N_("EIRP %1 W: assessment and records required (Ofcom EMF licence condition, above 10 W "
                              "EIRP or 6.1 W ERP)"));
      }
      return check(false, N_("EIRP %1 W: 10 W or less, no assessment required (Ofcom EMF licence condition)"));
    default:
      return std::nullopt;
  }
}

}  // namespace zento
