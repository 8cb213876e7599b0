#pragma once
// A station's evaluation where people are: the power density at a distance, the exemption
// from a routine evaluation, and the US amateur bands.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zento {

// Power density in mW/cm² at `meters` from the antenna: S = factor x EIRP / (40 pi r²).
double ComputePowerDensity(double eirpWatts, double meters, double groundReflectionFactor);

// A distance typed as the window's distances are: in feet when englishUnits is 1.
double DistanceInMeters(double distance, int englishUnits);

// The ERP divisor: a half-wave dipole's gain over an isotropic radiator, 2.15 dB.
inline constexpr double kEirpPerErp = 1.64;
inline constexpr double kSpeedOfLightMetersMHz = 299.792458;  // lambda in meters = this / f in MHz

// The MPE-based exemption threshold in watts ERP of 47 CFR 1.1307(b)(3)(i)(C) at R meters;
// none outside 0.3 to 100000 MHz. Each lower band edge belongs to the band above it.
std::optional<double> ExemptionThresholdWatts(double frequencyMHz, double meters);

struct ExemptionCheck {
  double erpWatts;
  double distanceMeters;
  double lambdaOver2PiMeters;
  std::optional<double> thresholdWatts;
  bool exempt;
  std::string reason;
};

// Exempt only where R is at least lambda / 2 pi and the ERP is at or below the threshold.
ExemptionCheck CheckExemption(double frequencyMHz, double eirpWatts, double meters);

struct AmateurBand {
  std::string_view name;
  double lowMHz;
  double highMHz;
};

// The US amateur bands from 160 m to 23 cm (47 CFR 97.301), by rising frequency.
inline constexpr std::array<AmateurBand, 16> kUsAmateurBands = {{
    {"160m", 1.8, 2.0},
    {"80m", 3.5, 4.0},
    {"60m", 5.3305, 5.4065},
    {"40m", 7.0, 7.3},
    {"30m", 10.1, 10.15},
    {"20m", 14.0, 14.35},
    {"17m", 18.068, 18.168},
    {"15m", 21.0, 21.45},
    {"12m", 24.89, 24.99},
    {"10m", 28.0, 29.7},
    {"6m", 50.0, 54.0},
    {"2m", 144.0, 148.0},
    {"1.25m", 222.0, 225.0},
    {"70cm", 420.0, 450.0},
    {"33cm", 902.0, 928.0},
    {"23cm", 1240.0, 1300.0},
}};

}  // namespace zento
