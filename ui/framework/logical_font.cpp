#include "ui/framework/logical_font.h"

#include <QFontMetrics>

#include "ui/framework/dialog_units.h"

namespace zento::ui {

std::optional<QFont> CreateFontIndirect(const LogicalFont& description) {
  if (description.height < 0 || description.weight < 0 || description.weight > 1000) return std::nullopt;
  QFont font = ResolveFont(description.faceName, 8, (description.pitchAndFamily & 3) == kFixedPitch);
  if (description.height > 0) {
    // The height is the whole character cell; scale the pixel size until the cell fits it.
    font.setPixelSize(description.height);
    const int cell = QFontMetrics(font).height();
    if (cell > description.height) font.setPixelSize(std::max(1, description.height * description.height / cell));
  }
  font.setWeight(static_cast<QFont::Weight>(description.weight == 0 ? kFwNormal : description.weight));
  font.setItalic(description.italic);
  return font;
}

}  // namespace zento::ui
