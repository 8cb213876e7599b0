// Heat maps of the near field: the 100 % line where the field says, colours that read in grey,
// marks where they belong, and a picture that is text-safe, self-contained and small.
#include "report/heat_map_svg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <numbers>
#include <regex>
#include <set>

#include "report/local_style.h"
#include "tests/report/svg_text.h"

namespace zento {
namespace {

using test::AttributeValue;
using test::Between;
using test::Fills;
using test::Numbers;
using test::TagWith;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Point {
  double a = 0.0, b = 0.0;
};

GridImage Grid(bool vertical, int columns, int rows, double left, double bottom, double step,
               const std::function<double(double, double)>& share) {
  GridImage g;
  g.vertical = vertical;
  g.columns = columns;
  g.rows = rows;
  g.left = left;
  g.bottom = bottom;
  g.step = step;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) g.shares.push_back(share(left + c * step, bottom + r * step));
  }
  return g;
}

// The points of path data ("M1 2 3 4Z..."), in cell units.
std::vector<Point> PathPoints(const std::string& d) {
  const std::vector<double> n = Numbers(d);
  std::vector<Point> points;
  for (std::size_t i = 0; i + 1 < n.size(); i += 2) points.push_back({n[i], n[i + 1]});
  return points;
}
// Relative luminance (WCAG) of "#rrggbb" or "#rgb": what the colour prints as in grey.
double Luminance(std::string hex) {
  if (hex.size() == 4) hex = {'#', hex[1], hex[1], hex[2], hex[2], hex[3], hex[3]};
  double y = 0.0;
  const double weights[] = {0.2126, 0.7152, 0.0722};
  for (int i = 0; i < 3; ++i) {
    const double c = std::stoi(hex.substr(1 + 2 * static_cast<std::size_t>(i), 2), nullptr, 16) / 255.0;
    y += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
  }
  return y;
}
// A cell-unit point in the plane's meters.
Point Meters(const GridImage& g, Point cell) {
  return {g.left + (cell.a - 0.5) * g.step, g.bottom + (cell.b - 0.5) * g.step};
}

