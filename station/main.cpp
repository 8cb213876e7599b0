// zento-station [FILE]: the station window, with the station file given, if any.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <clocale>
#include <csignal>

#include "report/translation.h"
#include "station/signal_watcher.h"
#include "station/station_window.h"
#include "station/translator.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // QApplication took the user's; numbers are ours to read
  zento::station::InstallTranslators(argv[0]);
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station"));
  QApplication::setApplicationVersion(QStringLiteral(ZENTO_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.zento.ZentoStation"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zento-station/zento-station-32.png")));

  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(zento::Tr("RF exposure evaluation of a whole amateur station.")));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QString::fromUtf8(zento::Tr("A station file (.zento.json) to open.")));
  parser.process(app);

  zento::station::StationWindow window;
  // Ended from outside (a logout, a shutdown, the terminal closed, Ctrl+C): the changes are kept
  // for the next start instead of asked about, as no one may be there to answer.
  int endedBy = 0;
  zento::station::SignalWatcher ending({SIGTERM, SIGHUP, SIGINT});
  QObject::connect(&ending, &zento::station::SignalWatcher::received, &window, [&window, &endedBy](int signal) {
    endedBy = signal;
    window.keepForNextStart();
    QCoreApplication::exit(128 + signal);
  });
  window.show();
  window.start(parser.positionalArguments().value(0));
  // A signal during the start's questions ended their dialogs, but not an event loop not yet run.
  if (endedBy != 0) return 128 + endedBy;
  return QApplication::exec();
}
