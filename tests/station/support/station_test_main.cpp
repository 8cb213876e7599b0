#include <clocale>

#include "tests/support/offscreen_main.h"

std::unique_ptr<QApplication> zento::test::MakeTestApplication(int& argc, char** argv) {
  auto app = std::make_unique<QApplication>(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station-tests"));
  return app;
}
