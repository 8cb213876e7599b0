#include "ui/antenna_gain_dlg.h"

#include <utility>

#include "core/antennas.h"
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

CAntennaGainDlg::CAntennaGainDlg() : Dialog(AntennaGainDialogTemplate()) {
  // Each button by the preset it stands for, in the order they stand on screen.
  constexpr std::pair<int, std::size_t> kButtons[] = {
      {IDC_ANT_QUARTER_WAVE, 0}, {IDC_ANT_DIPOLE, 1}, {IDC_ANT_FIVE_EIGHTHS, 2}, {IDC_ANT_YAGI3, 3},
      {IDC_ANT_YAGI5, 4},        {IDC_ANT_YAGI8, 5},  {IDC_ANT_YAGI10, 6},       {IDC_ANT_YAGI17, 7},
  };
  for (const auto& [id, preset] : kButtons) {
    On(Notification::kClicked, id, [this, gain = kAntennaPresets[preset].gainDbi] { gainDbi = gain; });
  }
}

}  // namespace zento::ui
