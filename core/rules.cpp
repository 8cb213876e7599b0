#include "core/rules.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "core/text_mark.h"

namespace zento {
namespace {

// a · f^b, or absent when a is 0.
struct PowerLaw {
  double a = 0.0, b = 0.0;
  bool present() const { return a != 0.0; }
  double at(double f) const { return b == 0.0 ? a : a * std::pow(f, b); }
};

struct Row {
  double lowMHz, highMHz;
  PowerLaw e, h, s;  // S in W/m²; absent S is the plane-wave equivalent of E and H
};

constexpr PowerLaw C(double a) { return {a, 0.0}; }
constexpr PowerLaw F(double a, double b) { return {a, b}; }
constexpr PowerLaw kNone{};

constexpr double kLocalAveragingMinutes = 6.0;  // ICNIRP 2020 Table 6

// 47 CFR 1.1310 Table 1; S converted from mW/cm² (x10).
constexpr Row kFccControlled[] = {
    {0.3, 3.0, C(614), C(1.63), C(1000)},    {3.0, 30.0, F(1842, -1), F(4.89, -1), F(9000, -2)},
    {30.0, 300.0, C(61.4), C(0.163), C(10)}, {300.0, 1500.0, kNone, kNone, F(1.0 / 30.0, 1)},
    {1500.0, 100000.0, kNone, kNone, C(50)},
};
constexpr Row kFccUncontrolled[] = {
    {0.3, 1.34, C(614), C(1.63), C(1000)},   {1.34, 30.0, F(824, -1), F(2.19, -1), F(1800, -2)},
    {30.0, 300.0, C(27.5), C(0.073), C(2)},  {300.0, 1500.0, kNone, kNone, F(1.0 / 150.0, 1)},
    {1500.0, 100000.0, kNone, kNone, C(10)},
};
// ICNIRP 1998 Table 6 (occupational) and Table 7 (general public).
constexpr Row kIcnirp1998Occupational[] = {
    {0.1, 1.0, C(610), F(1.6, -1), kNone},      {1.0, 10.0, F(610, -1), F(1.6, -1), kNone},
    {10.0, 400.0, C(61), C(0.16), C(10)},       {400.0, 2000.0, F(3, 0.5), F(0.008, 0.5), F(1.0 / 40.0, 1)},
    {2000.0, 300000.0, C(137), C(0.36), C(50)},
};
constexpr Row kIcnirp1998Public[] = {
    {0.1, 0.15, C(87), C(5), kNone},
    {0.15, 1.0, C(87), F(0.73, -1), kNone},
    {1.0, 10.0, F(87, -0.5), F(0.73, -1), kNone},
    {10.0, 400.0, C(28), C(0.073), C(2)},
    {400.0, 2000.0, F(1.375, 0.5), F(0.0037, 0.5), F(1.0 / 200.0, 1)},
    {2000.0, 300000.0, C(61), C(0.16), C(10)},
};
// ICNIRP 2020 Table 5: whole body, 30-minute average. Below 30 MHz only E and H are given.
constexpr Row kIcnirp2020Occupational[] = {
    {0.1, 30.0, F(660, -0.7), F(4.9, -1), kNone},
    {30.0, 400.0, C(61), C(0.16), C(10)},
    {400.0, 2000.0, F(3, 0.5), F(0.008, 0.5), F(1.0 / 40.0, 1)},
    {2000.0, 300000.0, kNone, kNone, C(50)},
};
constexpr Row kIcnirp2020Public[] = {
    {0.1, 30.0, F(300, -0.7), F(2.2, -1), kNone},
    {30.0, 400.0, C(27.7), C(0.073), C(2)},
    {400.0, 2000.0, F(1.375, 0.5), F(0.0037, 0.5), F(1.0 / 200.0, 1)},
    {2000.0, 300000.0, kNone, kNone, C(10)},
};
// ICNIRP 2020 Table 6: local exposure, 6-minute average. Above 6 GHz S falls as 1/f_GHz^0.177,
// written here for f in MHz (275 and 55 times 1000^0.177); at 300 GHz it is 100 and 20.
constexpr Row kIcnirp2020LocalOccupational[] = {
    {0.1, 30.0, F(1504, -0.7), F(10.8, -1), kNone},
    {30.0, 400.0, C(139), C(0.36), C(50)},
    {400.0, 2000.0, F(10.58, 0.43), F(0.0274, 0.43), F(0.29, 0.86)},
    {2000.0, 6000.0, kNone, kNone, C(200)},
    {6000.0, 300000.0, kNone, kNone, F(933.9694996, -0.177)},
    {300000.0, 300000.0, kNone, kNone, C(100)},
};
constexpr Row kIcnirp2020LocalPublic[] = {
    {0.1, 30.0, F(671, -0.7), F(4.9, -1), kNone},
    {30.0, 400.0, C(62), C(0.163), C(10)},
    {400.0, 2000.0, F(4.72, 0.43), F(0.0123, 0.43), F(0.058, 0.86)},
    {2000.0, 6000.0, kNone, kNone, C(40)},
    {6000.0, 300000.0, kNone, kNone, F(186.7938999, -0.177)},
    {300000.0, 300000.0, kNone, kNone, C(20)},
};
// ICNIRP 2010 Tables 3 and 4: nerve stimulation, 3 kHz to 10 MHz, RMS and not time-averaged;
// ICNIRP 2020 leaves these effects below 10 MHz to them.
constexpr Row kIcnirp2010OccupationalNerve[] = {{0.1, 10.0, C(170), C(80), kNone}};
constexpr Row kIcnirp2010PublicNerve[] = {{0.1, 10.0, C(83), C(21), kNone}};
// 26. BImSchV (2013) Anhang 1b: 6-minute rms E and H. S is E's plane-wave density, as the
// Bundesnetzagentur's method takes the safety distance from the E limit (d = sqrt(30 P) / E).
constexpr Row kGermany[] = {
    {0.1, 1.0, C(87), F(0.73, -1), C(87.0 * 87.0 / 377.0)},
    {1.0, 10.0, F(87, -0.5), F(0.73, -1), F(87.0 * 87.0 / 377.0, -1)},
    {10.0, 400.0, C(28), C(0.073), C(28.0 * 28.0 / 377.0)},
    {400.0, 2000.0, F(1.375, 0.5), F(0.0037, 0.5), F(1.375 * 1.375 / 377.0, 1)},
    {2000.0, 300000.0, C(61), C(0.16), C(61.0 * 61.0 / 377.0)},
};
// 26. BImSchV (2013) Anhang 1a, 3 kHz to 10 MHz: short-term rms E 0.083 kV/m and B 27 uT
// (H = B / mu0), not averaged.
constexpr Row kGermanyShortTerm[] = {{0.1, 10.0, C(83), C(27e-6 / (4e-7 * 3.14159265358979323846)), kNone}};
// Safety Code 6 (2015): specific absorption reference levels (6-minute reference period).
constexpr Row kSc6Controlled[] = {
    {0.1, 10.0, F(193, -0.5), F(1.6, -1), kNone},
    {10.0, 20.0, C(61.4), C(0.163), C(10)},
    {20.0, 48.0, F(129.8, -0.25), F(0.3444, -0.25), F(44.72, -0.5)},
    {48.0, 100.0, C(49.33), C(0.1309), C(6.455)},
    {100.0, 6000.0, F(15.60, 0.25), F(0.04138, 0.25), F(0.6455, 0.5)},
    {6000.0, 150000.0, C(137), C(0.364), C(50)},
    {150000.0, 300000.0, F(0.354, 0.5), F(9.40e-4, 0.5), F(3.33e-4, 1)},
};
constexpr Row kSc6Uncontrolled[] = {
    {0.1, 10.0, F(87, -0.5), F(0.73, -1), kNone},
    {10.0, 20.0, C(27.46), C(0.0728), C(2)},
    {20.0, 48.0, F(58.07, -0.25), F(0.1540, -0.25), F(8.944, -0.5)},
    {48.0, 300.0, C(22.06), C(0.05852), C(1.291)},
    {300.0, 6000.0, F(3.142, 0.3417), F(0.008335, 0.3417), F(0.02619, 0.6834)},
    {6000.0, 150000.0, C(61.4), C(0.163), C(10)},
    {150000.0, 300000.0, F(0.158, 0.5), F(4.21e-4, 0.5), F(6.67e-5, 1)},
};
// Safety Code 6 (2015): nerve stimulation reference levels, instantaneous, 3 kHz to 10 MHz.
constexpr Row kSc6ControlledNerve[] = {{0.1, 10.0, C(170), C(180), kNone}};
constexpr Row kSc6UncontrolledNerve[] = {{0.1, 10.0, C(83), C(90), kNone}};

std::span<const Row> Table(RuleSet rules, Environment environment) {
  const bool controlled = environment == Environment::kControlled;
  switch (rules) {
    case RuleSet::kFcc:
      return controlled ? std::span<const Row>(kFccControlled) : std::span<const Row>(kFccUncontrolled);
    case RuleSet::kIcnirp1998:
      return controlled ? std::span<const Row>(kIcnirp1998Occupational) : std::span<const Row>(kIcnirp1998Public);
    case RuleSet::kIcnirp2020:
      return controlled ? std::span<const Row>(kIcnirp2020Occupational) : std::span<const Row>(kIcnirp2020Public);
    case RuleSet::kCanadaSc6:
      return controlled ? std::span<const Row>(kSc6Controlled) : std::span<const Row>(kSc6Uncontrolled);
    case RuleSet::kGermanyBemfv:
      return kGermany;  // one set of limits, for everyone
    case RuleSet::kUkOfcom:
      return kIcnirp1998Public;  // the condition protects the general public only
    case RuleSet::kArpansaRpsS1:
      return Table(RuleSet::kIcnirp2020, environment);
  }
  return {};
}

std::span<const Row> LocalTable(RuleSet rules, Environment environment) {
  if (rules != RuleSet::kIcnirp2020 && rules != RuleSet::kArpansaRpsS1) return {};
  return environment == Environment::kControlled ? std::span<const Row>(kIcnirp2020LocalOccupational)
                                                 : std::span<const Row>(kIcnirp2020LocalPublic);
}

std::span<const Row> InstantaneousTable(RuleSet rules, Environment environment) {
  const bool controlled = environment == Environment::kControlled;
  switch (rules) {
    case RuleSet::kIcnirp2020:
    case RuleSet::kArpansaRpsS1:
      return controlled ? std::span<const Row>(kIcnirp2010OccupationalNerve)
                        : std::span<const Row>(kIcnirp2010PublicNerve);
    case RuleSet::kUkOfcom:
      return kIcnirp2010PublicNerve;
    case RuleSet::kGermanyBemfv:
      return kGermanyShortTerm;
    case RuleSet::kCanadaSc6:
      return controlled ? std::span<const Row>(kSc6ControlledNerve) : std::span<const Row>(kSc6UncontrolledNerve);
    default:
      return {};
  }
}

// What the outputs call each of a rule's limits.
struct Bases {
  std::string_view averaged, local, instantaneous;
};

Bases BasesOf(RuleSet rules, Environment environment) {
  switch (rules) {
    case RuleSet::kFcc:
      return {N_("MPE (Table 1)"), {}, {}};
    case RuleSet::kIcnirp1998:
      return {
          environment == Environment::kControlled ? N_("reference level (Table 6)") : N_("reference level (Table 7)"),
          {},
          {}};
    case RuleSet::kIcnirp2020:
      return {N_("whole body (Table 5)"), N_("local (Table 6)"), N_("nerve stimulation (ICNIRP 2010)")};
    case RuleSet::kCanadaSc6:
      return {N_("specific absorption"), {}, N_("nerve stimulation")};
    case RuleSet::kGermanyBemfv:
      return {"26. BImSchV Anhang 1b", {}, "26. BImSchV Anhang 1a"};
    case RuleSet::kUkOfcom:
      return {N_("general public (ICNIRP 1998 Table 7)"), {}, N_("nerve stimulation (ICNIRP 2010)")};
    case RuleSet::kArpansaRpsS1:
      return {N_("whole body (ICNIRP 2020 Table 5)"), N_("local (ICNIRP 2020 Table 6)"),
              N_("nerve stimulation (ICNIRP 2010)")};
  }
  return {};
}

Limit LimitOf(const Row& row, double f) {
  Limit limit{};
  if (row.s.present()) {
    limit.sWm2 = row.s.at(f);
  } else {
    const double e = row.e.at(f), h = row.h.at(f);
    limit.sWm2 = std::min(e * e / kFreeSpaceImpedanceOhms, kFreeSpaceImpedanceOhms * h * h);
  }
  limit.eVm = row.e.present() ? row.e.at(f) : FieldStrengthVm(limit.sWm2);
  limit.hAm = row.h.present() ? row.h.at(f) : MagneticFieldAm(limit.sWm2);
  return limit;
}

// The strictest row whose closed range holds f.
std::optional<Limit> Lookup(std::span<const Row> table, double f) {
  std::optional<Limit> best;
  for (const Row& row : table) {
    if (!(f >= row.lowMHz && f <= row.highMHz)) continue;
    const Limit limit = LimitOf(row, f);
    if (!best || limit.sWm2 < best->sWm2) best = limit;
  }
  return best;
}

}  // namespace

const RuleSetInfo& Info(RuleSet rules) { return kRuleSets[static_cast<std::size_t>(rules)]; }

std::string RuleSetKeys() {
  std::string keys;
  for (const auto& info : kRuleSets) keys += (keys.empty() ? "" : ", ") + std::string(info.key);
  return keys;
}

std::optional<RuleSet> FindRuleSet(std::string_view key) {
  for (const auto& info : kRuleSets) {
    if (info.key == key) return info.id;
  }
  return std::nullopt;
}

std::optional<Limits> LookupLimits(RuleSet rules, Environment environment, double frequencyMHz) {
  const RuleSetInfo& info = Info(rules);
  if (!(frequencyMHz >= info.minMHz && frequencyMHz <= info.maxMHz)) return std::nullopt;
  const auto averaged = Lookup(Table(rules, environment), frequencyMHz);
  if (!averaged) return std::nullopt;
  const Bases bases = BasesOf(rules, environment);
  Limits limits{*averaged, Lookup(LocalTable(rules, environment), frequencyMHz),
                Lookup(InstantaneousTable(rules, environment), frequencyMHz)};
  limits.averaged.averagingMinutes = AveragingMinutes(rules, environment, frequencyMHz);
  limits.averaged.basis = bases.averaged;
  if (limits.local) {
    limits.local->averagingMinutes = kLocalAveragingMinutes;
    limits.local->basis = bases.local;
  }
  if (limits.instantaneous) {
    limits.instantaneous->instantaneous = true;
    limits.instantaneous->basis = bases.instantaneous;
  }
  return limits;
}

double AveragingMinutes(RuleSet rules, Environment environment, double f) {
  switch (rules) {
    case RuleSet::kFcc:
      return environment == Environment::kControlled ? 6.0 : 30.0;
    case RuleSet::kIcnirp1998:
      return f <= 10000.0 ? 6.0 : 68.0 / std::pow(f / 1000.0, 1.05);
    case RuleSet::kIcnirp2020:
      return 30.0;
    case RuleSet::kCanadaSc6:
      return f <= 15000.0 ? 6.0 : 616000.0 / std::pow(f, 1.2);
    case RuleSet::kGermanyBemfv:
      return 6.0;  // "quadratisch gemittelt über 6-Minuten-Intervalle"
    case RuleSet::kUkOfcom:
      return AveragingMinutes(RuleSet::kIcnirp1998, environment, f);
    case RuleSet::kArpansaRpsS1:
      return AveragingMinutes(RuleSet::kIcnirp2020, environment, f);
  }
  return 6.0;
}

double FieldStrengthVm(double sWm2) { return std::sqrt(sWm2 * kFreeSpaceImpedanceOhms); }
double MagneticFieldAm(double sWm2) { return std::sqrt(sWm2 / kFreeSpaceImpedanceOhms); }

std::span<const double> TableBreaks(RuleSet rules) {
  static const auto kBreaks = [] {
    std::array<std::vector<double>, kRuleSets.size()> all;
    for (const auto& info : kRuleSets) {
      auto& breaks = all[static_cast<std::size_t>(info.id)];
      for (const Environment environment : kEnvironments) {
        for (const Row& row : Table(info.id, environment)) breaks.push_back(row.lowMHz);
        for (const Row& row : LocalTable(info.id, environment)) breaks.push_back(row.lowMHz);
        for (const Row& row : InstantaneousTable(info.id, environment)) breaks.push_back(row.highMHz);
      }
      if (info.id == RuleSet::kIcnirp1998) breaks.push_back(10000.0);  // the averaging time shortens above
      if (info.id == RuleSet::kCanadaSc6) breaks.push_back(15000.0);
      std::sort(breaks.begin(), breaks.end());
      breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
      std::erase_if(breaks, [&info](double f) { return f <= info.minMHz; });
    }
    return all;
  }();
  return kBreaks[static_cast<std::size_t>(rules)];
}

}  // namespace zento
