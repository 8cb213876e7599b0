#include "ui/framework/application.h"

#include <clocale>

#include "ui/framework/message_box.h"

namespace zento::ui {
namespace {

// QApplication keeps references to these for its whole life.
int gArgc = 1;
char* gArgv[2] = {nullptr, nullptr};

}  // namespace

std::unique_ptr<QApplication> CreateApplication(const char* programName) {
  static std::string name;
  name = programName;
  gArgv[0] = name.data();
  auto app = std::make_unique<QApplication>(gArgc, gArgv);
  std::setlocale(LC_NUMERIC, "C");
  // The calculator speaks English only; its texts shared with the station must not follow LANG.
  std::setlocale(LC_MESSAGES, "C");
  QApplication::setApplicationName(QString::fromUtf8(kApplicationName));
  return app;
}

}  // namespace zento::ui
