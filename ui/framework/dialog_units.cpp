#include "ui/framework/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <QStringList>

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

bool MeasuresFixedPitch(const QFont& font) {
  // The pitch flag a face declares is not to be trusted (some monospaced faces do not set it);
  // what the report and the lists need is that a narrow, a wide and a digit glyph line up.
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QLatin1Char('W'));
  return width > 0 && metrics.horizontalAdvance(QLatin1Char('i')) == width &&
         metrics.horizontalAdvance(QLatin1Char('0')) == width && metrics.horizontalAdvance(QLatin1Char('.')) == width;
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
  // fontconfig maps missing faces to its defaults; keep that unless the pitch came out wrong,
  // then try the generic name and every installed face in turn until one measures right.
  if (MeasuresFixedPitch(font) != fixedPitch) {
    QStringList candidates{fixedPitch ? QStringLiteral("Monospace") : QStringLiteral("Sans Serif")};
    candidates += QFontDatabase::families();
    for (const QString& family : candidates) {
      QFont candidate = font;
      candidate.setFamily(family);
      if (MeasuresFixedPitch(candidate) == fixedPitch) {
        font = candidate;
        break;
      }
    }
  }
  resolved.insert(key, font);
  return font;
}

}  // namespace zento::ui
