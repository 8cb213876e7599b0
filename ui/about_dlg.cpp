#include "ui/about_dlg.h"

#include "ui/res/icons.h"
#include "ui/res/resource.h"
#include "ui/res/templates.h"

namespace zento::ui {

CAboutDlg::CAboutDlg() : Dialog(AboutDialogTemplate()) {}

bool CAboutDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SetIcon(IDR_MAINFRAME, LoadMainIcon());  // the template's icon control
  return true;
}

}  // namespace zento::ui
