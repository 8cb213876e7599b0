#pragma once
// The About box.

#include "ui/framework/dialog.h"

namespace zento::ui {

class CAboutDlg : public Dialog {
 public:
  CAboutDlg();

 protected:
  bool OnInitDialog() override;
};

}  // namespace zento::ui
