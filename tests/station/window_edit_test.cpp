// Editing the station as a user does: the tables, the plot and the verdicts follow every edit,
// nonsense is refused in words, and undo and redo cover it all.
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>
#include <QtTest/QTest>
#include <functional>

#include "station/local_text.h"
#include "station/number_field.h"
#include "station/places_pane.h"
#include "station/plot_view.h"
#include "station/results_models.h"
#include "station/station_document.h"
#include "station/transmitters_pane.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

class WindowEdit : public StationWindowTest {
 protected:
  void SetUp() override {
    StationWindowTest::SetUp();
    openExample("contest-two-transmitters");
    original_ = window_->document()->station();
  }
  const Station& station() const { return window_->document()->station(); }
  QString verdict(int place, int column) const { return cell(window_->verdicts(), place, column); }
  QString placeTip(int place) const {
    return window_->verdicts()->model()->index(place, VerdictModel::kPlace).data(Qt::ToolTipRole).toString();
  }
  QString eirp(int row) const { return cell(window_->results(), row, column(window_->results(), "EIRP (W)")); }
  double nearestDensity() const { return window_->plot()->density(Environment::kUncontrolled)->at(0).y(); }

  Station original_;
};

TEST_F(WindowEdit, PowerTypedUpdatesResultsPlotAndVerdictAndUndoesAsOneEdit) {
  const QString share = verdict(0, VerdictModel::kShare);
  const QString eirp0 = eirp(0);
  const double density = nearestDensity();

  key(Qt::Key_T, Qt::AltModifier);  // the Transmitters tab, Run chosen
  ASSERT_EQ(window_->tabs()->currentIndex(), 2);
  typeOver(find<NumberField>("power"), QStringLiteral("150"));

  EXPECT_EQ(station().transmitters[0].powerWatts, 150.0);
  EXPECT_NE(verdict(0, VerdictModel::kShare), share);
  EXPECT_NE(eirp(0), eirp0);
  EXPECT_LT(nearestDensity(), density);
  EXPECT_EQ(window_->document()->undoStack()->count(), 1);  // three keystrokes, one edit
  EXPECT_TRUE(window_->isWindowModified());

  key(Qt::Key_Z, Qt::ControlModifier);  // the station's undo, though the field has the focus
  EXPECT_EQ(station(), original_);
  EXPECT_EQ(find<NumberField>("power")->text(), QStringLiteral("1500"));
  EXPECT_EQ(eirp(0), eirp0);
  EXPECT_EQ(nearestDensity(), density);
  EXPECT_FALSE(window_->isWindowModified());

  // Redo by either key the desktops use, the field still focused.
  for (const QKeyCombination redo : {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}) {
    key(redo.key(), redo.keyboardModifiers());
    EXPECT_EQ(station().transmitters[0].powerWatts, 150.0);
    EXPECT_EQ(find<NumberField>("power")->text(), QStringLiteral("150"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(station(), original_);
  }
}

TEST_F(WindowEdit, NonsenseIsRefusedInWordsAndChangesNothing) {
  key(Qt::Key_T, Qt::AltModifier);
  auto* problem = find<QLabel>("problem");
  typeOver(find<NumberField>("power"), QStringLiteral("lots"));
  EXPECT_EQ(station(), original_);
  EXPECT_EQ(problem->text(), LocalNum(QStringLiteral("Power: expected a number from 0.001 to 100000")));
  typeOver(find<NumberField>("power"), QStringLiteral("1e6"));  // "1" on the way was a power
  EXPECT_EQ(station().transmitters[0].powerWatts, 1.0);
  typeOver(find<NumberField>("power"), QStringLiteral("200"));
  EXPECT_TRUE(problem->text().isEmpty());
  EXPECT_EQ(station().transmitters[0].powerWatts, 200.0);

  typeOver(find<QLineEdit>("transmitterName"), QStringLiteral("Mult"));  // taken: "Mul" is the last name
  EXPECT_EQ(problem->text(), QStringLiteral("Name: another transmitter has this name"));
  EXPECT_EQ(station().transmitters[0].name, "Mul");
  EXPECT_EQ(station().transmitters[1].simultaneousWith, std::vector<std::string>{"Mul"});
}

TEST_F(WindowEdit, NumbersAreTypedWithAPointOrTheLocalesDecimalSeparator) {
  const QLocale german(QLocale::German, QLocale::Germany), english(QLocale::English, QLocale::UnitedStates);
  const struct {
    QLocale locale;
    const char* typed;
    std::optional<double> swr;  // none: refused
  } cases[] = {{german, "2,5", 2.5},  {german, "2.5", 2.5}, {german, " 1,75 ", 1.75}, {german, "1.234,5", {}},
               {english, "2.5", 2.5}, {english, "2,5", {}}, {english, "1,500", {}}};
  key(Qt::Key_T, Qt::AltModifier);
  auto* swr = find<NumberField>("swr");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale.name().toStdString() + " " + c.typed);
    window_->setLocale(c.locale);
    typeOver(swr, QStringLiteral("1.3"));
    typeOver(swr, QString::fromLatin1(c.typed));
    EXPECT_EQ(swr->acceptable(), c.swr.has_value()) << swr->problem().toStdString();
    if (c.swr) {
      EXPECT_EQ(station().transmitters[0].feedline.swr, *c.swr);
    }
    EXPECT_EQ(swr->text(), QString::fromLatin1(c.typed));  // what was typed stays as it was typed
  }
  // Shown again, a number is written as the field's locale writes it; a file keeps the point.
  window_->setLocale(german);
  typeOver(swr, QStringLiteral("2,5"));
  window_->transmitters()->select(1);
  window_->transmitters()->select(0);
  EXPECT_EQ(swr->text(), QStringLiteral("2,5"));
}

