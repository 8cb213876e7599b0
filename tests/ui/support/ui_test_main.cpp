// Entry point of the window tests: Qt's offscreen platform, set here so no display is needed,
// and the application object as the program makes it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <clocale>
#include <cstdlib>

#include "ui/framework/application.h"

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
  const std::string runtime = QDir::tempPath().toStdString() + "/zento-ui-tests-runtime";
  QDir().mkpath(QString::fromStdString(runtime));
  QFile::setPermissions(QString::fromStdString(runtime),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
  std::setlocale(LC_ALL, "");
  const auto app = zento::ui::CreateApplication(argv[0]);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
