// The station window's recovery copy: kept while the station has unsaved changes, offered at the
// next start when the program ended without the user's word.
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

#include "station/recovery.h"
#include "station/station_document.h"
#include "station/station_window.h"

namespace zento::station {

void StationWindow::followRecovery() {
  recovery_ = std::make_unique<RecoveryFile>();
  recoveryTimer_ = new QTimer(this);
  recoveryTimer_->setSingleShot(true);
  recoveryTimer_->setInterval(kRecoveryDelayMs);
  connect(recoveryTimer_, &QTimer::timeout, this, &StationWindow::writeRecoveryCopy);
  // A copy a short while after an edit, undo or redo, not at each keystroke; typing on does not
  // put it off.
  const auto schedule = [this] {
    if (document_->modified() && !recoveryTimer_->isActive()) recoveryTimer_->start();
  };
  connect(document_->undoStack(), &QUndoStack::indexChanged, this, schedule);
  // Saved, or undone back to what is saved: nothing to recover.
  connect(document_->undoStack(), &QUndoStack::cleanChanged, this, [this, schedule](bool clean) {
    if (!clean) return schedule();
    recoveryTimer_->stop();
    recovery_->remove();
  });
}

void StationWindow::writeRecoveryCopy() {
  recoveryTimer_->stop();
  if (!document_->modified()) return;
  QString error;
  if (recovery_->write(document_->station(), document_->path(), error)) {
    recoveryFailed_ = false;
    return;
  }
  // Said once, in the status bar: a dialog at every edit would be worse than the loss it warns of.
  if (!recoveryFailed_) {
    statusBar()->showMessage(tr("Cannot keep a recovery copy of the changes (%1): save them to keep them.").arg(error));
  }
  recoveryFailed_ = true;
}

void StationWindow::keepForNextStart() {
  writeRecoveryCopy();
  writeSettings();
}

void StationWindow::start(const QString& path) {
  const QString wanted = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
  for (const RecoveredStation& recovered : recovery_->orphans()) {
    if (!wanted.isEmpty() && recovered.path != wanted) continue;
    if (offerRecovery(recovered)) return;
    break;
  }
  if (!path.isEmpty()) openFile(path);
}

bool StationWindow::offerRecovery(const RecoveredStation& recovered) {
  const QString name = recovered.path.isEmpty() ? tr("a new station") : QDir::toNativeSeparators(recovered.path);
  QMessageBox box(QMessageBox::Question, tr("Recover Unsaved Changes"),
                  tr("ZENTO Station ended on %1 without saving the changes to %2.\nRestore them?")
                      .arg(QLocale().toString(recovered.kept, QLocale::ShortFormat), name),
                  QMessageBox::Yes | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.button(QMessageBox::Yes)->setText(tr("&Restore"));
  box.button(QMessageBox::Discard)->setText(tr("&Discard"));
  box.button(QMessageBox::Cancel)->setText(tr("&Later"));
  box.setInformativeText(tr("Later keeps them for the next start; Discard drops them."));
  box.setDefaultButton(QMessageBox::Yes);
  const int answer = box.exec();
  if (answer == QMessageBox::Discard) recovery_->discard(recovered);
  if (answer != QMessageBox::Yes) return false;
  document_->restore(recovered.station, recovered.path);
  writeRecoveryCopy();  // this window's own copy, before the old one goes
  recovery_->discard(recovered);
  return true;
}

}  // namespace zento::station
