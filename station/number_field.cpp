#include "station/number_field.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "station/local_text.h"

namespace zento::station {
namespace {

// Longer than any number a range holds, written out in full; a paste of a page is cut here.
constexpr int kMaxNumberLength = 64;

}  // namespace

void SetRefusedText(QWidget* field, const QString& message, const QString& help) {
  field->setProperty(kRefusedTextProperty, message.isEmpty() ? QVariant() : QVariant(message));
  field->setToolTip(message.isEmpty() ? help : message);
  field->setStyleSheet(message.isEmpty() ? QString() : QStringLiteral("QLineEdit { background: #ffd7d7; }"));
}

QString RefusedText(const QWidget* field) { return field->property(kRefusedTextProperty).toString(); }

NumberField::NumberField(const QString& what, Range range, bool optional, QWidget* parent)
    : QLineEdit(parent), what_(what), range_(range), optional_(optional) {
  setAccessibleName(what);
  setMaxLength(kMaxNumberLength);
  if (optional) setPlaceholderText(tr("not given"));
  connect(this, &QLineEdit::textEdited, this, &NumberField::onTextEdited);
}

QString NumberField::format(double value, bool length, LengthUnit unit, const QLocale& locale) {
  if (!length) return LocalNum(FormatGeneral(value, 6), locale);
  // A length typed with up to two decimals shows as typed; one converted from the other unit
  // ("6.56168" feet for 2 meters) shows rounded as the results do, while the station keeps it exact.
  const double shown = FromMeters(value, unit);
  const double hundredths = std::round(shown * 100.0) / 100.0;
  if (std::abs(shown - hundredths) <= 1e-9 * std::max(1.0, std::abs(shown))) {
    return LocalNum(FormatGeneral(hundredths, 10), locale);
  }
  return LocalNum(std::abs(shown) >= 1.0 ? FormatFixed(shown, 1) : FormatGeneral(shown, 2), locale);
}

std::optional<double> NumberField::read(const QString& text, const QLocale& locale) {
  QString typed = text.trimmed();
  // The point is always a decimal separator; so is the locale's own. Group separators are not
  // read: "1,500" under a point locale is refused rather than taken for 1.5 or 1500.
  const QString separator = locale.decimalPoint();
  if (separator != QLatin1String(".")) typed.replace(separator, QLatin1String("."));
  return ParseWholeDouble(typed.toStdString());
}

void NumberField::setScale(double scale, const QString& unit) {
  scaleUnit_ = unit;
  if (scale == scale_) return;
  scale_ = scale;
  // What was typed stood for the other unit: shown anew.
  setText(shown_ ? format(*shown_ * scale_, length_, unit_, locale()) : QString());
  setProblem({});
}

void NumberField::showValue(std::optional<double> value, LengthUnit unit) {
  const bool sameUnit = !length_ || unit == unit_;
  unit_ = unit;
  // Typing in progress ("1." on the way to "1.5") is left alone while it stands for the value.
  if (sameUnit && value == shown_ && problem_.isEmpty()) return;
  shown_ = value;
  setText(value ? format(*value * scale_, length_, unit, locale()) : QString());
  setProblem({});
}

void NumberField::onTextEdited(const QString& typed) {
  if (typed.trimmed().isEmpty() && optional_) {
    shown_.reset();
    setProblem({});
    emit valueEdited(std::nullopt);
    return;
  }
  const auto number = read(typed, locale());
  const double kept = number ? (length_ ? ToMeters(*number, unit_) : *number / scale_) : 0.0;
  if (!number || !range_.Holds(kept)) {
    const double low = length_ ? FromMeters(range_.min, unit_) : range_.min * scale_;
    const double high = length_ ? FromMeters(range_.max, unit_) : range_.max * scale_;
    const QString unitText = !length_ ? scaleUnit_ : unit_ == LengthUnit::kFeet ? tr(" feet") : tr(" meters");
    // TRANSLATORS: %1 names the field, %2 and %3 are the range's ends, %4 the unit with its space (" feet")
    const QString pattern = optional_ ? tr("%1: expected a number from %2 to %3%4, or nothing")
                                      : tr("%1: expected a number from %2 to %3%4");
    setProblem(pattern.arg(what_, LocalNum(FormatGeneral(low, 6), locale()), LocalNum(FormatGeneral(high, 6), locale()), unitText));
    return;
  }
  shown_ = kept;
  setProblem({});
  emit valueEdited(kept);
}

void NumberField::setProblem(const QString& message) {
  if (message == problem_) return;
  problem_ = message;
  // Said in words as well as shown in colour.
  setAccessibleDescription(message);
  SetRefusedText(this, message);
  emit problemChanged(message);
}

}  // namespace zento::station
