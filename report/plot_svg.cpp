// The power-density plot as SVG: log-log axes, one curve and one limit line per environment,
// the safe distances marked, and each place as a labelled vertical line.
#include <cmath>
#include <string>

#include "core/number_text.h"
#include "report/record.h"
#include "report/station_text.h"

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

std::string Decade(double exponent) {
  const double v = std::pow(10.0, exponent);
  return v >= 1.0 ? FormatFixed(v, 0) : FormatGeneral(v, 3);
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
  svg += "<title>" + HtmlEscape("Power density against distance: " + plot.title) + "</title>";
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
  svg += "<rect x=\"" + N(f.left) + "\" y=\"" + N(f.top) + "\" width=\"" + N(f.right - f.left) + "\" height=\"" +
         N(f.bottom - f.top) + "\" fill=\"none\" stroke=\"#000\"/>";
  svg += "<text x=\"" + N((f.left + f.right) / 2) + "\" y=\"" + N(f.bottom + 30) +
         "\" text-anchor=\"middle\">distance from the antenna (" + (feet ? "feet" : "m") + ")</text>";
  svg += "<text transform=\"rotate(-90)\" x=\"" + N(-(f.top + f.bottom) / 2) +
         "\" y=\"16\" text-anchor=\"middle\">power density (W/m2)</text>";
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
           HtmlEscape(EnvironmentName(station, c.environment) + ": limit " + FormatGeneral(c.limitWm2, 4) +
                      " W/m2 (dashed), met from " + StationDistance(station, c.safeDistanceMeters) +
                      (c.instantaneous ? ", peak power against the instantaneous limit" : "")) +
           "</text>";
  }
  // Places.
  for (std::size_t p = 0; p < plot.places.size(); ++p) {
    const PlotPlace& place = plot.places[p];
    if (!(place.distanceMeters >= plot.minMeters && place.distanceMeters <= plot.maxMeters)) continue;
    const double x = f.X(place.distanceMeters);
    const std::string colour = place.complies ? "#2e7d32" : "#b00020";
    svg += "<line x1=\"" + N(x) + "\" y1=\"" + N(f.top) + "\" x2=\"" + N(x) + "\" y2=\"" + N(f.bottom) +
           "\" stroke=\"" + colour + "\" stroke-width=\"1.5\"/><text x=\"" + N(x + 3) + "\" y=\"" +
           N(f.top + 12 + 12.0 * static_cast<double>(p % 4)) + "\" fill=\"" + colour + "\">" +
           HtmlEscape(place.name + ": " + PercentText(place.share) + (place.complies ? " complies" : " EXCEEDS")) +
           "</text>";
  }
  return svg + "</svg>";
}

}  // namespace zento
