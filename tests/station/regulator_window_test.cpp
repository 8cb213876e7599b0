// What a regulator asks for, in the window: times in seconds, the reactive near field flagged,
// Germany's notification threshold per band, and the assessment and controllable area kept.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QtTest/QTest>

#include "station/local_text.h"
#include "station/number_field.h"
#include "station/station_document.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

class RegulatorWindow : public StationWindowTest {
 protected:
  const Station& station() const { return window_->document()->station(); }
  QTableView* results() const { return window_->results(); }
  // The results' rows of the one band, controlled first.
  QString result(int row, const char* header) const { return cell(results(), row, column(results(), header)); }
};

// 100 W into 0 dBi without loss on 80 m: 100 W EIRP. At 3.5 MHz lambda/2pi is 13.6 m beyond a
// half-wave dipole's ends, 21.4 m from its middle: a place 5 m from the antenna is within 35 m,
// one 40 m away is not.
Station Germany80m(double watts) {
  Station s;
  s.rules = RuleSet::kGermanyBemfv;
  s.units = LengthUnit::kMeters;
  s.groundReflection = false;  // the Bundesnetzagentur's basic form
  for (const auto& [name, meters] : {std::pair{"Near", 5.0}, std::pair{"Far", 40.0}}) {
    Place p;
    p.name = name;
    p.distanceMeters = meters;
    s.places.push_back(p);
  }
  Transmitter t;
  t.name = "HF";
  t.powerWatts = watts;
  t.mode = "fm";
  t.bands = {{"80m", 0.0}};
  s.transmitters.push_back(t);
  return s;
}

TEST_F(RegulatorWindow, TimesAreTypedInSecondsWhenChosen) {
  openExample("germany-bemfv");
  key(Qt::Key_T, Qt::AltModifier);
  auto* unit = find<QComboBox>("timeUnit");
  unit->setFocus(Qt::TabFocusReason);
  key(Qt::Key_Down);  // seconds
  ASSERT_TRUE(station().transmitters[0].timesInSeconds);
  // FT8's 12.64 s of each 15 s period, every other period: 12.64 s on, 17.36 s off.
  typeOver(find<NumberField>("txMinutes"), QStringLiteral("12.64"));
  typeOver(find<NumberField>("rxMinutes"), QStringLiteral("17.36"));
  EXPECT_NEAR(*station().transmitters[0].txMinutes, 12.64 / 60, 1e-12);
  EXPECT_NEAR(*station().transmitters[0].rxMinutes, 17.36 / 60, 1e-12);
  // A day is the most: 1440 minutes, said as 86400 seconds.
  typeOver(find<NumberField>("rxMinutes"), QStringLiteral("90000"));
  EXPECT_TRUE(RefusedText(find<NumberField>("rxMinutes")).contains(QStringLiteral("86400 seconds")));
  EXPECT_NEAR(*station().transmitters[0].rxMinutes, 9000.0 / 60, 1e-12);  // the last keystroke it took
  // Back to minutes: the same times, shown as minutes.
  typeOver(find<NumberField>("rxMinutes"), QStringLiteral("17.36"));
  unit->setFocus(Qt::TabFocusReason);
  key(Qt::Key_Up);
  EXPECT_FALSE(station().transmitters[0].timesInSeconds);
  EXPECT_EQ(find<NumberField>("txMinutes")->text(), LocalNum(QStringLiteral("0.210667")));
}

TEST_F(RegulatorWindow, AReactiveNearFieldAndTheNotificationAreShownPerBand) {
  window_->document()->reset(Germany80m(100), {});
  // Both places are general public: the second row is theirs.
  EXPECT_TRUE(result(1, "At Near").endsWith(QStringLiteral(" *")));
  EXPECT_FALSE(result(1, "At Far").contains(QLatin1Char('*')));
  // At the band's top, 26. BImSchV's 87 / sqrt(3.8) = 44.6 V/m is met sqrt(30 x 100) / 44.6 = 1.23 m
  // away: inside too.
  EXPECT_EQ(result(1, "Safe distance"), LocalNum(QStringLiteral("1.2 Meters *")));
  EXPECT_TRUE(find<QLabel>("reactiveNote")->isVisibleTo(window_.get()));
  EXPECT_EQ(result(0, "Notification"), QStringLiteral("required"));  // 100 W EIRP, from 10 W

  Station far = Germany80m(5);
  far.places.erase(far.places.begin());
  window_->document()->reset(far, {});
  EXPECT_EQ(result(0, "Notification"), QStringLiteral("not required"));
}

