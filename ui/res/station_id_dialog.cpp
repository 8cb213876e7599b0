// IDD_STATION_ID: the call sign and location asked for at start-up.
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

const DialogTemplate& StationIdDialogTemplate() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      IDD_STATION_ID,
      "ZENTO Calculator : Station Identification",
      262,
      100,
      "MS Sans Serif",
      8,
      kCaption | kSystemMenu | kModalFrame,
      {
          {IDC_CALLSIGN, K::kEdit, "", 76, 12, 60, 12, kTabStop | kUpperCase | kAutoHScroll | kBorder | kGroup},
          {IDC_LOCATION, K::kEdit, "", 10, 44, 180, 48, kTabStop | kMultiLine | kWantReturn | kAutoHScroll | kBorder},
          {IDOK, K::kPushButton, "OK", 204, 10, 50, 14, kTabStop | kDefaultButton | kGroup},
          {IDCANCEL, K::kPushButton, "Cancel", 204, 28, 50, 14, kTabStop},
          {IDC_STATIC, K::kStatic, "Station Call Sign", 10, 14, 62, 8},
          {IDC_STATIC, K::kStatic, "Station Location - Same as on FCC Form 610", 10, 32, 180, 8},
      },
  };
  return kTemplate;
}

}  // namespace zento::ui
