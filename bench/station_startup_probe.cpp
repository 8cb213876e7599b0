// zento-station's start-up with the largest example station, ended when its window shows.
#include <QApplication>
#include <QIcon>
#include <clocale>

#include "bench/first_show.h"
#include "station/station_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  FirstShowProbe probe;
  app.installEventFilter(&probe);
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station-bench"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zento-station/zento-station-32.png")));
  zento::station::StationWindow window;
  window.openFile(QStringLiteral(ZENTO_SOURCE_DIR "/examples/contest-two-transmitters.zento.json"));
  window.show();
  return QApplication::exec();
}
