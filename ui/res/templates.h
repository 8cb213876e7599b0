#pragma once
// The program's dialog templates.

#include "ui/framework/dialog_template.h"

namespace zento::ui {

const DialogTemplate& ExposureDialogTemplate();
const DialogTemplate& StationIdDialogTemplate();
const DialogTemplate& FeedlineLossDialogTemplate();
const DialogTemplate& AntennaGainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

}  // namespace zento::ui
