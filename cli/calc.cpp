#include "cli/calc.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>

#include "cli/evaluate.h"
#include "cli/names.h"
#include "core/antennas.h"
#include "core/feedline.h"
#include "core/number_text.h"
#include "report/report_file.h"
#include "report/report_text.h"

namespace zento::cli {
namespace {

inline constexpr std::string_view kVersion = ZENTO_VERSION;
inline constexpr std::size_t kMaxCallsignChars = 10;
inline constexpr std::size_t kMaxLocationChars = 255;

// The options as typed; empty when not given.
struct RawOptions {
  std::string frequency, power, dutyCycle, gain, antenna, loss, cable, length, lengthUnits;
  std::string controlledDistance, uncontrolledDistance, callsign, location, report;
  bool metric = false, listCables = false, listAntennas = false;
  bool callsignGiven = false, locationGiven = false;
};

struct InputError {
  std::string message;
};

double NumberOption(const std::string& option, const std::string& text, double min, double max,
                    const char* range) {
  const auto value = ParseWholeDouble(text);
  if (!value) throw InputError{option + ": '" + text + "' is not a number"};
  if (!(*value >= min && *value <= max)) throw InputError{option + ": " + text + " is outside the accepted " + range};
  return *value;
}

std::int64_t IntegerOption(const std::string& option, const std::string& text, std::int64_t min, std::int64_t max,
                           const char* range) {
  const auto value = ParseWholeInteger(text);
  if (!value) throw InputError{option + ": '" + text + "' is not a whole number"};
  if (*value < min || *value > max) throw InputError{option + ": " + text + " is outside the accepted " + range};
  return *value;
}

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

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  return text;
}

Configuration BuildConfiguration(const RawOptions& raw) {
  Configuration config;
  StationParameters& s = config.station;
  s.englishUnits = raw.metric ? 0 : 1;
  if (!raw.frequency.empty()) {
    const auto f = ParseWholeDouble(raw.frequency);
    if (!f) throw InputError{"--frequency: '" + raw.frequency + "' is not a number"};
    s.frequencyMHz = *f;
  }
  if (!raw.power.empty()) {
    s.powerWatts = static_cast<std::int32_t>(IntegerOption("--power", raw.power, kMinPowerWatts, kMaxPowerWatts,
                                                           "1 to 100000 whole Watts"));
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
    if (!preset) throw InputError{"--antenna: unknown antenna '" + raw.antenna + "'; known: " + AntennaNames()};
    s.antennaGainDbi = kAntennaPresets[static_cast<std::size_t>(*preset)].gainDbi;
  }
  if (!raw.loss.empty()) {
    s.feedlineLossDb = NumberOption("--loss", raw.loss, kMinFeedlineLossDb, kMaxFeedlineLossDb, "0 to 60 dB");
  }
  if (!raw.cable.empty()) {
    const auto match = FindCable(raw.cable);
    if (!match.index) {
      std::string message = "--cable: ";
      if (match.choices.empty()) {
        message += "unknown cable '" + raw.cable + "' (zento-calc --list-cables lists them)";
      } else {
        message += "'" + raw.cable + "' could mean:";
        for (const auto& choice : match.choices) message += " '" + choice + "'";
      }
      throw InputError{message};
    }
    config.cableRow = match.index;
  }
  if (!raw.length.empty()) {
    if (!ParseWholeDouble(raw.length)) throw InputError{"--length: '" + raw.length + "' is not a number"};
    config.lengthText = raw.length;
  }
  if (!raw.lengthUnits.empty()) {
    if (raw.lengthUnits == "feet") {
      config.lengthUnits = kLengthFeet;
    } else if (raw.lengthUnits == "meters") {
      config.lengthUnits = kLengthMeters;
    } else {
      throw InputError{"--length-units: '" + raw.lengthUnits + "' is not one of feet, meters"};
    }
  }
  const auto distance = [&](const std::string& option, const std::string& text, DistanceField field) {
    if (text.empty()) return;
    NumberOption(option, text, 0.0, std::numeric_limits<double>::max(), "distances of 0 and more");
    config.distanceField = field;
    config.distanceText = text;
  };
  distance("--controlled-distance", raw.controlledDistance, DistanceField::kControlled);
  distance("--uncontrolled-distance", raw.uncontrolledDistance, DistanceField::kUncontrolled);
  if (CountChars(raw.callsign) > kMaxCallsignChars) throw InputError{"--callsign: at most 10 characters"};
  if (CountChars(ToCrLf(raw.location)) > kMaxLocationChars) {
    throw InputError{"--location: at most 255 characters, each line break counting as two"};
  }
  return config;
}

void PrintLines(std::ostream& out, const std::vector<std::string>& lines) {
  for (const auto& line : lines) out << ToLf(line) << '\n';
}

std::string BuildReport(const RawOptions& raw, const Evaluation& evaluation) {
  std::string report = AppendReportLines({}, BannerLines());
  if (raw.callsignGiven || raw.locationGiven) {
    report = AppendReportLines(std::move(report), StationBlockLines(Upper(raw.callsign), ToCrLf(raw.location)));
  }
  return AppendReportLines(std::move(report), ResultBlockLines(evaluation.station, evaluation.controlledDistanceText,
                                                               evaluation.uncontrolledDistanceText));
}

void AddOptions(CLI::App& app, RawOptions& raw) {
  app.add_option("--frequency", raw.frequency, "frequency in MHz (default 30)")->type_name("MHZ");
  app.add_option("--power", raw.power, "transmitter power, 1 to 100000 whole Watts (default 100)")->type_name("WATTS");
  app.add_option("--duty-cycle", raw.dutyCycle, "duty cycle, 0 to 100 percent (default 100)")->type_name("PERCENT");
  auto* gain = app.add_option("--gain", raw.gain, "antenna gain, -10 to 60 dBi (default 0)")->type_name("DBI");
  auto* antenna = app.add_option("--antenna", raw.antenna, "antenna preset: " + AntennaNames())->type_name("NAME");
  gain->excludes(antenna);
  auto* loss = app.add_option("--loss", raw.loss, "feedline loss, 0 to 60 dB (default 0)")->type_name("DB");
  auto* cable = app.add_option("--cable", raw.cable, "cable type, by name or unique prefix (see --list-cables)")
                    ->type_name("NAME");
  loss->excludes(cable);
  app.add_option("--length", raw.length, "cable length in --length-units (whole units; default 0)")
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
  app.add_option("--callsign", raw.callsign, "station call sign for the report (at most 10 characters)")
      ->type_name("CALL");
  app.add_option("--location", raw.location, "station location for the report (at most 255 characters)")
      ->type_name("TEXT");
  app.add_option("--report", raw.report, "write the report, as the window saves it, to FILE")->type_name("FILE");
  app.add_flag("--list-cables", raw.listCables, "list the cable types and exit");
  app.add_flag("--list-antennas", raw.listAntennas, "list the antenna presets and exit");
  app.set_version_flag("--version", "zento-calc " + std::string(kVersion));
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"Safe distances from a transmitting antenna under the FCC exposure limits.", "zento-calc"};
  RawOptions raw;
  AddOptions(app, raw);

