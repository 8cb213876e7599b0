// zento-station [FILE]: the station window, with the station file given, if any.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <clocale>

#include "station/station_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // QApplication took the user's; numbers are ours to read
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station"));
  QApplication::setApplicationVersion(QStringLiteral(ZENTO_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.zento.ZentoStation"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zento-station/zento-station-32.png")));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("RF exposure evaluation of a whole amateur station."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A station file (.zento.json) to open."));
  parser.process(app);

  zento::station::StationWindow window;
  window.show();
  if (!parser.positionalArguments().isEmpty()) window.openFile(parser.positionalArguments().first());
  return QApplication::exec();
}
