#include "station/translator.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "report/translation.h"

namespace zento::station {

QString GettextTranslator::translate(const char* /*context*/, const char* sourceText, const char* disambiguation,
                                     int /*n*/) const {
  if (sourceText == nullptr) return {};
  const char* text = disambiguation != nullptr ? TrIn(disambiguation, sourceText) : Tr(sourceText);
  // An empty answer lets Qt use the English text itself.
  return text == sourceText ? QString() : QString::fromUtf8(text);
}

void InstallTranslators(const char* program) {
  StartTranslations(program);
  auto* app = QCoreApplication::instance();
  auto* qt = new QTranslator(app);
  const QString language = QString::fromStdString(ShownLanguage());
  if (language != QLatin1String("en") &&
      qt->load(QLatin1String("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(qt);
  }
  QCoreApplication::installTranslator(new GettextTranslator(app));
}

}  // namespace zento::station
