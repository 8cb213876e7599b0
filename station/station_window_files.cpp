// The station window's file, record and settings.
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>

#include "report/station_file.h"
#include "station/file_io.h"
#include "station/record_export.h"
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
  event->accept();
}

void StationWindow::newStation() {
  if (!maybeSave()) return;
  document_->reset(StarterStation(), {});
}

void StationWindow::open() {
  if (!maybeSave()) return;
  const QString path = QFileDialog::getOpenFileName(this, tr("Open Station"), StartFolder(), StationFilter(), nullptr,
                                                    QFileDialog::DontUseNativeDialog);
  if (!path.isEmpty()) openFile(path);
}

bool StationWindow::openFile(const QString& path) {
  if (!maybeSave()) return false;
  QString why;
  const std::optional<Station> station = ReadStationFile(path, why);
  if (!station) {
    QMessageBox::warning(this, tr("Open Station"), tr("Cannot open %1:\n%2").arg(QDir::toNativeSeparators(path), why));
    return false;
  }
  const QString absolute = QFileInfo(path).absoluteFilePath();
  document_->reset(*station, absolute);
  addRecentFile(absolute);
  return true;
}

bool StationWindow::save() {
  if (document_->path().isEmpty()) return saveAs();
  return saveTo(document_->path());
}

QString StationWindow::askSavePath(const QString& title, const QString& filter, const QString& suffix,
                                   const QString& name) {
  QString path = QFileDialog::getSaveFileName(this, title, QDir(StartFolder()).filePath(name), filter, nullptr,
                                              QFileDialog::DontUseNativeDialog);
  if (path.isEmpty()) return path;
  if (QFileInfo(path).suffix().isEmpty()) path += suffix;
  QSettings().setValue(QStringLiteral("lastFolder"), QFileInfo(path).absolutePath());
  return path;
}

bool StationWindow::saveAs() {
  const Station& s = document_->station();
  const QString name = document_->path().isEmpty()
                           ? (s.callsign.empty() ? tr("station") : QString::fromStdString(s.callsign)) + kStationSuffix
                           : QFileInfo(document_->path()).fileName();
  const QString path = askSavePath(tr("Save Station As"), StationFilter(), kStationSuffix, name);
  return !path.isEmpty() && saveTo(path);
}

bool StationWindow::saveTo(const QString& path) {
  const std::string text = StationText(document_->station());
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

void StationWindow::exportRecord() {
  exportWith(tr("Export Record"), tr("Web pages (*.html);;All files (*)"), QStringLiteral(".html"), WriteRecordHtml);
}

void StationWindow::exportPdf() {
  exportWith(tr("Export PDF"), tr("PDF files (*.pdf);;All files (*)"), QStringLiteral(".pdf"), WriteRecordPdf);
}

void StationWindow::exportWith(const QString& title, const QString& filter, const QString& suffix, RecordWriter write) {
  const QString base = document_->path().isEmpty() ? tr("station") : QFileInfo(document_->path()).fileName();
  const QString path =
      askSavePath(title, filter, suffix, base.section(QLatin1Char('.'), 0, 0) + QStringLiteral("-record") + suffix);
  QString error;
  if (!path.isEmpty() && !write(path, document_->station(), document_->result(), error)) {
    QMessageBox::warning(this, title, tr("Cannot write %1:\n%2").arg(QDir::toNativeSeparators(path), error));
  }
}

void StationWindow::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(LocalPageSize()));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(tr("Print Record"));
  if (dialog.exec() == QDialog::Accepted) PrintRecord(document_->station(), document_->result(), &printer);
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
  const QStringList files = QSettings().value(QStringLiteral("recentFiles")).toStringList();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action = recentMenu_->addAction(tr("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
    connect(action, &QAction::triggered, this, [this, path] { openFile(path); });
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
}

void StationWindow::writeSettings() { QSettings().setValue(QStringLiteral("geometry"), saveGeometry()); }

}  // namespace zento::station
