// The window program's start-up, ended when its first window shows.
#include "bench/first_show.h"
#include "ui/app.h"
#include "ui/framework/application.h"
#include "ui/res/icons.h"

int main(int, char** argv) {
  const auto application = zento::ui::CreateApplication(argv[0]);
  FirstShowProbe probe;
  application->installEventFilter(&probe);
  QApplication::setWindowIcon(zento::ui::LoadMainIconImages());
  zento::ui::CExposureApp app;
  app.InitInstance();
  return 0;
}
