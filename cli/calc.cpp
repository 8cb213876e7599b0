#include "cli/calc.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "cli/bands.h"
#include "cli/evaluate.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/station_options.h"
#include "cli/station_output.h"
#include "core/antennas.h"
#include "core/feedline.h"
#include "core/number_text.h"
#include "core/operating.h"
#include "nec/near_field_run.h"
#include "report/report_file.h"
#include "report/report_text.h"
#include "report/station_file.h"
#include "report/translation.h"

namespace zento::cli {
namespace {

inline constexpr std::string_view kVersion = ZENTO_VERSION;
inline constexpr std::size_t kMaxErrorChars = 300;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
  return text;
}

// CLI11's own messages echo what was typed: each word is cut as our own messages cut values,
// and the line stays one short line.
std::string ShortLine(const std::string& message) {
  std::string out;
  std::istringstream words(message);
  for (std::string word; words >> word;) out += (out.empty() ? "" : " ") + Quote(word);
  return out.size() <= kMaxErrorChars ? out : Quote(out.substr(0, kMaxErrorChars));
}

std::string BuildReport(const RawOptions& raw, const Configuration& config, const std::vector<Evaluation>& blocks) {
  std::string report = AppendReportLines({}, BannerLines());
  if (config.stationBlock) {
    report = AppendReportLines(std::move(report), StationBlockLines(Upper(raw.callsign), ToCrLf(raw.location)));
  }
  for (const auto& e : blocks) {
    report = AppendReportLines(std::move(report),
                               ResultBlockLines(e.station, e.controlledDistanceText, e.uncontrolledDistanceText));
  }
  return report;
}

std::optional<OutputFormat> ParseFormat(const std::string& text) {
  if (text.empty() || text == "text") return OutputFormat::kText;
  if (text == "csv") return OutputFormat::kCsv;
  if (text == "json") return OutputFormat::kJson;
  if (text == "html") return OutputFormat::kHtml;
  return std::nullopt;
}

void AddHelp(CLI::App& app) {
  app.set_version_flag("--version", "zento-calc " + std::string(kVersion));
  // The man page is made from this help in the C locale: in English.
  const std::string paragraphs[] = {
      Tr("Distances D are in feet, or meters with --metric.\n"
         "With --bands each band is evaluated at both its edges and every figure is its own worst case:\n"
         "the larger distance, the larger share of the limit at each --at distance, and 'exempt' only\n"
         "when both edges are; a figure from the other edge names its frequency. A band with no limits\n"
         "(an EIRP below 1 Watt) gets a row that says so.\n"
         "csv and json fields: band, frequency_mhz, power_watts, duty_cycle_percent, feedline_loss_db,\n"
         "antenna_gain_dbi, eirp_watts, controlled_limit_mw_cm2, uncontrolled_limit_mw_cm2,\n"
         "controlled_distance_m, uncontrolled_distance_m, controlled_distance, uncontrolled_distance;\n"
         "for each --at: distance, distance_m, density_mw_cm2 and per environment percent (of the limit)\n"
         "and complies (csv: atK_distance, atK_controlled_percent, atK_controlled_complies, ...; json: \"at\": "
         "[...]);\n"
         "with --exemption-at: exemption_distance_m, erp_watts, exemption_threshold_watts, exempt, "
         "exemption_reason\n"
         "(json: \"exemption\": {distance_m, erp_watts, lambda_over_2pi_m, threshold_watts, exempt, reason}).\n"
         "With --bands also controlled_frequency_mhz, per --at the frequency of each environment's figure\n"
         "(csv: atK_controlled_frequency_mhz, atK_uncontrolled_frequency_mhz; json: frequency_mhz and\n"
         "density_mw_cm2 in each environment), exemption_frequency_mhz (json: exemption.frequency_mhz) and\n"
         "no_limits (why a band has no limits, else empty or null)."),
      Tr("A whole station: --station FILE, or any of --rules, --mode, --mode-duty, --tx-minutes, --rx-minutes,\n"
         "--no-ground, --swr, --other-loss, --antenna-height, --person-height, --horizontal-at, --save-station\n"
         "with the options above (one transmitter; --at and --horizontal-at are uncontrolled places; --power\n"
         "takes decimals). Bands resolve under the rules: US allocations for fcc, canada-sc6 and arpansa-rps-s1,\n"
         "IARU Region 1 for icnirp-1998, icnirp-2020, germany-bemfv and uk-ofcom (--list-rules: every rule set\n"
         "and its source). Each figure is its band's worst case over the band's edges and the rule's table "
         "breaks\n"
         "inside it; a distance within lambda/2pi of the antenna's conductors (its model's wires, or a half-wave\n"
         "dipole's ends for a gain alone: the reactive near field, where the far-field figure does not hold) is\n"
         "marked. csv: one row per transmitter, band and environment with transmitter,\n"
         "band, environment, frequency_mhz, feedline_loss_db, duty_percent, averaging_minutes, time_factor,\n"
         "average_eirp_watts, peak_eirp_watts, limit_w_m2, limit_e_v_m, limit_h_a_m, limit_instantaneous,\n"
         "limit_basis (the limit that binds), safe_distance_m, reactive_near_field, horizontal_distance_m,\n"
         "met_everywhere_at_height, placeK_percent_of_limit (\"at the antenna\" for a place there),\n"
         "placeK_frequency_mhz, placeK_reactive_near_field, exempt, exemption_frequency_mhz, threshold_required\n"
         "(Germany's notification, the UK's assessment), problem. json: station {callsign, location,\n"
         "rules {key, name, citation}, ground_reflection, ground_factor, person_height_m}; places [{name,\n"
         "environment, percent_of_limit, at_antenna, transmitters (the worst set on the air together),\n"
         "complies}]; transmitters [{name, power_watts,\n"
         "duty_percent, gain_dbi, bands [{band, low_mhz, high_mhz, problem, controlled {...}, uncontrolled\n"
         "{frequency_mhz, feedline_loss_db, averaging_minutes, time_factor, average_eirp_watts, peak_eirp_watts,\n"
         "limit {s_w_m2, e_v_m, h_a_m, instantaneous, averaging_minutes, basis}, safe_distance_m,\n"
         "reactive_near_field, horizontal_distance_m, met_everywhere_at_height}, places [{place, frequency_mhz,\n"
         "distance_m, reactive_near_field, at_antenna, s_w_m2, e_v_m, h_a_m, percent_of_limit, limit {...}}],\n"
         "threshold {peak_eirp_watts, required, statement}, exemption {...}}]}]. A place at\n"
         "the antenna has no percentage (null) and does not comply. The station file is described in\n"
         "docs/station-file.md."),
      // xgettext:no-c-format
      Tr("The near field: --station FILE --near-field computes, with NEC-2 (Debian's nec2c), the near field of "
         "each\n"
         "antenna the file models (antenna.model, its position_m and heading_deg, the station's ground) and adds "
         "it\n"
         "to every format after the far field: at each place E and H, each against its own limit, the share of "
         "the\n"
         "limit that binds and the far-field share; per band and environment the compliance boundary in 36\n"
         "directions (the distance along the ground from the mast beyond which everything complies) beside the\n"
         "far-field distance; the verdict at each place with the near field. csv adds near_field_boundary_m,\n"
         "near_field_bearing_deg (the farthest direction) and placeK_near_field_percent. json adds near_field\n"
         "{transmitters [{name, problem, or method {engine, ground, segments, frequencies_mhz}, bands [{band,\n"
         "controlled {...}, uncontrolled {largest_m, far_field_m, boundary [{bearing_deg, meters, beyond_reach,\n"
         "over_wires}]}, places [{place, at_antenna, frequency_mhz, e_v_m, h_a_m, s_e_w_m2, s_h_w_m2,\n"
         "percent_of_limit, binds, limit, far_field_percent_of_limit}]}], grids}], places [{name,\n"
         "percent_of_limit, at_antenna, transmitters, complies}]}. --grid adds the pictures of the band whose\n"
         "boundary reaches farthest, against the uncontrolled limit: json grids {band, environment, horizontal\n"
         "{columns, rows, step_m, height_m, first_x_m, first_y_m, percent_of_limit}, vertical {columns, rows,\n"
         "step_m, bearing_deg, first_across_m, first_height_m, percent_of_limit}} (rows from the bottom), html "
         "heat\n"
         "maps with the 100 % line. The method and its limits are described in docs/near-field.md."),
      Tr("Exit status: 0 done, 1 report, station file or output not written, 2 bad input, 3 no limits for the\n"
         "values, 4 the far field is written but a near field asked for is not (nec2c not installed, a model\n"
         "or its file refused)."),
  };
  app.footer(paragraphs[0] + "\n\n" + paragraphs[1] + "\n\n" + paragraphs[2] + "\n\n" + paragraphs[3]);
}

// A whole station: from --station or the options, evaluated under its rules.
int EvaluateStationRun(const CLI::App& app, const RawOptions& raw, const StationOptions& options, OutputFormat format,
                       std::ostream& out, std::ostream& err) {
  Station station;
  try {
    station = BuildStation(app, raw, options);
  } catch (const InputError& inputError) {
    err << "zento-calc: " << inputError.message << '\n';
    return inputError.exitCode;
  }
  if (options.nearField && options.file.empty()) {
    err << "zento-calc: " << Tr("--near-field: needs --station (the antennas' models are in the station file)") << '\n';
    return kExitBadInput;
  }
  if (!options.saveStation.empty()) {
    const auto outcome = WriteStationFile(options.saveStation, station);
    if (outcome.result != SaveResult::kSaved) {
      err << "zento-calc: "
          << Subst(Tr("--save-station: the station file could not be written (%1)"), {std::strerror(outcome.error)})
          << '\n';
      return kExitWriteFailed;
    }
  }
  const StationResult result = EvaluateStation(station);
  bool anyBand = false;
  const BandResult* firstProblem = nullptr;
  for (const auto& transmitter : result.transmitters) {
    for (const auto& band : transmitter.bands) {
      anyBand = anyBand || band.problem.empty();
      if (!firstProblem && !band.problem.empty()) firstProblem = &band;
    }
  }
  if (!anyBand) {
    err << "zento-calc: "
        << (firstProblem ? Subst(Tr("nothing to evaluate: %1"), {ShownProblem(*firstProblem)})
                         : std::string(Tr("nothing to evaluate")))
        << '\n';
    return kExitNoLimits;
  }
  if (!options.nearField) {
    WriteStationEvaluation(out, format, station, result);
    return kExitOk;
  }
  const StationNearField nearField = nec::EvaluateStationNearField(station, result, options.grid, {});
  WriteStationEvaluation(out, format, station, result, &nearField);
  // Every figure asked for is there, or the exit status says which are not.
  bool complete = true;
  for (std::size_t t = 0; t < station.transmitters.size(); ++t) {
    if (!nearField.problems[t].empty()) {
      err << "zento-calc: --near-field: " << TrText(nearField.problems[t]) << '\n';
      complete = false;
    }
  }
  return complete ? kExitOk : kExitNoNearField;
}

int Calculate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{Tr("Safe distances from a transmitting antenna under the FCC exposure limits, and whole-station "
                  "evaluations under the FCC, ICNIRP 1998 and 2020, and Safety Code 6 rules."),
               "zento-calc"};
  RawOptions raw;
  StationOptions stationOptions;
  AddOptions(app, raw);
  AddStationOptions(app, stationOptions);
  AddHelp(app);

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
    err << "zento-calc: " << ShortLine(parseError.what()) << '\n';
    return kExitBadInput;
  }

  if (raw.listCables) {
    for (std::size_t row = 0; row < CountCables(kCableTable); ++row) out << kCableTable[row].name << '\n';
    return kExitOk;
  }
  if (raw.listAntennas) {
    for (const auto& preset : kAntennaPresets) out << preset.shortName << '\t' << preset.label << '\n';
    return kExitOk;
  }
  if (stationOptions.listRules) {
    for (const auto& info : kRuleSets) out << info.key << '\t' << info.name << '\t' << info.citation << '\n';
    return kExitOk;
  }
  if (stationOptions.listModes) {
    for (const auto& mode : kOperatingModes) {
      out << mode.key << '\t' << FormatGeneral(mode.dutyPercent, 6) << " %\t" << mode.label << '\n';
    }
    return kExitOk;
  }

  const auto format = ParseFormat(raw.format);
  Configuration config;
  try {
    RefuseEmptyValues(app);
    if (!format) Refuse(Subst(Tr("--format: '%1' is not one of text, csv, json, html"), {Quote(raw.format)}));
    if (StationRequested(app) || format == OutputFormat::kHtml) {
      return EvaluateStationRun(app, raw, stationOptions, *format, out, err);
    }
    config = BuildConfiguration(app, raw);
  } catch (const InputError& inputError) {
    err << "zento-calc: " << inputError.message << '\n';
    return inputError.exitCode;
  }

  std::vector<Evaluation> blocks;  // for the report
  std::vector<BandRow> bandRows;
  if (!config.bands.empty()) {
    bandRows = EvaluateBands(config);
    for (const auto& row : bandRows) {
      if (!row.warning.empty()) err << "zento-calc: " << row.warning << '\n';
      if (!row.HasLimits()) continue;
      blocks.push_back(row.Row());
      if (row.worst.controlled != row.worst.uncontrolled) blocks.push_back(row.edges[row.worst.controlled]);
    }
    if (blocks.empty()) {
      err << "zento-calc: " << Subst(Tr("no band has exposure limits: %1"), {bandRows.front().noLimitsShown}) << '\n';
      return kExitNoLimits;
    }
  } else {
    EvaluationError evaluationError{};
    auto evaluation = Evaluate(config, evaluationError);
    if (!evaluation) {
      err << "zento-calc: " << evaluationError.shown << '\n';
      return evaluationError.exitCode;
    }
    if (!evaluation->warning.empty()) err << "zento-calc: " << evaluation->warning << '\n';
    AddChecks(*evaluation, config.atDistances, config.exemptionDistance);
    blocks.push_back(std::move(*evaluation));
  }

  if (app.count("--report") > 0) {
    const auto outcome = WriteReportFile(raw.report, BuildReport(raw, config, blocks));
    if (outcome.result != SaveResult::kSaved) {
      err << Tr("Error Writing Report File.") << '\n';
      return kExitWriteFailed;
    }
  }
  if (config.bands.empty()) {
    WriteSingle(out, *format, blocks.front());
  } else {
    WriteBands(out, *format, bandRows);
  }
  return kExitOk;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const int status = Calculate(args, out, err);
  // Figures that did not reach their reader are a failure, whatever was computed.
  if (!out.flush()) {
    err << "zento-calc: " << Tr("could not write to standard output") << '\n';
    return kExitWriteFailed;
  }
  return status;
}

}  // namespace zento::cli
