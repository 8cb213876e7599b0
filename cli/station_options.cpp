#include "cli/station_options.h"

#include <CLI/CLI.hpp>

#include "cli/calc.h"
#include "cli/names.h"
#include "core/bands.h"
#include "core/operating.h"
#include "report/station_file.h"

namespace zento::cli {
namespace {

// Options that describe a station and so cannot stand beside --station.
constexpr const char* kDescribing[] = {
    "--frequency",    "--power",    "--duty-cycle", "--gain",           "--antenna",
    "--loss",         "--cable",    "--length",     "--length-units",   "--metric",
    "--callsign",     "--location", "--at",         "--exemption-at",   "--bands",
    "--rules",        "--mode",     "--mode-duty",  "--tx-minutes",     "--rx-minutes",
    "--no-ground",    "--swr",      "--other-loss", "--antenna-height", "--person-height",
    "--horizontal-at"};
// Options of the classic block that a station evaluation has no use for.
constexpr const char* kClassicOnly[] = {"--controlled-distance", "--uncontrolled-distance", "--report"};
// Options that only a station evaluation takes.
constexpr const char* kStationOnly[] = {"--station",      "--rules",          "--mode",          "--mode-duty",
                                        "--tx-minutes",   "--rx-minutes",     "--no-ground",     "--swr",
                                        "--other-loss",   "--antenna-height", "--person-height", "--horizontal-at",
                                        "--save-station", "--near-field",     "--grid"};

std::string ModeNames() {
  std::string names;
  for (const auto& mode : kOperatingModes) names += (names.empty() ? "" : ", ") + std::string(mode.key);
  return names;
}

double RangeOption(const std::string& option, const std::string& text, const Range& range, const char* what) {
  return NumberOption(option, text, range.min, range.max, what);
}

// A length typed in feet, or meters with --metric, in meters.
double Meters(const RawOptions& raw, double value) { return raw.metric ? value : value * kMetersPerFoot; }

void ReadTransmitter(const RawOptions& raw, const StationOptions& o, Station& s) {
  Transmitter t;
  t.name = "TX";
  if (!raw.power.empty()) t.powerWatts = RangeOption("--power", raw.power, kPowerRange, "0.001 to 100000 Watts");
  if (!raw.dutyCycle.empty()) {
    t.dutyPercent = static_cast<double>(IntegerOption("--duty-cycle", raw.dutyCycle, 0, 100, "0 to 100 percent"));
  } else if (!o.modeDuty.empty()) {
    t.dutyPercent = RangeOption("--mode-duty", o.modeDuty, kDutyRange, "0 to 100 percent");
  } else if (!o.mode.empty()) {
    if (!FindMode(o.mode)) Refuse("--mode: unknown mode '" + Quote(o.mode) + "'; known: " + ModeNames());
    t.mode = o.mode;
  }
  if (!o.txMinutes.empty()) {
    t.txMinutes = RangeOption("--tx-minutes", o.txMinutes, {1e-6, kMinutesRange.max}, "minutes above 0, to 1440");
  }
  if (!o.rxMinutes.empty()) t.rxMinutes = RangeOption("--rx-minutes", o.rxMinutes, kMinutesRange, "0 to 1440 minutes");
  if (t.rxMinutes && !t.txMinutes) Refuse("--rx-minutes: needs --tx-minutes");

  for (const auto& name : Items("--bands", raw.bands)) {
    if (name == "all") {
      for (const auto& band : BandsFor(s.rules)) t.bands.push_back({std::string(band.name), 0.0});
    } else if (const auto band = FindBand(s.rules, name)) {
      t.bands.push_back({std::string(band->name), 0.0});
    } else {
      Refuse("--bands: no band '" + Quote(name) + "' in the allocations used with " + std::string(Info(s.rules).name));
    }
  }
  if (t.bands.empty()) {
    const double f = raw.frequency.empty()
                         ? 30.0
                         : RangeOption("--frequency", raw.frequency, kFrequencyRange, "0.001 to 300000 MHz");
    t.bands.push_back({"", f});
  }

  Feedline& f = t.feedline;
  if (!raw.loss.empty()) f.totalLossDb = RangeOption("--loss", raw.loss, kLossRange, "0 to 60 dB");
  if (!raw.cable.empty()) {
    const auto match = FindCable(raw.cable);
    if (!match.index) Refuse("--cable: unknown or ambiguous cable '" + Quote(raw.cable) + "' (see --list-cables)");
    f.kind = FeedlineKind::kCable;
    f.cableRow = *match.index;
    if (!raw.length.empty()) {
      f.length = static_cast<double>(IntegerOption("--length", raw.length, 0, 100000, "0 to 100000 whole units"));
    }
    if (raw.lengthUnits == "meters") f.lengthUnit = LengthUnit::kMeters;
    if (!raw.lengthUnits.empty() && raw.lengthUnits != "meters" && raw.lengthUnits != "feet") {
      Refuse("--length-units: '" + Quote(raw.lengthUnits) + "' is not one of feet, meters");
    }
  }
  if (!o.swr.empty()) f.swr = RangeOption("--swr", o.swr, kSwrRange, "SWR of 1 to 100");
  if (!o.otherLoss.empty()) f.otherLossDb = RangeOption("--other-loss", o.otherLoss, kLossRange, "0 to 60 dB");

  if (!raw.gain.empty()) t.antenna.gainDbi = RangeOption("--gain", raw.gain, kGainRange, "-10 to 60 dBi");
  if (!raw.antenna.empty()) {
    const auto preset = FindAntenna(raw.antenna);
    if (!preset) Refuse("--antenna: unknown antenna '" + Quote(raw.antenna) + "' (see --list-antennas)");
    t.antenna.preset = *preset;
  }
  if (!o.antennaHeight.empty()) {
    t.antenna.heightMeters =
        Meters(raw, RangeOption("--antenna-height", o.antennaHeight, kHeightRange, "heights of 0 to 10000"));
  }
  s.transmitters.push_back(std::move(t));
}

void ReadPlaces(const RawOptions& raw, const StationOptions& o, Station& s) {
  for (const auto& text : Items("--at", raw.at)) {
    Place place;
    place.name = "at " + text;
    place.distanceMeters = Meters(raw, DistanceOption("--at", text, false));
    s.places.push_back(place);
  }
  for (const auto& text : Items("--horizontal-at", o.horizontalAt)) {
    Place place;
    place.name = "horizontal " + text;
    place.horizontalMeters = Meters(raw, DistanceOption("--horizontal-at", text, true));
    s.places.push_back(place);
  }
  // A station the options describe can be saved: it must be one the file reader takes back.
  if (s.places.size() > kMaxPlaces) {
    Refuse("--at, --horizontal-at: " + std::to_string(s.places.size()) + " places; a station has at most " +
           std::to_string(kMaxPlaces));
  }
  for (Place& place : s.places) {
    if (place.name.size() > kMaxNameLength) place.name.resize(kMaxNameLength);  // digits and a point: ASCII
  }
  if (!raw.exemptionAt.empty()) {
    s.exemptionDistanceMeters = Meters(raw, DistanceOption("--exemption-at", raw.exemptionAt, false));
  }
}

}  // namespace

void AddStationOptions(CLI::App& app, StationOptions& o) {
  app.add_option("--station", o.file, "evaluate the station in FILE (.zento.json)")->type_name("FILE");
  app.add_option("--rules", o.rules, "rule set (see --list-rules): " + RuleSetKeys() + "; fcc by default")
      ->type_name("RULES");
  auto* mode = app.add_option("--mode", o.mode, "operating mode (its duty factor): " + ModeNames())->type_name("NAME");
  auto* modeDuty =
      app.add_option("--mode-duty", o.modeDuty, "duty factor in percent, decimals allowed")->type_name("PERCENT");
  mode->excludes(modeDuty)->excludes(app.get_option("--duty-cycle"));
  modeDuty->excludes(app.get_option("--duty-cycle"));
  app.add_option("--tx-minutes", o.txMinutes, "minutes transmitting in each cycle")->type_name("MIN");
  app.add_option("--rx-minutes", o.rxMinutes, "minutes receiving in each cycle")->type_name("MIN");
  app.add_flag("--no-ground", o.noGround, "no ground reflection (factor 1 instead of 2.56)");
  app.add_option("--swr", o.swr, "SWR at the antenna (default 1)")->type_name("SWR");
  app.add_option("--other-loss", o.otherLoss, "connector or other loss in dB (default 0)")->type_name("DB");
  app.add_option("--antenna-height", o.antennaHeight, "antenna height above ground (feet, or meters with --metric)")
      ->type_name("H");
  app.add_option("--person-height", o.personHeight, "height where people are (default 2 m)")->type_name("H");
  app.add_option("--horizontal-at", o.horizontalAt,
                 "a place at horizontal distance D from the mast, at the person height; repeat or list")
      ->type_name("D");
  app.add_option("--save-station", o.saveStation, "write the station the options describe to FILE")->type_name("FILE");
  app.add_flag("--list-modes", o.listModes, "list the operating modes and exit");
  app.add_flag("--list-rules", o.listRules, "list the rule sets with what each one is, and exit");
  auto* nearField = app.add_flag("--near-field", o.nearField,
                                 "also the near field of each antenna the station file models, computed with NEC-2 "
                                 "(the nec2c program)");
  app.add_flag("--grid", o.grid, "with --near-field: also the pictures' grids (JSON) or heat maps (html)")
      ->needs(nearField);
}

bool StationRequested(const CLI::App& app) {
  for (const char* name : kStationOnly) {
    if (app.count(name) > 0) return true;
  }
  return false;
}

Station BuildStation(const CLI::App& app, const RawOptions& raw, const StationOptions& o) {
  for (const char* name : kClassicOnly) {
    if (app.count(name) > 0) Refuse(std::string(name) + ": not used in a station evaluation");
  }
  if (!o.file.empty()) {
    for (const char* name : kDescribing) {
      if (app.count(name) > 0) Refuse(std::string(name) + ": the station comes from --station");
    }
    std::string error;
    auto station = ReadStationFile(o.file, error);
    if (!station) Refuse("--station: " + Quote(o.file) + ": " + error);
    return *station;
  }
  Station s;
  if (!o.rules.empty()) {
    const auto rules = FindRuleSet(o.rules);
    if (!rules) Refuse("--rules: '" + Quote(o.rules) + "' is not one of " + RuleSetKeys());
    s.rules = *rules;
  }
  ReadStationBlock(raw);
  s.callsign = raw.callsign;
  s.location = raw.location;
  s.groundReflection = !o.noGround;
  s.units = raw.metric ? LengthUnit::kMeters : LengthUnit::kFeet;
  if (!o.personHeight.empty()) {
    s.personHeightMeters =
        Meters(raw, RangeOption("--person-height", o.personHeight, kHeightRange, "heights of 0 to 10000"));
  }
  ReadTransmitter(raw, o, s);
  ReadPlaces(raw, o, s);
  return s;
}

}  // namespace zento::cli
