#pragma once
// Dialog units: a horizontal unit is a quarter of the dialog font's average character width,
// a vertical unit an eighth of its height, measured and rounded as the original platform does.

#include <QFont>
#include <QRect>
#include <QSize>
#include <string_view>

namespace zento::ui {

struct DialogBaseUnits {
  int x;  // average character width in pixels
  int y;  // character height in pixels
};

DialogBaseUnits MeasureBaseUnits(const QFont& font);
QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy);
QSize MapDialogSize(const DialogBaseUnits& units, int cx, int cy);

// Whether the font's glyphs all have one width, measured rather than taken from the face's flag.
bool MeasuresFixedPitch(const QFont& font);

// A font by face and size; a face that is not installed, or that is of the wrong pitch, falls back
// to the nearest installed face whose glyphs measure to the pitch asked for.
QFont ResolveFont(std::string_view face, int pointSize, bool fixedPitch = false);

}  // namespace zento::ui
