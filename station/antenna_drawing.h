#pragma once
// A small drawing of an antenna's wires, from above (north up, the mast and the heading marked)
// and from the side (facing the heading, the ground below), each with a scale.

#include <QWidget>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/station_model.h"

namespace zento::station {

class AntennaDrawing : public QWidget {
  Q_OBJECT

 public:
  explicit AntennaDrawing(QWidget* parent = nullptr);

  struct Wires {
    std::vector<std::pair<Vec3, Vec3>> wires;  // on the site
    std::vector<Vec3> feeds;
    double mastX = 0.0, mastY = 0.0, headingDegrees = 0.0;
    LengthUnit units = LengthUnit::kMeters;
  };
  // The wires, or none with the reason in words.
  void showWires(std::optional<Wires> wires, const QString& why = {});
  const std::optional<Wires>& wires() const { return wires_; }
  const QString& message() const { return message_; }

  QSize sizeHint() const override { return {360, 170}; }
  QSize minimumSizeHint() const override { return {240, 140}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<Wires> wires_;
  QString message_;
};

}  // namespace zento::station
