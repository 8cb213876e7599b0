// IDD_EXPOSURE_DIALOG: the main calculator window.
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

const DialogTemplate& ExposureDialogTemplate() {
  using K = ControlKind;
  // Every push button carries the default style, so Enter outside the report presses only a
  // focused button.
  constexpr std::uint32_t kButton = kTabStop | kDefaultButton;
  constexpr std::uint32_t kField = kTabStop | kAutoHScroll | kBorder;
  static const DialogTemplate kTemplate{
      IDD_EXPOSURE_DIALOG,
      "ZENTO CALCULATOR V1.0",
      421,
      287,
      "MS Sans Serif",
      8,
      kCaption | kSystemMenu | kMinimizeBox | kAppWindow,
      {
          // Controls in tab order.
          {IDOK, K::kPushButton, "QUIT", 362, 10, 50, 14, kButton | kGroup},
          {IDC_REPORT, K::kEdit, "", 14, 206, 299, 56,
           kTabStop | kMultiLine | kWantReturn | kAutoHScroll | kVScroll | kBorder},
          {IDC_POWER, K::kEdit, "", 62, 36, 46, 12, kField | kDigitsOnly},
          {IDC_DUTY_CYCLE, K::kEdit, "", 62, 56, 46, 12, kField | kDigitsOnly},
          {IDC_FREQUENCY, K::kEdit, "", 62, 76, 46, 12, kField},
          {IDC_FEEDLINE_LOSS, K::kEdit, "", 196, 36, 46, 12, kField},
          {IDC_ANTENNA_GAIN, K::kEdit, "", 196, 56, 46, 12, kField},
          {IDC_EIRP, K::kEdit, "", 196, 86, 46, 12, kField | kReadOnly},
          {IDC_FEEDLINE_CALC, K::kPushButton, "Calculate...", 268, 35, 50, 14, kButton},
          {IDC_GAIN_CALC, K::kPushButton, "Calculate...", 268, 55, 50, 14, kButton},
          {IDC_CONTROLLED_LIMIT, K::kEdit, "", 66, 132, 40, 12, kField | kReadOnly},
          {IDC_CONTROLLED_DISTANCE, K::kEdit, "", 188, 132, 54, 12, kField},
          {IDC_UNCONTROLLED_LIMIT, K::kEdit, "", 66, 152, 40, 12, kField | kReadOnly},
          {IDC_UNCONTROLLED_DISTANCE, K::kEdit, "", 188, 152, 54, 12, kField},
          {IDC_ADD_TO_REPORT, K::kPushButton, "Add to Report", 324, 210, 80, 14, kButton},
          {IDC_SAVE_REPORT, K::kPushButton, "Save Report", 324, 232, 80, 14, kButton},
          {IDC_ENGLISH, K::kRadioButton, "English", 350, 134, 48, 10, kGroup},
          {IDC_METRIC, K::kRadioButton, "Metric", 350, 150, 48, 10},
          {IDC_ABOUT, K::kPushButton, "About...", 362, 30, 50, 14, kButton | kGroup},
          {IDC_FEEDLINE_TYPE, K::kEdit, "", 62, 16, 180, 12, kField | kReadOnly},
          {IDC_HELP_BUTTON, K::kPushButton, "Help...", 362, 50, 50, 14, kButton},
          // Frames and labels.
          {IDC_STATIC, K::kGroupBox, "Radiation Characteristics", 6, 4, 346, 104},
          {IDC_STATIC, K::kStatic, "Feedline Type", 12, 18, 48, 8},
          {IDC_STATIC, K::kStatic, "Power Level", 12, 38, 48, 8},
          {IDC_STATIC, K::kStatic, "Watts", 112, 38, 24, 8},
          {IDC_STATIC, K::kStatic, "Duty Cycle", 12, 58, 48, 8},
          {IDC_STATIC, K::kStatic, "%", 112, 58, 10, 8},
          {IDC_STATIC, K::kStatic, "Frequency", 12, 78, 48, 8},
          {IDC_STATIC, K::kStatic, "MHz", 112, 78, 20, 8},
          {IDC_STATIC, K::kStatic, "Feedline Loss", 146, 38, 48, 8},
          {IDC_STATIC, K::kStatic, "dB", 246, 38, 14, 8},
          {IDC_STATIC, K::kStatic, "Antenna Gain", 146, 58, 48, 8},
          {IDC_STATIC, K::kStatic, "dBi", 246, 58, 14, 8},
          {IDC_STATIC, K::kStatic, "Effective AVERAGE Radiated Power (EIRP)", 146, 76, 170, 8},
          {IDC_STATIC, K::kStatic, "Watts", 246, 88, 24, 8},
          {IDC_STATIC, K::kGroupBox, "Maximum Permissible Exposure Limits", 6, 114, 406, 74},
          {IDC_STATIC, K::kStatic, "Controlled", 12, 134, 50, 8},
          {IDC_STATIC, K::kStatic, "mW/cm", 110, 134, 24, 8},
          {IDC_STATIC, K::kStatic, "2", 134, 131, 6, 8},
          {IDC_STATIC, K::kStatic, "@ Distance of", 140, 134, 46, 8},
          {IDC_STATIC, K::kStatic, "(6 Minute Average)", 246, 134, 74, 8},
          {IDC_STATIC, K::kStatic, "Uncontrolled", 12, 154, 50, 8},
          {IDC_STATIC, K::kStatic, "mW/cm", 110, 154, 24, 8},
          {IDC_STATIC, K::kStatic, "2", 134, 151, 6, 8},
          {IDC_STATIC, K::kStatic, "@ Distance of", 140, 154, 46, 8},
          {IDC_STATIC, K::kStatic, "(30 Minute Average)", 246, 154, 74, 8},
          {IDC_STATIC, K::kGroupBox, "", 342, 124, 62, 42},
          {IDC_STATIC, K::kGroupBox, "Report Generation", 6, 194, 406, 86},
      },
  };
  return kTemplate;
}

}  // namespace zento::ui
