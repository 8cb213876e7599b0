#pragma once
// The station's results as tables: every band of every transmitter in each environment, and
// the verdict at each place. Words say what colour shows, never colour alone.

#include <QAbstractTableModel>
#include <utility>
#include <vector>

namespace zento::station {

class NearFieldService;
class StationDocument;

// A model whose shape follows the station: reset when rows or columns change, otherwise every
// cell is announced as changed.
class StationTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // With a near-field service, the near field's figures too, refreshed as they arrive.
  explicit StationTableModel(StationDocument* document, QObject* parent = nullptr, NearFieldService* service = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;

 protected:
  // The new shape, after the station changed; the model keeps what it needs to answer.
  virtual std::pair<int, int> layout() = 0;
  void refresh();

  StationDocument* document_;
  NearFieldService* service_;

 private:
  int rows_ = 0, columns_ = 0;
};

class ResultsModel : public StationTableModel {
  Q_OBJECT

 public:
  // With the near field: its compliance boundary beside the far-field distances.
  explicit ResultsModel(StationDocument* document, QObject* parent = nullptr, NearFieldService* service = nullptr);
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // The (transmitter, band) a row shows.
  std::pair<std::size_t, std::size_t> bandAt(int row) const;

 private:
  std::pair<int, int> layout() override;
  struct Row {
    std::size_t transmitter, band;
    int environment;  // -1: the band could not be evaluated
  };
  std::vector<Row> rows_;
  std::vector<int> figures_;  // the columns after the places, as FigureColumn
};

class VerdictModel : public StationTableModel {
  Q_OBJECT

 public:
  // kNearField is there while a transmitter has an antenna model.
  enum Column { kPlace, kVerdict, kShare, kFrom, kNearField, kColumns };
  explicit VerdictModel(StationDocument* document, QObject* parent = nullptr, NearFieldService* service = nullptr);
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::pair<int, int> layout() override;
};

// The words of a verdict.
QString VerdictText(bool complies);
// What a near-field figure not known yet says.
QString ComputingText();

}  // namespace zento::station
