#pragma once
// The window's tr() texts from the project's gettext catalogues, so that the window, the record
// and zento-calc share one translation system; and Qt's own dialogs (buttons, file chooser) in
// the same language from Qt's catalogues where they are installed.

#include <QTranslator>

namespace zento::station {

class GettextTranslator : public QTranslator {
 public:
  using QTranslator::QTranslator;
  QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                    int n = -1) const override;
  bool isEmpty() const override { return false; }
};

// Takes the user's language (report/translation.h) and installs the translators on the
// application; `program` is argv[0].
void InstallTranslators(const char* program);

}  // namespace zento::station
