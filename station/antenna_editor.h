#pragma once
// A transmitter's antenna: its gain for the far field, its height, heading and place on the site,
// and its model for the near field (a built-in kind cut for its design frequency, with its
// dimensions shown and a drawing of its wires, or an imported NEC-2 file).

#include <QGroupBox>

#include "core/station_model.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QSpinBox;

namespace zento::station {

class AntennaDrawing;
class NearFieldService;
class NumberField;
class StationDocument;

class AntennaEditor : public QGroupBox {
  Q_OBJECT

 public:
  AntennaEditor(StationDocument* document, NearFieldService* service, QWidget* parent = nullptr);
  void setTransmitter(int index);
  // Asks for a NEC-2 file and takes it as the antenna's model, or says in words why not.
  void importDeck();
  AntennaDrawing* drawing() const { return drawing_; }

  // The rows of the model combo box after "Gain only": the kinds, in kAntennaKinds' order.
  static constexpr int kGainOnly = 0;

 signals:
  void problemChanged(const QString& message);

 private:
  NumberField* numberField(const char* name, const QString& what, Range range, bool optional);
  QSpinBox* spinBox(const char* name, const Range& range);
  void connectFields();
  void refresh();
  void refreshModel(const Station& station, const Transmitter& transmitter);
  void chooseKind(int row);
  template <typename Change>
  void edit(const QString& what, const QString& key, Change change);
  // The model's fields, shown where the kind has them.
  void showRow(QWidget* field, bool shown);

  StationDocument* document_;
  NearFieldService* service_;
  int index_ = -1;
  QFormLayout* form_;
  QComboBox* preset_;
  NumberField* gain_;
  NumberField* height_;
  NumberField* heading_;
  NumberField* east_;
  NumberField* north_;
  QComboBox* kind_;
  NumberField* design_;
  NumberField* apex_;
  QComboBox* verticalLength_;
  NumberField* lengthMeters_;
  QSpinBox* radials_;
  QSpinBox* elements_;
  QComboBox* loopShape_;
  QComboBox* loopPlane_;
  NumberField* wireRadius_;
  NumberField* conductivity_;
  QLabel* file_;
  QPushButton* import_;
  QLabel* deck_;
  QLabel* dimensions_;
  AntennaDrawing* drawing_;
  QString refusal_;         // why the last file chosen was not taken
  double cutLength_ = 0.0;  // a vertical's radiator as cut, where a given length starts
};

}  // namespace zento::station
