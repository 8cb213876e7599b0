// Drawing a heat map as the record's pictures are drawn: over the cells in black on a white halo
// (readable on every colour and in grey) the lines, then the marks, the axes and the legend.
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "core/number_text.h"
#include "core/plot.h"
#include "report/heat_map_svg.h"
#include "station/heat_map_view.h"
#include "station/local_text.h"

namespace zento::station {
namespace {


QPainterPath PathOf(const std::vector<QPointF>& points, bool closed) {
  QPainterPath path;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i == 0) {
      path.moveTo(points[i]);
    } else {
      path.lineTo(points[i]);
    }
  }
  if (closed) path.closeSubpath();
  return path;
}

// A line in black over a white halo; `style` for dashes and dots.
void Haloed(QPainter& painter, const QPainterPath& path, double width, double halo, Qt::PenStyle style) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(path);
  painter.setPen(QPen(Qt::black, width, style, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(path);
}

QString Num(double value) { return LocalNum(FormatGeneral(value, 6)); }

}  // namespace

void HeatMapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().text().color());
  if (!picture_ || cells_.isNull()) {
    painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, message_);
    return;
  }
  const Frame f = frame();
  QFont title = font();
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRectF(f.x0, 4, width() - f.x0 - 4, f.top - 6), Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(title).elidedText(picture_->title, Qt::ElideRight, width() - static_cast<int>(f.x0) - 4));
  painter.setFont(font());
  paintMap(painter, f);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.save();
  painter.setClipRect(QRectF(f.x0, f.top, f.width, f.height));
  paintLines(painter, f);
  paintMarks(painter, f);
  painter.restore();
  paintAxes(painter, f);
  if (picture_->outOfDate) {
    const QRectF map(f.x0, f.top, f.width, f.height);
    painter.setPen(palette().text().color());
    painter.drawText(map.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                     tr("Out of date: the engine is computing the new near field"));
  }
}

void HeatMapView::paintMap(QPainter& painter, const Frame& f) const {
  const QRectF map(f.x0, f.top, f.width, f.height);
  // Greyed while out of date: the old picture shows through, faint.
  if (picture_->outOfDate) painter.setOpacity(0.3);
  painter.drawImage(map, cells_);
  painter.setOpacity(1.0);
}

