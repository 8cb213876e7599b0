// The window in German and French as a user would see it at its default size: every text in its
// language, none cut off; and the help's section in the same language.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QtTest/QTest>
#include <clocale>
#include <cstdlib>

#include "core/thresholds.h"
#include "report/translation.h"
#include "station/help.h"
#include "station/station_document.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

void SpeakLanguage(const char* language) {
  if (language == nullptr) {
    unsetenv("LANGUAGE");
  } else {
    setenv("LANGUAGE", language, 1);
  }
  // LANGUAGE counts for any message locale but C itself.
  std::setlocale(LC_MESSAGES, "C.UTF-8");
  UseCatalogues(ZENTO_LOCALE_DIR);  // binding again drops the texts already looked up
}

QString Plain(QString text) {
  text.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
  return text;
}

int Widest(const QFontMetrics& metrics, const QString& text) {
  int widest = 0;
  for (const QString& line : Plain(text).split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
  return widest;
}

// The texts of `root`'s visible widgets that do not fit the room they are given.
QStringList CutTexts(QWidget* root) {
  QStringList cut;
  const auto note = [&cut](const QWidget* w, const QString& text) {
    cut << QStringLiteral("%1 \"%2\"").arg(QLatin1String(w->metaObject()->className()), text);
  };
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    // Pushed past its parent's edge by a longer text (a scroll area's contents scroll instead).
    const bool scrolled = [w] {
      for (QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
        if (qobject_cast<QAbstractScrollArea*>(p) != nullptr) return true;
      }
      return false;
    }();
    if (!scrolled && w->parentWidget() != nullptr && !w->parentWidget()->rect().contains(w->geometry())) {
      note(w, w->objectName());
      continue;
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
      if (label->wordWrap() || label->text().isEmpty() || Qt::mightBeRichText(label->text())) continue;
      if (Widest(label->fontMetrics(), label->text()) > label->contentsRect().width()) note(w, label->text());
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      if (!button->text().isEmpty() && button->width() < button->sizeHint().width()) note(w, button->text());
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      if (group->width() < group->minimumSizeHint().width()) note(w, group->title());
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      QStyleOptionComboBox option;
      option.initFrom(combo);
      option.editable = combo->isEditable();
      const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
      if (combo->fontMetrics().horizontalAdvance(combo->currentText()) > field.width()) note(w, combo->currentText());
    } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
      for (int i = 0; i < bar->count(); ++i) {
        const QRect tab = bar->tabRect(i);
        if (Widest(bar->fontMetrics(), bar->tabText(i)) > tab.width() || !bar->rect().contains(tab)) note(w, bar->tabText(i));
      }
    } else if (auto* table = qobject_cast<QTableView*>(w)) {
      // A table that does not scroll sideways must show its cells whole.
      if (table->horizontalScrollBar()->isVisible() || table->model() == nullptr) continue;
      const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
      for (int row = 0; row < table->model()->rowCount(); ++row) {
        for (int column = 0; column < table->model()->columnCount(); ++column) {
          if (table->isColumnHidden(column)) continue;
          const QString text = table->model()->index(row, column).data().toString();
          if (Widest(table->fontMetrics(), text) + margin > table->columnWidth(column)) note(w, text);
        }
      }
    } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
      if (header->orientation() != Qt::Horizontal || header->model() == nullptr) continue;
      const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
      for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i)) continue;
        const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
        if (Widest(header->fontMetrics(), text) + margin > header->sectionSize(i)) note(w, text);
      }
    }
  }
  return cut;
}

class TranslatedWindow : public StationWindowTest, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    SpeakLanguage(GetParam());
    StationWindowTest::SetUp();
  }
  void TearDown() override {
    StationWindowTest::TearDown();
    SpeakLanguage(nullptr);
  }
};

TEST_P(TranslatedWindow, SpeaksTheLanguageAndCutsNoTextAtTheDefaultSize) {
  openExample("contest-two-transmitters");
  window_->resize(1280, 860);  // the size of a first start
  QApplication::processEvents();
  // Longer texts may not make the window need more room than it has.
  EXPECT_LE(window_->minimumSizeHint().width(), 1280);
  EXPECT_EQ(window_->size(), QSize(1280, 860));
  // In the language: the tabs are translated (English is the check of the check).
  const bool english = QLatin1String(GetParam()) == QLatin1String("en");
  EXPECT_EQ(window_->tabs()->tabText(1) == QLatin1String("&Places"), english);
  for (int tab = 0; tab < window_->tabs()->count(); ++tab) {
    window_->tabs()->setCurrentIndex(tab);
    for (int view = 0; view < window_->views()->count(); ++view) {
      window_->views()->setCurrentIndex(view);
      QApplication::processEvents();
      QApplication::processEvents();  // columns fit their contents a moment after a change
      EXPECT_EQ(CutTexts(window_.get()).join(QStringLiteral("; ")).toStdString(), "") << "tab " << tab << ", view " << view;
    }
  }
}

TEST_P(TranslatedWindow, TheNotificationsStatementIsInTheLanguage) {
  openExample("germany-bemfv");
  const Station& s = window_->document()->station();
  const BandResult& band = window_->document()->result().transmitters[0].bands[0];
  const std::string english = CheckThreshold(s.rules, band.peakEirpWatts)->statement;
  QAbstractItemModel* results = window_->results()->model();
  QStringList tips;
  for (int column = 0; column < results->columnCount(); ++column) {
    const QString tip = results->index(0, column).data(Qt::ToolTipRole).toString();
    if (tip.contains(QLatin1String("Bundesnetzagentur"))) tips << tip;
  }
  ASSERT_EQ(tips.size(), 1);
  const bool inEnglish = QLatin1String(GetParam()) == QLatin1String("en");
  EXPECT_EQ(tips[0].toStdString() == english, inEnglish) << tips[0].toStdString();
}

TEST_P(TranslatedWindow, TheHelpsSectionIsInTheLanguage) {
  QFile file(QStringLiteral(ZENTO_SOURCE_DIR "/ui/res/zento.hlp"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(file.readAll());
  const QStringList texts = HelpSectionTexts(html);
  ASSERT_GT(texts.size(), 10);
  const QString shown = TranslateHelpSection(html);
  const bool english = QLatin1String(GetParam()) == QLatin1String("en");
  // Each paragraph found as the catalogues have it, so each is replaced.
  for (const QString& text : texts) EXPECT_EQ(shown.contains(text), english) << text.left(60).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedWindow, ::testing::Values("en", "de", "fr"));

}  // namespace
}  // namespace zento::station::test
