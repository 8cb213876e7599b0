#include "ui/framework/help_viewer.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/framework/dialog.h"

namespace zento::ui {
namespace {

QPointer<QDialog> gHelpWindow;

}  // namespace

QStringList DefaultHelpFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  return {program, QDir::cleanPath(program + QStringLiteral("/../share/zento"))};
}

QString FindHelpFile(std::string_view fileName, const QStringList& folders) {
  const QString name = FromUtf8(fileName);
  for (const auto& folder : folders) {
    const QFileInfo candidate(QDir(folder), name);
    if (candidate.isFile() && candidate.isReadable()) return candidate.absoluteFilePath();
  }
  return {};
}

bool WinHelp(QWidget* owner, std::string_view fileName, unsigned, unsigned long, const QStringList& folders) {
  const QString path = FindHelpFile(fileName, folders);
  if (path.isEmpty()) {
    QMessageBox::warning(owner, QStringLiteral("Help"),
                         QStringLiteral("Cannot find the help file %1.\nIt is looked for in:\n%2")
                             .arg(FromUtf8(fileName), folders.join('\n')));
    if (owner != nullptr && owner->isVisible()) owner->window()->activateWindow();
    return false;
  }
  if (gHelpWindow == nullptr) {
    // A window of the owner's, so a modal owner does not block it.
    gHelpWindow = new QDialog(owner != nullptr ? owner->window() : nullptr, Qt::Window);
    gHelpWindow->setAttribute(Qt::WA_DeleteOnClose);
    gHelpWindow->setObjectName(QStringLiteral("helpWindow"));
    auto* layout = new QVBoxLayout(gHelpWindow);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* browser = new QTextBrowser(gHelpWindow);
    browser->setOpenExternalLinks(false);
    layout->addWidget(browser);
    gHelpWindow->resize(680, 600);
  }
  auto* browser = gHelpWindow->findChild<QTextBrowser*>();
  browser->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
  browser->moveCursor(QTextCursor::Start);
  browser->ensureCursorVisible();
  gHelpWindow->setWindowTitle(browser->documentTitle().isEmpty() ? QStringLiteral("Help") : browser->documentTitle());
  gHelpWindow->show();
  gHelpWindow->raise();
  gHelpWindow->activateWindow();
  return true;
}

QWidget* HelpWindow() { return gHelpWindow; }

}  // namespace zento::ui
