#include "station/plot_view.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>

#include "core/number_text.h"
#include "report/station_text.h"
#include "station/results_models.h"

namespace zento::station {
namespace {

const QColor kColours[2] = {QColor(0x1f, 0x4e, 0x96), QColor(0xc0, 0x50, 0x00)};  // controlled, uncontrolled
const QColor kComplies(0x1b, 0x5e, 0x20);
const QColor kExceeds(0xb0, 0x00, 0x20);

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// The chart is given at construction: one set later would orphan the view's own default chart.
PlotView::PlotView(QWidget* parent) : QChartView(new QChart, parent) {
  setObjectName(QStringLiteral("plot"));
  setRenderHint(QPainter::Antialiasing);
  setFocusPolicy(Qt::NoFocus);
  QChart* chart = this->chart();
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->hide();  // the lines are named on the chart itself
  chart->setMargins(QMargins(4, 4, 4, 4));
  x_ = new QLogValueAxis(chart);
  x_->setLabelFormat(QStringLiteral("%g"));
  x_->setMinorTickCount(8);
  // Solid hairlines: a dashed grid of a hundred lines would cost the window its frame.
  const QPen minor(QColor(0xe6, 0xe6, 0xe6), 0);
  x_->setMinorGridLinePen(minor);
  y_ = new QLogValueAxis(chart);
  y_->setLabelFormat(QStringLiteral("%g"));
  // Seven decades of density: their major lines are grid enough.
  y_->setMinorTickCount(0);
  y_->setTitleText(tr("Power density (W/m\u00b2)"));
  chart->addAxis(x_, Qt::AlignBottom);
  chart->addAxis(y_, Qt::AlignLeft);
  for (int e = 0; e < 2; ++e) {
    density_[e] = new QLineSeries(chart);
    density_[e]->setPen(QPen(kColours[e], 2.5));
    limit_[e] = new QLineSeries(chart);
    limit_[e]->setPen(QPen(kColours[e], 1.5, Qt::DashLine));
    safe_[e] = new QScatterSeries(chart);
    safe_[e]->setColor(kColours[e]);
    safe_[e]->setBorderColor(Qt::white);
    safe_[e]->setMarkerSize(11);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(density_[e]), static_cast<QAbstractSeries*>(limit_[e]),
          static_cast<QAbstractSeries*>(safe_[e])}) {
      attach(series);
    }
    limitLabel_[e] = newLabel(kColours[e]);
    safeLabel_[e] = newLabel(kColours[e]);
  }
  connect(chart, &QChart::plotAreaChanged, this, [this] { placeLabelItems(); });
}

QGraphicsSimpleTextItem* PlotView::newLabel(const QColor& colour) {
  auto* label = new QGraphicsSimpleTextItem(chart());
  label->setBrush(colour);
  label->setZValue(10);
  return label;
}

void PlotView::attach(QAbstractSeries* series) {
  chart()->addSeries(series);
  series->attachAxis(x_);
  series->attachAxis(y_);
}

