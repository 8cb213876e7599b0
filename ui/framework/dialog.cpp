// A dialog's life: its window created from the template, the modal run, the system menu,
// the data exchange and the dispatch of notifications to handlers.
#include "ui/framework/dialog.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QWindow>
#include <exception>

#include "ui/framework/data_exchange.h"
#include "ui/framework/dialog_host.h"
#include "ui/framework/help_viewer.h"
#include "ui/framework/message_box.h"

namespace zento::ui {
namespace {

Dialog* gMainWindow = nullptr;
std::string gHelpFile;

}  // namespace

std::string ToUtf8(const QString& text) { return text.toStdString(); }
QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void ReportInternalError(QWidget* owner, const char* what) {
  MessageBox(owner, std::string("An internal error stopped this action: ") + what, MessageIcon::kError);
}

Dialog::Dialog(const DialogTemplate& dialogTemplate, Dialog* owner) : template_(dialogTemplate), owner_(owner) {}

Dialog::~Dialog() {
  DestroyWindow();
  if (gMainWindow == this) gMainWindow = nullptr;
}

void Dialog::SetMainWindow(Dialog* dialog) { gMainWindow = dialog; }
Dialog* Dialog::MainWindow() { return gMainWindow; }
void Dialog::SetHelpFile(std::string fileName) { gHelpFile = std::move(fileName); }

void Dialog::OnHelp() {
  if (!gHelpFile.empty()) WinHelp(Window(), gHelpFile, HELP_CONTENTS, 0);
}

QWidget* Dialog::OwnerWindow() const {
  if (owner_ != nullptr && owner_->Window() != nullptr) return owner_->Window();
  if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != Window()) return modal;
  if (gMainWindow != nullptr && gMainWindow != this) return gMainWindow->Window();
  return nullptr;
}

QDialog* Dialog::Window() const { return host_.get(); }

