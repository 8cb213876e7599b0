#include "ui/app.h"

#include "ui/exposure_dlg.h"

namespace zento::ui {

bool CExposureApp::InitInstance() {
  // The framework's help command (F1) opens the program's help file.
  Dialog::SetHelpFile("zento.hlp");
  CExposureDlg dlg;
  Dialog::SetMainWindow(&dlg);
  dlg.DoModal();
  Dialog::SetMainWindow(nullptr);
  return false;
}

}  // namespace zento::ui