  std::vector<const char*> argv{"zento-calc"};
  for (const auto& arg : args) argv.push_back(arg.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return kExitOk;
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << '\n';
    return kExitOk;
  } catch (const CLI::ParseError& parseError) {
    err << "zento-calc: " << parseError.what() << '\n';
    return kExitBadInput;
  }
  raw.callsignGiven = app.count("--callsign") > 0;
  raw.locationGiven = app.count("--location") > 0;

  if (raw.listCables) {
    for (std::size_t row = 0; kCableTable[row].maxFrequencyMHz != 0.0; ++row) out << kCableTable[row].name << '\n';
    return kExitOk;
  }
  if (raw.listAntennas) {
    for (const auto& preset : kAntennaPresets) out << preset.shortName << '\t' << preset.label << '\n';
    return kExitOk;
  }

  Configuration config;
  try {
    config = BuildConfiguration(raw);
  } catch (const InputError& inputError) {
    err << "zento-calc: " << inputError.message << '\n';
    return kExitBadInput;
  }

  EvaluationError evaluationError{};
  const auto evaluation = Evaluate(config, evaluationError);
  if (!evaluation) {
    err << "zento-calc: " << evaluationError.message << '\n';
    return evaluationError.exitCode;
  }
  for (const auto& warning : evaluation->warnings) err << "zento-calc: " << warning << '\n';

  if (!raw.report.empty()) {
    const auto outcome = WriteReportFile(raw.report, BuildReport(raw, *evaluation));
    if (outcome.result != SaveResult::kSaved) {
      err << "Error Writing Report File.\n";
      return kExitWriteFailed;
    }
  }
  PrintLines(out, ResultBlockLines(evaluation->station, evaluation->controlledDistanceText,
                                   evaluation->uncontrolledDistanceText));
  return kExitOk;
}

}  // namespace zento::cli
