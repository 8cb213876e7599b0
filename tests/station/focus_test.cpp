// Where the focus is and how it is reached: the first field at start-up, no invisible stops, a
// field reached by its mnemonic scrolled into sight, mnemonics that do not clash, and every
// table and list named for assistive technology; the wheel scrolls past fields without the focus.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <map>

#include "station/station_document.h"
#include "tests/station/support/station_test.h"

namespace zento::station::test {
namespace {

// The key Alt+letter gives to a text ("Re&move" is M); none when it has no mnemonic.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toUpper();
    ++i;  // "&&" is an ampersand
  }
  return {};
}

class Focus : public StationWindowTest {
 protected:
  QWidget* focus() const { return QApplication::focusWidget(); }

  // Every mnemonic the user can press now, and what it belongs to.
  std::multimap<QChar, QString> visibleMnemonics() const {
    std::multimap<QChar, QString> keys;
    const auto add = [&](const QString& text) {
      if (const QChar key = Mnemonic(text); !key.isNull()) keys.emplace(key, text);
    };
    for (const QAction* menu : window_->menuBar()->actions()) add(menu->text());
    for (const QWidget* w : window_->findChildren<QWidget*>()) {
      if (!w->isVisible() || w->window() != window_.get()) continue;
      if (const auto* label = qobject_cast<const QLabel*>(w)) add(label->text());
      if (const auto* button = qobject_cast<const QAbstractButton*>(w)) add(button->text());
      if (const auto* box = qobject_cast<const QGroupBox*>(w)) add(box->title());
      if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) add(tabs->tabText(i));
      }
    }
    return keys;
  }
};

TEST_F(Focus, TheWindowStartsInTheFirstFieldOfTheStation) {
  ASSERT_NE(focus(), nullptr);
  EXPECT_EQ(focus()->objectName(), QStringLiteral("callsign"));
  EXPECT_EQ(window_->tabs()->currentIndex(), 0);
}

TEST_F(Focus, TabStopsOnlyWhereItShows) {
  for (int tab = 0; tab < window_->tabs()->count(); ++tab) {
    window_->tabs()->setCurrentIndex(tab);
    window_->tabs()->tabBar()->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 40; ++i) {
      key(Qt::Key_Tab);
      ASSERT_NE(focus(), nullptr);
      // A scroll area draws no focus: as a stop, it would hide where the focus is.
      EXPECT_EQ(qobject_cast<QScrollArea*>(focus()), nullptr) << "tab " << tab << ", stop " << i;
    }
  }
}

// At the window's smallest, each field reached by its mnemonic is scrolled into sight, from
// either end of its page.
TEST_F(Focus, AFieldReachedByItsMnemonicIsScrolledIntoSight) {
  window_->resize(window_->minimumSizeHint());
  QApplication::processEvents();
  int checked = 0;
  for (int tab = 0; tab < window_->tabs()->count(); ++tab) {
    window_->tabs()->setCurrentIndex(tab);
    QWidget* page = window_->tabs()->currentWidget();
    for (QLabel* label : page->findChildren<QLabel*>()) {
      QWidget* field = label->buddy();
      const QChar letter = Mnemonic(label->text());
      if (field == nullptr || letter.isNull() || !field->isEnabled()) continue;
      auto* scroll = page->findChild<QScrollArea*>();
      for (const bool fromTop : {true, false}) {
        if (scroll != nullptr) {
          QScrollBar* bar = scroll->verticalScrollBar();
          bar->setValue(fromTop ? bar->minimum() : bar->maximum());
        }
        window_->tabs()->tabBar()->setFocus();
        key(letter.unicode(), Qt::AltModifier);  // Qt::Key_A is "A", Qt::Key_1 is "1"
        ASSERT_EQ(focus(), field) << label->text().toStdString();
        QWidget* viewport = scroll != nullptr && scroll->widget()->isAncestorOf(field) ? scroll->viewport() : page;
        const QRect shown(field->mapTo(viewport, QPoint(0, 0)), field->size());
        // Whole where it fits; a list taller than the view shows at least its current row.
        EXPECT_TRUE(field->height() <= viewport->height() ? viewport->rect().contains(shown)
                                                          : viewport->rect().intersects(shown))
            << label->text().toStdString() << (fromTop ? " from the top" : " from the bottom");
        ++checked;
      }
    }
  }
  EXPECT_GE(checked, 2 * 16);
}

