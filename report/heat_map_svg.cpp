// A heat map of one plane of the near field: cells in bands of the cividis colour map, whose
// lightness rises with the share, and over them in black and white the lines and marks.
#include "report/heat_map_svg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

#include "core/number_text.h"
#include "core/plot.h"
#include "report/heat_map_lines.h"
#include "report/local_style.h"
#include "report/record.h"
#include "report/station_text.h"
#include "report/svg_text_fit.h"
#include "report/translation.h"

namespace zento {
namespace {

constexpr int kDecades = 3;  // from 1 % to 1000 %
constexpr int kBandsPerDecade = 10;
constexpr int kBands = kHeatMapBands;
static_assert(kBands == kDecades * kBandsPerDecade);
constexpr const char* kAntennaColour = "#000";

// Cividis (Nuñez, Anderton and Renslow, 2018), 17 even stops of its table: blue to yellow, its
// lightness rising throughout, the same to the common colour-vision deficiencies.
constexpr std::array<std::uint32_t, 17> kCividis = {0x00224e, 0x002e6a, 0x1a386f, 0x32436d, 0x434e6c, 0x535a6d,
                                                    0x61656f, 0x6f7073, 0x7d7c78, 0x8b8778, 0x9a9376, 0xaaa073,
                                                    0xbbad6d, 0xccba64, 0xddc858, 0xefd748, 0xfee838};

std::string BandColour(int band) {
  const std::uint32_t rgb = HeatMapBandRgb(band);
  std::string hex = "#";
  for (const int shift : {20, 16, 12, 8, 4, 0}) hex += "0123456789abcdef"[(rgb >> shift) & 15];
  return hex;
}

// Short numbers: fixed, trailing zeros dropped, never "-0".
std::string Num(double v, int decimals = 1) {
  std::string text = FormatFixed(v, decimals);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

struct PlaceRing {
  double x = 0.0, y = 0.0;         // pixels
  std::vector<std::string> forms;  // the label, longest first
};

// Each place's label right beside its ring (right, left, above, below, then further round) in its
// longest form that finds room: inside the map, clear of the labels before it and of `taken`, and
// further from every other ring than from its own, so that no label is read as another's.
std::vector<std::optional<std::pair<LabelBox, std::size_t>>> LabelsBeside(const std::vector<PlaceRing>& rings,
                                                                          const LabelBox& area,
                                                                          std::vector<LabelBox> taken, double font) {
  std::vector<std::optional<std::pair<LabelBox, std::size_t>>> labels(rings.size());
  for (std::size_t i = 0; i < rings.size(); ++i) {
    const double x = rings[i].x, y = rings[i].y;
    for (std::size_t form = 0; form < rings[i].forms.size() && !labels[i]; ++form) {
      const double w = TextWidth(rings[i].forms[form], font) + 4, h = font + 4;
      for (const LabelBox& box :
           {LabelBox{x + 6, y - h / 2, w, h}, LabelBox{x - 6 - w, y - h / 2, w, h},
            LabelBox{x - w / 2, y - 6 - h, w, h}, LabelBox{x - w / 2, y + 6, w, h}, LabelBox{x + 6, y - h, w, h},
            LabelBox{x + 6, y, w, h}, LabelBox{x - 6 - w, y - h, w, h}, LabelBox{x - 6 - w, y, w, h},
            LabelBox{x + 4, y - 4 - h, w, h}, LabelBox{x - 4 - w, y - 4 - h, w, h}, LabelBox{x + 4, y + 4, w, h},
            LabelBox{x - 4 - w, y + 4, w, h}}) {
        bool clear = box.Inside(area);
        for (const LabelBox& other : taken) clear = clear && !box.Intersects(other);
        for (std::size_t j = 0; j < rings.size(); ++j) {
          clear = clear && (j == i || !box.Intersects({rings[j].x - 9, rings[j].y - 9, 18, 18}));
        }
        if (clear) {
          labels[i] = {box, form};
          taken.push_back(box);
          break;
        }
      }
    }
  }
  return labels;
}

// SVG path data; a closed line closed with Z.
std::string PathData(const std::vector<CellLine>& lines) {
  std::string d;
  for (const CellLine& line : lines) {
    const bool closed = line.size() > 2 && line.front().u == line.back().u && line.front().v == line.back().v;
    const std::size_t count = closed ? line.size() - 1 : line.size();
    // Appended piece by piece: g++ 12 at -O3 takes chained temporaries for an overlapping copy.
    for (std::size_t i = 0; i < count; ++i) {
      d.append(i == 0 ? "M" : " ").append(Num(line[i].u, 2)).append(" ").append(Num(line[i].v, 2));
    }
    if (closed) d += "Z";
  }
  return d;
}

}  // namespace

int HeatMapBand(double share) {
  if (NoShareNumber(share)) return -1;
  if (!(share > kHeatMapFloor)) return 0;
  const double band = std::floor((std::log10(share) - std::log10(kHeatMapFloor)) * kBandsPerDecade);
  return static_cast<int>(std::clamp(band, 0.0, kBands - 1.0));
}

std::uint32_t HeatMapBandRgb(int band) {
  if (band < 0) return kHeatMapAntennaRgb;
  const double t = std::min(band, kBands - 1) / (kBands - 1.0) * (kCividis.size() - 1);
  const std::size_t i = std::min(static_cast<std::size_t>(t), kCividis.size() - 2);
  const double f = t - static_cast<double>(i);
  std::uint32_t rgb = 0;
  for (const int shift : {16, 8, 0}) {
    const double a = (kCividis[i] >> shift) & 0xff, b = (kCividis[i + 1] >> shift) & 0xff;
    rgb |= static_cast<std::uint32_t>(std::lround(a + (b - a) * f)) << shift;
  }
  return rgb;
}

std::string HeatMapSvg(const GridImage& image, const HeatMapMarks& marks, int widthPx, int heightPx) {
  // The picture's frame, in pixels: the map at left, square cells, the legend at its right.
  constexpr double kTop = 30, kLeft = 56, kBelow = 44, kGap = 22, kPad = 8;
  constexpr double kFont = 11, kBar = 150;
  const bool wires = !marks.wires.empty(), places = !marks.places.empty(), farField = marks.farFieldMeters.has_value();
  const double perUnit = FromMeters(1.0, marks.units);
  const std::string unit = marks.units == LengthUnit::kFeet ? "ft" : "m";
  const std::string farDistance = farField ? LocalNumber(Num(*marks.farFieldMeters * perUnit)) + " " + unit : "";
  // TRANSLATORS: the far-field formula's distance in the heat map's legend, "12.5 m either side".
  const std::string farText = !farField      ? std::string()
                              : image.vertical ? Subst(Tr("%1 either side"), {farDistance})
                                               : Subst(Tr("%1 around the mast"), {farDistance});
  double legendW = TextWidth(Tr("share of the limit"), kFont);
  for (const std::string& text : {std::string(Tr("place and its share")), farText}) {
    legendW = std::max(legendW, 28 + TextWidth(text, kFont));
  }
  const int cols = std::max(image.columns, 1), rows = std::max(image.rows, 1);
  const bool valid =
      image.columns > 0 && image.rows > 0 && image.step > 0.0 &&
      image.shares.size() == static_cast<std::size_t>(image.columns) * static_cast<std::size_t>(image.rows);
  const double s =
      std::max(1.0, std::min((widthPx - kLeft - kGap - legendW - kPad) / cols, (heightPx - kTop - kBelow) / rows));
  const double x0 = kLeft, mapW = cols * s, mapH = rows * s, y0 = kTop + mapH;  // y0: the map's foot
  const double legendX = x0 + mapW + kGap;
  const double legendH = 20 + kBar + 24 + 20.0 * (2 + farField + wires + places) + (farField ? 14 : 0);
  const double width = std::ceil(legendX + legendW + kPad), height = std::ceil(std::max(y0 + kBelow, kTop + legendH));
  auto X = [&](double u) { return x0 + u * s; };
  auto Y = [&](double v) { return y0 - v * s; };
  // The plane's coordinates (meters) in cell units, and the distances the axes show.
  auto U = [&](double a) { return (a - image.left) / image.step + 0.5; };
  auto V = [&](double b) { return (b - image.bottom) / image.step + 0.5; };
  const double originA = image.vertical ? 0.0 : image.mast.x, originB = image.vertical ? 0.0 : image.mast.y;
  auto projected = [&](const Vec3& p) -> CellPoint {
    if (!image.vertical) return {U(p.x), V(p.y)};
    const double b = image.bearingDegrees * std::numbers::pi / 180.0;
    return {U((p.x - image.mast.x) * std::sin(b) + (p.y - image.mast.y) * std::cos(b)), V(p.z)};
  };

  // What the picture shows, in words.
  // TRANSLATORS: the heat map's text for screen readers; %1 its title.
  std::string words =
      Subst(Tr("Share of the exposure limit, %1: a heat map on a logarithmic scale from 1 % to 1000 %, the 100 % line "
               "drawn"),
            {marks.title});
  // TRANSLATORS: %1 the text so far, %2 the far-field formula's distance.
  if (farField) words = Subst(Tr("%1, the far-field formula's %2 dashed"), {words, farDistance});
  std::string named;
  for (std::size_t i = 0; i < marks.places.size(); ++i) {
    // TRANSLATORS: a place's name and its share, "Yard 45.2 %".
    const std::string place = Subst(Tr("%1 %2"), {marks.places[i].name, PercentText(marks.places[i].share)});
    named = i == 0 ? place : Subst(Tr("%1, %2"), {named, place});
  }
  // TRANSLATORS: the heat map's text so far, then its places and their shares.
  if (!named.empty()) words = Subst(Tr("%1; places: %2"), {words, named});
  const std::string w = Num(width, 0), h = Num(height, 0);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                    "\" viewBox=\"0 0 " + w + " " + h +
                    "\" font-family=\"sans-serif\" font-size=\"11\" role=\"img\" aria-label=\"" + HtmlEscape(words) +
                    "\"><title>" + HtmlEscape(words) + "</title>";
  const std::string title = Fitted(marks.title, 13, width - x0 - kPad);  // the <title> holds it whole
  svg += "<text x=\"" + Num(x0) + "\" y=\"18\" font-size=\"13\">" + HtmlEscape(title) + "</text>";
  if (!valid) {
    return svg + "<text x=\"" + Num(x0) + "\" y=\"" + Num(kTop + 20) +
           "\">" + HtmlEscape(Tr("No picture: the plane holds no points.")) + "</text></svg>";
  }

  // The cells, a run of one band in a row as one rectangle, one path per band; each stroked in
  // its own colour, a little, so that no seam shows between neighbours.
  std::vector<std::string> bands(kBands + 1);  // the last: at the antenna
  std::vector<LabelBox> taken;                 // the antenna's cells: no label over them
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols;) {
      const int band = HeatMapBand(image.At(c, r));
      int end = c + 1;
      while (end < cols && HeatMapBand(image.At(end, r)) == band) ++end;
      const std::string n = std::to_string(end - c);
      if (band < 0) taken.push_back({X(c), Y(r + 1), (end - c) * s, s});
      bands[static_cast<std::size_t>(band < 0 ? kBands : band)]
          .append("M")
          .append(std::to_string(c))
          .append(" ")
          .append(std::to_string(r))
          .append("h")
          .append(n)
          .append("v1h-")
          .append(n)
          .append("z");
      c = end;
    }
  }
  svg += "<g id=\"map\" transform=\"matrix(" + Num(s, 4) + " 0 0 " + Num(-s, 4) + " " + Num(x0) + " " + Num(y0) +
         ")\" fill=\"none\" stroke-linejoin=\"round\" stroke-linecap=\"round\"><g id=\"cells\" stroke-width=\"" +
         FormatGeneral(0.6 / s, 3) + "\">";
  for (int b = 0; b <= kBands; ++b) {
    if (bands[static_cast<std::size_t>(b)].empty()) continue;
    const std::string colour = b == kBands ? kAntennaColour : BandColour(b);
    svg += "<path fill=\"" + colour + "\" stroke=\"" + colour + "\" d=\"" + bands[static_cast<std::size_t>(b)] + "\"/>";
  }
  svg += "</g>";
  // Over the cells in black on a white halo, readable on every colour: the wires (white on black,
  // to tell them from the lines), the far-field distance dashed, the 100 % line.
  auto stroke = [&](const std::string& d, const char* colour, double widthPixels, const std::string& extra = "") {
    if (d.empty()) return std::string();
    return "<path d=\"" + d + "\" stroke=\"" + colour + "\" stroke-width=\"" + FormatGeneral(widthPixels / s, 3) +
           "\"" + extra + "/>";
  };
  if (wires) {
    std::vector<CellLine> lines;
    for (const auto& [a, b] : marks.wires) {
      for (CellLine& part : ClippedToCells({projected(a), projected(b)}, cols, rows)) lines.push_back(std::move(part));
    }
    const std::string d = PathData(lines);
    svg += stroke(d, "#000", 3.0) + stroke(d, "#fff", 1.2, " id=\"wires\"");
  }
  if (farField) {
    const double d = *marks.farFieldMeters;
    std::vector<CellLine> lines;
    auto add = [&](const CellLine& line) {
      for (CellLine& part : ClippedToCells(line, cols, rows)) lines.push_back(std::move(part));
    };
    if (image.vertical) {
      for (const double across : {-d, d}) add({{U(across), 0.0}, {U(across), static_cast<double>(rows)}});
    } else {
      CellLine circle;
      for (int k = 0; k <= 240; ++k) {
        const double angle = 2.0 * std::numbers::pi * k / 240;
        circle.push_back({U(image.mast.x + d * std::cos(angle)), V(image.mast.y + d * std::sin(angle))});
      }
      add(circle);
    }
    const std::string path = PathData(lines);
    svg += stroke(path, "#fff", 3.4) + stroke(path, "#000", 1.4,
                                              " id=\"far-field\" stroke-dasharray=\"" + FormatGeneral(6 / s, 3) + " " +
                                                  FormatGeneral(4 / s, 3) + "\"");
  }
  const std::string contour = PathData(HundredPercentLines(image));
  svg += stroke(contour, "#fff", 4.0) + stroke(contour, "#000", 1.8, " id=\"contour\"") + "</g>";
  svg += "<rect x=\"" + Num(x0) + "\" y=\"" + Num(kTop) + "\" width=\"" + Num(mapW) + "\" height=\"" + Num(mapH) +
         "\" fill=\"none\" stroke=\"#000\"/>";

