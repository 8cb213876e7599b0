#pragma once
// What a template's layout says beyond its controls: which text labels a control, and which
// frame holds a group of controls. Worked out in dialog units, so independent of the font.

#include <cstddef>
#include <vector>

#include "ui/framework/dialog_template.h"

namespace zento::ui {

// The static text that labels the control at `index`: the nearest one ending just left of it
// on its first line, else the nearest one just above it; failing both, the innermost group
// box around it. The result is a template index, or -1.
int LabelIndex(const DialogTemplate& dialogTemplate, std::size_t index);

// The innermost group box that surrounds every control listed (template indices), or -1.
int EnclosingGroupBox(const DialogTemplate& dialogTemplate, const std::vector<std::size_t>& members);

}  // namespace zento::ui
