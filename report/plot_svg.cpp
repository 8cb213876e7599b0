// The power-density plot as SVG: log-log axes, one curve and one limit line per environment,
// the safe distances marked, and each place as a labelled vertical line.
#include <cmath>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "report/record.h"
#include "report/local_style.h"
#include "report/station_text.h"
#include "report/translation.h"

namespace zento {
namespace {

constexpr const char* kColours[] = {"#1f4e9c", "#c25400"};  // controlled, uncontrolled

struct Frame {
  double left = 70, right, top = 30, bottom;
  double minX, maxX, minY, maxY;  // log10 of the distance in the station's unit, and of W/m²
  double unitsPerMeter = 1.0;

  double X(double meters) const {
    return left + (right - left) * (std::log10(meters * unitsPerMeter) - minX) / (maxX - minX);
  }
  double Y(double wm2) const { return bottom - (bottom - top) * (std::log10(wm2) - minY) / (maxY - minY); }
};

std::string N(double v) { return FormatFixed(v, 1); }

constexpr double kFontSize = 11.0;
constexpr double kLineHeight = 1.2 * kFontSize;  // a text's box, ascent and descent
constexpr double kAscent = 0.95 * kFontSize;

// Advances of DejaVu Sans, the widest of the common sans faces, in thousandths of the size, for
// the printable ASCII characters: a text measured so is never narrower than it is drawn.
constexpr int kAdvances[95] = {317,  400, 459, 837, 636, 950, 779, 274, 390, 390, 500, 837, 317, 360, 317, 336,
                               636,  636, 636, 636, 636, 636, 636, 636, 636, 636, 336, 336, 837, 837, 837, 530,
                               1000, 684, 686, 698, 770, 631, 575, 774, 751, 294, 294, 655, 557, 862, 748, 787,
                               603,  787, 694, 634, 610, 731, 684, 988, 685, 610, 685, 390, 336, 390, 837, 500,
                               500,  612, 634, 549, 634, 615, 352, 634, 633, 277, 277, 579, 277, 974, 633, 611,
                               634,  634, 411, 520, 392, 633, 591, 817, 591, 591, 524, 636, 336, 636, 837};

// The width of UTF-8 text at kFontSize; any other character is taken as a whole em.
double TextWidth(std::string_view text) {
  double thousandths = 0.0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    thousandths += byte >= 32 && byte < 127 ? kAdvances[byte - 32] : 1000;
  }
  return thousandths * kFontSize / 1000.0;
}

// The name cut short, whole characters at a time, so that name and rest fit `room`.
std::string Shortened(std::string name, const std::string& rest, double room) {
  const std::string ellipsis = "\xE2\x80\xA6";
  // At least the first character stays: a place is never left unnamed.
  std::size_t first = name.empty() ? 0 : 1;
  while (first < name.size() && (static_cast<unsigned char>(name[first]) & 0xC0) == 0x80) ++first;
  while (name.size() > first && TextWidth(name + ellipsis + rest) > room) {
    unsigned char last = 0;
    do {  // the last character, all its bytes
      last = static_cast<unsigned char>(name.back());
      name.pop_back();
    } while (!name.empty() && (last & 0xC0) == 0x80);
  }
  return name + ellipsis + rest;
}

std::string Decade(double exponent) {
  const double v = std::pow(10.0, exponent);
  return LocalNumber(v >= 1.0 ? FormatFixed(v, 0) : FormatGeneral(v, 3));
}

}  // namespace

