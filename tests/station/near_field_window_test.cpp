// The near field in the window, as a user meets it: a model chosen and lowered moves the
// boundary, a power edit only rescales, a newer edit cancels the older run, undo needs no run, a
// place dragged is judged at once, and a machine without the engine keeps its far field.
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QtTest/QTest>

#include "station/local_text.h"
#include "station/heat_map_view.h"
#include "station/near_field_pane.h"
#include "station/near_field_service.h"
#include "station/number_field.h"
#include "station/results_models.h"
#include "station/station_document.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

constexpr int kEngineWait = 180000;  // generous: the sanitizer build is slow, the machine shared
constexpr auto kUncontrolled = static_cast<std::size_t>(Environment::kUncontrolled);

class NearFieldWindow : public StationWindowTest {
 protected:
  void SetUp() override {
    StationWindowTest::SetUp();
    window_->resize(1280, 860);
  }
  NearFieldService& service() const { return *window_->nearField(); }
  const Station& station() const { return window_->document()->station(); }
  const TransmitterNearField& near(std::size_t t = 0) const { return service().transmitters()[t]; }
  HeatMapView* top() const { return window_->nearFieldPane()->top(); }
  // Until the engine has nothing left to do.
  void settle() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return service().idle(); }, kEngineWait));
    QApplication::processEvents();
  }
  QString result(int row, const char* header) const { return cell(window_->results(), row, column(window_->results(), header)); }
  QString nearVerdict(int place) const { return cell(window_->verdicts(), place, VerdictModel::kNearField); }
};

TEST_F(NearFieldWindow, AModelChosenAndLoweredMovesTheBoundary) {
  key(Qt::Key_I, Qt::AltModifier);  // distances in meters
  key(Qt::Key_Down);
  key(Qt::Key_T, Qt::AltModifier);
  typeOver(find<NumberField>("power"), QStringLiteral("1500"));
  auto* kind = find<QComboBox>("antennaModel");
  kind->setFocus();
  key(Qt::Key_Down);  // from "Gain only" to the half-wave dipole
  ASSERT_TRUE(station().transmitters[0].antenna.model);
  EXPECT_EQ(station().transmitters[0].antenna.model->kind, AntennaKind::kDipole);
  EXPECT_TRUE(find<QLabel>("antennaDimensions")->text().contains(QStringLiteral("long (2 arms of")));

  const struct {
    const char* height;
    bool exceeds;  // somewhere along the ground at 2 m and below
  } cases[] = {{"3", true}, {"4", true}, {"6", false}};
  double previous = 1e9;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.height);
    typeOver(find<NumberField>("antennaHeight"), QString::fromLatin1(c.height));
    settle();
    ASSERT_TRUE(near().current()) << near().problem.toStdString();
    const QString boundary = result(1, "Near-field boundary");  // 20m, uncontrolled
    const double meters = near().result->bands[0].largestMeters[kUncontrolled];
    if (!c.exceeds) {
      EXPECT_EQ(boundary, QStringLiteral("none: the limit is met everywhere"));
      continue;
    }
    // Under a low dipole the near field reaches past the far-field formula, off the wire's ends
    // (it lies across its heading, north: east and west), and the lower, the farther.
    EXPECT_GT(meters, *near().result->bands[0].farFieldMeters[kUncontrolled]);
    EXPECT_LT(meters, previous);
    previous = meters;
    EXPECT_TRUE(boundary.contains(QStringLiteral("toward 90 degrees")) ||
                boundary.contains(QStringLiteral("toward 270 degrees")))
        << boundary.toStdString();
    // The picture from above shows it, and says what is under the mouse pointer.
    ASSERT_TRUE(top()->picture());
    EXPECT_FALSE(top()->picture()->outOfDate);
    const QString under = top()->readoutAt(top()->toWidget(3.0, 1.0));
    // Numbers with the locale's decimal separator.
    const QString d = QRegularExpression::escape(QLocale().decimalPoint());
    const QRegularExpression words(QStringLiteral("^3@0 m east and 0@9 m north of the mast, 2@0 m up: E [0-9]+(@[0-9]+)? V/m, "
                                                  "H [0-9]+(@[0-9]+)? A/m: [0-9]+(@[0-9]+)? % \\((E|H) binds\\)$")
                                       .replace(QLatin1Char('@'), d));
    EXPECT_TRUE(words.match(under).hasMatch()) << under.toStdString();  // the grid's nearest point
  }
}

TEST_F(NearFieldWindow, APowerEditRescalesWithoutTheEngine) {
  openExample("near-field-yagi");
  settle();
  const int runs = service().runsStarted();
  const double share = service().verdicts()[0].share;
  EXPECT_EQ(nearVerdict(0), LocalNum(QStringLiteral("COMPLIES, 34.2 %")));
  key(Qt::Key_T, Qt::AltModifier);
  typeOver(find<NumberField>("power"), QStringLiteral("500"));
  // Half the power, half the share against every time-averaged limit, at once.
  EXPECT_NEAR(service().verdicts()[0].share, share / 2, 1e-12 * share);
  EXPECT_EQ(nearVerdict(0), LocalNum(QStringLiteral("COMPLIES, 17.1 %")));
  EXPECT_FALSE(top()->picture()->outOfDate);
  EXPECT_TRUE(service().idle());
  EXPECT_EQ(service().runsStarted(), runs);
}

