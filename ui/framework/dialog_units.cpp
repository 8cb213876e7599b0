#include "ui/framework/dialog_units.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QString>

namespace zento::ui {
namespace {

// MulDiv-style rounding for non-negative values.
int Scale(int value, int base, int divisor) { return (value * base + divisor / 2) / divisor; }

}  // namespace

DialogBaseUnits MeasureBaseUnits(const QFont& font) {
  // Every dialog of a program shares a font or two: measure each once.
  static QHash<QString, DialogBaseUnits> measured;
  const QString key = font.key();
  if (const auto it = measured.constFind(key); it != measured.constEnd()) return *it;
  const QFontMetrics metrics(font);
  const int advance = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const DialogBaseUnits units{(advance / 26 + 1) / 2, metrics.height()};
  measured.insert(key, units);
  return units;
}

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
  return {Scale(x, units.x, 4), Scale(y, units.y, 8), Scale(cx, units.x, 4), Scale(cy, units.y, 8)};
}

QSize MapDialogSize(const DialogBaseUnits& units, int cx, int cy) {
  return {Scale(cx, units.x, 4), Scale(cy, units.y, 8)};
}

QFont ResolveFont(std::string_view face, int pointSize, bool fixedPitch) {
  static QHash<QString, QFont> resolved;
  const QString name = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
  const QString key =
      name + QChar('/') + QString::number(pointSize) + (fixedPitch ? QStringLiteral("/fixed") : QString());
  if (const auto it = resolved.constFind(key); it != resolved.constEnd()) return *it;
  QFont font(name);
  font.setPointSize(pointSize);
  font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
  // fontconfig maps missing faces to its defaults; keep that unless the pitch came out wrong.
  if (QFontInfo(font).fixedPitch() != fixedPitch) {
    font.setFamily(fixedPitch ? QStringLiteral("Monospace") : QStringLiteral("Sans Serif"));
  }
  resolved.insert(key, font);
  return font;
}

}  // namespace zento::ui
