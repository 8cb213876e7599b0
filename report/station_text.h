#pragma once
// How a station's inputs and results are worded, the same in every output: zento-calc's text,
// the evaluation record and the station window.

#include <string>
#include <vector>

#include "core/near_field.h"
#include "core/site.h"
#include "core/station_eval.h"
#include "core/text_mark.h"

namespace zento {

// "12.3 Feet" or "3.7 Meters", as the station shows distances.
std::string StationDistance(const Station& station, double meters);
std::string PercentText(double share);  // "45.2 %", or "at the antenna" for a place there
std::string FrequencyText(double mhz);  // "14.35"
std::string EnvironmentName(const Station& station, Environment environment);
std::string ModeText(const Transmitter& transmitter, double dutyPercent);
std::string FeedlineText(const Feedline& feedline);
std::string AntennaText(const Station& station, const Transmitter& transmitter);
std::string PlaceText(const Station& station, const Place& place);  // "Yard (12.0 Feet, general public)"
// "12.0 Feet from the antenna", "40.0 Feet from the mast, 6.6 Feet high", "at (3.0, 4.0) on the site, ..."
std::string WhereText(const Station& station, const Place& place);
// The horizontal safe distance, "nowhere at 6.6 Feet high", or "-" without an antenna height.
std::string HorizontalText(const Station& station, const EnvironmentResult& result);
std::string LimitText(const Limit& limit);          // "2 W/m2 (27.5 V/m, 0.073 A/m), MPE (Table 1), 30 min"
std::string LimitBasisText(const Limit& limit);     // "whole body (Table 5), 30 min" or "nerve stimulation, peak"
std::string ExemptionText(const BandResult& band);  // "exempt at 14.35 MHz"
// ExemptionText and, where the band is not exempt, why: "evaluation required at 7.3 MHz: ERP above
// the threshold".
std::string ExemptionWithReason(const BandResult& band);
// "Run 45.7 % on 10m + Mult 5.9 % on 15m, at the same time"
std::string VerdictParts(const Station& station, const StationResult& result, std::size_t place);

// The near field's words, the same in zento-calc's text and the record.
// "3-element Yagi cut for 28.4 MHz, 12.0 Meters up, heading 45 degrees"
std::string AntennaModelText(const Station& station, const Transmitter& transmitter);
// A built-in model's dimensions as its wires were cut: "10.07 m long (2 arms of 5.03 m); wire
// radius 1 mm, 21 segments", each kind in its own terms (an inverted V's arms and span, a
// vertical's radiator and radials, a Yagi's elements and boom, a loop's sides).
std::string AntennaDimensionsText(const Station& station, const AntennaModel& model, const AntennaStructure& structure);
// "E 27.5 V/m, H 0.056 A/m: 90.0 % (E binds)" or "at the antenna"
std::string NearFieldShareText(const NearFieldShare& share);
// "12.4 Meters toward 10 degrees", or "none: the limit is met everywhere"
std::string BoundaryText(const Station& station, const NearFieldBand& band, Environment environment);
// The method in plain words: engine, ground, segments, frequencies.
std::string NearFieldMethodText(const NearFieldMethod& method);
std::vector<std::string> NearFieldAssumptions();
// Where modelled transmitters have no near field (`names`), the sentence that says their far-field
// shares stand in the verdicts with the near field; empty when there are none.
std::string FarFieldStandsInText(const std::vector<std::string>& names);
// The modelled transmitters of a station's near field that have none.
std::vector<std::string> WithoutNearField(const Station& station, const StationNearField& nearField);

// The note every output gives under distances marked * within lambda/2pi of the antenna.
// Marked for the catalogues: shown through Tr(kReactiveNearFieldNote).
inline constexpr const char* kReactiveNearFieldNote =
    N_("* within lambda/2pi of the antenna, in its reactive near field: the far-field figure does not hold here; "
       "evaluate the near field.");
// Whether any of the band's distances (safe distances, places) lies in the reactive near field.
bool InReactiveNearField(const BandResult& band);
// "12.3 Feet", or "12.3 Feet *" where it lies in the reactive near field.
std::string SafeDistanceText(const Station& station, const EnvironmentResult& result);
// The rule set's threshold for the band's EIRP (Germany's notification, the UK's assessment);
// empty for rules without one.
std::string ThresholdText(const Station& station, const BandResult& band);

// "HF: the safety distance in the main beam on 80m, 4.1 Meters around the antenna, stays inside the
// controllable area (2.0 Meters to spare)", or "DOES NOT STAY inside ... (1.2 Meters beyond it)".
std::string ControllableAreaText(const Station& station, const StationResult& result, const AreaCheck& check);

// The model's assumptions in plain words.
std::vector<std::string> Assumptions(const Station& station);

}  // namespace zento
