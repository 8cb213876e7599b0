#include "ui/framework/dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>
#include <exception>

#include "ui/framework/data_exchange.h"
#include "ui/framework/help_viewer.h"
#include "ui/framework/message_box.h"

namespace zento::ui {
namespace {

Dialog* gMainWindow = nullptr;
std::string gHelpFile;

constexpr QChar kParagraphSeparator(0x2029);
constexpr QChar kLineSeparator(0x2028);

// Upper-cases whatever is typed, pasted or set.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

// Length of a multi-line edit's text with each line break counted as CR LF.
int CrLfLength(const QTextDocument& document) { return document.characterCount() - 1 + (document.blockCount() - 1); }

// Keeps a multi-line edit within a character limit (line breaks counting two) and, when it
// must not scroll vertically, within the lines its height shows, by trimming what was just
// inserted.
class PlainTextLimiter : public QObject {
 public:
  PlainTextLimiter(QPlainTextEdit* edit, bool limitLines) : QObject(edit), edit_(edit), limitLines_(limitLines) {
    QObject::connect(edit->document(), &QTextDocument::contentsChange, this, &PlainTextLimiter::Trim);
  }

 private:
  int VisibleLines() const {
    const int height = edit_->contentsRect().height() - 2 * static_cast<int>(edit_->document()->documentMargin());
    return std::max(1, height / std::max(1, edit_->fontMetrics().lineSpacing()));
  }
  bool TooLong() const {
    const QTextDocument& document = *edit_->document();
    const int maxChars = edit_->property("maxChars").isValid() ? edit_->property("maxChars").toInt() : -1;
    return (maxChars >= 0 && CrLfLength(document) > maxChars) ||
           (limitLines_ && document.blockCount() > VisibleLines());
  }
  void Trim(int position, int, int added) {
    if (trimming_ || added <= 0 || !TooLong()) return;
    trimming_ = true;
    QTextCursor cursor(edit_->document());
    int end = position + added;
    while (end > position && TooLong()) {
      cursor.setPosition(end);
      cursor.deletePreviousChar();
      --end;
    }
    trimming_ = false;
  }

  QPlainTextEdit* edit_;
  bool limitLines_;
  bool trimming_ = false;
};

bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool IsFocusable(const ControlTemplate& control) {
  return control.kind != ControlKind::kStatic && control.kind != ControlKind::kGroupBox &&
         control.kind != ControlKind::kIcon;
}

}  // namespace

std::string ToUtf8(const QString& text) { return text.toStdString(); }
QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void ReportInternalError(QWidget* owner, const char* what) {
  MessageBox(owner, std::string("An internal error stopped this action: ") + what, MessageIcon::kError);
}

// The Qt window of a Dialog: routes keys, the close box and focus changes to it.
class DialogHost : public QDialog {
 public:
  DialogHost(Dialog& dialog, QWidget* owner, Qt::WindowFlags flags) : QDialog(owner, flags), dialog_(dialog) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr) return false;
    if (event->type() == QEvent::FocusOut) {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      // Only focus that moves within the window counts; a window losing activation does not.
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        dialog_.Dispatch(Notification::kKillFocus, widget->property("controlId").toInt());
      }
    } else if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
        if (key == Qt::Key_Down || key == Qt::Key_Right) return dialog_.MoveInGroup(widget, true);
        if (key == Qt::Key_Up || key == Qt::Key_Left) return dialog_.MoveInGroup(widget, false);
      }
      // A multi-line edit that does not want Enter leaves it to the dialog.
      if (IsEnterKey(key) && qobject_cast<QPlainTextEdit*>(widget) != nullptr &&
          !widget->property("wantReturn").toBool()) {
        dialog_.PressEnter();
        return true;
      }
    }
    return false;
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
      dialog_.OnCancel();
      return;
    }
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
      dialog_.OnHelp();
      return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::AltModifier) {
      dialog_.ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
      return;
    }
    if (IsEnterKey(event->key()) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      dialog_.PressEnter();
      return;
    }
    QWidget::keyPressEvent(event);
  }
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    dialog_.OnClose();
  }
  // Reaches only the window itself and the controls that have no menu of their own.
  void contextMenuEvent(QContextMenuEvent* event) override { dialog_.ShowSystemMenu(event->globalPos()); }
  void paintEvent(QPaintEvent* event) override {
    QDialog::paintEvent(event);
    dialog_.OnPaint();
  }

 private:
  Dialog& dialog_;
};

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

