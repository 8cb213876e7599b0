#include "station/plot_view.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <algorithm>

#include "core/number_text.h"
#include "report/station_text.h"
#include "report/translation.h"
#include "station/local_text.h"
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
  // The axes' numbers in the user's locale (a comma before the decimals in German and French).
  chart->setLocalizeNumbers(true);
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);  // 1000, not 1,000 or 1.000
  chart->setLocale(locale);
  x_->setLabelFormat(QStringLiteral("%.6g"));
  x_->setMinorTickCount(8);
  // Solid hairlines: a dashed grid of a hundred lines would cost the window its frame.
  const QPen minor(QColor(0xe6, 0xe6, 0xe6), 0);
  x_->setMinorGridLinePen(minor);
  y_ = new QLogValueAxis(chart);
  y_->setLabelFormat(QStringLiteral("%.6g"));
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

void PlotView::showPlot(const Station& s, const std::optional<Plot>& plot, const QString& title) {
  QChart* chart = this->chart();
  labels_.clear();
  if (!plot) {
    chart->setTitle(title);
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
  if (chart->title() != title) chart->setTitle(title);
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
    const QString environment = QString::fromStdString(EnvironmentName(s, curve.environment));
    // "occupational/controlled" is "controlled" where room is short.
    const QString shortEnvironment = environment.section(QLatin1Char('/'), -1);
    labels_.push_back({limitLabel_[e], limit_[e], {xMax, curve.limitWm2}, LabelAnchor::kHorizontalLine,
                       environment, shortEnvironment,
                       // TRANSLATORS: follows an environment's name on the plot ("general public limit 2 W/m²")
                       (curve.instantaneous ? tr(" limit %1 W/m\u00b2 (peak)") : tr(" limit %1 W/m\u00b2"))
                           .arg(LocalNum(FormatGeneral(curve.limitWm2, 4)))});
    limitLabel_[e]->show();
    // A limit met at no distance (nothing on the air) has no point on a logarithmic axis.
    safeLabel_[e]->setVisible(curve.safeDistanceMeters > 0.0);
    if (curve.safeDistanceMeters > 0.0) {
      labels_.push_back({safeLabel_[e], safe_[e], safe, LabelAnchor::kPoint, QString(), QString(),
                         tr("met at %1").arg(LocalNum(StationDistance(s, curve.safeDistanceMeters)))});
    }
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
    // TRANSLATORS: follows a place's name on the plot: its share of the limit, its verdict
    const QString rest = tr(": %1, %2").arg(LocalNum(PercentText(place.share)), VerdictText(place.complies));
    places_[p]->setName(Q(place.name) + rest);
    placeLabels_[p]->setBrush(place.complies ? kComplies : kExceeds);
    placeLabels_[p]->setText(Q(place.name) + rest);
    // A place at the antenna has no distance to draw on a logarithmic axis: the tables say it.
    const bool drawn = place.distanceMeters > 0.0;
    placeLabels_[p]->setVisible(drawn);
    if (!drawn) continue;
    labels_.push_back({placeLabels_[p], places_[p], {x, plot->maxWm2}, LabelAnchor::kVerticalLine,
                       Q(place.name), Q(place.name), rest});
  }
  placeLabelItems();
}

void PlotView::placeLabelItems() {
  if (labels_.empty()) {
    setToolTip({});
    return;
  }
  const QRectF area = chart()->plotArea();
  // Each text in the longest form that fits: whole, with a shorter name, with its name cut short.
  std::vector<QStringList> texts;
  std::vector<LabelRequest> requests;
  for (const Label& label : labels_) {
    const QFontMetricsF metrics(label.item->font());
    const double room = (label.anchor == LabelAnchor::kVerticalLine ? area.height() : area.width()) - 8.0;
    QStringList forms = {label.name + label.rest};
    if (label.shortName != label.name) forms << label.shortName + label.rest;
    // Then ever shorter place names, the figures and the verdict kept whole.
    for (const double share : {1.0, 0.6, 0.35}) {
      if (label.anchor != LabelAnchor::kVerticalLine) break;
      QString name = metrics.elidedText(label.shortName, Qt::ElideRight,
                                        share * room - metrics.horizontalAdvance(label.rest));
      if (name.size() < 2) name = label.shortName.left(1) + QChar(0x2026);  // never cut to nothing
      if (!forms.contains(name + label.rest)) forms << name + label.rest;
    }
    LabelRequest request{label.anchor, 0.0, 0.0, {}};
    const QPointF at = chart()->mapToPosition(label.at, label.series);
    request.x = at.x();
    request.y = at.y();
    for (const QString& form : forms) {
      label.item->setText(form);
      request.sizes.emplace_back(label.item->boundingRect().width(), label.item->boundingRect().height());
    }
    texts.push_back(forms);
    requests.push_back(std::move(request));
  }
  // The dots where the limits are met stay uncovered.
  std::vector<LabelBox> marks;
  for (QScatterSeries* safe : safe_) {
    if (safe->count() == 0 || !(safe->at(0).x() > 0.0)) continue;
    const QPointF dot = chart()->mapToPosition(safe->at(0), safe);
    const double size = safe->markerSize();
    marks.push_back({dot.x() - size / 2, dot.y() - size / 2, size, size});
  }
  // The places' verdicts first, whole where they can be; then where each limit is met, beside its
  // dot; then the limits, which have the whole width to slide along.
  const auto rank = [](LabelAnchor anchor) {
    return anchor == LabelAnchor::kVerticalLine ? 0 : anchor == LabelAnchor::kPoint ? 1 : 2;
  };
  std::vector<std::size_t> order(labels_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return rank(labels_[a].anchor) < rank(labels_[b].anchor); });
  std::vector<LabelRequest> ordered;
  for (const std::size_t i : order) ordered.push_back(requests[i]);
  const auto placed = PlaceLabels(ordered, {area.x(), area.y(), area.width(), area.height()}, marks);
  QStringList hidden;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const Label& label = labels_[order[k]];
    const PlacedLabel& where = placed[k];
    label.item->setText(texts[order[k]][static_cast<qsizetype>(where.size)]);
    // A text with no room left is not drawn over another; the chart's tooltip has it.
    label.item->setVisible(where.free);
    if (!where.free) hidden << texts[order[k]].front();
    // A place's text is turned to read upwards about its own top left corner.
    label.item->setPos(where.box.x, label.anchor == LabelAnchor::kVerticalLine ? where.box.Bottom() : where.box.y);
  }
  setToolTip(hidden.join(QLatin1Char('\n')));
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

QList<QRectF> PlotView::labelRects() const {
  QList<QRectF> rects;
  for (const Label& label : labels_) {
    if (label.item->isVisible()) rects << label.item->mapRectToParent(label.item->boundingRect());
  }
  return rects;
}

QStringList PlotView::labelTexts() const {
  QStringList texts = {chart()->title(), x_->titleText(), y_->titleText()};
  for (const Label& label : labels_) {
    if (label.item->isVisible()) texts << label.item->text();
  }
  return texts;
}

}  // namespace zento::station
