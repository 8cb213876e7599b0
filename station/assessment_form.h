#pragma once
// Who assessed the station, when and how, what keeps people out, when it is assessed again, and
// the area the operator controls: what the record gives an inspector.

#include <QGroupBox>
#include <QLocale>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "core/station_model.h"

class QLineEdit;

namespace zento::station {

class LimitedTextEdit;
class StationDocument;

class AssessmentForm : public QGroupBox {
  Q_OBJECT

 public:
  explicit AssessmentForm(StationDocument* document, QWidget* parent = nullptr);

  // The outline as the field shows it, "east north; east north; ..." in the station's unit; and
  // back, or why not (empty text: no outline).
  static QString OutlineText(const std::vector<std::array<double, 2>>& outline, bool feet);
  static std::optional<std::vector<std::array<double, 2>>> ReadOutline(const QString& text, bool feet,
                                                                       const QLocale& locale, QString* problem);

 signals:
  void problemChanged(const QString& message);

 private:
  void refresh();
  QLineEdit* dateField(const char* name);
  void connectDate(QLineEdit* field, const QString& what, std::string Assessment::*member);
  void edit(const QString& what, const QString& key, const std::function<void(Station&)>& change);
  void refuse(QLineEdit* field, const QString& message);

  StationDocument* document_;
  QLineEdit* assessor_;
  QLineEdit* date_;
  LimitedTextEdit* method_;
  LimitedTextEdit* measures_;
  QLineEdit* nextReview_;
  QLineEdit* outline_;
};

}  // namespace zento::station
