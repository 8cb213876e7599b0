// One edit in ZENTO Station's window on the largest example station, from the key event until
// the window has repainted: the whole station evaluated again, the tables and the plot updated
// and drawn, on Qt's offscreen platform. Goal: under 16 ms (one frame).
//
// And the near field: with its heat maps shown, a power edit (the fields rescaled: goal 16 ms),
// and an antenna edit until its new heat map is drawn (the engine run: goal 1.5 s), for a
// vertical with ten radials, 110 segments.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTableView>
#include <clocale>
#include <cstdlib>

#include "station/near_field_data.h"
#include "station/near_field_pane.h"
#include "station/near_field_service.h"
#include "station/places_pane.h"
#include "station/station_document.h"
#include "station/station_window.h"
#include "station/translator.h"

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
// Each repetition from the same power: an odd count of keys leaves a digit behind, and the power
// would soon pass its limit and be refused, with nothing to redraw.
void FromPower(StationWindow& window, double watts) {
  zento::Station start = window.document()->station();
  start.transmitters[0].powerWatts = watts;
  window.document()->edit(start, QStringLiteral("Power"));
  QApplication::processEvents();
}

// A digit typed at the end of the power field, and Backspace, from `watts`.
void TypeInPower(benchmark::State& state, StationWindow& window, double watts) {
  FromPower(window, watts);
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

void BM_PowerKeystroke(benchmark::State& state) {
  StationWindow& window = Window();
  TypeInPower(state, window, 1500);
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

// A quarter-wave vertical for 40 m with nine radials 0.2 m up (about 110 segments, near
// the ground: two engine runs side by side), 400 W CW, five places on the site.
zento::Station Vertical() {
  zento::Station s = zento::station::StarterStation();
  s.units = zento::LengthUnit::kMeters;
  zento::Transmitter& t = s.transmitters[0];
  t.powerWatts = 400;
  t.mode = "cw";
  t.bands = {{"40m", 0}};
  zento::AntennaModel m;
  m.kind = zento::AntennaKind::kVertical;
  m.radials = 9;
  t.antenna.model = m;
  t.antenna.heightMeters = 0.2;
  for (int p = 0; p < 5; ++p) {
    zento::Place place;
    place.name = "place " + std::to_string(p);
    place.positionMeters = std::array<double, 2>{2.0 + 3.0 * p, 1.0 + p};
    s.places.push_back(place);
  }
  return s;
}

// Until the engine has nothing left to do.
void Settle(StationWindow& window) {
  while (!window.nearField()->idle()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  QApplication::processEvents();
}

StationWindow& NearFieldWindow() {
  static StationWindow* window = [] {
    auto* created = new StationWindow;
    created->resize(1280, 860);
    created->show();
    created->document()->reset(Vertical(), {});
    created->views()->setCurrentWidget(created->nearFieldPane());
    created->activateWindow();
    Settle(*created);
    return created;
  }();
  return *window;
}

// A digit typed at the end of the power and Backspace, with both heat maps shown: the fields
// rescaled, the pictures, tables and verdicts drawn again.
void BM_PowerKeystrokeWithHeatMaps(benchmark::State& state) {
  StationWindow& window = NearFieldWindow();
  const int runs = window.nearField()->runsStarted();
  TypeInPower(state, window, 400);
  if (window.nearField()->runsStarted() != runs) state.SkipWithError("a power edit ran the engine");
}
BENCHMARK(BM_PowerKeystrokeWithHeatMaps)->Unit(benchmark::kMillisecond);

// The antenna raised by a centimetre, a height not seen before, until the new heat map from
// above is drawn.
void BM_AntennaEditToItsNewHeatMap(benchmark::State& state) {
  StationWindow& window = NearFieldWindow();
  Settle(window);
  const int runs = window.nearField()->runsStarted();
  static double height = 0.2;  // a height not seen before in any repetition
  for (auto _ : state) {
    zento::Station s = window.document()->station();
    s.transmitters[0].antenna.heightMeters = height += 0.01;
    window.document()->edit(s, QStringLiteral("Antenna Height"));
    // Until the pictures shown are this geometry's (the document may tell the service later).
    const std::string key = zento::station::EngineKey(s, 0);
    const auto shown = [&] {
      const auto& nf = window.nearField()->transmitters()[0];
      return nf.current() && nf.entry && nf.entry->key == key;
    };
    while (!shown()) {
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QApplication::processEvents();  // drawn
    state.PauseTiming();
    Settle(window);  // the view from the side follows; not timed
    state.ResumeTiming();
  }
  state.counters["runs"] = window.nearField()->runsStarted() - runs;
  state.counters["segments"] = window.nearField()->transmitters()[0].entry->run->method.segments;
}
BENCHMARK(BM_AntennaEditToItsNewHeatMap)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  // As the program runs: the texts through the catalogues, in the language of the environment.
  zento::station::InstallTranslators(argv[0]);
  QApplication::setOrganizationName(QStringLiteral("ZENTO"));
  QApplication::setApplicationName(QStringLiteral("zento-station-bench"));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