TEST(HeatMap, TheHundredPercentLineLiesWhereTheFieldCrossesIt) {
  // share = (r0 / r)², 100 % at r0 from the source, infinite on it.
  struct Case {
    const char* name;
    bool vertical;
    int columns, rows;
    double left, bottom, step;
    Point source;
    double r0;
    bool closed;  // the circle lies whole inside the picture
  } cases[] = {
      {"source on a point", false, 50, 50, 100.0, 50.0, 1.0, {124.0, 74.0}, 7.3, true},
      {"source between points", false, 50, 50, -9.25, -9.25, 0.37, {0.1, -0.2}, 4.1, true},
      {"cut by the ground and the top", true, 40, 20, -10.0, 0.25, 0.5, {0.0, 6.0}, 7.0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GridImage g = Grid(c.vertical, c.columns, c.rows, c.left, c.bottom, c.step, [&](double a, double b) {
      const double r2 = (a - c.source.a) * (a - c.source.a) + (b - c.source.b) * (b - c.source.b);
      return r2 == 0.0 ? kInf : c.r0 * c.r0 / r2;
    });
    const std::string d = AttributeValue(TagWith(HeatMapSvg(g, {}, 640, 480), "id=\"contour\""), "d");
    const std::vector<Point> points = PathPoints(d);
    ASSERT_GT(points.size(), 20u);
    std::set<int> octants;
    for (const Point& cell : points) {
      const Point m = Meters(g, cell);
      const double r = std::hypot(m.a - c.source.a, m.b - c.source.b);
      EXPECT_NEAR(r, c.r0, 0.05 * c.step) << m.a << " " << m.b;
      const double angle = std::atan2(m.b - c.source.b, m.a - c.source.a) + std::numbers::pi;  // 0 to 2 pi
      octants.insert(static_cast<int>(std::floor(angle / (std::numbers::pi / 4))) % 8);
    }
    EXPECT_EQ(octants.size(), c.closed ? 8u : 6u) << "all the way round, as far as the picture goes";
    EXPECT_EQ(d.find('Z') != std::string::npos, c.closed);
  }
}

TEST(HeatMap, BetweenPointsTheLineFollowsTheLogOfTheShare) {
  // Two decades a cell, falling eastwards: 100 % on x = 3.3 exactly, a straight line, where the
  // log of the share interpolated along each edge puts it (the share itself would not).
  const GridImage g = Grid(false, 8, 6, 0.0, 0.0, 1.0, [](double a, double) { return std::pow(100.0, 3.3 - a); });
  const std::vector<Point> points = PathPoints(AttributeValue(TagWith(HeatMapSvg(g, {}, 400, 400), "id=\"contour\""), "d"));
  ASSERT_EQ(points.size(), 6u);
  for (const Point& cell : points) EXPECT_NEAR(Meters(g, cell).a, 3.3, 0.006);
}

TEST(HeatMap, WhereCornersAlternateTheRegionOver100PercentStaysWhole) {
  // Over 100 % at bottom left and top right: the line cuts off each corner under it on its own,
  // never the corners over it, so the region over 100 % is not drawn split.
  const GridImage g = Grid(false, 2, 2, 0.0, 0.0, 1.0, [](double a, double b) { return a == b ? 2.0 : 0.5; });
  const std::string d = AttributeValue(TagWith(HeatMapSvg(g, {}, 400, 400), "id=\"contour\""), "d");
  ASSERT_EQ(std::count(d.begin(), d.end(), 'M'), 2);
  for (const std::string& line : {d.substr(0, d.find('M', 1)), d.substr(d.find('M', 1))}) {
    const std::vector<Point> ends = PathPoints(line);
    ASSERT_EQ(ends.size(), 2u);
    int corners = 0;
    for (const Point corner : {Point{1.0, 0.0}, Point{0.0, 1.0}}) {  // under 100 %, in meters
      corners += std::all_of(ends.begin(), ends.end(), [&](Point cell) {
        const Point m = Meters(g, cell);
        return std::hypot(m.a - corner.a, m.b - corner.b) < 0.5 + 1e-9;
      });
    }
    EXPECT_EQ(corners, 1) << line;
  }
}

TEST(HeatMap, NextToTheAntennaTheLineIsDrawnOutwards) {
  // No number stands for a point at the antenna: the line passes through its neighbours, not
  // somewhere between, so that the region over 100 % is never drawn smaller than it may be.
  const GridImage g =
      Grid(false, 5, 5, 0.0, 0.0, 1.0, [](double a, double b) { return a == 2 && b == 2 ? kInf : 0.5; });
  const std::vector<Point> points = PathPoints(AttributeValue(TagWith(HeatMapSvg(g, {}, 400, 400), "id=\"contour\""), "d"));
  ASSERT_EQ(points.size(), 4u);
  for (const Point& cell : points) {
    const Point m = Meters(g, cell);
    EXPECT_DOUBLE_EQ(std::abs(m.a - 2.0) + std::abs(m.b - 2.0), 1.0) << m.a << " " << m.b;
  }
}

TEST(HeatMap, ColoursGrowLighterWithTheShareAndStopAtTheScalesEnds) {
  // Each a uniform plane: the one colour of its cells.
  auto colour = [](double share) {
    const GridImage g = Grid(false, 4, 4, 0.0, 0.0, 1.0, [&](double, double) { return share; });
    const std::vector<std::string> fills = Fills(Between(HeatMapSvg(g, {}, 400, 400), "id=\"cells\"", "</g>"));
    EXPECT_EQ(fills.size(), 1u) << share;
    return fills.empty() ? std::string("#000") : fills[0];
  };
  const std::string lowest = colour(0.01), top = colour(10.0);
  for (const double below : {0.0, -1.0, 1e-9, 0.005}) EXPECT_EQ(colour(below), lowest) << below;
  for (const double above : {20.0, 1e6, 1e300}) EXPECT_EQ(colour(above), top) << above;
  // Strictly lighter from band to band (a tenth of a decade each); just under and just over 100 % apart.
  EXPECT_GT(Luminance(colour(1.0)), Luminance(colour(0.999)));
  double previous = -1.0;
  for (int band = 0; band < 30; ++band) {
    const double y = Luminance(colour(std::pow(10.0, -2.0 + (band + 0.5) / 10.0)));
    EXPECT_GT(y, previous) << band;
    previous = y;
  }
  EXPECT_GT(Luminance(top) - Luminance(lowest), 0.6) << "the scale spans the grey range";
}

// The station window colours its heat maps with HeatMapBand and HeatMapBandRgb: the record's
// scale, band for band (each a tenth of a decade from 1 %), from cividis' first stop to its last.
TEST(HeatMap, TheWindowsColoursAreTheRecordsBandForBand) {
  const std::vector<std::string> legend = Fills(Between(
      HeatMapSvg(Grid(false, 2, 2, 0, 0, 1, [](double, double) { return 1.0; }), {}, 400, 400), "id=\"legend\"",
      "id=\"legend-antenna\""));
  ASSERT_EQ(legend.size(), static_cast<std::size_t>(kHeatMapBands));
  for (int b = 0; b < kHeatMapBands; ++b) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(HeatMapBandRgb(b)));
    EXPECT_EQ(legend[static_cast<std::size_t>(b)], hex) << b;
    // The middle of each band's decade tenth falls in it.
    EXPECT_EQ(HeatMapBand(0.01 * std::pow(10.0, (b + 0.5) / 10.0)), b);
  }
  EXPECT_EQ(HeatMapBandRgb(0), 0x00224eu);
  EXPECT_EQ(HeatMapBandRgb(kHeatMapBands - 1), 0xfee838u);
  EXPECT_EQ(HeatMapBand(1.0), 20);  // 100 % starts the band two decades up
  EXPECT_EQ(HeatMapBand(0.999), 19);
  EXPECT_EQ(HeatMapBand(kInf), -1);
  EXPECT_EQ(HeatMapBandRgb(-1), kHeatMapAntennaRgb);
}

