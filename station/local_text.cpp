#include "station/local_text.h"

#include <QLocale>

#include "report/translation.h"

namespace zento::station {

QString TrQ(std::string_view english) { return QString::fromStdString(TrText(english)); }

QString LocalNum(const QString& number, const QLocale& locale) {
  const QString separator = locale.decimalPoint();
  if (separator == QLatin1String(".")) return number;
  QString shown;
  shown.reserve(number.size());
  for (qsizetype i = 0; i < number.size(); ++i) {
    const bool decimal = number[i] == QLatin1Char('.') && i > 0 && i + 1 < number.size() &&
                         number[i - 1].isDigit() && number[i + 1].isDigit();
    if (decimal) {
      shown += separator;
    } else {
      shown += number[i];
    }
  }
  return shown;
}

QString LocalNum(std::string_view number, const QLocale& locale) {
  return LocalNum(QString::fromUtf8(number.data(), static_cast<qsizetype>(number.size())), locale);
}

LocalStyle WindowStyle() {
  // The program's locale does not change while it runs; cells are drawn by the hundred.
  static const std::string decimal = QLocale().decimalPoint().toStdString();
  LocalStyle style;
  style.decimal = decimal;
  return style;
}

}  // namespace zento::station