void HeatMapView::paintLines(QPainter& painter, const Frame& f) const {
  const HeatMapPicture& p = *picture_;
  const GridImage& g = p.image;
  // A point of the site in the plane's coordinates: as it is from above, along the bearing upright.
  const double bearing = g.bearingDegrees * std::numbers::pi / 180.0;
  const auto plane = [&](const Vec3& v) -> QPointF {
    if (!g.vertical) return toWidget(v.x, v.y);
    return toWidget((v.x - g.mast.x) * std::sin(bearing) + (v.y - g.mast.y) * std::cos(bearing), v.z);
  };
  if (!p.wires.empty()) {
    QPainterPath wires;
    for (const auto& [a, b] : p.wires) {
      wires.moveTo(plane(a));
      wires.lineTo(plane(b));
    }
    painter.setPen(QPen(Qt::black, 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(wires);
    painter.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(wires);
  }
  if (p.farFieldMeters) {
    const double r = *p.farFieldMeters / g.step * f.cell;
    QPainterPath far;
    if (g.vertical) {
      for (const double across : {-*p.farFieldMeters, *p.farFieldMeters}) {
        far.moveTo(QPointF(toWidget(across, 0.0).x(), f.top));
        far.lineTo(QPointF(toWidget(across, 0.0).x(), f.Foot()));
      }
    } else {
      far.addEllipse(toWidget(g.mast.x, g.mast.y), r, r);
    }
    Haloed(painter, far, 1.4, 3.4, Qt::DashLine);
  }
  QPainterPath contour;
  for (const CellLine& line : contour_) {
    std::vector<QPointF> points;
    for (const CellPoint& c : line) points.push_back(fromCell(c));
    const bool closed = line.size() > 2 && line.front().u == line.back().u && line.front().v == line.back().v;
    contour.addPath(PathOf(points, closed));
  }
  Haloed(painter, contour, 1.8, 4.0, Qt::SolidLine);
  // The compliance boundary in each direction, dotted, a square where it lies.
  bool any = false;
  std::vector<QPointF> corners;
  for (const BoundaryDirection& d : p.boundary) {
    const double b = d.bearingDegrees * std::numbers::pi / 180.0;
    corners.push_back(toWidget(g.mast.x + d.meters * std::sin(b), g.mast.y + d.meters * std::cos(b)));
    any = any || d.meters > 0.0;
  }
  if (!any || g.vertical) return;
  Haloed(painter, PathOf(corners, true), 1.5, 3.5, Qt::DotLine);
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(Qt::white);
  for (const QPointF& c : corners) painter.drawRect(QRectF(c.x() - 2.5, c.y() - 2.5, 5, 5));
}

void HeatMapView::paintMarks(QPainter& painter, const Frame& f) const {
  const HeatMapPicture& p = *picture_;
  const QFontMetricsF metrics(font());
  std::vector<LabelRequest> requests;
  std::vector<LabelBox> rings;
  std::vector<QPointF> at;
  std::vector<QString> labels;
  const auto request = [&](const QString& label, QPointF c) {
    LabelRequest r{LabelAnchor::kPoint, c.x(), c.y(), {}};
    const QString shorter = metrics.elidedText(label, Qt::ElideMiddle, 110);
    for (const QString& text : {label, shorter}) r.sizes.emplace_back(metrics.horizontalAdvance(text) + 4, metrics.height() + 2);
    requests.push_back(std::move(r));
    labels.push_back(label);
  };
  const GridImage& g = p.image;
  for (const auto& mark : p.circles) {
    const double r = mark.a / g.step * f.cell;
    QPainterPath circle;
    circle.addEllipse(toWidget(g.mast.x, g.mast.y), r, r);
    Haloed(painter, circle, 1.2, 3.0, Qt::DashDotLine);
    request(mark.label, toWidget(g.mast.x, g.mast.y + mark.a));
  }
  for (const auto& mark : p.places) {
    const QPointF c = dragging_ == Dragging::kPlace && mark.index == dragged_ ? dragAt_ : toWidget(mark.a, mark.b);
    at.push_back(c);
    rings.push_back({c.x() - 6, c.y() - 6, 12, 12});
    request(mark.label, c);
  }
  painter.setPen(QPen(Qt::black, 1.5));
  painter.setBrush(Qt::white);
  for (const QPointF& c : at) painter.drawEllipse(c, 3.5, 3.5);
  // The masts: a triangle each, this picture's filled.
  for (std::size_t i = 0; i < p.masts.size(); ++i) {
    const auto& mark = p.masts[i];
    const QPointF c = dragging_ == Dragging::kMast && mark.index == dragged_ ? dragAt_ : toWidget(mark.a, mark.b);
    const QPolygonF triangle({c + QPointF(0, -6), c + QPointF(5.5, 4), c + QPointF(-5.5, 4)});
    painter.setPen(QPen(i == 0 ? Qt::white : Qt::black, 1.5));
    painter.setBrush(i == 0 ? Qt::black : Qt::white);
    painter.drawPolygon(triangle);
  }
  const auto placed = PlaceLabels(requests, {f.x0, f.top, f.width, f.height}, rings);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (!placed[i].free) continue;
    const LabelBox& box = placed[i].box;
    const QRectF r(box.x, box.y, box.width, box.height);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 215));
    painter.drawRect(r);
    painter.setPen(Qt::black);
    const QString& label = labels[i];
    painter.drawText(r, Qt::AlignCenter,
                     placed[i].size == 0 ? label : metrics.elidedText(label, Qt::ElideMiddle, 110));
  }
}