void Dialog::BuildControls() {
  QWidget* previousTabStop = nullptr;
  QButtonGroup* radioGroup = nullptr;
  std::vector<QGroupBox*> groupBoxes;
  int defaults = 0;
  defaultButtonId_ = 0;
  for (const auto& control : template_.controls) {
    QWidget* widget = nullptr;
    const QString text = FromUtf8(control.text);
    switch (control.kind) {
      case ControlKind::kPushButton: {
        auto* button = new QPushButton(text, host_.get());
        button->setAutoDefault(false);
        if (control.styles & kDefaultButton) {
          ++defaults;
          defaultButtonId_ = control.id;
        }
        QObject::connect(button, &QPushButton::clicked, host_.get(),
                         [this, id = control.id] { Dispatch(Notification::kClicked, id); });
        widget = button;
        break;
      }
      case ControlKind::kRadioButton: {
        auto* radio = new QRadioButton(text, host_.get());
        radio->setAutoExclusive(false);
        if ((control.styles & kGroup) || radioGroup == nullptr) {
          radioGroup = new QButtonGroup(host_.get());
          radioGroup->setExclusive(true);
        }
        radioGroup->addButton(radio);
        QObject::connect(radio, &QRadioButton::clicked, host_.get(),
                         [this, id = control.id] { Dispatch(Notification::kClicked, id); });
        widget = radio;
        break;
      }
      case ControlKind::kEdit: {
        if (control.styles & kMultiLine) {
          auto* edit = new QPlainTextEdit(host_.get());
          edit->setTabChangesFocus(true);
          edit->setReadOnly(control.styles & kReadOnly);
          edit->setLineWrapMode((control.styles & kAutoHScroll) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
          edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
          edit->setVerticalScrollBarPolicy((control.styles & kVScroll) ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
          edit->setProperty("wantReturn", (control.styles & kWantReturn) != 0);
          new PlainTextLimiter(edit, (control.styles & kVScroll) == 0);
          QObject::connect(edit, &QPlainTextEdit::textChanged, host_.get(),
                           [this, id = control.id] { Dispatch(Notification::kChange, id); });
          widget = edit;
        } else {
          auto* edit = new QLineEdit(host_.get());
          edit->setReadOnly(control.styles & kReadOnly);
          if (control.styles & kDigitsOnly) {
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
          } else if (control.styles & kUpperCase) {
            edit->setValidator(new UpperCaseValidator(edit));
          }
          QObject::connect(edit, &QLineEdit::textChanged, host_.get(),
                           [this, id = control.id] { Dispatch(Notification::kChange, id); });
          widget = edit;
        }
        break;
      }
      case ControlKind::kComboBox: {
        auto* combo = new QComboBox(host_.get());
        combo->setPlaceholderText(QStringLiteral(" "));  // lets the selection be empty
        combo->setCurrentIndex(-1);
        combo->setProperty("sorted", (control.styles & kSorted) != 0);
        combo->setMaxVisibleItems(std::max(
            1, MapDialogRect(baseUnits_, 0, 0, 0, control.cy).height() / std::max(1, host_->fontMetrics().height())));
        QObject::connect(combo, &QComboBox::activated, host_.get(),
                         [this, id = control.id] { Dispatch(Notification::kSelChange, id); });
        widget = combo;
        break;
      }
      case ControlKind::kStatic: {
        auto* label = new QLabel(text, host_.get());
        label->setTextFormat(Qt::PlainText);
        // Texts taller than a line wrap within their rectangle; one-line texts never break.
        label->setWordWrap(control.cy > 12);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case ControlKind::kIcon: {
        auto* label = new QLabel(host_.get());
        label->setAlignment(Qt::AlignCenter);
        if (control.styles & kSunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        widget = label;
        break;
      }
      case ControlKind::kGroupBox: {
        auto* box = new QGroupBox(text, host_.get());
        groupBoxes.push_back(box);
        widget = box;
        break;
      }
    }
    QRect rect = MapDialogRect(baseUnits_, control.x, control.y, control.cx, control.cy);
    if (control.kind == ControlKind::kComboBox) rect.setHeight(widget->sizeHint().height());
    widget->setGeometry(rect);
    widget->setProperty("controlId", control.id);
    if (IsFocusable(control)) {
      widget->setFocusPolicy((control.styles & kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
      widget->installEventFilter(host_.get());
    } else {
      widget->setFocusPolicy(Qt::NoFocus);
    }
    if (control.id != IDC_STATIC) controls_[control.id] = widget;
    if ((control.styles & kTabStop) && IsFocusable(control)) {
      if (previousTabStop != nullptr) QWidget::setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    }
    if (control.kind == ControlKind::kComboBox) {
      for (const auto item : control.items) AddString(control.id, item);
    }
  }
  // Frames stay behind the controls they surround, whatever their template order.
  for (auto* box : groupBoxes) box->lower();
  // Enter presses the one default button; with none, OK; with several, none (a focused
  // button still takes Enter).
  if (defaults == 0 && Control(IDOK) != nullptr) defaultButtonId_ = IDOK;
  if (defaults > 1) defaultButtonId_ = 0;
  if (auto* button = qobject_cast<QPushButton*>(Control(defaultButtonId_)); button != nullptr && defaults == 1) {
    button->setDefault(true);
  }
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

void Dialog::PressEnter() {
  auto* focused = qobject_cast<QPushButton*>(host_->focusWidget());
  if (focused != nullptr && focused->isEnabled()) {
    focused->click();
    return;
  }
  auto* button = qobject_cast<QPushButton*>(Control(defaultButtonId_));
  if (button != nullptr && button->isEnabled()) button->click();
}

bool Dialog::MoveInGroup(QWidget* from, bool forward) {
  // The group of `from`: from the last control marked as a group start up to the next one.
  const auto& controls = template_.controls;
  const int count = static_cast<int>(controls.size());
  int index = -1;
  for (int i = 0; i < count; ++i) {
    if (Control(controls[static_cast<std::size_t>(i)].id) == from) index = i;
  }
  if (index < 0) return false;
  int first = index;
  while (first > 0 && !(controls[static_cast<std::size_t>(first)].styles & kGroup)) --first;
  int last = index;
  while (last + 1 < count && !(controls[static_cast<std::size_t>(last + 1)].styles & kGroup)) ++last;
  for (int step = 1; step <= last - first; ++step) {
    const int span = last - first + 1;
    const int offset = ((index - first) + (forward ? step : -step) % span + span) % span;
    const auto& candidate = controls[static_cast<std::size_t>(first + offset)];
    QWidget* widget = Control(candidate.id);
    if (!IsFocusable(candidate) || widget == nullptr || !widget->isEnabled()) continue;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* radio = qobject_cast<QRadioButton*>(widget); radio != nullptr && !radio->isChecked()) radio->click();
    return true;
  }
  return true;
}

std::string Dialog::GetText(int id) const {
  QWidget* widget = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return ToUtf8(edit->text());
  if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
    QString text = edit->document()->toRawText();
    text.replace(kParagraphSeparator, QStringLiteral("\r\n")).replace(kLineSeparator, QStringLiteral("\r\n"));
    return ToUtf8(text);
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return ToUtf8(combo->currentText());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return ToUtf8(button->text());
  if (auto* label = qobject_cast<QLabel*>(widget)) return ToUtf8(label->text());
  if (auto* box = qobject_cast<QGroupBox*>(widget)) return ToUtf8(box->title());
  return {};
}

void Dialog::SetText(int id, std::string_view text) {
  QWidget* widget = Control(id);
  const QString value = FromUtf8(text);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(value);  // raises textChanged only when the text differs
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
    const std::string current = GetText(id);
    if (current == text) return;
    QString lines = value;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    if (text.substr(0, current.size()) == current) {
      // Appending: insert only the new tail, which leaves the same text without re-laying out
      // the whole document.
      QString tail = FromUtf8(text.substr(current.size()));
      tail.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
      QTextCursor cursor(plain->document());
      cursor.movePosition(QTextCursor::End);
      cursor.insertText(tail);
    } else {
      plain->setPlainText(lines);
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(value);
  } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    box->setTitle(value);
  }
}

bool Dialog::HasFocus(int id) const {
  // The window's focus widget, which is the keyboard focus whenever the window is active.
  QWidget* widget = Control(id);
  return widget != nullptr && widget->window()->focusWidget() == widget;
}

void Dialog::SetFocus(int id) {
  if (QWidget* widget = Control(id)) widget->setFocus(Qt::OtherFocusReason);
}

void Dialog::SetSel(int id, int start, int end) {
  QWidget* widget = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    const int length = static_cast<int>(edit->text().size());
    const int from = std::clamp(start, 0, length);
    const int to = end < 0 ? length : std::clamp(end, 0, length);
    edit->setSelection(from, to - from);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
    QTextCursor cursor(plain->document());
    const int length = plain->document()->characterCount() - 1;
    cursor.setPosition(std::clamp(start, 0, length));
    cursor.setPosition(end < 0 ? length : std::clamp(end, 0, length), QTextCursor::KeepAnchor);
    plain->setTextCursor(cursor);
  }
}

void Dialog::SetCaretToEnd(int id) {
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Control(id))) {
    plain->moveCursor(QTextCursor::End);
  } else if (auto* edit = qobject_cast<QLineEdit*>(Control(id))) {
    edit->end(false);
  }
}

void Dialog::ScrollCaret(int id) {
  if (auto* plain = qobject_cast<QPlainTextEdit*>(Control(id))) plain->ensureCursorVisible();
}

void Dialog::SetControlFont(int id, const QFont& font) {
  if (QWidget* widget = Control(id)) widget->setFont(font);
}

void Dialog::SetTextLimit(int id, int maxChars) {
  QWidget* widget = Control(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setMaxLength(maxChars);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
    plain->setProperty("maxChars", maxChars);  // read by its PlainTextLimiter
  }
}

void Dialog::SetIcon(int id, const QIcon& icon) {
  if (auto* label = qobject_cast<QLabel*>(Control(id))) label->setPixmap(icon.pixmap(label->size()));
}

void Dialog::ResetContent(int id) {
  if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
    combo->clear();
    combo->setCurrentIndex(-1);
  }
}

int Dialog::AddString(int id, std::string_view text) {
  auto* combo = qobject_cast<QComboBox*>(Control(id));
  if (combo == nullptr) return -1;
  const QString item = FromUtf8(text);
  int position = combo->count();
  if (combo->property("sorted").toBool()) {
    position = 0;
    while (position < combo->count() && QString::compare(combo->itemText(position), item, Qt::CaseInsensitive) <= 0) {
      ++position;
    }
  }
  combo->insertItem(position, item);
  return position;
}

int Dialog::GetCount(int id) const {
  auto* combo = qobject_cast<QComboBox*>(Control(id));
  return combo == nullptr ? 0 : combo->count();
}

std::string Dialog::GetItemText(int id, int index) const {
  auto* combo = qobject_cast<QComboBox*>(Control(id));
  return combo == nullptr ? std::string() : ToUtf8(combo->itemText(index));
}

int Dialog::GetCurSel(int id) const {
  auto* combo = qobject_cast<QComboBox*>(Control(id));
  return combo == nullptr ? -1 : combo->currentIndex();
}

void Dialog::SetCurSel(int id, int index) {
  if (auto* combo = qobject_cast<QComboBox*>(Control(id))) combo->setCurrentIndex(index);
}

void Dialog::SetCheck(int id, bool checked) {
  if (auto* button = qobject_cast<QAbstractButton*>(Control(id))) button->setChecked(checked);
}

bool Dialog::GetCheck(int id) const {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  return button != nullptr && button->isChecked();
}

}  // namespace zento::ui
