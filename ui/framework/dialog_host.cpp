// The keyboard in a dialog: Escape, Enter, F1, Alt+Space, arrow keys within a group, and the
// focus notifications.
#include "ui/framework/dialog_host.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/framework/dialog.h"

namespace zento::ui {
namespace {

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

DialogHost::DialogHost(Dialog& dialog, QWidget* owner, Qt::WindowFlags flags)
    : QDialog(owner, flags), dialog_(dialog) {}

bool DialogHost::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr) return false;
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Only focus that moves within the window counts; a window losing activation does not.
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      dialog_.Dispatch(Notification::kKillFocus, widget->property("controlId").toInt());
    }
  } else if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
      if (key == Qt::Key_Down || key == Qt::Key_Right) return dialog_.MoveInGroup(widget, true);
      if (key == Qt::Key_Up || key == Qt::Key_Left) return dialog_.MoveInGroup(widget, false);
    }
    // A multi-line edit that does not want Enter leaves it to the dialog.
    if (IsEnterKey(key) && qobject_cast<QPlainTextEdit*>(widget) != nullptr &&
        !widget->property("wantReturn").toBool()) {
      dialog_.PressEnter();
      return true;
    }
  }
  return false;
}

void DialogHost::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    dialog_.OnCancel();
    return;
  }
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    dialog_.OnHelp();
    return;
  }
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier) {
    dialog_.ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
    return;
  }
  if (IsEnterKey(event->key()) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    dialog_.PressEnter();
    return;
  }
  QWidget::keyPressEvent(event);
}

void DialogHost::closeEvent(QCloseEvent* event) {
  event->ignore();
  dialog_.OnClose();
}

void DialogHost::contextMenuEvent(QContextMenuEvent* event) { dialog_.ShowSystemMenu(event->globalPos()); }

void DialogHost::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  dialog_.OnPaint();
}

void Dialog::PressEnter() {
  auto* focused = qobject_cast<QPushButton*>(host_->focusWidget());
  if (focused != nullptr && focused->isEnabled()) {
    focused->click();
    return;
  }
  auto* button = qobject_cast<QPushButton*>(Control(defaultButtonId_));
  if (button != nullptr && button->isEnabled()) button->click();
}

bool Dialog::MoveInGroup(QWidget* from, bool forward) {
  // The group of `from`: from the last control marked as a group start up to the next one.
  const auto& controls = template_.controls;
  const int count = static_cast<int>(controls.size());
  int index = -1;
  for (int i = 0; i < count; ++i) {
    if (Control(controls[static_cast<std::size_t>(i)].id) == from) index = i;
  }
  if (index < 0) return false;
  int first = index;
  while (first > 0 && !(controls[static_cast<std::size_t>(first)].styles & kGroup)) --first;
  int last = index;
  while (last + 1 < count && !(controls[static_cast<std::size_t>(last + 1)].styles & kGroup)) ++last;
  for (int step = 1; step <= last - first; ++step) {
    const int span = last - first + 1;
    const int offset = ((index - first) + (forward ? step : -step) % span + span) % span;
    const auto& candidate = controls[static_cast<std::size_t>(first + offset)];
    QWidget* widget = Control(candidate.id);
    if (!IsFocusable(candidate) || widget == nullptr || !widget->isEnabled()) continue;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* radio = qobject_cast<QRadioButton*>(widget); radio != nullptr && !radio->isChecked()) radio->click();
    return true;
  }
  return true;
}

}  // namespace zento::ui
