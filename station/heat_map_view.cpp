#include "station/heat_map_view.h"

#include <QMouseEvent>
#include <cmath>
#include <numbers>

#include "report/heat_map_svg.h"

namespace zento::station {
namespace {

// The frame around the map, in pixels, as the record's pictures have it.
constexpr double kTop = 28, kLeft = 50, kBelow = 36, kPad = 8;
constexpr double kGrab = 9;  // how near a mark the mouse takes it

}  // namespace

QColor HeatMapColour(double share) { return QColor(QRgb(HeatMapBandRgb(HeatMapBand(share)))); }

HeatMapView::HeatMapView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void HeatMapView::showPicture(std::optional<HeatMapPicture> picture, const QString& why) {
  picture_ = std::move(picture);
  message_ = why;
  contour_.clear();
  cells_ = QImage();
  if (picture_) {
    const GridImage& g = picture_->image;
    if (g.columns > 0 && g.rows > 0 && g.shares.size() == static_cast<std::size_t>(g.columns * g.rows)) {
      // One pixel a point, the first row at the foot; drawn scaled, without smoothing.
      cells_ = QImage(g.columns, g.rows, QImage::Format_RGB32);
      for (int r = 0; r < g.rows; ++r) {
        auto* line = reinterpret_cast<QRgb*>(cells_.scanLine(g.rows - 1 - r));
        for (int c = 0; c < g.columns; ++c) line[c] = HeatMapColour(g.At(c, r)).rgb();
      }
      contour_ = HundredPercentLines(g);
    }
    setAccessibleDescription(picture_->title);
  } else {
    setAccessibleDescription(why);
  }
  update();
}

HeatMapView::Frame HeatMapView::frame() const {
  Frame f;
  f.top = kTop;
  if (!picture_) return f;
  const GridImage& g = picture_->image;
  const int columns = std::max(g.columns, 1), rows = std::max(g.rows, 1);
  f.x0 = kLeft;
  f.top = kTop;
  f.cell = std::max(0.5, std::min((width() - kLeft - kPad) / columns,
                                  (height() - kTop - kBelow) / rows));
  f.width = columns * f.cell;
  f.height = rows * f.cell;
  return f;
}

QPointF HeatMapView::fromCell(const CellPoint& p) const {
  const Frame f = frame();
  return {f.x0 + p.u * f.cell, f.Foot() - p.v * f.cell};
}

QPointF HeatMapView::toWidget(double a, double b) const {
  if (!picture_) return {};
  const GridImage& g = picture_->image;
  return fromCell({(a - g.left) / g.step + 0.5, (b - g.bottom) / g.step + 0.5});
}

std::pair<double, double> HeatMapView::toPlane(const QPointF& at) const {
  const Frame f = frame();
  const GridImage& g = picture_->image;
  const double u = (at.x() - f.x0) / f.cell, v = (f.Foot() - at.y()) / f.cell;
  return {g.left + (u - 0.5) * g.step, g.bottom + (v - 0.5) * g.step};
}

std::optional<std::pair<int, int>> HeatMapView::cellAt(const QPointF& at) const {
  if (!picture_ || cells_.isNull()) return std::nullopt;
  const Frame f = frame();
  const double u = (at.x() - f.x0) / f.cell, v = (f.Foot() - at.y()) / f.cell;
  const GridImage& g = picture_->image;
  if (!(u >= 0.0 && v >= 0.0 && u < g.columns && v < g.rows)) return std::nullopt;
  return std::pair(static_cast<int>(u), static_cast<int>(v));
}

QString HeatMapView::readoutAt(const QPointF& at) const {
  const auto cell = cellAt(at);
  if (!cell || !picture_->readout) return {};
  return picture_->readout(cell->first, cell->second);
}

void HeatMapView::mousePressEvent(QMouseEvent* event) {
  if (!movable_ || !picture_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const auto near = [&](const HeatMapPicture::Mark& mark) {
    const QPointF d = toWidget(mark.a, mark.b) - event->position();
    return std::hypot(d.x(), d.y()) <= kGrab;
  };
  for (const auto& mark : picture_->places) {
    if (near(mark)) dragging_ = Dragging::kPlace, dragged_ = mark.index;
  }
  for (const auto& mark : picture_->masts) {
    if (dragging_ == Dragging::kNothing && near(mark)) dragging_ = Dragging::kMast, dragged_ = mark.index;
  }
  dragAt_ = event->position();
  if (dragging_ != Dragging::kNothing) setCursor(Qt::ClosedHandCursor);
}

void HeatMapView::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ == Dragging::kNothing) {
    emit pointed(readoutAt(event->position()));
    return;
  }
  dragAt_ = event->position();
  update();
  if (dragging_ == Dragging::kPlace) {
    const auto [x, y] = toPlane(dragAt_);
    emit placeMoved(dragged_, x, y, false);
  }
}

void HeatMapView::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_ == Dragging::kNothing || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const Dragging what = std::exchange(dragging_, Dragging::kNothing);
  unsetCursor();
  const auto [x, y] = toPlane(event->position());
  if (what == Dragging::kPlace) emit placeMoved(dragged_, x, y, true);
  if (what == Dragging::kMast) emit mastMoved(dragged_, x, y);
  update();
}

void HeatMapView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit pointed({});
}

}  // namespace zento::station