TEST_F(Focus, MnemonicsDoNotClashAmongWhatIsShown) {
  openExample("near-field-dipole");
  for (int tab = 0; tab < window_->tabs()->count() * window_->views()->count(); ++tab) {
    window_->tabs()->setCurrentIndex(tab % window_->tabs()->count());
    window_->views()->setCurrentIndex(tab / window_->tabs()->count());
    const auto keys = visibleMnemonics();
    for (auto at = keys.begin(); at != keys.end(); at = keys.upper_bound(at->first)) {
      QStringList owners;
      for (auto [from, to] = keys.equal_range(at->first); from != to; ++from) owners << from->second;
      EXPECT_EQ(owners.size(), 1) << "tab " << tab << ": Alt+" << QString(at->first).toStdString() << " on "
                                  << owners.join(QStringLiteral(", ")).toStdString();
    }
  }
}

TEST_F(Focus, TheWheelOverAChoiceWithoutTheFocusScrollsTheFormAndChangesNothing) {
  openExample("us-hf-and-2m");
  window_->resize(window_->minimumSize());
  key(Qt::Key_T, Qt::AltModifier);
  auto* mode = find<QComboBox>("mode");
  QScrollArea* form = nullptr;
  for (QWidget* w = mode; w != nullptr && form == nullptr; w = w->parentWidget()) form = qobject_cast<QScrollArea*>(w);
  ASSERT_NE(form, nullptr);
  ASSERT_FALSE(mode->hasFocus());
  const Station before = window_->document()->station();
  const int scrolled = form->verticalScrollBar()->value();
  const QPointF at(mode->rect().center());
  QWheelEvent down(at, mode->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(mode, &down);
  EXPECT_EQ(window_->document()->station(), before);
  EXPECT_GT(form->verticalScrollBar()->value(), scrolled);
  // A click or Tab gives it the focus; the wheel does not.
  EXPECT_EQ(mode->focusPolicy(), Qt::StrongFocus);
}

TEST_F(Focus, TheTransmitterListAndItsButtonsHaveMnemonics) {
  key(Qt::Key_T, Qt::AltModifier);
  key(Qt::Key_I, Qt::AltModifier);
  EXPECT_EQ(focus()->objectName(), QStringLiteral("transmitters"));
  const auto transmitters = [this] { return window_->document()->station().transmitters.size(); };
  const auto press = [&](Qt::Key letter, std::size_t expected) {
    key(letter, Qt::AltModifier);
    // A button's mnemonic clicks it as the mouse would, a moment later.
    for (int wait = 0; wait < 50 && transmitters() != expected; ++wait) QTest::qWait(20);
    EXPECT_EQ(transmitters(), expected) << char(letter);
  };
  press(Qt::Key_D, 2);  // Add
  press(Qt::Key_C, 3);  // Duplicate
  press(Qt::Key_R, 2);  // Remove
}

TEST_F(Focus, EveryTableAndListIsNamed) {
  const std::map<QString, QString> names = {
      {"verdicts", "Verdict at each place"}, {"results", "Results by transmitter and band"},
      {"places", "Where people are"},        {"transmitters", "Transmitters"},
      {"bands", "Bands"},                    {"simultaneous", "At the same time as"}};
  int views = 0;
  for (QAbstractItemView* view : window_->findChildren<QAbstractItemView*>()) {
    // Not a combo box's own popup list, nor a table's headings.
    if (view->window() != window_.get() || qobject_cast<QHeaderView*>(view) != nullptr) continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(accessible, nullptr);
    const auto expected = names.find(view->objectName());
    ASSERT_NE(expected, names.end()) << view->objectName().toStdString() << " is not known here";
    EXPECT_EQ(accessible->text(QAccessible::Name), expected->second) << view->objectName().toStdString();
    ++views;
  }
  EXPECT_EQ(views, static_cast<int>(names.size()));
}

}  // namespace
}  // namespace zento::station::test
