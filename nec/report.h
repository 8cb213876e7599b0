#pragma once
// Reading the engine's report: the segments it made of the structure, and per frequency the
// input power and the near fields at the points asked for, in the order they were asked.

#include <array>
#include <complex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"

namespace zento::nec {

struct Segment {
  Vec3 center;
  double length = 0.0;
  double alphaDegrees = 0.0, betaDegrees = 0.0;  // elevation and azimuth of its direction
  double radius = 0.0;
  int tag = 0;

  Vec3 Direction() const;
  Vec3 End(int sign) const { return center + Direction() * (sign * length / 2.0); }
};

// One field point: the peak magnitudes of the x, y and z components of the field's phasor, as
// the engine prints them (V/m or A/m).
struct FieldSample {
  Vec3 at;
  std::array<double, 3> peak{};
};

struct FrequencyReport {
  double mhz = 0.0;
  std::complex<double> impedanceOhms;  // at the first source
  double inputPowerWatts = 0.0;        // for the sources as given, ground losses included
  std::vector<FieldSample> electric, magnetic;
};

struct Report {
  std::vector<Segment> segments;
  std::vector<FrequencyReport> frequencies;
};

// The report, or none with what is wrong with the text.
std::optional<Report> ParseReport(std::string_view text, std::string& error);

}  // namespace zento::nec
