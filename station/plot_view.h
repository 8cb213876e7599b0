#pragma once
// The power density around the antenna for one band, log-log: each environment's density and
// limit, where each limit is met, and each place as a vertical line named with its verdict.

#include <QChartView>
#include <optional>
#include <vector>

#include "core/plot.h"

class QGraphicsSimpleTextItem;
class QLineSeries;
class QLogValueAxis;
class QScatterSeries;

namespace zento::station {

class PlotView : public QChartView {
  Q_OBJECT

 public:
  explicit PlotView(QWidget* parent = nullptr);
  // The plot of a band under its `title`, or none (with `title` saying why).
  void showPlot(const Station& station, const std::optional<Plot>& plot, const QString& title);

  // For tests and the benchmark: the series as the chart has them.
  QList<QLineSeries*> placeLines() const;
  QLineSeries* density(Environment environment) const;
  QStringList placeLabels() const;
  QStringList labelTexts() const;  // every text shown on the chart: titles, labels
  QList<QRectF> labelRects() const;  // where each label is, in the chart's coordinates

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // A text on the chart, kept beside a point or line of a series as the plot area moves: its
  // name part is shortened when the whole text fits nowhere.
  struct Label {
    QGraphicsSimpleTextItem* item;
    QAbstractSeries* series;
    QPointF at;  // in the series' values
    LabelAnchor anchor;
    QString name, shortName, rest;
  };
  void placeLabelItems();
  void attach(QAbstractSeries* series);
  QGraphicsSimpleTextItem* newLabel(const QColor& colour);

  QLogValueAxis* x_;
  QLogValueAxis* y_;
  QLineSeries* density_[2];
  QLineSeries* limit_[2];
  QScatterSeries* safe_[2];
  QGraphicsSimpleTextItem* limitLabel_[2];
  QGraphicsSimpleTextItem* safeLabel_[2];
  std::vector<QLineSeries*> places_;
  std::vector<QGraphicsSimpleTextItem*> placeLabels_;
  std::vector<Label> labels_;  // where each shown text goes
};

}  // namespace zento::station