TEST_F(WindowEdit, TextsStopWhereAStationFileDoes) {
  const QString page(2000, QLatin1Char('x'));  // a paste of far more than any field holds
  QApplication::clipboard()->setText(page);
  const struct {
    int tab;
    const char* field;
    std::size_t most;
    std::function<std::string(const Station&)> text;
  } cases[] = {
      {0, "callsign", kMaxCallsignLength, [](const Station& s) { return s.callsign; }},
      {0, "location", kMaxLocationLength, [](const Station& s) { return s.location; }},
      {2, "transmitterName", kMaxNameLength, [](const Station& s) { return s.transmitters[0].name; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    window_->tabs()->setCurrentIndex(c.tab);
    typeOver(find<QWidget>(c.field), {});
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Y);  // and one more, typed
    EXPECT_EQ(c.text(station()), std::string(c.most, 'x'));
  }
  // A place beyond what a station file holds is refused in words.
  Station full = station();
  full.places.resize(kMaxPlaces, full.places[0]);
  window_->document()->edit(full, QStringLiteral("Places"));
  key(Qt::Key_P, Qt::AltModifier);
  QTest::mouseClick(find<QPushButton>("addPlace"), Qt::LeftButton);
  EXPECT_EQ(station().places.size(), kMaxPlaces);
  EXPECT_EQ(find<QLabel>("problem")->text(), QStringLiteral("A station has at most 100 places"));
}

TEST_F(WindowEdit, APlaceBroughtCloseExceedsInWordsOnTheTableAndThePlot) {
  // As large as on a desktop (the offscreen screen is 800 x 600): the plot has room for whole names.
  window_->resize(1280, 860);
  key(Qt::Key_P, Qt::AltModifier);
  QTableView* places = window_->places()->table();
  places->setFocus();
  places->setCurrentIndex(places->model()->index(2, PlacesModel::kDistance));  // Parking
  key(Qt::Key_F2);
  key(Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
  key(Qt::Key_Return);
  QApplication::processEvents();  // the editor commits when the key's work is done

  ASSERT_EQ(station().places[2].distanceMeters, ToMeters(2.0, LengthUnit::kFeet));
  EXPECT_FALSE(station().places[2].horizontalMeters);
  EXPECT_EQ(verdict(2, VerdictModel::kVerdict), QStringLiteral("EXCEEDS THE LIMIT"));
  EXPECT_EQ(verdict(1, VerdictModel::kVerdict), QStringLiteral("COMPLIES"));
  const QStringList labels = window_->plot()->placeLabels();
  ASSERT_EQ(labels.size(), 3);
  EXPECT_TRUE(labels[2].startsWith(QStringLiteral("Parking: "))) << labels[2].toStdString();
  EXPECT_TRUE(labels[2].endsWith(QStringLiteral("EXCEEDS THE LIMIT"))) << labels[2].toStdString();
  EXPECT_DOUBLE_EQ(window_->plot()->placeLines()[2]->at(0).x(), 2.0);  // in feet, as the station shows

  // Nonsense in a cell is refused in words; the cell keeps its value.
  places->setCurrentIndex(places->model()->index(0, PlacesModel::kDistance));
  key(Qt::Key_F2);
  key(Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("near"));
  key(Qt::Key_Return);
  QApplication::processEvents();  // the editor commits when the key's work is done
  EXPECT_EQ(station().places[0], original_.places[0]);
  EXPECT_TRUE(find<QLabel>("problem")->text().startsWith(QStringLiteral("Distance: expected a number")));
}

TEST_F(WindowEdit, TransmittersAddedRenamedAndRemovedKeepTheirLinks) {
  key(Qt::Key_T, Qt::AltModifier);
  QTest::mouseClick(find<QPushButton>("addTransmitter"), Qt::LeftButton);
  ASSERT_EQ(station().transmitters.size(), 3u);
  EXPECT_EQ(find<QLineEdit>("transmitterName")->text(), QStringLiteral("Transmitter 3"));
  EXPECT_EQ(window_->results()->model()->rowCount(), 2 * (5 + 3 + 1));

  window_->transmitters()->select(0);
  typeOver(find<QLineEdit>("transmitterName"), QStringLiteral("Run A"));
  EXPECT_EQ(station().transmitters[1].simultaneousWith, std::vector<std::string>{"Run A"});
  EXPECT_EQ(find<QListWidget>("simultaneous")->item(0)->checkState(), Qt::Checked);

  window_->transmitters()->list()->setFocus();
  key(Qt::Key_Delete);
  ASSERT_EQ(station().transmitters.size(), 2u);
  EXPECT_TRUE(station().transmitters[0].simultaneousWith.empty());
  EXPECT_EQ(window_->verdicts()->model()->rowCount(), 3);

  QUndoStack* undo = window_->document()->undoStack();
  while (undo->canUndo()) undo->undo();
  EXPECT_EQ(station(), original_);
}

TEST_F(WindowEdit, OtherRulesRenameTheEnvironmentsAndOfferTheirBands) {
  auto* rules = find<QComboBox>("rules");
  key(Qt::Key_S, Qt::AltModifier);
  rules->setFocus();
  key(Qt::Key_Down);  // ICNIRP 1998
  EXPECT_EQ(station().rules, RuleSet::kIcnirp1998);
  EXPECT_TRUE(placeTip(1).contains(QStringLiteral("general public")));
  window_->tabs()->setCurrentIndex(2);
  auto* bands = find<QListWidget>("bands");
  EXPECT_EQ(bands->findItems(QStringLiteral("4m"), Qt::MatchExactly).size(), 1);
  EXPECT_EQ(bands->findItems(QStringLiteral("1.25m"), Qt::MatchExactly).size(), 0);

  // Space checks a band, and the station gains it in the allocation's order.
  bands->setFocus();
  bands->setCurrentItem(bands->findItems(QStringLiteral("4m"), Qt::MatchExactly).front());
  key(Qt::Key_Space);
  const auto& chosen = station().transmitters[0].bands;
  ASSERT_EQ(chosen.size(), 6u);
  EXPECT_EQ(chosen.back().name, "4m");
}

TEST_F(WindowEdit, MetersShowEveryLengthAgainAndKeepTheStation) {
  key(Qt::Key_I, Qt::AltModifier);  // Distances in
  key(Qt::Key_Down);
  EXPECT_EQ(station().units, LengthUnit::kMeters);
  EXPECT_EQ(find<NumberField>("personHeight")->text(), QStringLiteral("2"));
  EXPECT_EQ(find<NumberField>("exemptionDistance")->text(), QStringLiteral("10"));
  EXPECT_EQ(window_->places()->table()->model()->headerData(PlacesModel::kDistance, Qt::Horizontal).toString(),
            QStringLiteral("Distance (m)"));
  EXPECT_TRUE(placeTip(0).contains(LocalNum(QStringLiteral("15.0 Meters"))));
  // Typed in meters, kept in meters.
  typeOver(find<NumberField>("personHeight"), QStringLiteral("1.5"));
  EXPECT_EQ(station().personHeightMeters, 1.5);
  EXPECT_TRUE(station().places == original_.places);
}

}  // namespace
}  // namespace zento::station::test