TEST(HeatMap, AtTheAntennaIsAColourOfItsOwn) {
  const GridImage g = Grid(false, 5, 5, 0.0, 0.0, 1.0, [](double a, double b) {
    return a == 2 && b == 2 ? kInf : (a == 0 && b == 0 ? std::nan("") : 2.0);
  });
  const std::string svg = HeatMapSvg(g, {}, 400, 400);
  const std::string antenna = AttributeValue(TagWith(svg, "id=\"legend-antenna\""), "fill");
  ASSERT_FALSE(antenna.empty());
  const std::vector<std::string> cells = Fills(Between(svg, "id=\"cells\"", "</g>"));
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(std::count(cells.begin(), cells.end(), antenna), 1) << "the antenna's cell and the one without a number";
  const std::string legend = Between(svg, "id=\"legend\"", "id=\"legend-antenna\"");
  const std::vector<std::string> scale = Fills(legend);
  EXPECT_EQ(scale.size(), 30u);
  EXPECT_EQ(std::count(scale.begin(), scale.end(), antenna), 0) << "on no band of the scale";
  for (const char* text : {">1 %<", ">10 %<", ">100 %<", ">1000 %<", ">at the antenna<", ">100 % of the limit<"}) {
    EXPECT_NE(svg.find(text), std::string::npos) << text;
  }
}

// A horizontal plane around a mast that is not at the origin, and a vertical one towards the east.
struct Example {
  GridImage image;
  HeatMapMarks marks;
};
Example Horizontal() {
  const Vec3 mast{100.4, 50.2, 0.0};
  GridImage g = Grid(false, 50, 50, mast.x - 15.0, mast.y - 15.0, 30.0 / 49, [&](double x, double y) {
    const double r2 = (x - mast.x) * (x - mast.x) + (y - mast.y) * (y - mast.y);
    return r2 < 0.1 ? kInf : 40.0 / r2;
  });
  g.mast = mast;
  HeatMapMarks m;
  m.title = "HF on 20m: 6.6 ft above the ground";
  m.units = LengthUnit::kFeet;
  m.farFieldMeters = 9.5;
  m.places = {{"Garden", mast.x + 10.0, mast.y - 2.5, 0.4},
              {"Shack", mast.x + 0.1, mast.y, kInf},
              {"Beyond the picture", mast.x + 40.0, mast.y, 0.01}};
  m.wires = {{{mast.x, mast.y, 0.0}, {mast.x, mast.y, 6.0}}};
  return {std::move(g), std::move(m)};
}
Example Vertical() {
  GridImage g = Grid(true, 40, 24, -12.0, 0.25, 0.5, [](double across, double z) {
    const double r2 = across * across + (z - 8.0) * (z - 8.0);
    return r2 < 0.1 ? kInf : 25.0 / r2;
  });
  g.mast = {3.0, 4.0, 0.0};
  g.bearingDegrees = 90.0;
  HeatMapMarks m;
  m.title = "VHF on 2m: towards 90\xC2\xB0";
  m.farFieldMeters = 6.25;
  m.places = {{"Bedroom window", 7.0, 5.0, 0.12}};
  m.wires = {{{3.0, 4.0, 8.0}, {5.0, 4.0, 8.0}}};  // along the plane, 2 m east of the mast at 8 m
  return {std::move(g), std::move(m)};
}

