// One edit in ZENTO Station's window on the largest example station, from the key event until
// the window has repainted: the whole station evaluated again, the tables and the plot updated
// and drawn, on Qt's offscreen platform. Goal: under 16 ms (one frame).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTableView>
#include <clocale>
#include <cstdlib>

#include "station/places_pane.h"
#include "station/station_window.h"

namespace {

using zento::station::StationWindow;

StationWindow& Window() {
  static StationWindow* window = [] {
    auto* created = new StationWindow;
    created->resize(1280, 860);
    created->show();
    if (!created->openFile(QStringLiteral(ZENTO_SOURCE_DIR "/examples/contest-two-transmitters.zento.json"))) {
      std::abort();
    }
    created->activateWindow();
    QApplication::processEvents();
    return created;
  }();
  return *window;
}

void Key(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
}

// Alternately a digit typed at the end of the power and Backspace, each followed by the repaint.
void BM_PowerKeystroke(benchmark::State& state) {
  StationWindow& window = Window();
  window.tabs()->setCurrentIndex(2);
  QWidget* power = window.findChild<QWidget*>(QStringLiteral("power"));
  power->setFocus();
  QApplication::processEvents();
  bool erase = false;
  for (auto _ : state) {
    if (erase) {
      Key(power, Qt::Key_Backspace, QString());
    } else {
      Key(power, Qt::Key_1, QStringLiteral("1"));
    }
    erase = !erase;
    QApplication::processEvents();
  }
}
BENCHMARK(BM_PowerKeystroke)->Unit(benchmark::kMillisecond);

// A place's distance edited in its table, moving it across the limit and back.
void BM_PlaceDistanceEdit(benchmark::State& state) {
  StationWindow& window = Window();
  window.tabs()->setCurrentIndex(1);
  QAbstractItemModel* places = window.places()->table()->model();
  const QModelIndex distance = places->index(2, zento::station::PlacesModel::kHorizontal);
  bool near = false;
  for (auto _ : state) {
    places->setData(distance, near ? QStringLiteral("131") : QStringLiteral("3"), Qt::EditRole);
    near = !near;
    QApplication::processEvents();
  }
}
BENCHMARK(BM_PlaceDistanceEdit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station-bench"));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
