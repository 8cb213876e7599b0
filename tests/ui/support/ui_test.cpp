#include "tests/ui/support/ui_test.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QtTest/QTest>

namespace zento::ui::test {

QWidget* FindControl(QWidget* window, int id) {
  for (auto* child : window->findChildren<QWidget*>()) {
    const QVariant value = child->property("controlId");
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

namespace {

void ClickButtonNamed(QWidget* dialog, int id, const QString& text) {
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    return;
  }
  if (auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog, id))) {
    QTest::mouseClick(button, Qt::LeftButton);
    return;
  }
  ADD_FAILURE() << "no " << text.toStdString() << " button in " << dialog->windowTitle().toStdString();
}

}  // namespace

ModalAnswers::Answer PressOk() {
  return [](QWidget* dialog) { ClickButtonNamed(dialog, 1, "OK"); };
}
ModalAnswers::Answer PressCancel() {
  return [](QWidget* dialog) { ClickButtonNamed(dialog, 2, "Cancel"); };
}
ModalAnswers::Answer PressEscape() {
  return [](QWidget* dialog) {
    Activate(dialog);
    QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Escape);
  };
}
ModalAnswers::Answer CloseBox() {
  return [](QWidget* dialog) { dialog->close(); };
}
ModalAnswers::Answer TypeThenOk(std::vector<std::pair<int, QString>> fields) {
  return [fields](QWidget* dialog) {
    for (const auto& [id, text] : fields) TypeInto(dialog, id, text);
    ClickButtonNamed(dialog, 1, "OK");
  };
}

void Activate(QWidget* window) {
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window, 2000)) ADD_FAILURE() << "window did not become active";
}

void ClickControl(QWidget* window, int id) {
  QWidget* control = FindControl(window, id);
  ASSERT_NE(control, nullptr) << "control " << id;
  // The click goes to whatever is on top there, as the user's would.
  const QPoint at = control->mapTo(window, QPoint(4, control->height() / 2));
  QWidget* target = window->childAt(at);
  ASSERT_TRUE(target == control || control->isAncestorOf(target)) << "control " << id << " is covered";
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(window, at));
}

void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

void TypeInto(QWidget* window, int id, const QString& text) {
  QWidget* control = FindControl(window, id);
  ASSERT_NE(control, nullptr) << "control " << id;
  ClickControl(window, id);
  PressKey(window, Qt::Key_End, control->inherits("QPlainTextEdit") ? Qt::ControlModifier : Qt::NoModifier);
  QTest::keyClicks(window->focusWidget(), text);
}

void ReplaceText(QWidget* window, int id, const QString& text) {
  ASSERT_NE(FindControl(window, id), nullptr) << "control " << id;
  ClickControl(window, id);
  PressKey(window, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(window->focusWidget(), text);
}

void ChooseListItem(QWidget* window, int id, int index) {
  auto* combo = qobject_cast<QComboBox*>(FindControl(window, id));
  ASSERT_NE(combo, nullptr) << "list " << id;
  QTest::mouseClick(combo, Qt::LeftButton);
  QAbstractItemView* view = combo->view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
  // Hover the item, then Enter: a click right after opening is taken as the opening click's.
  view->setCurrentIndex(view->model()->index(index, 0));
  QTest::keyClick(view, Qt::Key_Return);
  if (view->window()->isVisible()) ADD_FAILURE() << "the list stayed open";
}

int FocusedControl(QWidget* window) {
  QWidget* focus = window->focusWidget();
  if (focus == nullptr) return 0;
  const QVariant value = focus->property("controlId");
  return value.isValid() ? value.toInt() : 0;
}

bool EveryCharacterOneWidth(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QLatin1Char(' '));
  for (char c = '!'; c <= '~'; ++c) {
    if (metrics.horizontalAdvance(QLatin1Char(c)) != width) return false;
  }
  return width > 0;
}

}  // namespace zento::ui::test
