#pragma once
// The station's transmitters: a list to choose one, buttons to add, duplicate and remove, and
// the chosen one's form.

#include <QAbstractListModel>
#include <QWidget>

#include "core/station_model.h"

class QListView;

namespace zento::station {

class NearFieldService;
class StationDocument;
class TransmitterForm;

class TransmittersModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TransmittersModel(StationDocument* document, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  void refresh();

  StationDocument* document_;
  int rows_ = 0;
};

class TransmittersPane : public QWidget {
  Q_OBJECT

 public:
  TransmittersPane(StationDocument* document, NearFieldService* service, QWidget* parent = nullptr);
  QListView* list() const { return list_; }
  TransmitterForm* form() const { return form_; }
  void select(int index);

 signals:
  void problemChanged(const QString& message);

 private:
  // One edit of the list; `edit` is given the chosen transmitter and says which to choose after.
  void change(Station (*edit)(const Station&, std::size_t&), const QString& what, bool needsChoice);

  StationDocument* document_;
  TransmittersModel* model_;
  QListView* list_;
  TransmitterForm* form_;
};

}  // namespace zento::station
