#include "cli/calc.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>

#include "cli/evaluate.h"
#include "cli/names.h"
#include "cli/output.h"
#include "core/antennas.h"
#include "core/evaluation.h"
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
  std::string controlledDistance, uncontrolledDistance, callsign, location, report, exemptionAt, format;
  std::vector<std::string> at, bands;
  bool metric = false, listCables = false, listAntennas = false;
  bool callsignGiven = false, locationGiven = false;
};

struct InputError {
  std::string message;
};

double NumberOption(const std::string& option, const std::string& text, double min, double max, const char* range) {
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

std::string BandNames() {
  std::string names;
  for (const auto& band : kUsAmateurBands) names += std::string(band.name) + ", ";
  return names + "all";
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
  for (const auto& text : raw.at) {
    config.atDistances.push_back(NumberOption("--at", text, std::numeric_limits<double>::min(),
                                              std::numeric_limits<double>::max(), "distances above 0"));
  }
  if (!raw.exemptionAt.empty()) {
    config.exemptionDistance = NumberOption("--exemption-at", raw.exemptionAt, std::numeric_limits<double>::min(),
                                            std::numeric_limits<double>::max(), "distances above 0");
  }
  for (const auto& name : raw.bands) {
    if (name == "all") {
      config.bands.insert(config.bands.end(), kUsAmateurBands.begin(), kUsAmateurBands.end());
      continue;
    }
    const auto band = std::find_if(kUsAmateurBands.begin(), kUsAmateurBands.end(), [&name](const AmateurBand& b) {
      return !LessIgnoringCase(b.name, name) && !LessIgnoringCase(name, b.name);
    });
    if (band == kUsAmateurBands.end()) throw InputError{"--bands: unknown band '" + name + "'; known: " + BandNames()};
    config.bands.push_back(*band);
  }
  if (CountChars(raw.callsign) > kMaxCallsignChars) throw InputError{"--callsign: at most 10 characters"};
  if (CountChars(ToCrLf(raw.location)) > kMaxLocationChars) {
    throw InputError{"--location: at most 255 characters, each line break counting as two"};
  }
  return config;
}

std::string BuildReport(const RawOptions& raw, const std::vector<EvaluatedRow>& rows) {
  std::string report = AppendReportLines({}, BannerLines());
  if (raw.callsignGiven || raw.locationGiven) {
    report = AppendReportLines(std::move(report), StationBlockLines(Upper(raw.callsign), ToCrLf(raw.location)));
  }
  for (const auto& row : rows) {
    const Evaluation& e = row.evaluation;
    report = AppendReportLines(std::move(report),
                               ResultBlockLines(e.station, e.controlledDistanceText, e.uncontrolledDistanceText));
  }
  return report;
}

std::optional<OutputFormat> ParseFormat(const std::string& text) {
  if (text.empty() || text == "text") return OutputFormat::kText;
  if (text == "csv") return OutputFormat::kCsv;
  if (text == "json") return OutputFormat::kJson;
  return std::nullopt;
}

// Each band at whichever edge needs the larger uncontrolled distance (the lower edge on a tie).
std::optional<std::vector<EvaluatedRow>> EvaluateBands(const Configuration& config, EvaluationError& error) {
  std::vector<EvaluatedRow> rows;
  for (const auto& band : config.bands) {
    std::optional<Evaluation> chosen;
    for (const double edge : {band.lowMHz, band.highMHz}) {
      Configuration atEdge = config;
      atEdge.station.frequencyMHz = edge;
      auto evaluation = Evaluate(atEdge, error);
      if (!evaluation) {
        error.message = std::string(band.name) + ": " + error.message;
        return std::nullopt;
      }
      if (!chosen || evaluation->uncontrolledDistanceMeters > chosen->uncontrolledDistanceMeters) {
        chosen = std::move(evaluation);
      }
    }
    AddChecks(*chosen, config.atDistances, config.exemptionDistance);
    rows.push_back({std::string(band.name), std::move(*chosen)});
  }
  return rows;
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
  app.add_option("--at", raw.at, "the distance D to the nearest place people can be; repeat or list D,D,...")
      ->type_name("D")
      ->delimiter(',');
  app.add_option("--exemption-at", raw.exemptionAt,
                 "check the exemption from a routine evaluation (47 CFR 1.1307(b)(3)(i)(C)) at D")
      ->type_name("D");
  auto* bands = app.add_option("--bands", raw.bands, "evaluate each band of LIST (e.g. 160m,40m,2m) or all")
                    ->type_name("LIST")
                    ->delimiter(',');
  bands->excludes(app.get_option("--frequency"))->excludes(controlled)->excludes(uncontrolled);
  app.add_option("--format", raw.format, "output as text (default), csv or json")->type_name("FORMAT");
  app.add_flag("--list-cables", raw.listCables, "list the cable types and exit");
  app.add_flag("--list-antennas", raw.listAntennas, "list the antenna presets and exit");
  app.set_version_flag("--version", "zento-calc " + std::string(kVersion));
  app.footer(
      "Distances D are in feet, or meters with --metric.\n"
      "csv and json fields: band, frequency_mhz, power_watts, duty_cycle_percent, feedline_loss_db,\n"
      "antenna_gain_dbi, eirp_watts, controlled_limit_mw_cm2, uncontrolled_limit_mw_cm2,\n"
      "controlled_distance_m, uncontrolled_distance_m, controlled_distance, uncontrolled_distance;\n"
      "for each --at: distance, distance_m, density_mw_cm2 and per environment percent (of the limit)\n"
      "and complies (csv: atK_distance, atK_controlled_percent, atK_controlled_complies, ...; json: \"at\": [...]);\n"
      "with --exemption-at: exemption_distance_m, erp_watts, exemption_threshold_watts, exempt, exemption_reason\n"
      "(json: \"exemption\": {distance_m, erp_watts, lambda_over_2pi_m, threshold_watts, exempt, reason}).\n"
      "Exit status: 0 done, 1 report not written, 2 bad input, 3 no limits for the values.");
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
    for (std::size_t row = 0; row < CountCables(kCableTable); ++row) out << kCableTable[row].name << '\n';
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

  const auto format = ParseFormat(raw.format);
  if (!format) {
    err << "zento-calc: --format: '" << raw.format << "' is not one of text, csv, json\n";
    return kExitBadInput;
  }

  EvaluationError evaluationError{};
  std::vector<EvaluatedRow> rows;
  if (!config.bands.empty()) {
    auto banded = EvaluateBands(config, evaluationError);
    if (!banded) {
      err << "zento-calc: " << evaluationError.message << '\n';
      return evaluationError.exitCode;
    }
    rows = std::move(*banded);
  } else {
    auto evaluation = Evaluate(config, evaluationError);
    if (!evaluation) {
      err << "zento-calc: " << evaluationError.message << '\n';
      return evaluationError.exitCode;
    }
    AddChecks(*evaluation, config.atDistances, config.exemptionDistance);
    rows.push_back({"", std::move(*evaluation)});
  }
  for (const auto& row : rows) {
    for (const auto& warning : row.evaluation.warnings) err << "zento-calc: " << warning << '\n';
  }

  if (!raw.report.empty()) {
    const auto outcome = WriteReportFile(raw.report, BuildReport(raw, rows));
    if (outcome.result != SaveResult::kSaved) {
      err << "Error Writing Report File.\n";
      return kExitWriteFailed;
    }
  }
  if (config.bands.empty()) {
    WriteSingle(out, *format, rows.front().evaluation);
  } else {
    WriteBands(out, *format, rows);
  }
  return kExitOk;
}

}  // namespace zento::cli