TEST(HeatMap, MarksAxesAndLinesSitWhereTheyBelong) {
  for (const auto& [name, example] : {std::pair{"horizontal", Horizontal()}, std::pair{"vertical", Vertical()}}) {
    SCOPED_TRACE(name);
    const GridImage& g = example.image;
    const HeatMapMarks& m = example.marks;
    const std::string svg = HeatMapSvg(g, m, 640, 480);
    // The map's transform from cell units to pixels: matrix(s 0 0 -s x0 y0).
    const std::vector<double> t = Numbers(AttributeValue(TagWith(svg, "id=\"map\""), "transform"));
    ASSERT_EQ(t.size(), 6u);
    const double s = t[0], x0 = t[4], y0 = t[5];
    ASSERT_EQ(t[3], -s);
    auto pixelX = [&](double a) { return x0 + s * ((a - g.left) / g.step + 0.5); };
    auto pixelY = [&](double b) { return y0 - s * ((b - g.bottom) / g.step + 0.5); };
    const double perUnit = m.units == LengthUnit::kFeet ? 1.0 / 0.3048 : 1.0;
    const Point origin = g.vertical ? Point{0.0, 0.0} : Point{g.mast.x, g.mast.y};

    // Ticks: each label is the distance from the mast (the height) of where it stands, in the unit.
    std::size_t ticks = 0;
    bool zero = false;
    for (const char* axis : {"tick-a", "tick-b"}) {
      const bool across = std::string(axis) == "tick-a";
      const std::regex tick(std::string("class=\"") + axis + "\" x=\"([-0-9.]+)\" y=\"([-0-9.]+)\"[^>]*>([-0-9.]+)<");
      for (auto it = std::sregex_iterator(svg.begin(), svg.end(), tick); it != std::sregex_iterator(); ++it, ++ticks) {
        const double label = Numbers((*it)[3])[0];
        zero = zero || label == 0.0;
        const double meters = (across ? origin.a : origin.b) + label / perUnit;
        if (across) {
          EXPECT_NEAR(Numbers((*it)[1])[0], pixelX(meters), 0.06) << label;
        } else {
          EXPECT_NEAR(Numbers((*it)[2])[0] - 4.0, pixelY(meters), 0.06) << label;  // the baseline 4 px below
        }
      }
    }
    EXPECT_GE(ticks, 6u);
    EXPECT_TRUE(zero) << "the mast (the ground) at 0";

    // The far-field distance: a circle around the mast, or the two distances either side.
    for (const Point& cell : PathPoints(AttributeValue(TagWith(svg, "id=\"far-field\""), "d"))) {
      const Point p = Meters(g, cell);
      EXPECT_TRUE(cell.a >= 0.0 && cell.a <= g.columns && cell.b >= 0.0 && cell.b <= g.rows) << "inside the map";
      const double off = g.vertical ? std::abs(p.a) : std::hypot(p.a - g.mast.x, p.b - g.mast.y);
      EXPECT_NEAR(off, *m.farFieldMeters, 0.01 * g.step);
    }
    // The places inside the picture, each ring on its point.
    const std::regex ring("class=\"place\" cx=\"([-0-9.]+)\" cy=\"([-0-9.]+)\"");
    std::vector<Point> rings;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), ring); it != std::sregex_iterator(); ++it) {
      rings.push_back({Numbers((*it)[1])[0], Numbers((*it)[2])[0]});
    }
    ASSERT_EQ(rings.size(), g.vertical ? 1u : 2u) << "none for a place outside the picture";
    for (std::size_t i = 0; i < rings.size(); ++i) {
      EXPECT_NEAR(rings[i].a, pixelX(m.places[i].a), 0.06);
      EXPECT_NEAR(rings[i].b, pixelY(m.places[i].b), 0.06);
    }
    // The wire projected onto the plane: the vertical one at the mast, the other 0 to 2 m across at 8 m.
    const std::vector<Point> wire = PathPoints(AttributeValue(TagWith(svg, "id=\"wires\""), "d"));
    ASSERT_EQ(wire.size(), 2u);
    const Point from = Meters(g, wire[0]), to = Meters(g, wire[1]);
    const Point expectedFrom = g.vertical ? Point{0.0, 8.0} : Point{g.mast.x, g.mast.y};
    const Point expectedTo = g.vertical ? Point{2.0, 8.0} : Point{g.mast.x, g.mast.y};
    EXPECT_NEAR(from.a, expectedFrom.a, 0.01);
    EXPECT_NEAR(from.b, expectedFrom.b, 0.01);
    EXPECT_NEAR(to.a, expectedTo.a, 0.01);
    EXPECT_NEAR(to.b, expectedTo.b, 0.01);
  }
}

