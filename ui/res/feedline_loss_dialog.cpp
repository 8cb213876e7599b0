// IDD_FEEDLINE_LOSS: the feedline loss calculator.
#include "core/feedline.h"
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

const DialogTemplate& FeedlineLossDialogTemplate() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      IDD_FEEDLINE_LOSS,
      "Feedline Loss Calculator",
      250,
      122,
      "MS Sans Serif",
      8,
      kCaption | kSystemMenu | kModalFrame,
      {
          {IDOK, K::kPushButton, "OK", 192, 8, 50, 14, kTabStop | kDefaultButton | kGroup},
          {IDCANCEL, K::kPushButton, "Cancel", 192, 26, 50, 14, kTabStop},
          {IDC_FL_FREQUENCY, K::kEdit, "", 44, 8, 40, 12, kTabStop | kReadOnly | kAutoHScroll | kBorder},
          // A tab stop, so that the keyboard alone reaches the cable list.
          {IDC_CABLE_TYPE, K::kComboBox, "", 8, 38, 166, 120, kTabStop | kDropDownList | kSorted | kVScroll,
           std::vector<std::string_view>(kTemplateCableNames.begin(), kTemplateCableNames.end())},
          {IDC_CABLE_LENGTH, K::kEdit, "", 8, 100, 50, 12, kTabStop | kAutoHScroll | kBorder},
          {IDC_LENGTH_UNITS, K::kComboBox, "", 62, 100, 44, 40, kTabStop | kDropDownList, {"Meters", "Feet"}},
          {IDC_TOTAL_LOSS, K::kEdit, "", 132, 100, 44, 12, kTabStop | kReadOnly | kAutoHScroll | kBorder},
          {IDC_SPECIFIC_LOSS, K::kEdit, "", 56, 62, 44, 12, kTabStop | kReadOnly | kAutoHScroll | kBorder},
          {IDC_STATIC, K::kStatic, "Frequency", 8, 10, 34, 8},
          {IDC_STATIC, K::kStatic, "(Frequency is same value as selected within main program.)", 108, 4, 80, 26},
          {IDC_STATIC, K::kStatic, "Feedline Type", 8, 28, 60, 8},
          {IDC_STATIC, K::kStatic, "Feedline Length", 8, 90, 60, 8},
          {IDC_STATIC, K::kStatic, "MHz", 88, 10, 18, 8},
          {IDC_STATIC, K::kStatic, "Computed TOTAL Feedline Loss", 132, 90, 110, 8},
          {IDC_STATIC, K::kStatic, "dB", 180, 102, 12, 8},
          {IDC_STATIC, K::kStatic, "Specific Loss", 8, 64, 46, 8},
          {IDC_STATIC, K::kStatic, "dB / 100 Feet", 104, 64, 50, 8},
      },
  };
  return kTemplate;
}

}  // namespace zento::ui
