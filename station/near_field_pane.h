#pragma once
// The near field of the station's antennas: heat maps of the share of the limit from above at the
// person height and from the side through the boundary's farthest direction, for the worst band
// of the station or the one chosen; what the engine is doing, and why there is no near field
// where there is none.

#include <QWidget>

#include "core/near_field.h"

class QComboBox;
class QLabel;
class QProgressBar;

namespace zento::station {

class HeatMapView;
class NearFieldService;
class StationDocument;

class NearFieldPane : public QWidget {
  Q_OBJECT

 public:
  NearFieldPane(StationDocument* document, NearFieldService* service, QWidget* parent = nullptr);

  QComboBox* choice() const { return choice_; }
  QComboBox* field() const { return field_; }
  HeatMapView* top() const { return top_; }
  HeatMapView* side() const { return side_; }
  // The (transmitter, band) the pictures show; none without a model.
  std::optional<std::pair<std::size_t, std::size_t>> shown() const;

 private:
  void refresh();
  void refreshChoices();
  void showPictures(std::size_t transmitter, std::size_t band);
  void movePlace(int place, double x, double y, bool finished);
  void moveMast(int transmitter, double x, double y);

  StationDocument* document_;
  NearFieldService* service_;
  QWidget* choosers_;
  QComboBox* choice_;
  QComboBox* field_;
  QLabel* problem_;
  QLabel* status_;
  QProgressBar* progress_;
  HeatMapView* top_;
  HeatMapView* side_;
  QLabel* readout_;
};

}  // namespace zento::station