  // Axes: distances from the mast (heights from the ground) in the station's unit, at round steps.
  auto axis = [&](bool across) {
    const double edge = (across ? image.left : image.bottom) - image.step / 2.0;
    const double origin = across ? originA : originB;
    const double lo = (edge - origin) * perUnit, hi = lo + (across ? cols : rows) * image.step * perUnit;
    const double target = std::max(3.0, (across ? mapW : mapH) / 60.0);
    const double raw = (hi - lo) / target, decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10.0 * decade;
    for (const double m : {5.0, 2.0, 1.0}) {
      if (m * decade >= raw) step = m * decade;
    }
    std::string out;
    const double firstTick = std::ceil(lo / step - 1e-9);
    for (int i = 0; i <= 50 && (firstTick + i) * step <= hi + 1e-9 * step; ++i) {  // bounded, whatever the numbers
      const double label = (firstTick + i) * step, meters = origin + label / perUnit;
      if (across) {
        const double x = X(U(meters));
        out += "<line x1=\"" + Num(x) + "\" y1=\"" + Num(y0) + "\" x2=\"" + Num(x) + "\" y2=\"" + Num(y0 + 4) +
               "\" stroke=\"#000\"/><text class=\"tick-a\" x=\"" + Num(x) + "\" y=\"" + Num(y0 + 16) +
               "\" text-anchor=\"middle\">" + LocalNumber(Num(label, 6)) + "</text>";
      } else {
        const double y = Y(V(meters));
        out += "<line x1=\"" + Num(x0 - 4) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(x0) + "\" y2=\"" + Num(y) +
               "\" stroke=\"#000\"/><text class=\"tick-b\" x=\"" + Num(x0 - 6) + "\" y=\"" + Num(y + 4) +
               "\" text-anchor=\"end\">" + LocalNumber(Num(label, 6)) + "</text>";
      }
    }
    return out;
  };
  svg += axis(true) + axis(false);
  const std::string bearing = LocalNumber(FormatGeneral(image.bearingDegrees, 4));
  // TRANSLATORS: the heat map's axes; %1 the bearing in degrees, %2 (or %1) the unit, m or ft.
  const std::string across = image.vertical ? Subst(Tr("distance from the mast towards %1\xC2\xB0 (%2)"), {bearing, unit})
                                            : Subst(Tr("distance east of the mast (%1)"), {unit});
  const std::string up = image.vertical ? Subst(Tr("height above the ground (%1)"), {unit})
                                        : Subst(Tr("distance north of the mast (%1)"), {unit});
  svg += "<text x=\"" + Num(x0 + mapW / 2) + "\" y=\"" + Num(y0 + 34) + "\" text-anchor=\"middle\">" +
         HtmlEscape(across) + "</text>";
  svg += "<text transform=\"rotate(-90)\" x=\"" + Num(-(kTop + mapH / 2)) + "\" y=\"16\" text-anchor=\"middle\">" +
         HtmlEscape(up) + "</text>";

