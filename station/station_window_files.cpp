// The station window's file, record and settings.
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>

#include "report/station_file.h"
#include "station/file_io.h"
#include "station/near_field_pane.h"
#include "station/near_field_record.h"
#include "station/near_field_service.h"
#include "station/number_field.h"
#include "station/record_export.h"
#include "station/recovery.h"
#include "station/station_document.h"
#include "station/station_window.h"

namespace zento::station {
namespace {

const QString kStationSuffix =
    QString::fromLatin1(kStationFileSuffix.data(), static_cast<qsizetype>(kStationFileSuffix.size()));

QString StationFilter() { return QObject::tr("ZENTO stations (*%1);;All files (*)").arg(kStationSuffix); }

// The folder the user last chose, or their documents.
QString StartFolder() {
  const QString last = QSettings().value(QStringLiteral("lastFolder")).toString();
  return last.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : last;
}

// The name a field goes by: its accessible name, or the text of the label that names it.
QString FieldName(const QWidget* field) {
  if (!field->accessibleName().isEmpty()) return field->accessibleName();
  for (const QLabel* label : field->window()->findChildren<QLabel*>()) {
    if (label->buddy() == field) return label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
  }
  return field->objectName();
}

// The one local file being dragged, if that is what is dragged.
QString DraggedFile(const QMimeData* mime) {
  const QList<QUrl> urls = mime->urls();
  return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

}  // namespace

bool StationWindow::maybeSave() {
  if (!document_->modified()) return true;
  const QString name = document_->path().isEmpty() ? tr("The new station") : QFileInfo(document_->path()).fileName();
  const auto answer =
      QMessageBox::warning(this, tr("ZENTO Station"), tr("%1 has changes that are not saved.\nSave them?").arg(name),
                           QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) return save();
  return answer == QMessageBox::Discard;
}

void StationWindow::closeEvent(QCloseEvent* event) {
  if (!maybeSave()) {
    event->ignore();
    return;
  }
  writeSettings();
  recovery_->remove();  // saved, or dropped by the user
  event->accept();
}

void StationWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void StationWindow::dropEvent(QDropEvent* event) {
  const QString path = DraggedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Opened once the drag is over: the question about unsaved changes is modal.
  QMetaObject::invokeMethod(
      this, [this, path] { openFile(path); }, Qt::QueuedConnection);
}

void StationWindow::newStation() {
  if (!maybeSave()) return;
  document_->reset(StarterStation(), {});
}

void StationWindow::open() {
  if (!maybeSave()) return;
  const QString path = QFileDialog::getOpenFileName(this, tr("Open Station"), StartFolder(), StationFilter(), nullptr,
                                                    QFileDialog::DontUseNativeDialog);
  if (!path.isEmpty()) load(path);
}

bool StationWindow::openFile(const QString& path) { return maybeSave() && load(path); }

bool StationWindow::load(const QString& path) {
  QString why;
  const std::optional<Station> station = ReadStationFile(path, why);
  if (!station) {
    QMessageBox::warning(this, tr("Open Station"), tr("Cannot open %1:\n%2").arg(QDir::toNativeSeparators(path), why));
    return false;
  }
  const QString absolute = QFileInfo(path).absoluteFilePath();
  // Imported models' files are kept by absolute paths while the station is open.
  document_->reset(WithDeckPathsFrom(*station, QFileInfo(path).absolutePath()), absolute);
  addRecentFile(absolute);
  // A station with antenna models opens at their near field.
  if (nearField_->anyModel()) views_->setCurrentWidget(nearFieldPane_);
  return true;
}

bool StationWindow::save() {
  if (!fieldsShowTheStation(tr("Save Station"), tr("Nothing was saved"))) return false;
  if (document_->path().isEmpty()) return saveAs();
  return saveTo(document_->path());
}

QString StationWindow::askSavePath(const QString& title, const QString& filter, const QString& suffix,
                                   const QString& name) {
  QFileDialog dialog(this, title, QDir(StartFolder()).filePath(name), filter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The dialog adds the suffix to a name typed without one itself, so that it asks before
  // replacing the file that will really be written.
  dialog.setDefaultSuffix(suffix.mid(1));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().first();
  QSettings().setValue(QStringLiteral("lastFolder"), QFileInfo(path).absolutePath());
  return path;
}

bool StationWindow::saveAs() {
  if (!fieldsShowTheStation(tr("Save Station"), tr("Nothing was saved"))) return false;
  const Station& s = document_->station();
  const QString name = document_->path().isEmpty()
                           ? (s.callsign.empty() ? tr("station") : QString::fromStdString(s.callsign)) + kStationSuffix
                           : QFileInfo(document_->path()).fileName();
  const QString path = askSavePath(tr("Save Station As"), StationFilter(), kStationSuffix, name);
  return !path.isEmpty() && saveTo(path);
}

bool StationWindow::saveTo(const QString& path) {
  // Imported models' files named relative to the station file, wherever it is saved.
  const std::string text = StationText(WithDeckPathsRelativeTo(document_->station(), QFileInfo(path).absolutePath()));
  QString error;
  if (!WriteFileAtomically(path, QByteArrayView(text.data(), static_cast<qsizetype>(text.size())), error)) {
    QMessageBox::warning(this, tr("Save Station"),
                         tr("Cannot save %1:\n%2\nThe station is still open, with its changes.")
                             .arg(QDir::toNativeSeparators(path), error));
    return false;
  }
  const QString absolute = QFileInfo(path).absoluteFilePath();
  document_->setSaved(absolute);
  addRecentFile(absolute);
  return true;
}

bool StationWindow::fieldsShowTheStation(const QString& title, const QString& nothingDone) {
  // A field holding text it did not take shows another value than the station holds: saving,
  // exporting or printing then would put down a value the user does not see.
  for (QWidget* field : findChildren<QWidget*>()) {
    const QString refused = RefusedText(field);
    if (refused.isEmpty()) continue;
    for (int tab = 0; tab < tabs_->count(); ++tab) {
      if (tabs_->widget(tab)->isAncestorOf(field)) tabs_->setCurrentIndex(tab);
    }
    field->setFocus(Qt::OtherFocusReason);
    const auto* line = qobject_cast<QLineEdit*>(field);
    QMessageBox::warning(this, title,
                         tr("%1: the field %2 holds \"%3\", which it did not take.\n%4\n"
                            "Correct the field, or undo the edit, and try again.")
                             .arg(nothingDone, FieldName(field), line != nullptr ? line->text() : QString(), refused));
    return false;
  }
  return true;
}

void StationWindow::exportRecord() {
  exportWith(tr("Export Record"), tr("Web pages (*.html);;All files (*)"), QStringLiteral(".html"), WriteRecordHtml);
}

void StationWindow::exportPdf() {
  exportWith(tr("Export PDF"), tr("PDF files (*.pdf);;All files (*)"), QStringLiteral(".pdf"), WriteRecordPdf);
}

void StationWindow::exportWith(const QString& title, const QString& filter, const QString& suffix, RecordWriter write) {
  if (!fieldsShowTheStation(title, tr("Nothing was exported"))) return;
  const QString base = document_->path().isEmpty() ? tr("station") : QFileInfo(document_->path()).fileName();
  const QString path =
      askSavePath(title, filter, suffix, base.section(QLatin1Char('.'), 0, 0) + QStringLiteral("-record") + suffix);
  if (path.isEmpty()) return;
  const auto nearField = recordNearField();
  if (!nearField) return;  // the user would not wait for the engine
  QString error;
  if (!write(path, recordStation(), document_->result(), &*nearField, error)) {
    QMessageBox::warning(this, title, tr("Cannot write %1:\n%2").arg(QDir::toNativeSeparators(path), error));
  }
}

Station StationWindow::recordStation() const {
  const QString path = document_->path();
  return path.isEmpty() ? document_->station()
                        : WithDeckPathsRelativeTo(document_->station(), QFileInfo(path).absolutePath());
}

std::optional<StationNearField> StationWindow::recordNearField() {
  std::optional<StationNearField> nearField = RecordNearField(*nearField_, document_->station(), document_->result());
  if (nearField) return nearField;
  // The engine is still at work: the record waits for it, for as long as the user will.
  QProgressDialog progress(tr("The engine is computing the near field for the record..."), tr("Cancel"), 0, 0, this);
  progress.setWindowTitle(tr("Near Field"));
  progress.setMinimumDuration(400);
  QEventLoop loop;
  connect(nearField_, &NearFieldService::changed, &loop, &QEventLoop::quit);
  connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
  while (!progress.wasCanceled() &&
         !(nearField = RecordNearField(*nearField_, document_->station(), document_->result()))) {
    loop.exec();
  }
  return nearField;
}

void StationWindow::print() {
  if (!fieldsShowTheStation(tr("Print Record"), tr("Nothing was printed"))) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(LocalPageSize()));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(tr("Print Record"));
  if (dialog.exec() != QDialog::Accepted) return;
  if (const auto nearField = recordNearField()) PrintRecord(recordStation(), document_->result(), &*nearField, &printer);
}

void StationWindow::openRecent(const QString& path) {
  if (!QFileInfo::exists(path)) {
    QSettings settings;
    QStringList files = settings.value(QStringLiteral("recentFiles")).toStringList();
    files.removeAll(path);
    settings.setValue(QStringLiteral("recentFiles"), files);
    refreshRecentMenu();
    QMessageBox::warning(
        this, tr("Open Recent"),
        tr("%1 is no longer there, and is taken off the recent files.").arg(QDir::toNativeSeparators(path)));
    return;
  }
  openFile(path);
}

void StationWindow::addRecentFile(const QString& path) {
  QSettings settings;
  QStringList files = settings.value(QStringLiteral("recentFiles")).toStringList();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kMaxRecentFiles) files.removeLast();
  settings.setValue(QStringLiteral("recentFiles"), files);
  refreshRecentMenu();
}

void StationWindow::refreshRecentMenu() {
  recentMenu_->clear();
  QStringList files = QSettings().value(QStringLiteral("recentFiles")).toStringList();
  // A file that is not there (now) is not offered; it stays on the list, as a drive that is
  // not mounted may come back.
  files.removeIf([](const QString& path) { return !QFileInfo::exists(path); });
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action = recentMenu_->addAction(tr("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
    connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
  }
  recentMenu_->addSeparator();
  QAction* clear = recentMenu_->addAction(tr("&Clear List"));
  clear->setEnabled(!files.isEmpty());
  connect(clear, &QAction::triggered, this, [this] {
    QSettings().remove(QStringLiteral("recentFiles"));
    refreshRecentMenu();
  });
}

void StationWindow::readSettings() {
  const QByteArray geometry = QSettings().value(QStringLiteral("geometry")).toByteArray();
  if (geometry.isEmpty() || !restoreGeometry(geometry)) resize(1280, 860);
  // A size remembered from another screen, or the default on a small or scaled one.
  fitScreen();
}

void StationWindow::writeSettings() { QSettings().setValue(QStringLiteral("geometry"), saveGeometry()); }

}  // namespace zento::station
