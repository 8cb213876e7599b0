#include "station/plot_view.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
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

PlotView::PlotView(QWidget* parent) : QChartView(parent) {
  setObjectName(QStringLiteral("plot"));
  setRenderHint(QPainter::Antialiasing);
  setFocusPolicy(Qt::NoFocus);
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  setChart(chart);
  x_ = new QLogValueAxis(chart);
  x_->setLabelFormat(QStringLiteral("%g"));
  x_->setMinorTickCount(8);
  y_ = new QLogValueAxis(chart);
  y_->setLabelFormat(QStringLiteral("%g"));
  y_->setMinorTickCount(8);
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
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(density_[e]), static_cast<QAbstractSeries*>(limit_[e]),
                                    static_cast<QAbstractSeries*>(safe_[e])}) {
      attach(series);
    }
  }
  connect(chart, &QChart::plotAreaChanged, this, [this] { placeLabelItems(); });
}

void PlotView::attach(QAbstractSeries* series) {
  chart()->addSeries(series);
  series->attachAxis(x_);
  series->attachAxis(y_);
}

void PlotView::showPlot(const Station& s, const std::optional<Plot>& plot, const QString& why) {
  QChart* chart = this->chart();
  if (!plot) {
    chart->setTitle(why);
    for (int e = 0; e < 2; ++e) {
      density_[e]->clear();
      limit_[e]->clear();
      safe_[e]->clear();
    }
    for (auto* line : places_) line->clear();
    for (auto* label : labels_) label->hide();
    return;
  }
  chart->setTitle(Q(plot->title));
  const LengthUnit unit = s.units;
  x_->setTitleText(unit == LengthUnit::kFeet ? tr("Distance from the antenna (feet)")
                                             : tr("Distance from the antenna (meters)"));
  const double xMin = FromMeters(plot->minMeters, unit), xMax = FromMeters(plot->maxMeters, unit);
  x_->setRange(xMin, xMax);
  y_->setRange(plot->minWm2, plot->maxWm2);
  for (std::size_t c = 0; c < plot->curves.size() && c < 2; ++c) {
    const PlotCurve& curve = plot->curves[c];
    const auto e = static_cast<int>(curve.environment);
    const QString environment = Q(EnvironmentName(s, curve.environment));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(curve.points.size()));
    for (const auto& [meters, density] : curve.points) points.append({FromMeters(meters, unit), density});
    density_[e]->replace(points);
    density_[e]->setName(curve.instantaneous ? tr("Peak density, %1").arg(environment) : tr("Density, %1").arg(environment));
    limit_[e]->replace({{xMin, curve.limitWm2}, {xMax, curve.limitWm2}});
    limit_[e]->setName(tr("Limit %1 W/m\u00b2").arg(Q(FormatGeneral(curve.limitWm2, 4))));
    safe_[e]->replace({{FromMeters(curve.safeDistanceMeters, unit), curve.limitWm2}});
    safe_[e]->setName(tr("Limit met at %1").arg(Q(StationDistance(s, curve.safeDistanceMeters))));
  }
  // One vertical line a place; lines are made or dropped only when the number of places changes.
  while (places_.size() < plot->places.size()) {
    auto* line = new QLineSeries(chart);
    attach(line);
    for (QLegendMarker* marker : chart->legend()->markers(line)) marker->setVisible(false);
    places_.push_back(line);
    auto* label = new QGraphicsSimpleTextItem(chart);
    label->setRotation(-90);
    label->setZValue(10);
    labels_.push_back(label);
  }
  while (places_.size() > plot->places.size()) {
    chart->removeSeries(places_.back());
    delete places_.back();
    places_.pop_back();
    delete labels_.back();
    labels_.pop_back();
  }
  labelAnchors_.clear();
  for (std::size_t p = 0; p < plot->places.size(); ++p) {
    const PlotPlace& place = plot->places[p];
    const double x = FromMeters(place.distanceMeters, unit);
    places_[p]->replace({{x, plot->minWm2}, {x, plot->maxWm2}});
    places_[p]->setPen(QPen(place.complies ? kComplies : kExceeds, place.complies ? 1.5 : 2.5, Qt::DotLine));
    const QString text = tr("%1: %2, %3").arg(Q(place.name), Q(PercentText(place.share)), VerdictText(place.complies));
    places_[p]->setName(text);
    labels_[p]->setText(text);
    labels_[p]->setBrush(place.complies ? kComplies : kExceeds);
    labels_[p]->show();
    labelAnchors_.emplace_back(x, plot->maxWm2);
  }
  placeLabelItems();
}

void PlotView::placeLabelItems() {
  for (std::size_t p = 0; p < labelAnchors_.size() && p < labels_.size(); ++p) {
    const QPointF top = chart()->mapToPosition(labelAnchors_[p], places_[p]);
    // Read upwards along the line, just right of it, from a little below the top of the plot.
    const qreal width = labels_[p]->boundingRect().width();
    labels_[p]->setPos(top.x() + 2, top.y() + width + 6);
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
  for (const auto* label : labels_) texts << label->text();
  return texts;
}

}  // namespace zento::station
