// Building a dialog's widgets from its template.
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "ui/framework/dialog.h"
#include "ui/framework/dialog_host.h"

namespace zento::ui {
namespace {

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

}  // namespace

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

}  // namespace zento::ui