  // The places: a ring each, named with its share beside it.
  std::vector<PlaceRing> rings;
  for (const HeatMapPlace& place : marks.places) {
    const double x = X(U(place.a)), y = Y(V(place.b));
    if (!(x >= x0 && x <= x0 + mapW && y >= kTop && y <= y0)) continue;
    const std::string share = " " + PercentText(place.share);
    rings.push_back({x, y, {place.name + share, Cut(place.name, 12) + share, Cut(place.name, 5) + share}});
  }
  const auto labels = LabelsBeside(rings, {x0, kTop, mapW, mapH}, std::move(taken), kFont);
  for (std::size_t i = 0; i < rings.size(); ++i) {
    svg += "<circle class=\"place\" cx=\"" + Num(rings[i].x) + "\" cy=\"" + Num(rings[i].y) +
           "\" r=\"3.5\" fill=\"#fff\" stroke=\"#000\" stroke-width=\"1.5\"/>";
    if (!labels[i]) continue;  // no room: the record's tables name it
    const auto& [box, form] = *labels[i];
    svg += "<rect x=\"" + Num(box.x) + "\" y=\"" + Num(box.y) + "\" width=\"" + Num(box.width) + "\" height=\"" +
           Num(box.height) + "\" fill=\"#fff\" fill-opacity=\"0.85\"/><text x=\"" + Num(box.x + 2) + "\" y=\"" +
           Num(box.y + 2 + 0.95 * kFont) + "\">" + HtmlEscape(rings[i].forms[form]) + "</text>";
  }

