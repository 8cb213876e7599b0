#pragma once
// The places where people are, as a table the user edits in place: name, environment, and
// either the straight-line distance, the distance from the mast, or the place on the site (east
// and north of its origin), with the height there.

#include <QWidget>

#include "station/results_models.h"

class QTableView;

namespace zento::station {

class PlacesModel : public StationTableModel {
  Q_OBJECT

 public:
  enum Column { kName, kEnvironment, kDistance, kHorizontal, kEast, kNorth, kHeight, kColumns };
  explicit PlacesModel(StationDocument* document, QObject* parent = nullptr);

  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void problem(const QString& message);

 private:
  std::pair<int, int> layout() override;
};

class PlacesPane : public QWidget {
  Q_OBJECT

 public:
  PlacesPane(StationDocument* document, QWidget* parent = nullptr);
  QTableView* table() const { return table_; }

 signals:
  void problem(const QString& message);

 private:
  StationDocument* document_;
  PlacesModel* model_;
  QTableView* table_;
};

}  // namespace zento::station
