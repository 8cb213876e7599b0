// A second yardstick: one empty dialog with one line of text, which is what makes a program
// load the font database.
#include <QApplication>
#include <QDialog>
#include <QLabel>

#include "bench/first_show.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  FirstShowProbe probe;
  app.installEventFilter(&probe);
  QDialog dialog;
  new QLabel(QStringLiteral("Station Call Sign"), &dialog);
  return dialog.exec();
}