  // The legend: the scale with its decades and where 100 % lies on it, then each mark.
  const double barTop = kTop + 20, barFoot = barTop + kBar, bandH = kBar / kBands;
  svg += "<g id=\"legend\"><text x=\"" + Num(legendX) + "\" y=\"" + Num(kTop + 8) + "\">" +
         HtmlEscape(Tr("share of the limit")) + "</text>";
  for (int b = 0; b < kBands; ++b) {
    const std::string colour = BandColour(b);
    svg += "<rect x=\"" + Num(legendX) + "\" y=\"" + Num(barFoot - (b + 1) * bandH, 2) + "\" width=\"14\" height=\"" +
           Num(bandH, 2) + "\" fill=\"" + colour + "\" stroke=\"" + colour + "\" stroke-width=\"0.4\"/>";
  }
  svg += "<rect x=\"" + Num(legendX) + "\" y=\"" + Num(barTop) + "\" width=\"14\" height=\"" + Num(kBar) +
         "\" fill=\"none\" stroke=\"#000\" stroke-width=\"0.8\"/>";
  for (int e = 0; e <= kDecades; ++e) {
    const double y = barFoot - e * kBar / kDecades;
    svg += "<line x1=\"" + Num(legendX + 14) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(legendX + 18) + "\" y2=\"" +
           Num(y) + "\" stroke=\"#000\"/><text x=\"" + Num(legendX + 21) + "\" y=\"" + Num(y + 4) + "\">" +
           std::to_string(static_cast<int>(std::lround(100.0 * kHeatMapFloor * std::pow(10.0, e)))) + " %</text>";
  }
  const double hundred = barFoot - kBar * (-std::log10(kHeatMapFloor)) / kDecades;
  svg += "<line x1=\"" + Num(legendX - 3) + "\" y1=\"" + Num(hundred) + "\" x2=\"" + Num(legendX + 17) + "\" y2=\"" +
         Num(hundred) + "\" stroke=\"#fff\" stroke-width=\"4\"/><line x1=\"" + Num(legendX - 3) + "\" y1=\"" +
         Num(hundred) + "\" x2=\"" + Num(legendX + 17) + "\" y2=\"" + Num(hundred) +
         "\" stroke=\"#000\" stroke-width=\"1.8\"/>";
  double y = barFoot + 24;
  auto entry = [&](const std::string& sample, const std::string& text, const std::string& second = "") {
    svg += sample + "<text x=\"" + Num(legendX + 28) + "\" y=\"" + Num(y + 4) + "\">" + HtmlEscape(text) + "</text>";
    if (!second.empty()) {
      y += 14;
      svg += "<text x=\"" + Num(legendX + 28) + "\" y=\"" + Num(y + 4) + "\">" + HtmlEscape(second) + "</text>";
    }
    y += 20;
  };
  auto sampleLine = [&](const char* colour, double widthPixels, const std::string& extra = "") {
    return "<line x1=\"" + Num(legendX) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(legendX + 22) + "\" y2=\"" + Num(y) +
           "\" stroke=\"" + colour + "\" stroke-width=\"" + Num(widthPixels) + "\"" + extra + "/>";
  };
  entry("<rect id=\"legend-antenna\" x=\"" + Num(legendX + 4) + "\" y=\"" + Num(y - 6) +
            "\" width=\"14\" height=\"12\" fill=\"" + kAntennaColour + "\"/>",
        Tr("at the antenna"));
  // xgettext:no-c-format
  entry(sampleLine("#fff", 4) + sampleLine("#000", 1.8), Tr("100 % of the limit"));
  if (farField) {
    entry(sampleLine("#fff", 3.4) + sampleLine("#000", 1.4, " stroke-dasharray=\"6 4\""), Tr("far-field formula,"),
          farText);
  }
  if (wires) entry(sampleLine("#000", 3) + sampleLine("#fff", 1.2), Tr("antenna wires"));
  if (places) {
    entry("<circle cx=\"" + Num(legendX + 11) + "\" cy=\"" + Num(y) +
              "\" r=\"3.5\" fill=\"#fff\" stroke=\"#000\" stroke-width=\"1.5\"/>",
          Tr("place and its share"));
  }
  return svg + "</g></svg>";
}

}  // namespace zento
