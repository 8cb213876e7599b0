#pragma once
// One transmitter's inputs: name, power, mode or duty, time on the air, bands, feedline,
// antenna (AntennaEditor), and the transmitters it transmits at the same time as.

#include <QWidget>

#include "core/station_model.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace zento::station {

class AntennaEditor;
class NearFieldService;
class NumberField;
class StationDocument;

class TransmitterForm : public QWidget {
  Q_OBJECT

 public:
  TransmitterForm(StationDocument* document, NearFieldService* service, QWidget* parent = nullptr);
  // The transmitter shown and edited; -1 for none.
  void setTransmitter(int index);
  int transmitter() const { return index_; }

 signals:
  void problemChanged(const QString& message);

 private:
  QWidget* makeTransmitterBox();
  QWidget* makeBandsBox();
  QWidget* makeFeedlineBox();
  void connectFields();
  void refresh();
  void refreshLists();
  NumberField* numberField(const char* name, const QString& what, Range range, bool optional);
  void showProblem(const QString& message);
  // Changes the shown transmitter (and what else of the station the change needs) as one edit.
  template <typename Change>
  void editTransmitter(const QString& what, const QString& key, Change change);

  StationDocument* document_;
  int index_ = -1;
  QLineEdit* name_;
  NumberField* power_;
  QComboBox* mode_;
  NumberField* duty_;
  NumberField* txMinutes_;
  NumberField* rxMinutes_;
  QComboBox* timeUnit_;  // minutes or seconds, for both
  QListWidget* bands_;
  QLineEdit* frequencies_;
  QComboBox* feedKind_;
  QComboBox* cable_;
  NumberField* length_;
  QComboBox* lengthUnit_;
  NumberField* lossPer100_;
  NumberField* totalLoss_;
  NumberField* swr_;
  NumberField* otherLoss_;
  AntennaEditor* antenna_;
  QListWidget* simultaneous_;
  QString nameProblem_, frequencyProblem_;
};

}  // namespace zento::station
