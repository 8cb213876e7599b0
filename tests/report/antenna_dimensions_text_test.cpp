// A built-in model's dimensions in the antenna editor's words, checked against the kinds' own
// formulas worked by hand: 468/f feet for a dipole, a quarter wave for radials, the Yagi designs'
// lengths in wavelengths, Cebik's resonant loop perimeter; 40 segments a wavelength.
#include <gtest/gtest.h>

#include "report/station_text.h"

namespace zento {
namespace {

TEST(AntennaDimensions, EachKindInItsOwnTerms) {
  const auto model = [](AntennaKind kind) {
    AntennaModel m;
    m.kind = kind;
    return m;
  };
  AntennaModel apex = model(AntennaKind::kInvertedV);
  apex.apexDegrees = 120.0;
  const struct {
    AntennaModel model;
    double mhz, height;
    const char* text;
  } cases[] = {
      // 468 / 14.2 = 32.96 ft = 10.05 m; 19.03 segments of a 21.11 m wave, odd: 21.
      {model(AntennaKind::kDipole), 14.2, 10.0, "10.05 m long (2 arms of 5.02 m); wire radius 1 mm, 21 segments"},
      // Arms of 234 / 7.1 ft drooping 30 degrees: 2 x 10.05 cos 30 apart, 10.05 sin 30 down.
      {apex, 7.1, 11.0, "2 arms of 10.05 m, ends 17.40 m apart and 5.02 m below the apex; wire radius 1 mm, 20 segments"},
      // 234 / 7.1 ft, and radials of a quarter of 42.22 m.
      {model(AntennaKind::kVertical), 7.1, 0.2,
       "radiator 10.05 m, 4 radials of 10.56 m; wire radius 1 mm, 50 segments"},
      // 0.51868, 0.47550 and 0.44739 wavelengths of 10.556 m; the boom 0.32482; elements of
      // 0.001207 wavelength (12.7 mm) diameter.
      {model(AntennaKind::kYagi), 28.4, 12.0,
       "reflector 5.48 m, driven element 5.02 m, director 4.72 m; boom 3.43 m; wire radius 6.37 mm, 61 segments"},
      // 0.0128 (log10(1e5 x 2 mm / 21.11 m))^2 + 1.0413 = 1.0535 wavelengths around.
      {model(AntennaKind::kLoop), 14.2, 6.0, "4 sides of 5.56 m (22.24 m around); wire radius 1 mm, 44 segments"},
  };
  Station s;
  s.units = LengthUnit::kMeters;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string problem;
    const auto structure = BuildAntenna(c.model, {0, 0, c.height, 0}, c.mhz, c.mhz, problem);
    ASSERT_TRUE(structure) << problem;
    EXPECT_EQ(AntennaDimensionsText(s, c.model, *structure), c.text);
  }
  // In feet where the station shows feet: 32.96 ft.
  s.units = LengthUnit::kFeet;
  std::string problem;
  const auto dipole = BuildAntenna(model(AntennaKind::kDipole), {0, 0, 10, 0}, 14.2, 14.2, problem);
  ASSERT_TRUE(dipole);
  EXPECT_EQ(AntennaDimensionsText(s, model(AntennaKind::kDipole), *dipole).substr(0, 21), "32.96 ft long (2 arms");
}

}  // namespace
}  // namespace zento
