#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>

#include "station/translator.h"
#include "tests/support/offscreen_main.h"

std::unique_ptr<QApplication> zento::test::MakeTestApplication(int& argc, char** argv) {
  // The recovery copies go to a data folder of the run's own, as the settings do.
  static QTemporaryDir data;
  setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
  auto app = std::make_unique<QApplication>(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station-tests"));
  // As the program: the window's texts through the catalogues, in English unless a test binds one.
  QCoreApplication::installTranslator(new zento::station::GettextTranslator(app.get()));
  return app;
}