void HeatMapView::paintAxes(QPainter& painter, const Frame& f) const {
  const GridImage& g = picture_->image;
  painter.setPen(palette().text().color());
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(f.x0, f.top, f.width, f.height));
  const double perUnit = FromMeters(1.0, picture_->units);
  const QString unit = picture_->units == LengthUnit::kFeet ? tr("ft") : tr("m");
  // Distances from the mast (heights from the ground) in the station's unit, at round steps.
  for (const bool across : {true, false}) {
    const double origin = g.vertical ? 0.0 : (across ? g.mast.x : g.mast.y);
    const double edge = (across ? g.left : g.bottom) - g.step / 2.0;
    const double lo = (edge - origin) * perUnit, hi = lo + (across ? g.columns : g.rows) * g.step * perUnit;
    const double raw = (hi - lo) / std::max(3.0, (across ? f.width : f.height) / 60.0);
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10.0 * decade;
    for (const double m : {5.0, 2.0, 1.0}) {
      if (m * decade >= raw) step = m * decade;
    }
    const double firstTick = std::ceil(lo / step - 1e-9);
    for (int i = 0; i <= 50 && (firstTick + i) * step <= hi + 1e-9 * step; ++i) {
      const double label = (firstTick + i) * step, meters = origin + label / perUnit;
      if (across) {
        const double x = toWidget(meters, 0.0).x();
        painter.drawLine(QPointF(x, f.Foot()), QPointF(x, f.Foot() + 4));
        painter.drawText(QRectF(x - 30, f.Foot() + 4, 60, 14), Qt::AlignCenter, Num(label));
      } else {
        const double y = toWidget(0.0, meters).y();
        painter.drawLine(QPointF(f.x0 - 4, y), QPointF(f.x0, y));
        painter.drawText(QRectF(0, y - 7, f.x0 - 6, 14), Qt::AlignRight | Qt::AlignVCenter, Num(label));
      }
    }
  }
  const QString below = g.vertical ? tr("toward %1\u00b0 (%2)").arg(Num(g.bearingDegrees), unit)
                                   : tr("east of the mast (%1)").arg(unit);
  painter.drawText(QRectF(f.x0, f.Foot() + 18, f.width, 16), Qt::AlignCenter, below);
  // Upwards beside the map, as much of it as the map's height takes.
  const QString side = g.vertical ? tr("height (%1)").arg(unit) : tr("north of the mast (%1)").arg(unit);
  painter.save();
  painter.translate(12, f.top + f.height / 2);
  painter.rotate(-90);
  painter.drawText(QRectF(-f.height / 2, -8, f.height, 16), Qt::AlignCenter,
                   QFontMetrics(font()).elidedText(side, Qt::ElideMiddle, static_cast<int>(f.height)));
  painter.restore();
}

namespace {

constexpr double kScaleWidth = 180, kRow = 20;

QStringList LegendEntries() {
  return {QObject::tr("at the antenna"), QObject::tr("100 % of the limit"), QObject::tr("far-field formula"),
          QObject::tr("boundary"),       QObject::tr("wires"),              QObject::tr("place, its share"),
          QObject::tr("mast"),           QObject::tr("place at a distance")};
}

// An entry's sign, 22 pixels wide, centred on the height y.
void Sign(QPainter& painter, int entry, double x, double y) {
  switch (entry) {
    case 0:
      painter.fillRect(QRectF(x + 4, y - 6, 14, 12), Qt::black);
      break;
    case 1:
    case 2:
    case 3: {
      const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
      Haloed(painter, PathOf({{x, y}, {x + 22, y}}, false), entry == 1 ? 1.8 : 1.5, entry == 1 ? 4.0 : 3.5,
             styles[entry - 1]);
      break;
    }
    case 4:
      painter.setPen(QPen(Qt::black, 3.0));
      painter.drawLine(QPointF(x, y), QPointF(x + 22, y));
      painter.setPen(QPen(Qt::white, 1.2));
      painter.drawLine(QPointF(x, y), QPointF(x + 22, y));
      break;
    case 5:
      painter.setPen(QPen(Qt::black, 1.5));
      painter.setBrush(Qt::white);
      painter.drawEllipse(QPointF(x + 11, y), 3.5, 3.5);
      break;
    case 7:
      Haloed(painter, PathOf({{x, y}, {x + 22, y}}, false), 1.2, 3.0, Qt::DashDotLine);
      break;
    default:
      painter.setPen(QPen(Qt::white, 1.5));
      painter.setBrush(Qt::black);
      painter.drawPolygon(QPolygonF({QPointF(x + 11, y - 6), QPointF(x + 16.5, y + 4), QPointF(x + 5.5, y + 4)}));
  }
}

}  // namespace

