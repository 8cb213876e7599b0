// The yardstick: the least a Qt Widgets program does to show one empty dialog.
#include <QApplication>
#include <QDialog>

#include "bench/first_show.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  FirstShowProbe probe;
  app.installEventFilter(&probe);
  QDialog dialog;
  return dialog.exec();
}
