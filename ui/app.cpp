#include "ui/app.h"

#include "ui/exposure_dlg.h"

namespace zento::ui {

bool CExposureApp::InitInstance() {
  CExposureDlg dlg;
  Dialog::SetMainWindow(&dlg);
  dlg.DoModal();
  Dialog::SetMainWindow(nullptr);
  return false;
}

}  // namespace zento::ui
