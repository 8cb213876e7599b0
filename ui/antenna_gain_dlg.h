#pragma once
// The antenna gain chooser: eight common antennas with a typical gain each.

#include "ui/framework/dialog.h"

namespace zento::ui {

class CAntennaGainDlg : public Dialog {
 public:
  CAntennaGainDlg();

  double gainDbi = 0.0;  // the last preset clicked in this opening
};

}  // namespace zento::ui
