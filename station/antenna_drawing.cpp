#include "station/antenna_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <numbers>

#include "core/number_text.h"
#include "station/local_text.h"

namespace zento::station {
namespace {

// A drawing's points in its own two coordinates (meters), fitted into a box with equal scales.
struct View {
  QRectF box;
  double left = 0.0, bottom = 0.0, scale = 1.0;  // meters at the box's foot, pixels per meter
  QPointF At(double u, double v) const { return {box.left() + (u - left) * scale, box.bottom() - (v - bottom) * scale}; }
};

View Fit(const QRectF& box, const std::vector<QPointF>& points) {
  double u0 = 1e300, u1 = -1e300, v0 = 1e300, v1 = -1e300;
  for (const QPointF& p : points) {
    u0 = std::min(u0, p.x()), u1 = std::max(u1, p.x());
    v0 = std::min(v0, p.y()), v1 = std::max(v1, p.y());
  }
  const double span = std::max({u1 - u0, v1 - v0, 0.5});
  View view{box, 0.0, 0.0, std::min(box.width() / std::max(u1 - u0, span * 0.2), box.height() / std::max(v1 - v0, span * 0.2))};
  view.left = (u0 + u1) / 2.0 - box.width() / 2.0 / view.scale;
  view.bottom = (v0 + v1) / 2.0 - box.height() / 2.0 / view.scale;
  return view;
}

// A round length that is a fair part of `meters`, as a scale bar: 1, 2 or 5 times a power of ten.
double RoundLength(double meters) {
  const double decade = std::pow(10.0, std::floor(std::log10(std::max(meters, 1e-3))));
  for (const double m : {5.0, 2.0}) {
    if (m * decade <= meters) return m * decade;
  }
  return decade;
}

}  // namespace

AntennaDrawing::AntennaDrawing(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setMinimumHeight(minimumSizeHint().height());
}

void AntennaDrawing::showWires(std::optional<Wires> wires, const QString& why) {
  wires_ = std::move(wires);
  message_ = why;
  setAccessibleDescription(wires_ ? tr("The antenna's wires from above and from the side") : why);
  update();
}

void AntennaDrawing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  painter.setPen(palette().text().color());
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (!wires_ || wires_->wires.empty()) {
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, message_);
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  const Wires& w = *wires_;
  const double h = w.headingDegrees * std::numbers::pi / 180.0;
  // From above: east and north of the mast. From the side: to the right of the heading, and up.
  const auto above = [&](const Vec3& p) { return QPointF(p.x - w.mastX, p.y - w.mastY); };
  const auto side = [&](const Vec3& p) {
    return QPointF((p.x - w.mastX) * std::cos(h) - (p.y - w.mastY) * std::sin(h), p.z);
  };
  const double half = width() / 2.0;
  const struct {
    QString title;
    QRectF box;
    std::function<QPointF(const Vec3&)> project;
    bool ground;
  } panes[] = {{tr("From above (north up)"), QRectF(10, 22, half - 20, height() - 46), above, false},
               {tr("From the side, facing the heading"), QRectF(half + 10, 22, half - 20, height() - 46), side, true}};
  for (const auto& pane : panes) {
    std::vector<QPointF> points = {pane.project({w.mastX, w.mastY, 0.0})};
    for (const auto& [a, b] : w.wires) points.insert(points.end(), {pane.project(a), pane.project(b)});
    const View view = Fit(pane.box, points);
    painter.setPen(palette().text().color());
    painter.drawText(QRectF(pane.box.left(), 4, pane.box.width(), 16), Qt::AlignLeft, pane.title);
    if (pane.ground) {
      painter.setPen(QPen(palette().mid().color(), 1.0));
      const QPointF ground = view.At(0.0, 0.0);
      painter.drawLine(QPointF(pane.box.left(), ground.y()), QPointF(pane.box.right(), ground.y()));
    } else {
      // The mast, and an arrow toward the heading.
      const QPointF mast = view.At(0.0, 0.0);
      const QPointF tip = mast + QPointF(std::sin(h), -std::cos(h)) * 22.0;
      painter.setPen(QPen(palette().mid().color(), 1.5));
      painter.drawLine(mast, tip);
      painter.drawLine(tip, tip + QPointF(std::sin(h + 2.6), -std::cos(h + 2.6)) * 7.0);
      painter.drawLine(tip, tip + QPointF(std::sin(h - 2.6), -std::cos(h - 2.6)) * 7.0);
      painter.drawEllipse(mast, 2.5, 2.5);
    }
    // One path, each wire's segments joined where they meet, so that no seam shows between them.
    QPainterPath path;
    for (const auto& [a, b] : w.wires) {
      const QPointF pa = pane.project(a), pb = pane.project(b), from = view.At(pa.x(), pa.y());
      const QPointF gap = path.currentPosition() - from;
      if (path.elementCount() == 0 || std::abs(gap.x()) + std::abs(gap.y()) > 0.5) path.moveTo(from);
      path.lineTo(view.At(pb.x(), pb.y()));
    }
    painter.setPen(QPen(palette().text().color(), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setBrush(QColor(0xb0, 0x00, 0x20));
    painter.setPen(Qt::NoPen);
    for (const Vec3& feed : w.feeds) {
      const QPointF f = pane.project(feed);
      painter.drawEllipse(view.At(f.x(), f.y()), 3.0, 3.0);
    }
    painter.setBrush(Qt::NoBrush);
    // A scale bar, in the station's unit.
    const double perUnit = FromMeters(1.0, w.units);
    const double length = RoundLength(pane.box.width() / 3.0 / view.scale * perUnit);
    const double pixels = length / perUnit * view.scale;
    const QPointF start(pane.box.left(), height() - 12.0);
    painter.setPen(QPen(palette().text().color(), 1.0));
    painter.drawLine(start, start + QPointF(pixels, 0));
    painter.drawText(start + QPointF(pixels + 4, 4),
                     LocalNum(FormatGeneral(length, 3)) +
                         (w.units == LengthUnit::kFeet ? tr(" ft") : tr(" m")));
  }
}

}  // namespace zento::station
