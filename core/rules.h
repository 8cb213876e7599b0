#pragma once
// Exposure rule sets: each one's limits by frequency and environment, its averaging times, its
// frequency range and its citation. Power densities in W/m², fields in V/m and A/m, f in MHz.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/text_mark.h"

namespace zento {

enum class RuleSet { kFcc, kIcnirp1998, kIcnirp2020, kCanadaSc6, kGermanyBemfv, kUkOfcom, kArpansaRpsS1 };

// Controlled: occupational (ICNIRP), controlled (FCC, Safety Code 6). Uncontrolled: general
// population (FCC), general public (ICNIRP), uncontrolled (Safety Code 6).
enum class Environment { kControlled, kUncontrolled };
inline constexpr std::array<Environment, 2> kEnvironments = {Environment::kControlled, Environment::kUncontrolled};

inline constexpr double kFreeSpaceImpedanceOhms = 377.0;

// One limit at one frequency. S is the plane-wave equivalent where the table gives only E and
// H: the smaller of E²/377 and 377·H².
struct Limit {
  double sWm2;
  double eVm;                     // the table's E, or the plane-wave equivalent of S
  double hAm;                     // the table's H, or the plane-wave equivalent of S
  bool instantaneous = false;     // compared with the peak, not the time-averaged, power
  double averagingMinutes = 0.0;  // the window a time-averaged limit is averaged over
  std::string_view basis;         // which of the rule's limits it is: "whole body (Table 5)"
};

// The limits in force at one frequency: the main time-averaged limit, and for some rules a
// local one averaged over a shorter window and an instantaneous one beside it. Each must be met.
struct Limits {
  Limit averaged;
  std::optional<Limit> local;
  std::optional<Limit> instantaneous;

  template <class F>
  void ForEach(F&& f) const {
    f(averaged);
    if (local) f(*local);
    if (instantaneous) f(*instantaneous);
  }
};

struct RuleSetInfo {
  RuleSet id;
  std::string_view key;       // as in station files and on the command line
  std::string_view name;      // short, for tables
  std::string_view citation;  // the publication, table and year
  double minMHz, maxMHz;
  std::array<std::string_view, 2> environmentNames;  // controlled, uncontrolled
};

inline constexpr std::array<RuleSetInfo, 7> kRuleSets = {{
    {RuleSet::kFcc,
     "fcc",
     "FCC",
     N_("47 CFR 1.1310, Table 1 to paragraph (e)(1), limits for maximum permissible exposure (1996, as "
        "restructured 2020)"),
     0.3,
     100000.0,
     {N_("occupational/controlled"), N_("general population/uncontrolled")}},
    {RuleSet::kIcnirp1998,
     "icnirp-1998",
     "ICNIRP 1998",
     N_("ICNIRP Guidelines (1998), Health Physics 74(4):494-522, Tables 6 and 7 (reference levels); "
        "EU Council Recommendation 1999/519/EC, Annex III"),
     0.1,
     300000.0,
     {N_("occupational"), N_("general public")}},
    {RuleSet::kIcnirp2020,
     "icnirp-2020",
     "ICNIRP 2020",
     N_("ICNIRP Guidelines (2020), Health Physics 118(5):483-524, Table 5 (whole-body reference levels, "
        "30-minute average) and Table 6 (local reference levels, 6-minute average); below 10 MHz the ICNIRP "
        "Guidelines (2010), Health Physics 99(6):818-836, Tables 3 and 4 (nerve stimulation)"),
     0.1,
     300000.0,
     {N_("occupational"), N_("general public")}},
    {RuleSet::kCanadaSc6,
     "canada-sc6",
     N_("Safety Code 6"),
     N_("Health Canada, Safety Code 6 (2015), reference levels for controlled and uncontrolled "
        "environments (nerve stimulation and specific absorption)"),
     0.1,
     300000.0,
     {N_("controlled"), N_("uncontrolled")}},
    {RuleSet::kGermanyBemfv,
     "germany-bemfv",
     N_("Germany (BEMFV)"),
     N_("26. BImSchV (2013), Anhang 1b (6-minute rms E and H) and, up to 10 MHz, Anhang 1a (short-term rms "
        "E and B); the safety distance by the Bundesnetzagentur's method for amateur stations under BEMFV "
        "section 9: d = sqrt(30 ohm x EIRP) / E, valid beyond lambda/2pi"),
     0.1,
     300000.0,
     {N_("operator's controllable area (same limits)"), N_("general public")}},
    {RuleSet::kUkOfcom,
     "uk-ofcom",
     N_("UK (Ofcom)"),
     N_("Ofcom EMF licence condition (2021): the ICNIRP general public reference levels; the stricter of "
        "ICNIRP 1998 Table 7 (6-minute average) and, below 10 MHz, ICNIRP 2010's nerve-stimulation levels"),
     0.1,
     300000.0,
     {N_("not covered by the condition (public levels used)"), N_("general public")}},
    {RuleSet::kArpansaRpsS1,
     "arpansa-rps-s1",
     "ARPANSA RPS S-1",
     N_("ARPANSA Radiation Protection Series S-1 (2021, Rev. 1), aligned with the ICNIRP Guidelines (2020): "
        "ICNIRP 2020 Tables 5 and 6 and, below 10 MHz, ICNIRP 2010 Tables 3 and 4 (RPS S-1's own tables were "
        "not read here)"),
     0.1,
     300000.0,
     {N_("occupational"), N_("general public")}},
}};

const RuleSetInfo& Info(RuleSet rules);
std::optional<RuleSet> FindRuleSet(std::string_view key);
// "fcc, icnirp-1998, ...": every rule set's key, for messages and help.
std::string RuleSetKeys();

// The limits at `frequencyMHz`; none outside the rule set's range or for a frequency that is
// not a number. Where two rows of a table meet, the stricter row applies at the shared frequency.
std::optional<Limits> LookupLimits(RuleSet rules, Environment environment, double frequencyMHz);

// The averaging time in minutes for the time-averaged limit.
double AveragingMinutes(RuleSet rules, Environment environment, double frequencyMHz);

// The frequencies at which a row of the rule's tables, or its averaging time, changes, rising.
std::span<const double> TableBreaks(RuleSet rules);

// Plane-wave fields of a power density.
double FieldStrengthVm(double sWm2);
double MagneticFieldAm(double sWm2);

}  // namespace zento
