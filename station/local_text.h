#pragma once
// What the window shows of core's and report's texts, in the user's language and with the user's
// decimal separator (QLocale(): a comma in German and French). Files keep English and the point.

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

#include "report/local_style.h"

namespace zento::station {

// A text kept in English by core/ or report/ (a rule set's name, a band, a message), translated.
QString TrQ(std::string_view english);
// A number written with a point (FormatGeneral, FormatFixed), or a number with its unit
// ("12.3 Feet", "45.2 %"), with the locale's decimal separator. Only points between two digits
// change, so a unit or a word is left as it is.
QString LocalNum(std::string_view number, const QLocale& locale = QLocale());
QString LocalNum(const QString& number, const QLocale& locale = QLocale());
// The style of report's texts shown in the window.
LocalStyle WindowStyle();

// While one lives, report's texts (StationDistance, LimitText...) write numbers as the window does.
class WindowNumbers : public LocalStyleScope {
 public:
  WindowNumbers() : LocalStyleScope(WindowStyle()) {}
};

}  // namespace zento::station
