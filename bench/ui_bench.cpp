// One keystroke in the main window, from the key event to the handler's return, on Qt's
// offscreen platform: in the frequency field with a cable chosen (the longest chain of nested
// change events), and in a distance field (the work back to the power).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <cstdlib>

#include "ui/exposure_dlg.h"
#include "ui/framework/application.h"
#include "ui/res/resource.h"

namespace {

using namespace zento::ui;

// The main window as it stands after start-up, the station dialog cancelled.
CExposureDlg& Window() {
  static CExposureDlg* dlg = [] {
    auto* created = new CExposureDlg;
    Dialog::SetMainWindow(created);
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [] {
      if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) modal->reject();
    });
    cancel.start(1);
    created->Create();
    created->Window()->activateWindow();
    return created;
  }();
  return *dlg;
}

void Key(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
}

void TypeAndErase(benchmark::State& state, int fieldId) {
  CExposureDlg& dlg = Window();
  QWidget* field = dlg.Control(fieldId);
  field->setFocus();
  QApplication::processEvents();
  bool erase = false;
  for (auto _ : state) {
    // Alternately a digit at the end and Backspace: every press is one keystroke.
    if (erase) {
      Key(field, Qt::Key_Backspace, QString());
    } else {
      Key(field, Qt::Key_1, QStringLiteral("1"));
    }
    erase = !erase;
  }
}

void BM_FrequencyKeystrokeWithCable(benchmark::State& state) {
  Window().Feedline().SelectCable(25);
  Window().Feedline().SetLength("100");
  Window().SetText(IDC_FREQUENCY, "146.5");
  TypeAndErase(state, IDC_FREQUENCY);
}
BENCHMARK(BM_FrequencyKeystrokeWithCable);

void BM_DistanceKeystroke(benchmark::State& state) {
  Window().SetText(IDC_CONTROLLED_DISTANCE, "12");
  TypeAndErase(state, IDC_CONTROLLED_DISTANCE);
}
BENCHMARK(BM_DistanceKeystroke);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const auto app = CreateApplication(argv[0]);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
