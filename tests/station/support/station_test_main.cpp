// Entry point of the station window tests: Qt's offscreen platform, a settings folder of the
// run's own (recent files must not reach the user's), and the application as the program makes it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>

namespace {

QtMessageHandler gDefaultHandler = nullptr;

// The offscreen platform says what it cannot do at every dialog: noise here.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (gDefaultHandler != nullptr) gDefaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  gDefaultHandler = qInstallMessageHandler(QuietMessages);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir home;
  setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
  setenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit().constData(), 0);
  std::setlocale(LC_ALL, "");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station-tests"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