HeatMapLegend::HeatMapLegend(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setAccessibleName(tr("The heat maps' scale"));
  setAccessibleDescription(tr("Share of the limit on a logarithmic colour scale from 1 % to 1000 %; black at the "
                              "antenna; solid line: 100 %; dashed: the far-field formula's distance; dotted: the "
                              "compliance boundary; white on black: the wires; rings: the places; triangles: masts; dash-dotted circles: the "
                              "places known by their distance"));
}

int HeatMapLegend::layOut(int width, std::vector<QPointF>* at) const {
  // The scale first, then the entries, a row of them at a time.
  const QFontMetricsF metrics(font());
  double x = metrics.horizontalAdvance(tr("share of the limit")) + 12 + kScaleWidth + 40, y = kRow / 2 + 6;
  for (const QString& entry : LegendEntries()) {
    const double w = 28 + metrics.horizontalAdvance(entry) + 14;
    // The first row is the scale's, with its figures under it.
    if (x + w > width && x > 0) x = 0, y += y < kRow ? kRow + 10 : kRow;
    if (at != nullptr) at->emplace_back(x, y);
    x += w;
  }
  return static_cast<int>(y + kRow / 2 + 12);
}

int HeatMapLegend::heightForWidth(int width) const { return layOut(width, nullptr); }

QSize HeatMapLegend::sizeHint() const { return {600, layOut(600, nullptr)}; }

void HeatMapLegend::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetricsF metrics(font());
  const QString title = tr("share of the limit");
  const double y = kRow / 2 + 6, x0 = metrics.horizontalAdvance(title) + 8, band = kScaleWidth / kHeatMapBands;
  painter.setPen(palette().text().color());
  painter.drawText(QPointF(0, y + 4), title);
  painter.setPen(Qt::NoPen);
  for (int b = 0; b < kHeatMapBands; ++b) {
    painter.setBrush(QColor(QRgb(HeatMapBandRgb(b))));
    painter.drawRect(QRectF(x0 + b * band, y - 7, band + 0.5, 14));
  }
  painter.setPen(palette().text().color());
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(x0, y - 7, kScaleWidth, 14));
  for (int decade = 0; decade <= 3; ++decade) {
    const double x = x0 + decade * kScaleWidth / 3;
    painter.drawLine(QPointF(x, y + 7), QPointF(x, y + 10));
    painter.drawText(QRectF(x - 25, y + 9, 50, 14), Qt::AlignCenter,
                     QStringLiteral("%1 %").arg(static_cast<int>(std::pow(10.0, decade))));
  }
  const double hundred = x0 + 2 * kScaleWidth / 3;
  Haloed(painter, PathOf({{hundred, y - 10}, {hundred, y + 10}}, false), 1.8, 4.0, Qt::SolidLine);
  std::vector<QPointF> at;
  layOut(width(), &at);
  const QStringList entries = LegendEntries();
  for (std::size_t i = 0; i < at.size(); ++i) {
    Sign(painter, static_cast<int>(i), at[i].x(), at[i].y());
    painter.setPen(palette().text().color());
    painter.drawText(QPointF(at[i].x() + 28, at[i].y() + 4), entries[static_cast<qsizetype>(i)]);
  }
}

}  // namespace zento::station
