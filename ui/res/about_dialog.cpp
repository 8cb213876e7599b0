// IDD_ABOUTBOX: the About box.
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

const DialogTemplate& AboutDialogTemplate() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      IDD_ABOUTBOX,
      "About ZENTO Calculator",
      278,
      164,
      "MS Sans Serif",
      8,
      kCaption | kSystemMenu | kModalFrame,
      {
          {IDOK, K::kPushButton, "OK", 219, 30, 32, 14, kTabStop | kDefaultButton | kGroup},
          {IDC_STATIC, K::kStatic, "ZENTO Calculator -- Version 1.0", 71, 24, 119, 8},
          {IDC_STATIC, K::kStatic, "Copyright (C) 2026 ZENTO team", 67, 40, 119, 8},
          {IDC_STATIC, K::kStatic,
           "This program is modelled on the FCC (USA) maximum permissible exposure limits for far-field "
           "(plane-wave) radiation.\n\n"
           "The information is current as of June 11, 1998. It is the responsibility of the end user to verify "
           "the correctness of all results.",
           41, 83, 176, 57},
          {IDC_STATIC, K::kGroupBox, "Important!", 27, 68, 202, 83},
          {IDC_STATIC, K::kStatic, "N0ZNT", 109, 55, 29, 10},
          {IDR_MAINFRAME, K::kIcon, "", 29, 28, 20, 20, kSunken},
      },
  };
  return kTemplate;
}

}  // namespace zento::ui
