#include "cli/options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <limits>

#include "cli/calc.h"
#include "cli/names.h"
#include "core/antennas.h"
#include "core/exposure.h"
#include "core/feedline.h"
#include "core/number_text.h"
#include "report/report_text.h"

namespace zento::cli {
namespace {

inline constexpr std::size_t kMaxCallsignChars = 10;
inline constexpr std::size_t kMaxLocationChars = 255;
inline constexpr std::size_t kMaxEchoChars = 60;
inline constexpr std::int64_t kMaxCableLength = 100000;

}  // namespace

void Refuse(const std::string& message) { throw InputError{kExitBadInput, message}; }

double NumberOption(const std::string& option, const std::string& text, double min, double max, const char* range) {
  const auto value = ParseWholeDouble(text);
  if (!value) Refuse(option + ": '" + Quote(text) + "' is not a number");
  if (!(*value >= min && *value <= max)) Refuse(option + ": " + Quote(text) + " is outside the accepted " + range);
  return *value;
}

std::int64_t IntegerOption(const std::string& option, const std::string& text, std::int64_t min, std::int64_t max,
                           const char* range) {
  const auto value = ParseWholeInteger(text);
  if (!value) Refuse(option + ": '" + Quote(text) + "' is not a whole number");
  if (*value < min || *value > max) Refuse(option + ": " + Quote(text) + " is outside the accepted " + range);
  return *value;
}

double DistanceOption(const std::string& option, const std::string& text, bool zeroAllowed) {
  return NumberOption(option, text, zeroAllowed ? 0.0 : std::numeric_limits<double>::min(),
                      std::numeric_limits<double>::max(),
                      zeroAllowed ? "distances of 0 and more" : "distances above 0");
}

// The items of a repeatable, comma-separated option; an empty item is refused.
std::vector<std::string> Items(const std::string& option, const std::vector<std::string>& values) {
  std::vector<std::string> items;
  for (const auto& value : values) {
    std::size_t start = 0;
    while (true) {
      const std::size_t comma = value.find(',', start);
      std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      if (item.empty()) Refuse(option + ": an empty item in '" + Quote(value) + "'");
      items.push_back(std::move(item));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  return items;
}

namespace {

std::string AntennaNames() {
  std::string names;
  for (const auto& preset : kAntennaPresets) names += (names.empty() ? "" : ", ") + std::string(preset.shortName);
  return names;
}

// Counts characters as the window's boxes do: UTF-8 sequences as one, a line break as two.
std::size_t CountChars(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void ReadStation(const RawOptions& raw, StationParameters& s) {
  s.englishUnits = raw.metric ? 0 : 1;
  if (!raw.frequency.empty()) {
    const auto f = ParseWholeDouble(raw.frequency);
    if (!f) Refuse("--frequency: '" + Quote(raw.frequency) + "' is not a number");
    if (!(*f >= kMinLimitFrequencyMHz && *f <= kMaxLimitFrequencyMHz)) {
      throw InputError{kExitNoLimits, "--frequency: no exposure limits at " + Quote(raw.frequency) +
                                          " MHz; limits exist from 1 to 30000 MHz"};
    }
    s.frequencyMHz = *f;
  }
  if (!raw.power.empty()) {
    s.powerWatts = static_cast<std::int32_t>(
        IntegerOption("--power", raw.power, kMinPowerWatts, kMaxPowerWatts, "1 to 100000 whole Watts"));
  }
  if (!raw.dutyCycle.empty()) {
    s.dutyCyclePercent = static_cast<std::uint32_t>(
        IntegerOption("--duty-cycle", raw.dutyCycle, kMinDutyCyclePercent, kMaxDutyCyclePercent, "0 to 100 percent"));
  }
  if (!raw.gain.empty()) {
    s.antennaGainDbi = NumberOption("--gain", raw.gain, kMinAntennaGainDbi, kMaxAntennaGainDbi, "-10 to 60 dBi");
  }
  if (!raw.antenna.empty()) {
    const auto preset = FindAntenna(raw.antenna);
    if (!preset) Refuse("--antenna: unknown antenna '" + Quote(raw.antenna) + "'; known: " + AntennaNames());
    s.antennaGainDbi = kAntennaPresets[static_cast<std::size_t>(*preset)].gainDbi;
  }
  if (!raw.loss.empty()) {
    s.feedlineLossDb = NumberOption("--loss", raw.loss, kMinFeedlineLossDb, kMaxFeedlineLossDb, "0 to 60 dB");
  }
}

void ReadCable(const RawOptions& raw, Configuration& config) {
  if (raw.cable.empty()) return;
  const auto match = FindCable(raw.cable);
  if (!match.index) {
    if (match.choices.empty()) {
      Refuse("--cable: unknown cable '" + Quote(raw.cable) + "' (zento-calc --list-cables lists them)");
    }
    std::string message = "--cable: '" + Quote(raw.cable) + "' could mean:";
    for (const auto& choice : match.choices) message += " '" + choice + "'";
    Refuse(message);
  }
  config.cableRow = match.index;
  if (!raw.length.empty()) {
    // Read as checked: the window's atoi reading of the same digits gives the same length.
    config.lengthText =
        std::to_string(IntegerOption("--length", raw.length, 0, kMaxCableLength, "0 to 100000 whole feet or meters"));
  }
  if (!raw.lengthUnits.empty()) {
    if (raw.lengthUnits == "feet") {
      config.lengthUnits = kLengthFeet;
    } else if (raw.lengthUnits == "meters") {
      config.lengthUnits = kLengthMeters;
    } else {
      Refuse("--length-units: '" + Quote(raw.lengthUnits) + "' is not one of feet, meters");
    }
  }
}

void ReadBands(const RawOptions& raw, Configuration& config) {
  for (const auto& name : Items("--bands", raw.bands)) {
    if (name == "all") {
      config.bands.insert(config.bands.end(), kUsAmateurBands.begin(), kUsAmateurBands.end());
      continue;
    }
    const auto band = std::find_if(kUsAmateurBands.begin(), kUsAmateurBands.end(), [&name](const AmateurBand& b) {
      return !LessIgnoringCase(b.name, name) && !LessIgnoringCase(name, b.name);
    });
    if (band == kUsAmateurBands.end()) Refuse("--bands: unknown band '" + Quote(name) + "'; known: " + BandNames());
    config.bands.push_back(*band);
  }
}

}  // namespace

void ReadStationBlock(const RawOptions& raw) {
  if (raw.callsign.find_first_of("\r\n") != std::string::npos) {
    Refuse("--callsign: a call sign is one line; it may not hold a line break");
  }
  if (CountChars(raw.callsign) > kMaxCallsignChars) Refuse("--callsign: at most 10 characters");
  if (CountChars(ToCrLf(raw.location)) > kMaxLocationChars) {
    Refuse("--location: at most 255 characters, each line break counting as two");
  }
}

std::string Quote(std::string_view text) {
  if (text.size() <= kMaxEchoChars) return std::string(text);
  std::size_t cut = kMaxEchoChars;
  // Never cut a UTF-8 sequence in two.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

std::string BandNames() {
  std::string names;
  for (const auto& band : kUsAmateurBands) names += std::string(band.name) + ", ";
  return names + "all";
}

void RefuseEmptyValues(const CLI::App& app) {
  for (const CLI::Option* option : app.get_options()) {
    for (const auto& value : option->results()) {
      if (value.empty()) Refuse(option->get_name() + ": an empty value is not accepted");
    }
  }
}

Configuration BuildConfiguration(const CLI::App& app, const RawOptions& raw) {
  Configuration config;
  ReadStation(raw, config.station);
  ReadCable(raw, config);
  const auto distance = [&](const std::string& option, const std::string& text, DistanceField field) {
    if (text.empty()) return;
    DistanceOption(option, text, true);
    config.distanceField = field;
    config.distanceText = text;
  };
  distance("--controlled-distance", raw.controlledDistance, DistanceField::kControlled);
  distance("--uncontrolled-distance", raw.uncontrolledDistance, DistanceField::kUncontrolled);
  for (const auto& text : Items("--at", raw.at)) config.atDistances.push_back(DistanceOption("--at", text, false));
  if (!raw.exemptionAt.empty()) config.exemptionDistance = DistanceOption("--exemption-at", raw.exemptionAt, false);
  ReadBands(raw, config);
  ReadStationBlock(raw);
  config.stationBlock = app.count("--callsign") > 0 || app.count("--location") > 0;
  return config;
}

void AddOptions(CLI::App& app, RawOptions& raw) {
  app.add_option("--frequency", raw.frequency, "frequency in MHz, 1 to 30000 (default 30)")->type_name("MHZ");
  app.add_option("--power", raw.power, "transmitter power, 1 to 100000 whole Watts (default 100)")->type_name("WATTS");
  app.add_option("--duty-cycle", raw.dutyCycle, "duty cycle, 0 to 100 whole percent (default 100)")
      ->type_name("PERCENT");
  auto* gain = app.add_option("--gain", raw.gain, "antenna gain, -10 to 60 dBi (default 0)")->type_name("DBI");
  auto* antenna = app.add_option("--antenna", raw.antenna, "antenna preset: " + AntennaNames())->type_name("NAME");
  gain->excludes(antenna);
  auto* loss = app.add_option("--loss", raw.loss, "feedline loss, 0 to 60 dB (default 0)")->type_name("DB");
  auto* cable = app.add_option("--cable", raw.cable, "cable type, by name or unique prefix (see --list-cables)")
                    ->type_name("NAME");
  loss->excludes(cable);
  app.add_option("--length", raw.length, "cable length, 0 to 100000 whole --length-units (default 0)")
      ->type_name("N")
      ->needs(cable);
  app.add_option("--length-units", raw.lengthUnits, "feet (default) or meters")->type_name("UNITS")->needs(cable);
  app.add_flag("--metric", raw.metric, "distances in meters instead of feet");
  auto* controlled = app.add_option("--controlled-distance", raw.controlledDistance,
                                    "work back to the power that meets the controlled limit at D")
                         ->type_name("D");
  auto* uncontrolled = app.add_option("--uncontrolled-distance", raw.uncontrolledDistance,
                                      "work back to the power that meets the uncontrolled limit at D")
                           ->type_name("D");
  controlled->excludes(uncontrolled);
  app.add_option("--callsign", raw.callsign, "station call sign for the report (one line, at most 10 characters)")
      ->type_name("CALL");
  app.add_option("--location", raw.location, "station location for the report (at most 255 characters)")
      ->type_name("TEXT");
  app.add_option("--report", raw.report, "write the report, as the window saves it, to FILE")->type_name("FILE");
  app.add_option("--at", raw.at, "the distance D to the nearest place people can be; repeat or list D,D,...")
      ->type_name("D");
  app.add_option("--exemption-at", raw.exemptionAt,
                 "check the exemption from a routine evaluation (47 CFR 1.1307(b)(3)(i)(C)) at D")
      ->type_name("D");
  auto* bands =
      app.add_option("--bands", raw.bands, "evaluate each band of LIST, its worst case over both edges: " + BandNames())
          ->type_name("LIST");
  bands->excludes(app.get_option("--frequency"))->excludes(controlled)->excludes(uncontrolled);
  app.add_option("--format", raw.format,
                 "output as text (default), csv, json, or html (a station's evaluation record, to keep)")
      ->type_name("FORMAT");
  app.add_flag("--list-cables", raw.listCables, "list the cable types and exit");
  app.add_flag("--list-antennas", raw.listAntennas, "list the antenna presets and exit");
}

}  // namespace zento::cli
