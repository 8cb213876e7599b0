// IDD_ANTENNA_GAIN: the antenna gain presets.
#include "core/antennas.h"
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {
namespace {

// Radio buttons stand in rising gain; their identifiers are not in that order.
ControlTemplate PresetButton(int id, std::size_t screenRow, std::uint32_t styles = kNoStyle) {
  return {id,
          ControlKind::kRadioButton,
          kAntennaPresets[screenRow].label,
          16,
          20 + 14 * static_cast<int>(screenRow),
          170,
          10,
          styles};
}

}  // namespace

const DialogTemplate& AntennaGainDialogTemplate() {
  static const DialogTemplate kTemplate{
      IDD_ANTENNA_GAIN,
      "Antenna Gain Estimation",
      250,
      140,
      "MS Sans Serif",
      8,
      kCaption | kSystemMenu | kModalFrame,
      {
          {IDC_STATIC, ControlKind::kGroupBox, "Choose Antenna Type", 6, 6, 238, 128},
          PresetButton(IDC_ANT_QUARTER_WAVE, 0, kGroup),
          PresetButton(IDC_ANT_DIPOLE, 1),
          PresetButton(IDC_ANT_YAGI5, 4),
          PresetButton(IDC_ANT_YAGI3, 3),
          PresetButton(IDC_ANT_FIVE_EIGHTHS, 2),
          PresetButton(IDC_ANT_YAGI8, 5),
          PresetButton(IDC_ANT_YAGI10, 6),
          PresetButton(IDC_ANT_YAGI17, 7),
          // A plain push button, yet Enter still ends the dialog with OK.
          {IDOK, ControlKind::kPushButton, "OK", 194, 63, 40, 14, kTabStop},
      },
  };
  return kTemplate;
}

}  // namespace zento::ui
