#pragma once
// What each regulator asks the record to hold, in its order: who assessed and how, and for the
// rule set's regulator its own section (Germany's notification data with the site drawn, the UK's
// configurations).

#include "core/station_eval.h"
#include "report/html_builder.h"

namespace zento {

void AssessmentSection(Html& html, const Station& station);
void RegulatorSection(Html& html, const Station& station, const StationResult& result);

// The site from above: the area the operator controls, each antenna with a circle of `radius`
// (the safety distance in its main beam), and the places with a position. Inline SVG.
std::string SiteSvg(const Station& station, const StationResult& result, int width, int height);

}  // namespace zento