TEST_F(NearFieldWindow, ANewerEditCancelsTheOlderRunAndTheOldPictureWaitsGreyed) {
  openExample("near-field-yagi");
  settle();
  const int cancelled = service().runsCancelled();
  key(Qt::Key_T, Qt::AltModifier);
  typeOver(find<NumberField>("antennaHeight"), QStringLiteral("15"));  // 1 m, then 15 m
  EXPECT_TRUE(top()->picture()->outOfDate);
  EXPECT_TRUE(find<QProgressBar>("nearFieldProgress")->isVisible());
  EXPECT_EQ(result(1, "Near-field boundary"), ComputingText());
  EXPECT_EQ(nearVerdict(0), ComputingText());
  settle();
  EXPECT_GT(service().runsCancelled(), cancelled);
  ASSERT_TRUE(near().current());
  EXPECT_FALSE(top()->picture()->outOfDate);
  EXPECT_FALSE(find<QProgressBar>("nearFieldProgress")->isVisible());
  EXPECT_EQ(near().entry->key, EngineKey(station(), 0));
}

TEST_F(NearFieldWindow, UndoBringsThePicturesBackWithoutTheEngine) {
  openExample("near-field-yagi");
  settle();
  const std::vector<double> shares = top()->picture()->image.shares;
  const QString verdict = nearVerdict(1);
  key(Qt::Key_T, Qt::AltModifier);
  typeOver(find<NumberField>("antennaHeight"), QStringLiteral("9"));
  settle();
  ASSERT_NE(top()->picture()->image.shares, shares);
  const int runs = service().runsStarted();
  key(Qt::Key_Z, Qt::ControlModifier);
  // At once, as it was: no run, nothing out of date.
  EXPECT_EQ(station().transmitters[0].antenna.heightMeters, 12.0);
  EXPECT_TRUE(service().idle());
  EXPECT_EQ(top()->picture()->image.shares, shares);
  EXPECT_EQ(nearVerdict(1), verdict);
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(service().idle());
  EXPECT_EQ(service().runsStarted(), runs);
}

TEST_F(NearFieldWindow, APlaceDraggedOnTheViewFromAboveIsJudgedAtOnceThenByItsOwnRun) {
  openExample("near-field-yagi");
  settle();
  ASSERT_EQ(window_->views()->currentWidget(), window_->nearFieldPane());  // a station with a model opens there
  const int runs = service().runsStarted(), cancelled = service().runsCancelled();
  const int edits = window_->document()->undoStack()->count();
  const auto geometry = near().entry;
  const QPoint from = top()->toWidget(8.0, 0.0).toPoint(), to = top()->toWidget(8.0, 6.0).toPoint();
  QTest::mousePress(top(), Qt::LeftButton, {}, from);
  QTest::mouseMove(top(), (from + to) / 2);
  QTest::mouseMove(top(), to);
  QTest::mouseRelease(top(), Qt::LeftButton, {}, to);
  const auto& moved = station().places[0].positionMeters;
  ASSERT_TRUE(moved);
  EXPECT_NEAR((*moved)[0], 8.0, 0.5);
  EXPECT_NEAR((*moved)[1], 6.0, 0.5);
  EXPECT_EQ(window_->document()->undoStack()->count(), edits + 1);  // one edit, however many moves
  // Judged at once from the picture's grid, then by the engine at that point alone.
  EXPECT_TRUE(near().placeKnown(0));
  EXPECT_NE(nearVerdict(0), ComputingText());
  settle();
  // One run for the place finished (those the drag overtook cancelled); the antenna's not again.
  EXPECT_EQ(service().runsStarted() - runs, service().runsCancelled() - cancelled + 1);
  EXPECT_EQ(near().entry, geometry);
  EXPECT_FALSE(near().refining);
  EXPECT_FALSE(near().data->placeEstimated[0]);
}

TEST_F(NearFieldWindow, WithoutTheEngineTheFarFieldStandsAndTheWindowSaysWhyOnce) {
  QSignalSpy messages(window_->statusBar(), &QStatusBar::messageChanged);
  service().setEngineOptions({.program = temporary(QStringLiteral("no-engine-here")).toStdString()});
  openExample("near-field-yagi");
  settle();
  EXPECT_EQ(near().state, TransmitterNearField::State::kFailed);
  const QString why = find<QLabel>("nearFieldProblem")->text();
  EXPECT_TRUE(why.contains(QStringLiteral("10m beam: the NEC-2 engine nec2c is not installed"))) << why.toStdString();
  EXPECT_TRUE(why.contains(QStringLiteral("The far-field results stand"))) << why.toStdString();
  // The far field in full; the verdict "with the near field" is the far field's.
  EXPECT_EQ(cell(window_->verdicts(), 0, VerdictModel::kShare), LocalNum(QStringLiteral("138.9 %")));
  EXPECT_EQ(nearVerdict(0), LocalNum(QStringLiteral("EXCEEDS THE LIMIT, 138.9 % (far field for 10m beam)")));
  EXPECT_EQ(result(1, "Near-field boundary"), QStringLiteral("-"));
  key(Qt::Key_T, Qt::AltModifier);
  typeOver(find<NumberField>("power"), QStringLiteral("800"));
  EXPECT_EQ(cell(window_->verdicts(), 0, VerdictModel::kShare), LocalNum(QStringLiteral("111.1 %")));
  for (const char* height : {"13", "14"}) {
    typeOver(find<NumberField>("antennaHeight"), QString::fromLatin1(height));
    settle();
  }
  int said = 0;
  for (const auto& message : messages) said += message[0].toString().isEmpty() ? 0 : 1;
  EXPECT_EQ(said, 1);
}

}  // namespace
}  // namespace zento::station::test
