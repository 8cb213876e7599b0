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
#include "report/translation.h"

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
  if (!value) Refuse(Subst(Tr("%1: '%2' is not a number"), {option, Quote(text)}));
  // TRANSLATORS: %1 an option's name, %2 the value typed, %3 the range, as "0 to 60 dB".
  if (!(*value >= min && *value <= max))
    Refuse(Subst(Tr("%1: %2 is outside the accepted %3"), {option, Quote(text), Tr(range)}));
  return *value;
}

std::int64_t IntegerOption(const std::string& option, const std::string& text, std::int64_t min, std::int64_t max,
                           const char* range) {
  const auto value = ParseWholeInteger(text);
  if (!value) Refuse(Subst(Tr("%1: '%2' is not a whole number"), {option, Quote(text)}));
  if (*value < min || *value > max)
    Refuse(Subst(Tr("%1: %2 is outside the accepted %3"), {option, Quote(text), Tr(range)}));
  return *value;
}

double DistanceOption(const std::string& option, const std::string& text, bool zeroAllowed) {
  return NumberOption(option, text, zeroAllowed ? 0.0 : std::numeric_limits<double>::min(),
                      std::numeric_limits<double>::max(),
                      zeroAllowed ? N_("distances of 0 and more") : N_("distances above 0"));
}

