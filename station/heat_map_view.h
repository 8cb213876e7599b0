#pragma once
// One plane of the near field as the record draws it: the share of the limit at each point on the
// record's logarithmic colour scale, with its legend, the 100 % line, the far-field formula's
// distance, the compliance boundary in each direction, the antenna's wires and the places; the
// value under the mouse pointer said; in the view from above, the places and masts dragged.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/near_field.h"
#include "core/station_model.h"
#include "report/heat_map_lines.h"

namespace zento::station {

struct HeatMapPicture {
  GridImage image;  // its shares, as the view's field choice has them
  QString title;
  LengthUnit units = LengthUnit::kMeters;
  std::optional<double> farFieldMeters;  // a circle around the mast; upright: this far either side
  std::vector<BoundaryDirection> boundary;  // from above: where the limit is met in each direction
  struct Mark {
    QString label;  // "Patio 12.3 %"
    double a = 0.0, b = 0.0;  // in the plane's coordinates: x and y, or across and z
    int index = -1;           // the station's place, or transmitter for a mast
  };
  std::vector<Mark> places;  // each a ring, named
  // From above: the places known by their distance alone, a circle that far around the mast
  // (`a` the radius), named where it crosses north.
  std::vector<Mark> circles;
  std::vector<Mark> masts;   // from above: the antennas' masts, the first this picture's
  std::vector<std::pair<Vec3, Vec3>> wires;
  bool outOfDate = false;  // greyed: the engine is at work on a newer geometry
  // What is at a point of the image, in words ("2.0 m east ...: 45.3 %, E ... V/m, H ... A/m").
  std::function<QString(int column, int row)> readout;
};

class HeatMapView : public QWidget {
  Q_OBJECT

 public:
  explicit HeatMapView(QWidget* parent = nullptr);

  // The picture, or none with the reason in words.
  void showPicture(std::optional<HeatMapPicture> picture, const QString& why = {});
  const std::optional<HeatMapPicture>& picture() const { return picture_; }
  const QString& message() const { return message_; }
  // Places and masts may be dragged (the view from above).
  void setMovable(bool movable) { movable_ = movable; }

  // Where a point of the plane is drawn, and the image's point (column, row) under a position.
  QPointF toWidget(double a, double b) const;
  std::optional<std::pair<int, int>> cellAt(const QPointF& at) const;
  // The words for the point under a position; empty off the map.
  QString readoutAt(const QPointF& at) const;

  QSize sizeHint() const override { return {420, 380}; }
  QSize minimumSizeHint() const override { return {260, 220}; }

 signals:
  // The words for the point under the mouse pointer; empty when it leaves the map.
  void pointed(const QString& text);
  // A place dragged to (x, y) on the site: while dragging (`finished` false) and where it is let go.
  void placeMoved(int place, double x, double y, bool finished);
  // A mast let go at (x, y).
  void mastMoved(int transmitter, double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // Where the map, its cells and the legend lie in the widget.
  struct Frame {
    double x0 = 0.0, top = 0.0, cell = 1.0, width = 0.0, height = 0.0;
    double Foot() const { return top + height; }
  };
  Frame frame() const;
  QPointF fromCell(const CellPoint& p) const;
  std::pair<double, double> toPlane(const QPointF& at) const;
  // paint: heat_map_view_paint.cpp
  void paintMap(QPainter& painter, const Frame& f) const;
  void paintLines(QPainter& painter, const Frame& f) const;
  void paintMarks(QPainter& painter, const Frame& f) const;
  void paintAxes(QPainter& painter, const Frame& f) const;

  std::optional<HeatMapPicture> picture_;
  QString message_;
  QImage cells_;                         // one pixel a point, drawn as square cells
  std::vector<CellLine> contour_;        // the 100 % line, in cell units
  bool movable_ = false;
  enum class Dragging { kNothing, kPlace, kMast } dragging_ = Dragging::kNothing;
  int dragged_ = -1;
  QPointF dragAt_;
};

// The heat maps' colour scale and what each mark means, in a strip below them.
class HeatMapLegend : public QWidget {
  Q_OBJECT

 public:
  explicit HeatMapLegend(QWidget* parent = nullptr);
  QSize sizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Where each entry goes at `width`; the height it all takes.
  int layOut(int width, std::vector<QPointF>* at) const;
};

// The colour of a share on the record's scale.
QColor HeatMapColour(double share);

}  // namespace zento::station
