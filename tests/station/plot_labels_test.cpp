// The texts on the plot, in the window and in the record: none on another, none off the chart,
// whatever the station and at the window's smallest.
#include <QApplication>
#include <algorithm>
#include <QChart>
#include <QSvgRenderer>

#include "core/plot.h"
#include "report/record.h"
#include "station/plot_view.h"
#include "station/station_document.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

Place At(const char* name, double meters, Environment environment = Environment::kUncontrolled) {
  Place p = StarterStation().places.front();
  p.name = name;
  p.environment = environment;
  p.distanceMeters = meters;
  p.horizontalMeters.reset();
  p.heightMeters.reset();
  return p;
}

struct State {
  const char* what;
  Station station;
};

std::vector<State> States() {
  std::vector<State> states;
  states.push_back({"a new station: the controlled limit met close to the antenna", StarterStation()});
  Station same = StarterStation();
  // On the air 6 minutes in 30: the controlled limit is five times the uncontrolled one, and so
  // is the power averaged over its 6-minute window. Both are met at one distance.
  same.transmitters.front().txMinutes = 6.0;
  same.transmitters.front().rxMinutes = 24.0;
  same.places = {At("Porch", 3.0)};
  states.push_back({"both limits met at the same distance", same});
  Station crowd = StarterStation();
  crowd.places = {At("Kitchen window", 5.0), At("Neighbour's garden", 5.0),
                  At("Shack", 5.0, Environment::kControlled), At("Garage roof", 5.2)};
  states.push_back({"places at one distance", crowd});
  Station strong = StarterStation();
  strong.transmitters.front().powerWatts = 1500.0;
  strong.places = {At("A place with a rather long name indeed, by the fence", 4.0), At("Gate", 40.0),
                   At("Street", 41.0)};
  states.push_back({"places near where the limits are met, one with a long name", strong});
  return states;
}

class PlotLabels : public StationWindowTest {};

TEST_F(PlotLabels, NoTextCoversAnotherOrLeavesTheChart) {
  for (const QSize size : {QSize(1280, 860), window_->minimumSizeHint()}) {
    for (const State& state : States()) {
      window_->document()->reset(state.station, {});
      window_->resize(size);
      QApplication::processEvents();
      const PlotView* plot = window_->plot();
      const QRectF area = plot->chart()->plotArea().adjusted(-0.5, -0.5, 0.5, 0.5);
      const QList<QRectF> rects = plot->labelRects();
      const QStringList texts = plot->labelTexts().mid(3);  // after the title and the axes' titles
      ASSERT_EQ(rects.size(), texts.size());
      for (qsizetype i = 0; i < rects.size(); ++i) {
        const std::string where = std::string(state.what) + " at " + std::to_string(size.width()) + " px: " +
                                  texts[i].toStdString();
        EXPECT_TRUE(area.contains(rects[i])) << where;
        for (qsizetype j = i + 1; j < rects.size(); ++j) {
          EXPECT_FALSE(rects[i].intersects(rects[j])) << where << " on " << texts[j].toStdString();
        }
      }
      // Every place is named, however short its name is cut, with its verdict. The other texts all
      // show at the usual size; at the smallest one may give way, and the chart's tooltip has it.
      const auto verdicts = std::count_if(texts.begin(), texts.end(), [](const QString& text) {
        return text.endsWith(QStringLiteral("COMPLIES")) || text.endsWith(QStringLiteral("EXCEEDS THE LIMIT"));
      });
      EXPECT_EQ(verdicts, static_cast<qsizetype>(state.station.places.size())) << state.what;
      if (size.width() >= 1280) {
        EXPECT_EQ(texts.size(), static_cast<qsizetype>(4 + state.station.places.size())) << state.what;
        EXPECT_TRUE(plot->toolTip().isEmpty());
      }
    }
  }
}

// The record's plot, as the renderer that prints it lays its texts out.
TEST_F(PlotLabels, TheRecordsPlaceNamesStayOnItsChart) {
  for (const State& state : States()) {
    const StationResult result = EvaluateStation(state.station);
    const auto plot = MakePlot(state.station, result, 0, 0);
    ASSERT_TRUE(plot);
    const QByteArray svg = QByteArray::fromStdString(PlotSvg(state.station, *plot, 720, 460));
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    const QRectF area = renderer.boundsOnElement(QStringLiteral("plot-area")).adjusted(-0.5, -0.5, 0.5, 0.5);
    QList<QRectF> rects;
    QStringList ids;
    for (std::size_t p = 0; p < state.station.places.size(); ++p) {
      const QString id = QStringLiteral("place-%1").arg(p);
      ASSERT_TRUE(renderer.elementExists(id)) << id.toStdString();
      rects << renderer.boundsOnElement(id);  // turned as it is drawn: it reads upwards
      EXPECT_GT(rects.back().height(), rects.back().width()) << id.toStdString();
      ids << id;
    }
    for (qsizetype i = 0; i < rects.size(); ++i) {
      EXPECT_TRUE(area.contains(rects[i])) << state.what << ": " << ids[i].toStdString();
      for (qsizetype j = i + 1; j < rects.size(); ++j) {
        EXPECT_FALSE(rects[i].intersects(rects[j])) << state.what << ": " << ids[i].toStdString() << " on "
                                                    << ids[j].toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace zento::station::test
