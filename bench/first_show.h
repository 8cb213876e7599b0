#pragma once
// Start-up probes: the first window shown ends the process at once, after saying so on
// standard output, so a harness can time start-up and read the peak memory up to then.

#include <unistd.h>
#include <QApplication>
#include <QEvent>
#include <QWidget>

class FirstShowProbe : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      if (auto* widget = qobject_cast<QWidget*>(watched); widget != nullptr && widget->isWindow()) {
        QApplication::sync();
        static const char kShown[] = "shown\n";
        (void)!::write(STDOUT_FILENO, kShown, sizeof kShown - 1);
        ::_exit(0);
      }
    }
    return false;
  }
};
