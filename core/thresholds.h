#pragma once
// The powers from which a regulator asks something of a station: Germany's notification, the UK's
// assessment. The FCC's exemption is a check of its own (core/evaluation.h).

#include <optional>
#include <string>

#include "core/rules.h"
#include "core/text_mark.h"

namespace zento {

struct ThresholdCheck {
  bool required = false;     // the duty applies at this EIRP
  std::string statement;     // what it is and where it is written, in English
  MarkedText statementText;  // the same, for translation where it is shown
};

// None for rules without such a threshold.
std::optional<ThresholdCheck> CheckThreshold(RuleSet rules, double peakEirpWatts);

}  // namespace zento
