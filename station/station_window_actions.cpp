// The station window's menus and their actions, and the keys and the wheel across its fields.
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QUndoStack>
#include <algorithm>

#include "station/help.h"
#include "station/station_document.h"
#include "station/station_window.h"

namespace zento::station {
namespace {

// Undo and Redo are the station's, with every key they have, also while a field has the focus:
// a field's own undo would only add edits.
class StationUndoKeys : public QObject {
 public:
  StationUndoKeys(QWidget* window, QList<QAction*> actions) : QObject(window), actions_(std::move(actions)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    const bool ours =
        std::any_of(actions_.begin(), actions_.end(), [&](QAction* a) { return a->shortcuts().contains(pressed); });
    if (!ours) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != parent()) return false;
    return qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<QPlainTextEdit*>(widget) != nullptr;
  }

 private:
  QList<QAction*> actions_;
};

// The wheel over a choice or a spin box in a scrolled form scrolls the form unless that field has
// the focus: scrolling past it must not change the station (a Yagi turned into a loop).
class ScrollPastFields : public QObject {
 public:
  explicit ScrollPastFields(QWidget* window) : QObject(window) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel && event->type() != QEvent::Polish) return false;
    auto* field = qobject_cast<QWidget*>(watched);
    if (field == nullptr || field->window() != parent()) return false;
    if (qobject_cast<QComboBox*>(field) == nullptr && qobject_cast<QAbstractSpinBox*>(field) == nullptr) return false;
    // Their own policy lets the wheel give them the focus before anything else sees it.
    if (event->type() == QEvent::Polish) {
      field->setFocusPolicy(Qt::StrongFocus);
      return false;
    }
    if (field->hasFocus()) return false;
    QWidget* area = field->parentWidget();
    while (area != nullptr && qobject_cast<QAbstractScrollArea*>(area) == nullptr) area = area->parentWidget();
    if (area == nullptr) return false;
    QCoreApplication::sendEvent(static_cast<QAbstractScrollArea*>(area)->viewport(), event);
    return true;
  }
};

}  // namespace

void StationWindow::makeActions() {
  // Every binding of a standard key, as the platform has them; where it has none (Save As, Quit
  // on some desktops), the common one.
  const auto action = [this](QMenu* menu, const QString& text, QKeySequence::StandardKey key, auto slot) {
    QAction* a = menu->addAction(text);
    a->setShortcuts(key);
    if (a->shortcuts().isEmpty() && key == QKeySequence::SaveAs) a->setShortcut(QKeySequence(tr("Ctrl+Shift+S")));
    if (a->shortcuts().isEmpty() && key == QKeySequence::Quit) a->setShortcut(QKeySequence(tr("Ctrl+Q")));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  action(file, tr("&New"), QKeySequence::New, &StationWindow::newStation);
  action(file, tr("&Open..."), QKeySequence::Open, &StationWindow::open);
  recentMenu_ = file->addMenu(tr("Open &Recent"));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &StationWindow::refreshRecentMenu);
  action(file, tr("&Save"), QKeySequence::Save, &StationWindow::save);
  action(file, tr("Save &As..."), QKeySequence::SaveAs, &StationWindow::saveAs);
  file->addSeparator();
  action(file, tr("&Export Record..."), QKeySequence::UnknownKey, &StationWindow::exportRecord);
  action(file, tr("Export P&DF..."), QKeySequence::UnknownKey, &StationWindow::exportPdf);
  action(file, tr("&Print..."), QKeySequence::Print, &StationWindow::print);
  file->addSeparator();
  action(file, tr("&Quit"), QKeySequence::Quit, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  QAction* undo = document_->undoStack()->createUndoAction(this, tr("&Undo"));
  undo->setShortcuts(QKeySequence::Undo);
  QAction* redo = document_->undoStack()->createRedoAction(this, tr("&Redo"));
  // Ctrl+Y too, wherever the platform's Redo is Ctrl+Shift+Z alone: users of both expect it.
  QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
  if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y))) redoKeys << QKeySequence(Qt::CTRL | Qt::Key_Y);
  redo->setShortcuts(redoKeys);
  edit->addAction(undo);
  edit->addAction(redo);
  qApp->installEventFilter(new StationUndoKeys(this, {undo, redo}));
  qApp->installEventFilter(new ScrollPastFields(this));
  for (QWidget* field : findChildren<QWidget*>()) {  // those polished already; the rest as they are
    if (qobject_cast<QComboBox*>(field) != nullptr || qobject_cast<QAbstractSpinBox*>(field) != nullptr) {
      field->setFocusPolicy(Qt::StrongFocus);
    }
  }

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  action(help, tr("ZENTO Station &Help"), QKeySequence::HelpContents, [this] { ShowHelp(this); });
  action(help, tr("&About ZENTO Station"), QKeySequence::UnknownKey, [this] {
    QMessageBox::about(this, tr("About ZENTO Station"),
                       tr("<h3>ZENTO Station %1</h3><p>RF exposure evaluation of a whole amateur station: "
                          "its transmitters, the places where people are, and the record to keep.</p>")
                           .arg(QStringLiteral(ZENTO_VERSION)));
  });
  for (QAction* a : findChildren<QAction*>())
    a->setObjectName(a->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
  refreshRecentMenu();
}

}  // namespace zento::station
