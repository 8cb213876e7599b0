// What the window shows at its usual sizes: rows that keep together, fields in one column, texts
// shown whole, lengths rounded as the results round them, one spelling of each unit.
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableView>
#include <QtTest/QTest>
#include <set>

#include "station/local_text.h"
#include "station/number_field.h"
#include "station/places_pane.h"
#include "station/plot_view.h"
#include "station/results_models.h"
#include "station/station_document.h"
#include "station/transmitter_form.h"
#include "station/transmitters_pane.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

class WindowLayout : public StationWindowTest {
 protected:
  void showAt(int width, int height) {
    window_->resize(width, height);
    QApplication::processEvents();  // columns fit their contents a moment after a reset
    QApplication::processEvents();
  }
  // Whether the whole of a table's column is in its viewport.
  static bool ColumnShown(QTableView* table, int column) {
    const int left = table->columnViewportPosition(column);
    return left >= 0 && left + table->columnWidth(column) <= table->viewport()->width();
  }
};

TEST_F(WindowLayout, TheStationsRowsKeepTogetherAtTheTop) {
  const QStringList fields = {"callsign", "location", "rules", "groundReflection", "units", "personHeight"};
  const auto rows = [&] {
    std::vector<int> tops;
    for (const QString& name : fields) tops.push_back(find<QWidget>(name.toLatin1().constData())->mapTo(window_.get(), QPoint(0, 0)).y());
    return tops;
  };
  showAt(1280, 700);
  const auto shorter = rows();
  showAt(1280, 1100);
  // A taller window leaves the room below the fields, not between them.
  EXPECT_EQ(rows(), shorter);
}

TEST_F(WindowLayout, TheTransmittersFieldsLineUpAcrossGroups) {
  openExample("contest-two-transmitters");
  window_->tabs()->setCurrentIndex(2);
  showAt(1280, 860);
  TransmitterForm* form = window_->transmitters()->form();
  std::set<int> lefts;
  for (const char* name : {"transmitterName", "power", "bands", "frequencies", "feedlineKind", "swr", "antenna", "gain"}) {
    lefts.insert(find<QWidget>(name)->mapTo(form, QPoint(0, 0)).x());
  }
  EXPECT_EQ(lefts.size(), 1u);
}

TEST_F(WindowLayout, TheModeBoxShowsItsLongestMode) {
  openExample("contest-two-transmitters");
  window_->tabs()->setCurrentIndex(2);
  for (const QSize size : {QSize(1280, 860), window_->minimumSizeHint()}) {
    showAt(size.width(), size.height());
    auto* mode = find<QComboBox>("mode");
    int longest = 0;
    for (int i = 0; i < mode->count(); ++i) longest = std::max(longest, mode->fontMetrics().horizontalAdvance(mode->itemText(i)));
    QStyleOptionComboBox option;
    option.initFrom(mode);
    const QSize needed =
        mode->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(longest, mode->height()), mode);
    EXPECT_GE(mode->width(), needed.width()) << size.width();
  }
}

TEST_F(WindowLayout, TheVerdictsShowEachPlaceWhole) {
  openExample("contest-two-transmitters");
  for (const int width : {1280, 1600}) {
    showAt(width, 900);
    QTableView* verdicts = window_->verdicts();
    for (int row = 0; row < verdicts->model()->rowCount(); ++row) {
      const QString name = cell(verdicts, row, VerdictModel::kPlace);
      EXPECT_GE(verdicts->columnWidth(VerdictModel::kPlace), verdicts->fontMetrics().horizontalAdvance(name))
          << name.toStdString();
    }
    for (const int column : {VerdictModel::kPlace, VerdictModel::kVerdict, VerdictModel::kShare}) {
      EXPECT_TRUE(ColumnShown(verdicts, column)) << width << " column " << column;
    }
    // Where the place is, in the station's words, is a tooltip away.
    EXPECT_EQ(verdicts->model()->index(1, VerdictModel::kPlace).data(Qt::ToolTipRole).toString(),
              LocalNum(QStringLiteral("Visitors' tent (82.0 Feet from the mast at 6.6 Feet high, general population/uncontrolled)")));
  }
}

TEST_F(WindowLayout, TheShareAtEachPlaceIsInSightAtTheUsualSize) {
  openExample("contest-two-transmitters");
  showAt(1280, 860);
  QTableView* results = window_->results();
  for (const char* place : {"At Run position", "At Visitors' tent", "At Parking"}) {
    EXPECT_TRUE(ColumnShown(results, column(results, place))) << place;
  }
}

TEST_F(WindowLayout, LengthsShowRoundedAndStayExactUntilEdited) {
  // A new station's two meters for people, and ten for the exemption, in feet.
  EXPECT_EQ(find<NumberField>("personHeight")->text(), LocalNum(QStringLiteral("6.6")));
  openExample("contest-two-transmitters");
  const Station before = window_->document()->station();
  EXPECT_EQ(find<NumberField>("personHeight")->text(), LocalNum(QStringLiteral("6.6")));
  EXPECT_EQ(find<NumberField>("exemptionDistance")->text(), LocalNum(QStringLiteral("32.8")));
  QTableView* places = window_->places()->table();
  EXPECT_EQ(cell(places, 0, PlacesModel::kDistance), LocalNum(QStringLiteral("49.2")));

  // Passing through the field, or opening a cell and keeping what it shows, changes nothing.
  find<NumberField>("personHeight")->setFocus();
  key(Qt::Key_Tab);
  window_->tabs()->setCurrentIndex(1);
  places->setFocus();
  places->setCurrentIndex(places->model()->index(0, PlacesModel::kDistance));
  key(Qt::Key_F2);
  key(Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(window_->document()->station(), before);
  EXPECT_FALSE(window_->isWindowModified());

  // What is typed is kept as typed, and shown so.
  window_->tabs()->setCurrentIndex(0);
  typeOver(find<NumberField>("personHeight"), QStringLiteral("5.75"));
  EXPECT_EQ(window_->document()->station().personHeightMeters, ToMeters(5.75, LengthUnit::kFeet));
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(find<NumberField>("personHeight")->text(), LocalNum(QStringLiteral("6.6")));
  key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(find<NumberField>("personHeight")->text(), LocalNum(QStringLiteral("5.75")));
}

TEST_F(WindowLayout, PowerDensityIsWrittenOneWay) {
  openExample("contest-two-transmitters");
  QStringList shown;
  for (QTableView* table : {window_->results(), window_->verdicts()}) {
    const QAbstractItemModel* model = table->model();
    for (int c = 0; c < model->columnCount(); ++c) {
      shown << model->headerData(c, Qt::Horizontal).toString();
      for (int r = 0; r < model->rowCount(); ++r) {
        shown << model->index(r, c).data().toString() << model->index(r, c).data(Qt::ToolTipRole).toString();
      }
    }
  }
  for (const QLabel* label : window_->findChildren<QLabel*>()) shown << label->text();
  shown << window_->plot()->labelTexts();
  const QString all = shown.join(QLatin1Char('\n'));
  EXPECT_FALSE(all.contains(QStringLiteral("W/m2"))) << all.toStdString();
  EXPECT_TRUE(all.contains(QStringLiteral("W/m\u00b2")));
}

}  // namespace
}  // namespace zento::station::test
