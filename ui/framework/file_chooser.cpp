#include "ui/framework/file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

#include "ui/framework/dialog.h"
#include "ui/framework/dialog_template.h"

namespace zento::ui {
namespace {

// Refuses a name whose folder does not exist, in its own words, and stays open.
class ChooserDialog : public QFileDialog {
 public:
  ChooserDialog(QWidget* owner, bool pathMustExist) : QFileDialog(owner), pathMustExist_(pathMustExist) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (pathMustExist_ && !files.isEmpty()) {
      const QFileInfo chosen(files.first());
      if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("%1\nThe folder does not exist.\nCheck the name and try again.")
                                 .arg(QDir::toNativeSeparators(chosen.absolutePath())));
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  bool pathMustExist_;
};

}  // namespace

std::vector<FileFilter> ParseFilterList(std::string_view literal) {
  const auto end = literal.find("||");
  if (end != std::string_view::npos) literal = literal.substr(0, end);
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= literal.size()) {
    const auto bar = literal.find('|', start);
    pieces.emplace_back(literal.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  std::vector<FileFilter> filters;
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) filters.push_back({pieces[i], pieces[i + 1]});
  return filters;
}

FileChooser::FileChooser(std::string_view initialName, std::uint32_t flags, std::string_view filterLiteral,
                         QWidget* owner)
    : initialName_(initialName), flags_(flags), filters_(ParseFilterList(filterLiteral)), owner_(owner) {}

int FileChooser::DoModal() {
  QPointer<QWidget> owner = owner_;
  ChooserDialog dialog(owner_, (flags_ & kPathMustExist) != 0);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList nameFilters;
  for (const auto& filter : filters_) {
    // Qt takes a filter's patterns from the parentheses of its text; give it some when the
    // text has none.
    QString text = FromUtf8(filter.display).trimmed();
    if (!text.contains('(')) text += QStringLiteral(" (%1)").arg(FromUtf8(filter.pattern).trimmed());
    nameFilters << text;
  }
  if (!nameFilters.isEmpty()) dialog.setNameFilters(nameFilters);
  dialog.selectFile(FromUtf8(initialName_));
  const int result = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? IDOK : IDCANCEL;
  if (result == IDOK) path_ = ToUtf8(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath());
  if (owner != nullptr && owner->isVisible()) owner->window()->activateWindow();
  return result;
}

}  // namespace zento::ui