QWidget* Dialog::Control(int id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

bool Dialog::IsOpen() const { return host_ != nullptr && !ended_; }

int Dialog::DoModal() {
  QPointer<QWidget> owner = OwnerWindow();
  CreateWindow(true);
  if (!ended_) host_->exec();
  DestroyWindow();
  ReactivateOwner(owner);
  return result_;
}

void Dialog::ReactivateOwner(QWidget* owner) const {
  // Nothing else gives the owner its activation (and so its focus) back on every platform.
  if (owner != nullptr && owner->isVisible()) {
    owner->activateWindow();
    owner->raise();
  }
}

void Dialog::Create() { CreateWindow(false); }

void Dialog::CreateWindow(bool modal) {
  DestroyWindow();
  ended_ = false;
  result_ = IDCANCEL;
  Qt::WindowFlags flags = (template_.frame & kAppWindow) ? Qt::Window : Qt::Dialog;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (template_.frame & kSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (template_.frame & kMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  host_ = std::make_unique<DialogHost>(*this, OwnerWindow(), flags);
  host_->setWindowTitle(FromUtf8(template_.caption));
  // Modality takes effect when the window is shown, so it is set before.
  if (modal) host_->setWindowModality(Qt::ApplicationModal);
  const QFont font = ResolveFont(template_.fontFace, template_.fontPointSize);
  host_->setFont(font);
  baseUnits_ = MeasureBaseUnits(font);
  host_->setFixedSize(MapDialogSize(baseUnits_, template_.cx, template_.cy));
  BuildControls();
  systemMenu_.reset();
  if (template_.frame & kSystemMenu) {
    systemMenu_.emplace();
    systemMenu_->AppendString(SC_MOVE, "&Move");
    if (template_.frame & kMinimizeBox) systemMenu_->AppendString(SC_MINIMIZE, "Mi&nimize");
    systemMenu_->AppendSeparator();
    systemMenu_->AppendString(SC_CLOSE, "&Close\tAlt+F4");
  }

  const bool focusFirst = OnInitDialog();
  if (ended_ || host_ == nullptr) return;
  if (focusFirst) {
    for (const auto& control : template_.controls) {
      if ((control.styles & kTabStop) && IsFocusable(control) && Control(control.id)->isEnabled()) {
        SetFocus(control.id);
        break;
      }
    }
  }
  host_->show();
  host_->activateWindow();
}

void Dialog::DestroyWindow() {
  if (host_ == nullptr) return;
  destroying_ = true;
  host_->hide();
  host_.reset();
  controls_.clear();
  systemMenu_.reset();
  destroying_ = false;
}

void Dialog::EndDialog(int result) {
  result_ = result;
  ended_ = true;
  if (host_ != nullptr) host_->done(result);
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

void Dialog::OnClose() { OnCancel(); }

SystemMenu* Dialog::GetSystemMenu() { return systemMenu_ ? &*systemMenu_ : nullptr; }

void Dialog::ShowSystemMenu(const QPoint& globalPosition) {
  if (!systemMenu_ || host_ == nullptr) return;
  QMenu menu(host_.get());
  menu.setObjectName(QStringLiteral("systemMenu"));
  for (const auto& item : systemMenu_->Items()) {
    if (item.id == 0) {
      menu.addSeparator();
    } else {
      QAction* action = menu.addAction(FromUtf8(item.text));
      action->setData(item.id);
    }
  }
  QPointer<DialogHost> guard = host_.get();
  QAction* chosen = menu.exec(globalPosition);
  if (chosen != nullptr && guard != nullptr) OnSysCommand(chosen->data().toUInt(), 0);
}

void Dialog::OnSysCommand(unsigned id, long) {
  if (host_ == nullptr) return;
  switch (id & 0xFFF0) {
    case SC_CLOSE:
      OnClose();
      break;
    case SC_MINIMIZE:
      host_->showMinimized();
      break;
    case SC_MOVE:
      if (host_->windowHandle() != nullptr) host_->windowHandle()->startSystemMove();
      break;
    default:
      break;
  }
}

void Dialog::SetWindowIcon(const QIcon& icon, bool big) {
  (big ? bigIcon_ : smallIcon_) = icon;
  if (host_ != nullptr) host_->setWindowIcon(icon);
}

bool Dialog::IsIconic() const { return host_ != nullptr && host_->isMinimized(); }

QPoint CenteredIconPosition(const QSize& client, const QSize& icon) {
  return {(client.width() - icon.width() + 1) / 2, (client.height() - icon.height() + 1) / 2};
}

bool Dialog::UpdateData(bool save) {
  const bool wasLocked = notificationsLocked_;
  notificationsLocked_ = true;
  const bool ok = ExchangeData(save);
  notificationsLocked_ = wasLocked;
  return ok;
}

bool Dialog::ExchangeData(bool save) {
  DataExchange dx(*this, save);
  DoDataExchange(dx);
  return !dx.Failed();
}

void Dialog::On(Notification notification, int controlId, std::function<void()> handler) {
  handlers_[{notification, controlId}] = std::move(handler);
}

void Dialog::Dispatch(Notification notification, int controlId) {
  if (destroying_ || notificationsLocked_ || host_ == nullptr) return;
  const auto it = handlers_.find({notification, controlId});
  // OK and Cancel end the dialog unless the dialog handles them itself.
  const bool isOk = notification == Notification::kClicked && controlId == IDOK;
  const bool isCancel = notification == Notification::kClicked && controlId == IDCANCEL;
  if (it == handlers_.end() && !isOk && !isCancel) return;
  // The one boundary between this program's handlers and Qt: nothing unwinds past it.
  try {
    if (it != handlers_.end()) {
      it->second();
    } else if (isOk) {
      OnOK();
    } else {
      OnCancel();
    }
  } catch (const std::exception& error) {
    ReportInternalError(Window(), error.what());
  } catch (...) {
    ReportInternalError(Window(), "unknown error");
  }
}

}  // namespace zento::ui
