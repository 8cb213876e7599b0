#include "tests/support/offscreen_main.h"
#include "ui/framework/application.h"

std::unique_ptr<QApplication> zento::test::MakeTestApplication(int&, char** argv) {
  return zento::ui::CreateApplication(argv[0]);
}
