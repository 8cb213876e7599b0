// The keyboard in a dialog: Tab and Shift+Tab in template order, Escape, Enter, F1, Alt+Space,
// Alt+F4, arrow keys within a group, and the focus notifications.
#include "ui/framework/dialog_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "ui/framework/dialog.h"

namespace zento::ui {
namespace {

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool IsAltSpace(const QKeyEvent& event) {
  return event.key() == Qt::Key_Space && (event.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}

// The dialog window that `widget` is in or that owns its window (a message box, a menu, a
// list's popup); null for windows outside the framework's dialogs.
DialogHost* OwningHost(QWidget* widget) {
  for (QWidget* window = widget->window(); window != nullptr;) {
    if (auto* host = dynamic_cast<DialogHost*>(window)) return host;
    window = window->parentWidget() != nullptr ? window->parentWidget()->window() : nullptr;
  }
  return nullptr;
}

// Alt+Space is the window menu's key and never a control's: a focused button would take it as
// Space and press itself (QUIT ending the program), an edit would type a space, a list would
// open. Filtering the whole application stops it before any widget, whatever has the focus:
// in a dialog's window it opens that dialog's menu, in a window the dialog owns it does
// nothing, and other windows keep it.
class WindowMenuKey : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // The platform window passes keys on to the focus widget, where they are stopped.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !IsAltSpace(*key)) return false;
    DialogHost* host = OwningHost(widget);
    if (host == nullptr) return false;
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat() && host == widget->window()) host->ShowWindowMenu();
    return true;
  }
};

void InstallWindowMenuKey() {
  static QPointer<WindowMenuKey> filter;
  if (filter != nullptr || QCoreApplication::instance() == nullptr) return;
  filter = new WindowMenuKey(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}

}  // namespace

DialogHost::DialogHost(Dialog& dialog, QWidget* owner, Qt::WindowFlags flags) : QDialog(owner, flags), dialog_(dialog) {
  InstallWindowMenuKey();
}

void DialogHost::ShowWindowMenu() { dialog_.ShowSystemMenu(mapToGlobal(QPoint(0, 0))); }

bool DialogHost::focusNextPrevChild(bool next) { return dialog_.MoveToTabStop(next); }

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
  // The close box's key, also where no window manager provides it.
  if (event->key() == Qt::Key_F4 && event->modifiers() == Qt::AltModifier) {
    dialog_.SendSysCommand(SC_CLOSE);
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

int Dialog::TemplateIndexOf(const QWidget* widget) const {
  // The control itself, or the control that a focused inner widget belongs to.
  for (; widget != nullptr && widget != host_.get(); widget = widget->parentWidget()) {
    const auto& controls = template_.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].id != IDC_STATIC && Control(controls[i].id) == widget) return static_cast<int>(i);
    }
  }
  return -1;
}

std::pair<int, int> Dialog::GroupSpan(int index) const {
  // From the last control marked as a group start up to the next one.
  const auto& controls = template_.controls;
  const int count = static_cast<int>(controls.size());
  int first = index;
  while (first > 0 && !(controls[static_cast<std::size_t>(first)].styles & kGroup)) --first;
  int last = index;
  while (last + 1 < count && !(controls[static_cast<std::size_t>(last + 1)].styles & kGroup)) ++last;
  return {first, last};
}

bool Dialog::IsGroupEntry(int index) const {
  // Radio buttons that are no tab stops are reached, as desktop dialogs reach a group of them,
  // at the checked one (the first when none is), so that the keyboard can choose too.
  const auto& controls = template_.controls;
  if (controls[static_cast<std::size_t>(index)].kind != ControlKind::kRadioButton) return false;
  const auto [first, last] = GroupSpan(index);
  int entry = -1;
  for (int i = first; i <= last; ++i) {
    const auto& control = controls[static_cast<std::size_t>(i)];
    if (control.kind != ControlKind::kRadioButton) continue;
    if (IsTabStop(control)) return false;
    const auto* radio = qobject_cast<const QRadioButton*>(Control(control.id));
    if (radio != nullptr && radio->isChecked()) return i == index;
    if (entry < 0) entry = i;
  }
  return entry == index;
}

bool Dialog::MoveToTabStop(bool forward) {
  // The next tab stop after the focused control in template order (the one before it for
  // Shift+Tab), whether or not that control is a tab stop itself.
  if (host_ == nullptr) return false;
  const auto& controls = template_.controls;
  const int count = static_cast<int>(controls.size());
  const int from = TemplateIndexOf(host_->focusWidget());
  const int start = from >= 0 ? from : (forward ? -1 : count);
  // A group of radio buttons is one stop: leaving it never lands in it again.
  const auto own = from >= 0 && controls[static_cast<std::size_t>(from)].kind == ControlKind::kRadioButton
                       ? GroupSpan(from)
                       : std::pair<int, int>{-1, -2};
  for (int step = 1; step <= count; ++step) {
    const int index = ((start + (forward ? step : -step)) % count + count) % count;
    const auto& candidate = controls[static_cast<std::size_t>(index)];
    QWidget* widget = Control(candidate.id);
    const bool entry = IsGroupEntry(index) && !(index >= own.first && index <= own.second);
    if (!(IsTabStop(candidate) || entry) || widget == nullptr || !widget->isEnabled() ||
        !widget->isVisibleTo(host_.get())) {
      continue;
    }
    widget->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return false;
}

bool Dialog::MoveInGroup(QWidget* from, bool forward) {
  const auto& controls = template_.controls;
  const int index = TemplateIndexOf(from);
  if (index < 0) return false;
  const auto [first, last] = GroupSpan(index);
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