void PlotView::showPlot(const Station& s, const std::optional<Plot>& plot, const QString& why) {
  QChart* chart = this->chart();
  labels_.clear();
  if (!plot) {
    chart->setTitle(why);
    for (int e = 0; e < 2; ++e) {
      density_[e]->clear();
      limit_[e]->clear();
      safe_[e]->clear();
      limitLabel_[e]->hide();
      safeLabel_[e]->hide();
    }
    for (auto* line : places_) line->clear();
    for (auto* label : placeLabels_) label->hide();
    return;
  }
  // Titles and ranges are set only when they change: each change lays the chart out again.
  if (chart->title() != Q(plot->title)) chart->setTitle(Q(plot->title));
  const LengthUnit unit = s.units;
  const QString xTitle =
      unit == LengthUnit::kFeet ? tr("Distance from the antenna (feet)") : tr("Distance from the antenna (meters)");
  if (x_->titleText() != xTitle) x_->setTitleText(xTitle);
  const double xMin = FromMeters(plot->minMeters, unit), xMax = FromMeters(plot->maxMeters, unit);
  if (x_->min() != xMin || x_->max() != xMax) x_->setRange(xMin, xMax);
  if (y_->min() != plot->minWm2 || y_->max() != plot->maxWm2) y_->setRange(plot->minWm2, plot->maxWm2);
  for (std::size_t c = 0; c < plot->curves.size() && c < 2; ++c) {
    const PlotCurve& curve = plot->curves[c];
    const auto e = static_cast<int>(curve.environment);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(curve.points.size()));
    for (const auto& [meters, density] : curve.points) points.append({FromMeters(meters, unit), density});
    density_[e]->replace(points);
    limit_[e]->replace({{xMin, curve.limitWm2}, {xMax, curve.limitWm2}});
    const QPointF safe(FromMeters(curve.safeDistanceMeters, unit), curve.limitWm2);
    safe_[e]->replace({safe});
    limitLabel_[e]->setText(tr("%1 limit %2 W/m\u00b2%3")
                                .arg(Q(EnvironmentName(s, curve.environment)), Q(FormatGeneral(curve.limitWm2, 4)),
                                     curve.instantaneous ? tr(" (peak)") : QString()));
    safeLabel_[e]->setText(tr("met at %1").arg(Q(StationDistance(s, curve.safeDistanceMeters))));
    // The stricter limit's texts go below its line, the other's above, so they never meet.
    const bool lower = plot->curves.size() == 2 && curve.limitWm2 <= plot->curves[1 - c].limitWm2;
    labels_.push_back(
        {limitLabel_[e], limit_[e], {xMin, curve.limitWm2}, lower ? Anchor::kBelowRight : Anchor::kAboveRight});
    labels_.push_back({safeLabel_[e], safe_[e], safe, lower ? Anchor::kBelowRight : Anchor::kAboveRight});
    limitLabel_[e]->show();
    safeLabel_[e]->show();
  }
  // One vertical line a place; lines are made or dropped only when the number of places changes.
  while (places_.size() < plot->places.size()) {
    auto* line = new QLineSeries(chart);
    attach(line);
    places_.push_back(line);
    auto* label = newLabel(kComplies);
    label->setRotation(-90);
    placeLabels_.push_back(label);
  }
  while (places_.size() > plot->places.size()) {
    chart->removeSeries(places_.back());
    delete places_.back();
    places_.pop_back();
    delete placeLabels_.back();
    placeLabels_.pop_back();
  }
  for (std::size_t p = 0; p < plot->places.size(); ++p) {
    const PlotPlace& place = plot->places[p];
    const double x = FromMeters(place.distanceMeters, unit);
    places_[p]->replace({{x, plot->minWm2}, {x, plot->maxWm2}});
    places_[p]->setPen(QPen(place.complies ? kComplies : kExceeds, place.complies ? 1.5 : 2.5, Qt::DotLine));
    const QString text = tr("%1: %2, %3").arg(Q(place.name), Q(PercentText(place.share)), VerdictText(place.complies));
    places_[p]->setName(text);
    placeLabels_[p]->setText(text);
    placeLabels_[p]->setBrush(place.complies ? kComplies : kExceeds);
    placeLabels_[p]->show();
    labels_.push_back({placeLabels_[p], places_[p], {x, plot->maxWm2}, Anchor::kAlongLine});
  }
  placeLabelItems();
}

void PlotView::placeLabelItems() {
  for (const Label& label : labels_) {
    const QPointF at = chart()->mapToPosition(label.at, label.series);
    const QRectF box = label.item->boundingRect();
    switch (label.anchor) {
      case Anchor::kAlongLine:  // read upwards along the line, just right of it, from near the top
        label.item->setPos(at.x() + 2, at.y() + box.width() + 6);
        break;
      case Anchor::kAboveRight:
        label.item->setPos(at.x() + 6, at.y() - box.height() - 2);
        break;
      case Anchor::kBelowRight:
        label.item->setPos(at.x() + 6, at.y() + 2);
        break;
    }
  }
}

void PlotView::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  placeLabelItems();
}

QList<QLineSeries*> PlotView::placeLines() const { return {places_.begin(), places_.end()}; }

QLineSeries* PlotView::density(Environment environment) const { return density_[static_cast<int>(environment)]; }

QStringList PlotView::placeLabels() const {
  QStringList texts;
  for (const auto* label : placeLabels_) texts << label->text();
  return texts;
}

QStringList PlotView::labelTexts() const {
  QStringList texts = {chart()->title(), x_->titleText(), y_->titleText()};
  for (const Label& label : labels_) texts << label.item->text();
  return texts;
}

}  // namespace zento::station