TEST_F(RegulatorWindow, TheWindowSaysWhetherTheSafetyDistanceStaysInsideTheControllableArea) {
  // 1.23 m around the mast at the origin (above): inside a square 2 m each way with 0.77 m to
  // spare; across one 1 m each way by 0.23 m.
  Station s = Germany80m(100);
  s.siteOutline = {{-2, -2}, {2, -2}, {2, 2}, {-2, 2}};
  window_->document()->reset(s, {});
  auto* note = find<QLabel>("areaNote");
  EXPECT_TRUE(note->isVisibleTo(window_.get()));
  EXPECT_TRUE(note->text().contains(LocalNum(QStringLiteral("1.2 Meters around the antenna, stays inside the controllable "
                                                            "area (0.8 Meters to spare)"))))
      << note->text().toStdString();
  s.siteOutline = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  window_->document()->reset(s, {});
  EXPECT_TRUE(note->text().contains(LocalNum(QStringLiteral("DOES NOT STAY inside the controllable area (0.2 Meters beyond it)"))))
      << note->text().toStdString();
  s.rules = RuleSet::kIcnirp2020;  // Germany's check alone
  window_->document()->reset(s, {});
  EXPECT_FALSE(note->isVisibleTo(window_.get()));
}

TEST_F(RegulatorWindow, TheAssessmentIsKeptAndABadDateOrOutlineRefused) {
  window_->document()->reset(Germany80m(100), {});
  typeOver(find<QLineEdit>("assessor"), QStringLiteral("Erika Mustermann"));
  typeOver(find<QLineEdit>("assessmentDate"), QStringLiteral("2026-13-01"));
  EXPECT_FALSE(RefusedText(find<QLineEdit>("assessmentDate")).isEmpty());
  typeOver(find<QLineEdit>("assessmentDate"), QStringLiteral("2026-12-07"));
  EXPECT_TRUE(RefusedText(find<QLineEdit>("assessmentDate")).isEmpty());
  typeOver(find<QPlainTextEdit>("assessmentMeasures"), QStringLiteral("Fenced."));
  ASSERT_TRUE(station().assessment);
  EXPECT_EQ(station().assessment->assessor, "Erika Mustermann");
  EXPECT_EQ(station().assessment->date, "2026-12-07");
  EXPECT_EQ(station().assessment->measures, "Fenced.");

  typeOver(find<QLineEdit>("siteOutline"), QStringLiteral("0 0; 10 0; 10 10"));
  const std::vector<std::array<double, 2>> square = {{0, 0}, {10, 0}, {10, 10}};
  EXPECT_EQ(station().siteOutline, square);
  typeOver(find<QLineEdit>("siteOutline"), QStringLiteral("0 0; 10"));
  EXPECT_FALSE(RefusedText(find<QLineEdit>("siteOutline")).isEmpty());
  EXPECT_EQ(station().siteOutline, square);
  typeOver(find<QLineEdit>("siteOutline"), QStringLiteral("0 0; 10 0; 10 10"));
  // In feet: 10 m is 32.8 feet, and the station still holds meters.
  auto* units = find<QComboBox>("units");
  units->setFocus(Qt::TabFocusReason);
  key(Qt::Key_Up);
  EXPECT_EQ(find<QLineEdit>("siteOutline")->text(), LocalNum(QStringLiteral("0 0; 32.8 0; 32.8 32.8")));
  EXPECT_EQ(station().siteOutline, square);

  // Emptied, there is no assessment.
  for (const char* field : {"assessor", "assessmentDate"}) typeOver(find<QLineEdit>(field), {});
  typeOver(find<QPlainTextEdit>("assessmentMeasures"), {});
  EXPECT_FALSE(station().assessment);
}

}  // namespace
}  // namespace zento::station::test
