#pragma once
// The station's own inputs: call sign, location, rule set, ground reflection, units, the height
// where people are, where the exemption is checked, and the ground under the antennas.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace zento::station {

class NumberField;
class StationDocument;

class StationForm : public QWidget {
  Q_OBJECT

 public:
  StationForm(StationDocument* document, QWidget* parent = nullptr);
  // The field the window starts in.
  QWidget* firstField() const;

 signals:
  void problemChanged(const QString& message);

 private:
  void refresh();
  template <typename Change>
  void editStation(const QString& what, const QString& key, Change change);

  StationDocument* document_;
  QLineEdit* callsign_;
  QPlainTextEdit* location_;
  QComboBox* rules_;
  QCheckBox* ground_;
  QComboBox* units_;
  NumberField* personHeight_;
  NumberField* exemption_;
  QComboBox* groundKind_;
};

}  // namespace zento::station
