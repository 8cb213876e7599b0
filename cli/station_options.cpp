#include "cli/station_options.h"

#include <CLI/CLI.hpp>

#include "cli/calc.h"
#include "cli/names.h"
#include "core/bands.h"
#include "core/operating.h"
#include "report/station_file.h"
#include "report/translation.h"

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
  if (!raw.power.empty()) t.powerWatts = RangeOption("--power", raw.power, kPowerRange, N_("0.001 to 100000 Watts"));
  if (!raw.dutyCycle.empty()) {
    t.dutyPercent = static_cast<double>(IntegerOption("--duty-cycle", raw.dutyCycle, 0, 100, N_("0 to 100 percent")));
  } else if (!o.modeDuty.empty()) {
    t.dutyPercent = RangeOption("--mode-duty", o.modeDuty, kDutyRange, N_("0 to 100 percent"));
  } else if (!o.mode.empty()) {
    if (!FindMode(o.mode)) Refuse(Subst(Tr("--mode: unknown mode '%1'; known: %2"), {Quote(o.mode), ModeNames()}));
    t.mode = o.mode;
  }
  if (!o.txMinutes.empty()) {
    t.txMinutes = RangeOption("--tx-minutes", o.txMinutes, {1e-6, kMinutesRange.max}, N_("minutes above 0, to 1440"));
  }
  if (!o.rxMinutes.empty())
    t.rxMinutes = RangeOption("--rx-minutes", o.rxMinutes, kMinutesRange, N_("0 to 1440 minutes"));
  if (t.rxMinutes && !t.txMinutes) Refuse(Tr("--rx-minutes: needs --tx-minutes"));

  for (const auto& name : Items("--bands", raw.bands)) {
    if (name == "all") {
      for (const auto& band : BandsFor(s.rules)) t.bands.push_back({std::string(band.name), 0.0});
    } else if (const auto band = FindBand(s.rules, name)) {
      t.bands.push_back({std::string(band->name), 0.0});
    } else {
      Refuse(Subst(Tr("--bands: no band '%1' in the allocations used with %2"),
                   {Quote(name), TrText(Info(s.rules).name)}));
    }
  }
  if (t.bands.empty()) {
    const double f = raw.frequency.empty()
                         ? 30.0
                         : RangeOption("--frequency", raw.frequency, kFrequencyRange, N_("0.001 to 300000 MHz"));
    t.bands.push_back({"", f});
  }

  Feedline& f = t.feedline;
  if (!raw.loss.empty()) f.totalLossDb = RangeOption("--loss", raw.loss, kLossRange, N_("0 to 60 dB"));
  if (!raw.cable.empty()) {
    const auto match = FindCable(raw.cable);
    if (!match.index) {
      Refuse(Subst(Tr("--cable: unknown or ambiguous cable '%1' (see --list-cables)"), {Quote(raw.cable)}));
    }
    f.kind = FeedlineKind::kCable;
    f.cableRow = *match.index;
    if (!raw.length.empty()) {
      f.length = static_cast<double>(IntegerOption("--length", raw.length, 0, 100000, N_("0 to 100000 whole units")));
    }
    if (raw.lengthUnits == "meters") f.lengthUnit = LengthUnit::kMeters;
    if (!raw.lengthUnits.empty() && raw.lengthUnits != "meters" && raw.lengthUnits != "feet") {
      Refuse(Subst(Tr("--length-units: '%1' is not one of feet, meters"), {Quote(raw.lengthUnits)}));
    }
  }
  if (!o.swr.empty()) f.swr = RangeOption("--swr", o.swr, kSwrRange, N_("SWR of 1 to 100"));
  if (!o.otherLoss.empty()) f.otherLossDb = RangeOption("--other-loss", o.otherLoss, kLossRange, N_("0 to 60 dB"));

  if (!raw.gain.empty()) t.antenna.gainDbi = RangeOption("--gain", raw.gain, kGainRange, N_("-10 to 60 dBi"));
  if (!raw.antenna.empty()) {
    const auto preset = FindAntenna(raw.antenna);
    if (!preset) Refuse(Subst(Tr("--antenna: unknown antenna '%1' (see --list-antennas)"), {Quote(raw.antenna)}));
    t.antenna.preset = *preset;
  }
  if (!o.antennaHeight.empty()) {
    t.antenna.heightMeters =
        Meters(raw, RangeOption("--antenna-height", o.antennaHeight, kHeightRange, N_("heights of 0 to 10000")));
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
    Refuse(Subst(Tr("--at, --horizontal-at: %1 places; a station has at most %2"),
                 {std::to_string(s.places.size()), std::to_string(kMaxPlaces)}));
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
  app.add_option("--station", o.file, Tr("evaluate the station in FILE (.zento.json)"))->type_name("FILE");
  app.add_option("--rules", o.rules, Subst(Tr("rule set (see --list-rules): %1; fcc by default"), {RuleSetKeys()}))
      ->type_name("RULES");
  auto* mode = app.add_option("--mode", o.mode, Subst(Tr("operating mode (its duty factor): %1"), {ModeNames()}))
                   ->type_name("NAME");
  auto* modeDuty =
      app.add_option("--mode-duty", o.modeDuty, Tr("duty factor in percent, decimals allowed"))->type_name("PERCENT");
  mode->excludes(modeDuty)->excludes(app.get_option("--duty-cycle"));
  modeDuty->excludes(app.get_option("--duty-cycle"));
  app.add_option("--tx-minutes", o.txMinutes, Tr("minutes transmitting in each cycle"))->type_name("MIN");
  app.add_option("--rx-minutes", o.rxMinutes, Tr("minutes receiving in each cycle"))->type_name("MIN");
  app.add_flag("--no-ground", o.noGround, Tr("no ground reflection (factor 1 instead of 2.56)"));
  app.add_option("--swr", o.swr, Tr("SWR at the antenna (default 1)"))->type_name("SWR");
  app.add_option("--other-loss", o.otherLoss, Tr("connector or other loss in dB (default 0)"))->type_name("DB");
  app.add_option("--antenna-height", o.antennaHeight, Tr("antenna height above ground (feet, or meters with --metric)"))
      ->type_name("H");
  app.add_option("--person-height", o.personHeight, Tr("height where people are (default 2 m)"))->type_name("H");
  app.add_option("--horizontal-at", o.horizontalAt,
                 Tr("a place at horizontal distance D from the mast, at the person height; repeat or list"))
      ->type_name("D");
  app.add_option("--save-station", o.saveStation, Tr("write the station the options describe to FILE"))
      ->type_name("FILE");
  app.add_flag("--list-modes", o.listModes, Tr("list the operating modes and exit"));
  app.add_flag("--list-rules", o.listRules, Tr("list the rule sets with what each one is, and exit"));
  auto* nearField = app.add_flag("--near-field", o.nearField,
                                 Tr("also the near field of each antenna the station file models, computed with "
                                    "NEC-2 (the nec2c program)"));
  app.add_flag("--grid", o.grid, Tr("with --near-field: also the pictures' grids (JSON) or heat maps (html)"))
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
    if (app.count(name) > 0) Refuse(Subst(Tr("%1: not used in a station evaluation"), {name}));
  }
  if (!o.file.empty()) {
    for (const char* name : kDescribing) {
      if (app.count(name) > 0) Refuse(Subst(Tr("%1: the station comes from --station"), {name}));
    }
    std::string error;
    auto station = ReadStationFile(o.file, error);
    if (!station) Refuse("--station: " + Quote(o.file) + ": " + TrText(error));
    return *station;
  }
  Station s;
  if (!o.rules.empty()) {
    const auto rules = FindRuleSet(o.rules);
    if (!rules) Refuse(Subst(Tr("--rules: '%1' is not one of %2"), {Quote(o.rules), RuleSetKeys()}));
    s.rules = *rules;
  }
  ReadStationBlock(raw);
  s.callsign = raw.callsign;
  s.location = raw.location;
  s.groundReflection = !o.noGround;
  s.units = raw.metric ? LengthUnit::kMeters : LengthUnit::kFeet;
  if (!o.personHeight.empty()) {
    s.personHeightMeters =
        Meters(raw, RangeOption("--person-height", o.personHeight, kHeightRange, N_("heights of 0 to 10000")));
  }
  ReadTransmitter(raw, o, s);
  ReadPlaces(raw, o, s);
  return s;
}

}  // namespace zento::cli
