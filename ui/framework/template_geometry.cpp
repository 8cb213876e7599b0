#include "ui/framework/template_geometry.h"

#include <algorithm>
#include <limits>

namespace zento::ui {
namespace {

// How far from its control a label may stand, in dialog units.
constexpr int kLabelGap = 8;
// The height of a control's first line: a drop-down list's template height includes its list.
constexpr int kLineHeight = 14;

bool Surrounds(const ControlTemplate& box, const ControlTemplate& control) {
  return box.x <= control.x && box.y <= control.y && control.x + control.cx <= box.x + box.cx &&
         control.y + control.cy <= box.y + box.cy;
}

int InnermostGroupBox(const DialogTemplate& dialogTemplate, const std::vector<std::size_t>& members, bool titledOnly) {
  int found = -1;
  long smallest = std::numeric_limits<long>::max();
  const auto& controls = dialogTemplate.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& box = controls[i];
    if (box.kind != ControlKind::kGroupBox || (titledOnly && box.text.empty())) continue;
    const bool all = std::all_of(members.begin(), members.end(),
                                 [&](std::size_t member) { return Surrounds(box, controls[member]); });
    const long area = static_cast<long>(box.cx) * box.cy;
    if (all && area < smallest) {
      found = static_cast<int>(i);
      smallest = area;
    }
  }
  return found;
}

}  // namespace

int LabelIndex(const DialogTemplate& dialogTemplate, std::size_t index) {
  const auto& controls = dialogTemplate.controls;
  const ControlTemplate& control = controls[index];
  const int lineBottom = control.y + std::min(control.cy, kLineHeight);
  int left = -1, above = -1;
  int leftGap = kLabelGap + 1, aboveGap = kLabelGap + 1;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& text = controls[i];
    if (text.kind != ControlKind::kStatic || text.text.empty()) continue;
    const int right = text.x + text.cx;
    const int bottom = text.y + text.cy;
    const bool sameLine = text.y < lineBottom && bottom > control.y;
    if (sameLine && right <= control.x && control.x - right < leftGap) {
      left = static_cast<int>(i);
      leftGap = control.x - right;
    }
    const bool sameColumns = text.x < control.x + control.cx && right > control.x;
    if (sameColumns && bottom <= control.y && control.y - bottom < aboveGap) {
      above = static_cast<int>(i);
      aboveGap = control.y - bottom;
    }
  }
  if (left >= 0) return left;
  if (above >= 0) return above;
  return InnermostGroupBox(dialogTemplate, {index}, true);
}

int EnclosingGroupBox(const DialogTemplate& dialogTemplate, const std::vector<std::size_t>& members) {
  return InnermostGroupBox(dialogTemplate, members, false);
}

}  // namespace zento::ui