std::string PlotSvg(const Station& station, const Plot& plot, int width, int height) {
  Frame f;
  f.right = width - 20.0;
  f.bottom = height - 90.0;
  // Distances in the unit the station shows them in, on whole decades of it.
  const bool feet = station.units == LengthUnit::kFeet;
  f.unitsPerMeter = feet ? 1.0 / kMetersPerFoot : 1.0;
  f.minX = std::floor(std::log10(plot.minMeters * f.unitsPerMeter));
  f.maxX = std::ceil(std::log10(plot.maxMeters * f.unitsPerMeter));
  f.minY = std::log10(plot.minWm2);
  f.maxY = std::log10(plot.maxWm2);
  const std::string w = std::to_string(width), h = std::to_string(height);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                    "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"sans-serif\" font-size=\"11\" role=\"img\">";
  // TRANSLATORS: the plot's title, %1 the transmitter and its band.
  svg += "<title>" + HtmlEscape(Subst(Tr("Power density against distance: %1"), {plot.title})) + "</title>";
  svg += "<text x=\"" + N(f.left) + "\" y=\"18\" font-size=\"13\">" + HtmlEscape(plot.title) + "</text>";
  // Decade grid and labels.
  for (double e = f.minX; e <= f.maxX + 1e-9; e += 1.0) {
    const double x = f.X(std::pow(10.0, e) / f.unitsPerMeter);
    svg += "<line x1=\"" + N(x) + "\" y1=\"" + N(f.top) + "\" x2=\"" + N(x) + "\" y2=\"" + N(f.bottom) +
           "\" stroke=\"#ddd\"/><text x=\"" + N(x) + "\" y=\"" + N(f.bottom + 14) + "\" text-anchor=\"middle\">" +
           Decade(e) + "</text>";
  }
  for (double e = f.minY; e <= f.maxY + 1e-9; e += 1.0) {
    const double y = f.Y(std::pow(10.0, e));
    svg += "<line x1=\"" + N(f.left) + "\" y1=\"" + N(y) + "\" x2=\"" + N(f.right) + "\" y2=\"" + N(y) +
           "\" stroke=\"#ddd\"/><text x=\"" + N(f.left - 4) + "\" y=\"" + N(y + 4) + "\" text-anchor=\"end\">" +
           Decade(e) + "</text>";
  }
  svg += "<rect id=\"plot-area\" x=\"" + N(f.left) + "\" y=\"" + N(f.top) + "\" width=\"" + N(f.right - f.left) +
         "\" height=\"" + N(f.bottom - f.top) + "\" fill=\"none\" stroke=\"#000\"/>";
  svg += "<text x=\"" + N((f.left + f.right) / 2) + "\" y=\"" + N(f.bottom + 30) +
         "\" text-anchor=\"middle\">" +
         HtmlEscape(feet ? Tr("distance from the antenna (feet)") : Tr("distance from the antenna (m)")) + "</text>";
  svg += "<text transform=\"rotate(-90)\" x=\"" + N(-(f.top + f.bottom) / 2) +
         "\" y=\"16\" text-anchor=\"middle\">" + HtmlEscape(Tr("power density (W/m\xC2\xB2)")) + "</text>";
  // Curves, limits and safe distances.
  for (std::size_t i = 0; i < plot.curves.size(); ++i) {
    const PlotCurve& c = plot.curves[i];
    const std::string colour = kColours[i % 2];
    std::string points;
    for (const auto& [r, s] : c.points) points += N(f.X(r)) + "," + N(f.Y(s)) + " ";
    // The second curve is drawn thinner over the first, so that both show where they coincide.
    svg += "<polyline fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + (i == 0 ? "4" : "1.5") +
           "\" points=\"" + points + "\"/>";
    const double y = f.Y(c.limitWm2);
    svg += "<line x1=\"" + N(f.left) + "\" y1=\"" + N(y) + "\" x2=\"" + N(f.right) + "\" y2=\"" + N(y) +
           "\" stroke=\"" + colour + "\" stroke-dasharray=\"6 4\"/>";
    svg += "<circle cx=\"" + N(f.X(c.safeDistanceMeters)) + "\" cy=\"" + N(y) + "\" r=\"4\" fill=\"" + colour + "\"/>";
    const double legendY = f.bottom + 48 + 14.0 * static_cast<double>(i);
    svg += "<line x1=\"" + N(f.left) + "\" y1=\"" + N(legendY - 4) + "\" x2=\"" + N(f.left + 24) + "\" y2=\"" +
           N(legendY - 4) + "\" stroke=\"" + colour + "\" stroke-width=\"2\"/><text x=\"" + N(f.left + 30) + "\" y=\"" +
           N(legendY) + "\">" +
           HtmlEscape(Subst(c.instantaneous
                                ? Tr("%1: limit %2 W/m\xC2\xB2 (dashed), met from %3, peak power against the "
                                     "instantaneous limit")
                                // TRANSLATORS: %1 the environment, %2 its limit, %3 where it is met.
                                : Tr("%1: limit %2 W/m\xC2\xB2 (dashed), met from %3"),
                            {EnvironmentName(station, c.environment), LocalNumber(FormatGeneral(c.limitWm2, 4)),
                             StationDistance(station, c.safeDistanceMeters)})) +
           "</text>";
  }
  // Places: each named upwards along its line, clear of the others' names and of the dots.
  std::vector<LabelRequest> requests;
  std::vector<std::vector<std::string>> texts;
  std::vector<std::size_t> shown;
  for (std::size_t p = 0; p < plot.places.size(); ++p) {
    const PlotPlace& place = plot.places[p];
    if (!(place.distanceMeters >= plot.minMeters && place.distanceMeters <= plot.maxMeters)) continue;
    // TRANSLATORS: after a place's name on the plot: its share and its verdict.
    const std::string rest = Subst(place.complies ? Tr(": %1 complies") : Tr(": %1 EXCEEDS"), {PercentText(place.share)});
    const double room = f.bottom - f.top - 8.0;
    std::vector<std::string> forms = {place.name + rest};
    for (const double share : {1.0, 0.6, 0.35}) {
      if (TextWidth(forms.back()) > share * room) forms.push_back(Shortened(place.name, rest, share * room));
    }
    LabelRequest request{LabelAnchor::kVerticalLine, f.X(place.distanceMeters), f.top, {}};
    for (const std::string& form : forms) request.sizes.emplace_back(TextWidth(form), kLineHeight);
    requests.push_back(std::move(request));
    texts.push_back(std::move(forms));
    shown.push_back(p);
  }
  std::vector<LabelBox> dots;
  for (const PlotCurve& c : plot.curves) {
    if (c.safeDistanceMeters > 0.0) dots.push_back({f.X(c.safeDistanceMeters) - 4, f.Y(c.limitWm2) - 4, 8, 8});
  }
  const auto placed = PlaceLabels(requests, {f.left, f.top, f.right - f.left, f.bottom - f.top}, dots);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const PlotPlace& place = plot.places[shown[i]];
    const double x = f.X(place.distanceMeters);
    const std::string colour = place.complies ? "#2e7d32" : "#b00020";
    // The text's baseline starts at the foot of its box and is turned to read upwards.
    const double textX = placed[i].box.x + kAscent, textY = placed[i].box.Bottom();
    svg += "<line x1=\"" + N(x) + "\" y1=\"" + N(f.top) + "\" x2=\"" + N(x) + "\" y2=\"" + N(f.bottom) +
           "\" stroke=\"" + colour + "\" stroke-width=\"1.5\"/>";
    if (!placed[i].free) continue;  // no room left on the chart: the tables have it
    svg += "<text id=\"place-" + std::to_string(shown[i]) + "\" x=\"" + N(textX) + "\" y=\"" + N(textY) +
           "\" transform=\"rotate(-90 " + N(textX) + " " + N(textY) + ")\" fill=\"" + colour + "\">" +
           HtmlEscape(texts[i][placed[i].size]) + "</text>";
  }
  return svg + "</svg>";
}

}  // namespace zento
