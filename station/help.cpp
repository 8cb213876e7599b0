#include "station/help.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "report/translation.h"

namespace zento::station {
namespace {

// Shows the help file with this window's section in the user's language.
class HelpBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;
  QVariant loadResource(int type, const QUrl& name) override {
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource) return resource;
    const QString html = resource.typeId() == QMetaType::QByteArray ? QString::fromUtf8(resource.toByteArray())
                                                                    : resource.toString();
    return TranslateHelpSection(html);
  }
};

}  // namespace

QStringList HelpSectionTexts(const QString& html) {
  QStringList texts;
  const qsizetype start = html.indexOf(QStringLiteral("<h3 id=\"%1\">").arg(QLatin1String(kHelpSection)));
  if (start < 0) return texts;
  qsizetype end = html.indexOf(QStringLiteral("<h2"), start);
  if (end < 0) end = html.size();
  static const QRegularExpression block(QStringLiteral("<(h3|p|li)\\b[^>]*>(.*?)</\\1>"),
                                        QRegularExpression::DotMatchesEverythingOption);
  for (auto it = block.globalMatch(html.mid(start, end - start)); it.hasNext();) texts << it.next().captured(2);
  return texts;
}

QString TranslateHelpSection(QString html) {
  // Paragraph by paragraph, as scripts/update-po puts them in the catalogues; the calculator's
  // sections stay in English, as the calculator does.
  for (const QString& english : HelpSectionTexts(html)) {
    const QByteArray key = english.toUtf8();
    const char* translated = Tr(key.constData());
    if (translated != key.constData()) html.replace(english, QString::fromUtf8(translated));
  }
  return html;
}

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
    auto* browser = new HelpBrowser(window);
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