TEST(HeatMap, WhatTheUserTypedIsText) {
  Example e = Horizontal();
  e.marks.title = "Run & <b>mult</b>";
  e.marks.places[0].name = "Tom's \"shed\" <script>&";
  const std::string svg = HeatMapSvg(e.image, e.marks, 640, 480);
  EXPECT_EQ(svg.find("<script"), std::string::npos);
  EXPECT_EQ(svg.find("<b>"), std::string::npos);
  EXPECT_NE(svg.find("Tom&#x27;s &quot;shed&quot; &lt;script&gt;&amp; 40.0 %</text>"), std::string::npos);
  // The description names every place with its share, inside its attribute.
  const std::string label = AttributeValue(TagWith(svg, "role=\"img\""), "aria-label");
  for (const char* part :
       {"Run &amp; &lt;b&gt;mult&lt;/b&gt;", "Tom&#x27;s &quot;shed&quot; &lt;script&gt;&amp; 40.0 %",
        "Shack at the antenna", "31.2 ft"}) {
    EXPECT_NE(label.find(part), std::string::npos) << part;
  }
}

TEST(HeatMap, ReachesForNothingOutsideItselfAndWritesNumbersWithAPoint) {
  // report_tests also run under a comma-decimal locale: no number may take its comma.
  for (const Example& e : {Horizontal(), Vertical()}) {
    std::string svg = HeatMapSvg(e.image, e.marks, 640, 480);
    const std::string svgNamespace = "xmlns=\"http://www.w3.org/2000/svg\"";
    ASSERT_EQ(svg.find(svgNamespace), 5u);
    svg.erase(5, svgNamespace.size());
    for (const char* reference : {"href", "url(", "<script", "<image", "<foreignObject", "@import", "http", "<style"}) {
      EXPECT_EQ(svg.find(reference), std::string::npos) << reference;
    }
    EXPECT_FALSE(std::regex_search(svg, std::regex("[0-9],[0-9]")));
    EXPECT_TRUE(std::regex_search(svg, std::regex("[0-9][.][0-9]")));
  }
}

TEST(HeatMap, A50By50PlaneStaysSmall) {
  // The worst case for merging runs: every cell unlike its neighbours; and a smooth field.
  unsigned state = 12345;
  auto noise = [&](double, double) {
    state = state * 1103515245u + 12345u;
    const unsigned pick = (state >> 16) % 33;
    return pick == 32 ? kInf : std::pow(10.0, -2.0 + pick / 10.0);
  };
  Example smooth = Horizontal();
  Example noisy = Horizontal();
  noisy.image = Grid(false, 50, 50, noisy.image.left, noisy.image.bottom, noisy.image.step, noise);
  noisy.image.mast = smooth.image.mast;
  for (const Example* e : {&smooth, &noisy}) {
    EXPECT_LT(HeatMapSvg(e->image, e->marks, 800, 600).size(), 100'000u);
  }
}

TEST(HeatMap, APlaneWithoutPointsIsSaidSo) {
  Example e = Horizontal();
  e.image.shares.pop_back();
  for (const GridImage& g : {e.image, GridImage{}}) {
    const std::string svg = HeatMapSvg(g, e.marks, 640, 480);
    EXPECT_NE(svg.find("No picture"), std::string::npos);
    EXPECT_EQ(svg.find("id=\"cells\""), std::string::npos);
  }
}

// In a comma-decimal style the labels a person reads change and nothing that places them does.
TEST(HeatMap, InTheReadersStyleOnlyTheLabelsTakeTheComma) {
  const struct {
    const char* name;
    Example example;
    const char* label;  // the far-field distance in the legend: 9.5 m in feet, 6.25 m
  } cases[] = {{"horizontal", Horizontal(), ">31,2 ft around the mast<"}, {"vertical", Vertical(), ">6,2 m either side<"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LocalStyleScope scope({",", "%d.%m.%Y"});
    const std::string svg = HeatMapSvg(c.example.image, c.example.marks, 640, 480);
    EXPECT_NE(svg.find(c.label), std::string::npos);
    for (const auto& a : test::Attributes(svg)) EXPECT_TRUE(test::MachineReadable(a)) << a.name << "=" << a.value;
  }
}

}  // namespace
}  // namespace zento
