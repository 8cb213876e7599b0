#include "core/station.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/number_text.h"

namespace zento {
namespace {

struct EirpCase {
  std::int32_t power;
  std::uint32_t duty;
  double gain, loss;
  const char* shown;  // "%.2lf"
};

TEST(ComputeEirp, MatchesTheWorkedFigures) {
  const EirpCase cases[] = {
      {1500, 50, 2.15, 0.5, "1096.63"},  // the worked example
      {25, 50, 4.0, 2.0, "19.81"},       // more loss than gain
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(ComputeEirp(c.power, c.duty, c.gain, c.loss), 2), c.shown) << c.power << " W " << c.duty;
  }
  EXPECT_EQ(ComputeEirp(100, 100, 0.0, 0.0), 100.0);
}

TEST(ComputePowerForEirp, TruncatesToWholeWatts) {
  EXPECT_EQ(ComputePowerForEirp(456.0367, 100, 0.0, 0.0), 456);
  EXPECT_EQ(ComputePowerForEirp(1096.63, 50, 2.15, 0.5), 1499);  // the whole watt below the 1500 asked for
  EXPECT_EQ(ComputePowerForEirp(0.2, 100, 0.0, 0.0), 0);         // outside 1 to 100000, still returned
  EXPECT_EQ(ComputePowerForEirp(100.0, 50, 0.0, 0.0), 200);
}

TEST(ComputePowerForEirp, HasNoResultForZeroDutyOrNaN) {
  EXPECT_FALSE(ComputePowerForEirp(100.0, 0, 0.0, 0.0));
  EXPECT_FALSE(ComputePowerForEirp(std::nan(""), 100, 0.0, 0.0));
}

TEST(ComputePowerForEirp, SaturatesHugeAndInfiniteEirp) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(ComputePowerForEirp(kInf, 100, 0.0, 0.0), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ComputePowerForEirp(1e300, 1, -10.0, 60.0), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ComputePowerForEirp(-kInf, 100, 0.0, 0.0), std::numeric_limits<std::int32_t>::min());
}

}  // namespace
}  // namespace zento
