// The window by keyboard alone: Tab order, mnemonics, Enter on a result, F1.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QtTest/QTest>

#include "station/plot_view.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

class Keyboard : public StationWindowTest {
 protected:
  QString focused() const {
    QWidget* focus = QApplication::focusWidget();
    return focus == nullptr ? QString() : focus->objectName();
  }
};

TEST_F(Keyboard, TabWalksTheFormsInReadingOrder) {
  const struct {
    int tab;
    QStringList order;
  } pages[] = {
      {0, {"callsign", "location", "rules", "groundReflection", "units", "personHeight", "exemptionDistance"}},
      {2, {"transmitterName", "power",        "mode",         "duty",    "txMinutes", "timeUnit", "rxMinutes",    "bands",
           "frequencies",     "simultaneous", "feedlineKind", "cable",   "length",    "lengthUnit",   "lossPer100",
           "matchedLoss",     "swr",          "otherLoss",    "antenna", "gain",      "antennaHeight"}},
  };
  openExample("us-hf-and-2m");
  for (const auto& page : pages) {
    window_->tabs()->setCurrentIndex(page.tab);
    find<QWidget>(page.order.front().toLatin1().constData())->setFocus(Qt::TabFocusReason);
    QStringList walked = {focused()};
    for (int i = 1; i < page.order.size(); ++i) {
      key(Qt::Key_Tab);
      walked << focused();
    }
    // Fields that do not apply are disabled, and Tab passes them by.
    QStringList enabled;
    for (const QString& name : page.order) {
      if (find<QWidget>(name.toLatin1().constData())->isEnabled()) enabled << name;
    }
    EXPECT_EQ(walked.mid(0, enabled.size()), enabled);
  }
}

TEST_F(Keyboard, MnemonicsReachTheTabsFieldsAndOutputs) {
  const struct {
    Qt::Key key;
    int tab;            // the tab shown after it
    const char* focus;  // the field with the focus; none for a tab's own mnemonic
  } cases[] = {{Qt::Key_S, 0, ""},         {Qt::Key_C, 0, "callsign"}, {Qt::Key_X, 0, "exemptionDistance"},
               {Qt::Key_P, 1, ""},         {Qt::Key_W, 1, "places"},   {Qt::Key_T, 2, ""},
               {Qt::Key_O, 2, "power"},    {Qt::Key_W, 2, "swr"},      {Qt::Key_V, 2, "verdicts"},
               {Qt::Key_B, 2, "plotBand"}, {Qt::Key_U, 2, "results"}};
  for (const auto& c : cases) {
    key(c.key, Qt::AltModifier);
    EXPECT_EQ(window_->tabs()->currentIndex(), c.tab) << char(c.key);
    if (*c.focus != 0) {
      EXPECT_EQ(focused(), QLatin1String(c.focus)) << char(c.key);
    }
  }
}

TEST_F(Keyboard, EnterOnAResultPlotsItsBand) {
  openExample("contest-two-transmitters");
  QTableView* results = window_->results();
  results->setFocus();
  results->setCurrentIndex(results->model()->index(2 * 5, 0));  // Mult's first band, 40m
  key(Qt::Key_Return);
  EXPECT_EQ(window_->plotBand()->currentText(), QStringLiteral("Mult on 40m"));
  EXPECT_TRUE(window_->plot()->chart()->title().startsWith(QStringLiteral("Mult on 40m")));
}

TEST_F(Keyboard, F1OpensTheHelpAtTheWindowsSection) {
  key(Qt::Key_F1);
  auto* help = window_->findChild<QDialog*>(QStringLiteral("helpWindow"));
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  const auto* browser = help->findChild<QTextBrowser*>();
  EXPECT_EQ(browser->source().fragment(), QStringLiteral("station-window"));
  EXPECT_TRUE(browser->toHtml().contains(QStringLiteral("station-window")));
  EXPECT_EQ(help->windowTitle(), QStringLiteral("ZENTO Station Help"));
  // The window's section speaks for every rule set it offers, not for one.
  const QString text = browser->toPlainText();
  const qsizetype from = text.indexOf(QStringLiteral("The ZENTO Station window\n"));
  const QString section = text.mid(from, text.indexOf(QStringLiteral("\nDisclaimer\n"), from) - from);
  ASSERT_GT(section.size(), 1000);
  for (const RuleSetInfo& rules : kRuleSets) {
    EXPECT_TRUE(section.contains(QString::fromUtf8(rules.name.data(), static_cast<qsizetype>(rules.name.size()))))
        << rules.name;
  }
  EXPECT_TRUE(section.contains(QStringLiteral("responsibility")));
  help->close();
}

}  // namespace
}  // namespace zento::station::test
