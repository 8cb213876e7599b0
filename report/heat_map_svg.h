#pragma once
// Heat maps of the near field as SVG, for the evaluation record: a plane's shares of the limit on
// a logarithmic colour scale readable by colour-blind people and in greyscale print, the 100 %
// line, the far-field formula's distance for comparison, the places and the antenna's wires.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/near_field.h"
#include "core/station_model.h"

namespace zento {

struct HeatMapPlace {
  std::string name;
  double a = 0.0, b = 0.0;  // in the plane's coordinates, meters: x and y, or across and z
  double share = 0.0;       // of the limit; infinite at the antenna
};

struct HeatMapMarks {
  std::string title;  // "HF on 20m: 2.0 m above the ground"
  LengthUnit units = LengthUnit::kMeters;
  // Horizontal: a circle of this radius around the mast. Vertical: this distance either side.
  std::optional<double> farFieldMeters;
  // A ring each, named with its share beside it where there is room (the record's tables name
  // every place); a place outside the picture is not marked.
  std::vector<HeatMapPlace> places;
  std::vector<std::pair<Vec3, Vec3>> wires;  // the antenna's, projected onto the plane
};

// The colour scale, shared with the window's own heat maps: bands of a tenth of a decade from 1 %
// to 1000 % of the limit on the cividis colour map (blue to yellow, lightness rising throughout,
// alike to the common colour-vision deficiencies and in greyscale).
inline constexpr int kHeatMapBands = 30;
// A share's band: below 1 % the lowest, above 1000 % the highest; -1 at the antenna (infinite,
// or no number).
int HeatMapBand(double share);
// A band's colour as 0xRRGGBB; the band's share at its foot is 1 % x 10^(band / 10).
std::uint32_t HeatMapBandRgb(int band);
inline constexpr std::uint32_t kHeatMapAntennaRgb = 0x000000;

// The picture as an SVG element that fits in widthPx x heightPx (its own size is what it takes,
// the cells kept square). It reaches for nothing outside itself and names what it shows in its
// <title> and aria-label.
//
// Shares are coloured in bands of a tenth of a decade from 1 % to 1000 %; below 1 % takes the
// lowest band, above 1000 % the highest, at the antenna (infinite, or no number) black. The map is
// one group, id "map", in cell units: the point (column, row) of the image at (column + 0.5,
// row + 0.5), y upwards; in it the cells ("cells"), the 100 % line ("contour") and the far-field
// distance ("far-field"). An image whose shares do not fill its rows and columns gives a picture
// that says so.
std::string HeatMapSvg(const GridImage& image, const HeatMapMarks& marks, int widthPx, int heightPx);

}  // namespace zento
