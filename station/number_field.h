#pragma once
// A field for one number of the station: shown with the locale's decimal separator (a comma in
// German and French), typed with a point or the locale's separator, checked against its range as it is typed, empty for a
// value that is not given. Lengths are typed in the station's unit and kept in meters.

#include <QLineEdit>
#include <QLocale>
#include <optional>

#include "core/station_model.h"

namespace zento::station {

// A field that holds text it did not take says why in this property (a message that names the
// field); nothing is saved or exported while one does. NumberField sets it; other fields that
// refuse text set it with SetRefusedText, which also says it in the tooltip and in colour (the
// tooltip is `help` while the field holds nothing refused).
inline constexpr char kRefusedTextProperty[] = "refusedText";
void SetRefusedText(QWidget* field, const QString& message, const QString& help = {});
QString RefusedText(const QWidget* field);

class NumberField : public QLineEdit {
  Q_OBJECT

 public:
  // `what` names the field in messages; `range` holds the kept value (meters for a length).
  NumberField(const QString& what, Range range, bool optional, QWidget* parent = nullptr);

  void setLength(bool isLength) { length_ = isLength; }
  // A value shown and typed as `scale` times the kept one (seconds for kept minutes: 60), in
  // `unit` (" seconds"), which messages name.
  void setScale(double scale, const QString& unit);
  // Shows the value, unless the field already holds what was typed for it.
  void showValue(std::optional<double> value, LengthUnit unit = LengthUnit::kMeters);
  bool acceptable() const { return problem_.isEmpty(); }
  const QString& problem() const { return problem_; }

  // Formats a kept value for showing, in `unit` for a length, with the locale's decimal separator.
  static QString format(double value, bool length, LengthUnit unit, const QLocale& locale = QLocale());
  // A number typed as a whole, with a point or `locale`'s decimal separator; none for other text.
  static std::optional<double> read(const QString& text, const QLocale& locale);

 signals:
  // A value typed that is in range; none for an optional field emptied.
  void valueEdited(std::optional<double> value);
  // The typed text is not a value in range (the message says why), or no longer so (empty).
  void problemChanged(const QString& message);

 private:
  void onTextEdited(const QString& text);
  void setProblem(const QString& message);

  QString what_;
  Range range_;
  bool optional_;
  bool length_ = false;
  double scale_ = 1.0;
  QString scaleUnit_;
  LengthUnit unit_ = LengthUnit::kMeters;
  std::optional<double> shown_;  // the value the text stands for
  QString problem_;
};

}  // namespace zento::station