// The items of a repeatable, comma-separated option; an empty item is refused.
std::vector<std::string> Items(const std::string& option, const std::vector<std::string>& values) {
  std::vector<std::string> items;
  for (const auto& value : values) {
    std::size_t start = 0;
    while (true) {
      const std::size_t comma = value.find(',', start);
      std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      if (item.empty()) Refuse(Subst(Tr("%1: an empty item in '%2'"), {option, Quote(value)}));
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
    if (!f) Refuse(Subst(Tr("%1: '%2' is not a number"), {"--frequency", Quote(raw.frequency)}));
    if (!(*f >= kMinLimitFrequencyMHz && *f <= kMaxLimitFrequencyMHz)) {
      throw InputError{kExitNoLimits, Subst(Tr("--frequency: no exposure limits at %1 MHz; limits exist from 1 to "
                                               "30000 MHz"),
                                            {Quote(raw.frequency)})};
    }
    s.frequencyMHz = *f;
  }
  if (!raw.power.empty()) {
    s.powerWatts = static_cast<std::int32_t>(
        IntegerOption("--power", raw.power, kMinPowerWatts, kMaxPowerWatts, N_("1 to 100000 whole Watts")));
  }
  if (!raw.dutyCycle.empty()) {
    s.dutyCyclePercent = static_cast<std::uint32_t>(IntegerOption("--duty-cycle", raw.dutyCycle, kMinDutyCyclePercent,
                                                                  kMaxDutyCyclePercent, N_("0 to 100 percent")));
  }
  if (!raw.gain.empty()) {
    s.antennaGainDbi = NumberOption("--gain", raw.gain, kMinAntennaGainDbi, kMaxAntennaGainDbi, N_("-10 to 60 dBi"));
  }
  if (!raw.antenna.empty()) {
    const auto preset = FindAntenna(raw.antenna);
    if (!preset) Refuse(Subst(Tr("--antenna: unknown antenna '%1'; known: %2"), {Quote(raw.antenna), AntennaNames()}));
    s.antennaGainDbi = kAntennaPresets[static_cast<std::size_t>(*preset)].gainDbi;
  }
  if (!raw.loss.empty()) {
    s.feedlineLossDb = NumberOption("--loss", raw.loss, kMinFeedlineLossDb, kMaxFeedlineLossDb, N_("0 to 60 dB"));
  }
}

void ReadCable(const RawOptions& raw, Configuration& config) {
  if (raw.cable.empty()) return;
  const auto match = FindCable(raw.cable);
  if (!match.index) {
    if (match.choices.empty()) {
      Refuse(Subst(Tr("--cable: unknown cable '%1' (zento-calc --list-cables lists them)"), {Quote(raw.cable)}));
    }
    std::string choices;
    for (const auto& choice : match.choices) choices += (choices.empty() ? "'" : " '") + choice + "'";
    // TRANSLATORS: %1 the name typed, %2 the cables it could mean, each in quotes.
    Refuse(Subst(Tr("--cable: '%1' could mean: %2"), {Quote(raw.cable), choices}));
  }
  config.cableRow = match.index;
  if (!raw.length.empty()) {
    // Read as checked: the window's atoi reading of the same digits gives the same length.
    config.lengthText = std::to_string(
        IntegerOption("--length", raw.length, 0, kMaxCableLength, N_("0 to 100000 whole feet or meters")));
  }
  if (!raw.lengthUnits.empty()) {
    if (raw.lengthUnits == "feet") {
      config.lengthUnits = kLengthFeet;
    } else if (raw.lengthUnits == "meters") {
      config.lengthUnits = kLengthMeters;
    } else {
      Refuse(Subst(Tr("--length-units: '%1' is not one of feet, meters"), {Quote(raw.lengthUnits)}));
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
    if (band == kUsAmateurBands.end()) {
      Refuse(Subst(Tr("--bands: unknown band '%1'; known: %2"), {Quote(name), BandNames()}));
    }
    config.bands.push_back(*band);
  }
}

}  // namespace

void ReadStationBlock(const RawOptions& raw) {
  if (raw.callsign.find_first_of("\r\n") != std::string::npos) {
    Refuse(Tr("--callsign: a call sign is one line; it may not hold a line break"));
  }
  if (CountChars(raw.callsign) > kMaxCallsignChars) Refuse(Tr("--callsign: at most 10 characters"));
  if (CountChars(ToCrLf(raw.location)) > kMaxLocationChars) {
    Refuse(Tr("--location: at most 255 characters, each line break counting as two"));
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
      if (value.empty()) Refuse(Subst(Tr("%1: an empty value is not accepted"), {option->get_name()}));
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
  app.add_option("--frequency", raw.frequency, Tr("frequency in MHz, 1 to 30000 (default 30)"))->type_name("MHZ");
  app.add_option("--power", raw.power, Tr("transmitter power, 1 to 100000 whole Watts (default 100)"))
      ->type_name("WATTS");
  app.add_option("--duty-cycle", raw.dutyCycle, Tr("duty cycle, 0 to 100 whole percent (default 100)"))
      ->type_name("PERCENT");
  auto* gain = app.add_option("--gain", raw.gain, Tr("antenna gain, -10 to 60 dBi (default 0)"))->type_name("DBI");
  auto* antenna =
      app.add_option("--antenna", raw.antenna, Subst(Tr("antenna preset: %1"), {AntennaNames()}))->type_name("NAME");
  gain->excludes(antenna);
  auto* loss = app.add_option("--loss", raw.loss, Tr("feedline loss, 0 to 60 dB (default 0)"))->type_name("DB");
  auto* cable = app.add_option("--cable", raw.cable, Tr("cable type, by name or unique prefix (see --list-cables)"))
                    ->type_name("NAME");
  loss->excludes(cable);
  app.add_option("--length", raw.length, Tr("cable length, 0 to 100000 whole --length-units (default 0)"))
      ->type_name("N")
      ->needs(cable);
  app.add_option("--length-units", raw.lengthUnits, Tr("feet (default) or meters"))->type_name("UNITS")->needs(cable);
  app.add_flag("--metric", raw.metric, Tr("distances in meters instead of feet"));
  auto* controlled = app.add_option("--controlled-distance", raw.controlledDistance,
                                    Tr("work back to the power that meets the controlled limit at D"))
                         ->type_name("D");
  auto* uncontrolled = app.add_option("--uncontrolled-distance", raw.uncontrolledDistance,
                                      Tr("work back to the power that meets the uncontrolled limit at D"))
                           ->type_name("D");
  controlled->excludes(uncontrolled);
  app.add_option("--callsign", raw.callsign, Tr("station call sign for the report (one line, at most 10 characters)"))
      ->type_name("CALL");
  app.add_option("--location", raw.location, Tr("station location for the report (at most 255 characters)"))
      ->type_name("TEXT");
  app.add_option("--report", raw.report, Tr("write the report, as the window saves it, to FILE"))->type_name("FILE");
  app.add_option("--at", raw.at, Tr("the distance D to the nearest place people can be; repeat or list D,D,..."))
      ->type_name("D");
  app.add_option("--exemption-at", raw.exemptionAt,
                 Tr("check the exemption from a routine evaluation (47 CFR 1.1307(b)(3)(i)(C)) at D"))
      ->type_name("D");
  auto* bands =
      app.add_option("--bands", raw.bands,
                     Subst(Tr("evaluate each band of LIST, its worst case over both edges: %1"), {BandNames()}))
          ->type_name("LIST");
  bands->excludes(app.get_option("--frequency"))->excludes(controlled)->excludes(uncontrolled);
  app.add_option("--format", raw.format,
                 Tr("output as text (default), csv, json, or html (a station's evaluation record, to keep)"))
      ->type_name("FORMAT");
  app.add_flag("--list-cables", raw.listCables, Tr("list the cable types and exit"));
  app.add_flag("--list-antennas", raw.listAntennas, Tr("list the antenna presets and exit"));
}

}  // namespace zento::cli
