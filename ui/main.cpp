#include "ui/app.h"
#include "ui/framework/application.h"
#include "ui/res/icons.h"

int main(int, char** argv) {
  const auto application = zento::ui::CreateApplication(argv[0]);
  QApplication::setWindowIcon(zento::ui::LoadMainIconImages());
  zento::ui::CExposureApp app;
  app.InitInstance();
  return 0;
}
