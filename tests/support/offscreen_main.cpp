// Entry point of the window tests: Qt's offscreen platform, set here so that no display is
// needed; runtime and settings folders of the run's own, so that nothing reaches the user's;
// and the application object as the program makes it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <memory>

#include "tests/support/offscreen_main.h"

namespace {

QtMessageHandler gDefaultHandler = nullptr;

// The offscreen platform says what it cannot do (raise, grab) at every dialog: noise here.
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
  const auto app = zento::test::MakeTestApplication(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
