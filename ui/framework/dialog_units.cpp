#include "ui/framework/dialog_units.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QString>

namespace zento::ui {
namespace {

// MulDiv-style rounding for non-negative values.
int Scale(int value, int base, int divisor) { return (value * base + divisor / 2) / divisor; }

}  // namespace

DialogBaseUnits MeasureBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int advance = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(advance / 26 + 1) / 2, metrics.height()};
}

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
  return {Scale(x, units.x, 4), Scale(y, units.y, 8), Scale(cx, units.x, 4), Scale(cy, units.y, 8)};
}

QSize MapDialogSize(const DialogBaseUnits& units, int cx, int cy) {
  return {Scale(cx, units.x, 4), Scale(cy, units.y, 8)};
}

QFont ResolveFont(std::string_view face, int pointSize, bool fixedPitch) {
  QFont font(QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())));
  font.setPointSize(pointSize);
  font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
  // fontconfig maps missing faces to its defaults; keep that unless the pitch came out wrong.
  if (QFontInfo(font).fixedPitch() != fixedPitch) {
    font.setFamily(fixedPitch ? QStringLiteral("Monospace") : QStringLiteral("Sans Serif"));
  }
  return font;
}

}  // namespace zento::ui
