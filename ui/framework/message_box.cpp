#include "ui/framework/message_box.h"

#include <QMessageBox>
#include <QPointer>

#include "ui/framework/dialog.h"

namespace zento::ui {

void MessageBox(QWidget* owner, std::string_view text, MessageIcon icon) {
  const QMessageBox::Icon qtIcon = icon == MessageIcon::kWarning ? QMessageBox::Warning
                                   : icon == MessageIcon::kError ? QMessageBox::Critical
                                                                 : QMessageBox::NoIcon;
  QPointer<QWidget> guard = owner;
  QMessageBox box(qtIcon, QString::fromUtf8(kApplicationName), FromUtf8(text), QMessageBox::Ok, owner);
  box.exec();
  if (guard != nullptr && guard->isVisible()) {
    guard->window()->activateWindow();
  }
}

}  // namespace zento::ui
