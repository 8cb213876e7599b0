#include "station/help.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zento::station {

QStringList HelpFolders() {
  const QString program = QCoreApplication::applicationDirPath();
  return {program, QDir::cleanPath(program + QStringLiteral("/../share/zento"))};
}

QString FindHelp(const QStringList& folders) {
  for (const QString& folder : folders) {
    const QFileInfo file(QDir(folder), QString::fromLatin1(kHelpFileName));
    if (file.isFile() && file.isReadable()) return file.absoluteFilePath();
  }
  return {};
}

QWidget* ShowHelp(QWidget* owner, const QStringList& folders) {
  const QString path = FindHelp(folders);
  if (path.isEmpty()) {
    QMessageBox::warning(owner, QObject::tr("ZENTO Station Help"),
                         QObject::tr("Cannot find the help file %1.\nIt is looked for in:\n%2")
                             .arg(QString::fromLatin1(kHelpFileName), folders.join(QLatin1Char('\n'))));
    return nullptr;
  }
  auto* window = owner->findChild<QDialog*>(QStringLiteral("helpWindow"), Qt::FindDirectChildrenOnly);
  if (window == nullptr) {
    window = new QDialog(owner, Qt::Window);
    window->setObjectName(QStringLiteral("helpWindow"));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* browser = new QTextBrowser(window);
    browser->setOpenExternalLinks(false);
    layout->addWidget(browser);
    window->resize(720, 640);
  }
  auto* browser = window->findChild<QTextBrowser*>();
  QUrl url = QUrl::fromLocalFile(path);
  url.setFragment(QString::fromLatin1(kHelpSection));
  browser->setSource(url, QTextDocument::HtmlResource);
  // The file is the calculator's too: the window is named for this program.
  window->setWindowTitle(QObject::tr("ZENTO Station Help"));
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace zento::station
