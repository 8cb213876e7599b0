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
#include "ui/framework/template_geometry.h"

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

// A radio button that leaves the dialog's tab stops as its template has them: a Qt button in a
// group makes itself a tab stop when it gets the focus, even from a click.
class DialogRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void focusInEvent(QFocusEvent* event) override { QWidget::focusInEvent(event); }
};

// Each group of radio buttons is exclusive and, when a frame surrounds it, sits inside that
// frame, so assistive technology presents the buttons as one group named by the frame.
void GroupRadioButtons(const DialogTemplate& dialogTemplate, const std::vector<QWidget*>& widgets,
                       const std::vector<std::vector<std::size_t>>& groups, QWidget* host) {
  for (const auto& members : groups) {
    auto* group = new QButtonGroup(host);
    group->setExclusive(true);
    const int box = EnclosingGroupBox(dialogTemplate, members);
    for (std::size_t member : members) {
      auto* radio = static_cast<QRadioButton*>(widgets[member]);
      group->addButton(radio);
      if (box < 0) continue;
      QWidget* frame = widgets[static_cast<std::size_t>(box)];
      const QRect rect = radio->geometry().translated(-frame->pos());
      radio->setParent(frame);
      radio->setGeometry(rect);
      radio->show();  // a new parent hides it
    }
  }
}

// Controls without a text of their own are named for assistive technology by their label: as
// their accessible name, and as the label's buddy, the relation by which a list is named on
// Linux. A text with an ampersand stays literal, so it is never made a buddy (a mnemonic).
void NameByLabels(const DialogTemplate& dialogTemplate, const std::vector<QWidget*>& widgets) {
  const auto& controls = dialogTemplate.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind != ControlKind::kEdit && controls[i].kind != ControlKind::kComboBox) continue;
    const int index = LabelIndex(dialogTemplate, i);
    if (index < 0) continue;
    const QString text = FromUtf8(controls[static_cast<std::size_t>(index)].text);
    widgets[i]->setAccessibleName(text);
    auto* label = qobject_cast<QLabel*>(widgets[static_cast<std::size_t>(index)]);
    if (label != nullptr && !text.contains(QLatin1Char('&'))) label->setBuddy(widgets[i]);
  }
}

}  // namespace

void Dialog::BuildControls() {
  const auto& controls = template_.controls;
  std::vector<QWidget*> widgets;  // by template index
  std::vector<std::vector<std::size_t>> radioGroups;
  int defaults = 0;
  defaultButtonId_ = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlTemplate& control = controls[i];
    QWidget* widget = CreateControl(control);
    QRect rect = MapDialogRect(baseUnits_, control.x, control.y, control.cx, control.cy);
    if (control.kind == ControlKind::kComboBox) rect.setHeight(widget->sizeHint().height());
    widget->setGeometry(rect);
    widget->setProperty("controlId", control.id);
    if (IsFocusable(control)) {
      widget->setFocusPolicy(IsTabStop(control) ? Qt::StrongFocus : Qt::ClickFocus);
      widget->installEventFilter(host_.get());
    } else {
      widget->setFocusPolicy(Qt::NoFocus);
    }
    if (control.id != IDC_STATIC) controls_[control.id] = widget;
    if (control.kind == ControlKind::kComboBox) {
      for (const auto item : control.items) AddString(control.id, item);
    }
    if (control.kind == ControlKind::kPushButton && (control.styles & kDefaultButton)) {
      ++defaults;
      defaultButtonId_ = control.id;
    }
    if (control.kind == ControlKind::kRadioButton) {
      if ((control.styles & kGroup) || radioGroups.empty()) radioGroups.emplace_back();
      radioGroups.back().push_back(i);
    }
    widgets.push_back(widget);
  }
  GroupRadioButtons(template_, widgets, radioGroups, host_.get());
  NameByLabels(template_, widgets);
  // Qt's own focus chain in template order too, for whatever walks it besides Tab.
  QWidget* previous = nullptr;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (!IsFocusable(controls[i])) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widgets[i]);
    previous = widgets[i];
  }
  // Frames stay behind the controls they surround, whatever their template order, and the
  // larger behind the smaller, so that a frame never covers the controls of one inside it.
  std::vector<std::size_t> frames;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].kind == ControlKind::kGroupBox) frames.push_back(i);
  }
  std::stable_sort(frames.begin(), frames.end(), [&controls](std::size_t a, std::size_t b) {
    return controls[a].cx * controls[a].cy < controls[b].cx * controls[b].cy;
  });
  for (std::size_t frame : frames) widgets[frame]->lower();
  // Enter presses the one default button; with none, OK; with several, none (a focused
  // button still takes Enter).
  if (defaults == 0 && Control(IDOK) != nullptr) defaultButtonId_ = IDOK;
  if (defaults > 1) defaultButtonId_ = 0;
  if (auto* button = qobject_cast<QPushButton*>(Control(defaultButtonId_)); button != nullptr && defaults == 1) {
    button->setDefault(true);
  }
}

QWidget* Dialog::CreateControl(const ControlTemplate& control) {
  QWidget* host = host_.get();
  const QString text = FromUtf8(control.text);
  const auto notify = [this, id = control.id](Notification notification) {
    return [this, id, notification] { Dispatch(notification, id); };
  };
  switch (control.kind) {
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(text, host);
      button->setAutoDefault(false);
      QObject::connect(button, &QPushButton::clicked, host, notify(Notification::kClicked));
      return button;
    }
    case ControlKind::kRadioButton: {
      auto* radio = new DialogRadioButton(text, host);
      QObject::connect(radio, &QRadioButton::clicked, host, notify(Notification::kClicked));
      return radio;
    }
    case ControlKind::kEdit: {
      if (control.styles & kMultiLine) {
        auto* edit = new QPlainTextEdit(host);
        edit->setTabChangesFocus(true);
        edit->setReadOnly(control.styles & kReadOnly);
        edit->setLineWrapMode((control.styles & kAutoHScroll) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy((control.styles & kVScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        edit->setProperty("wantReturn", (control.styles & kWantReturn) != 0);
        new PlainTextLimiter(edit, (control.styles & kVScroll) == 0);
        QObject::connect(edit, &QPlainTextEdit::textChanged, host, notify(Notification::kChange));
        return edit;
      }
      auto* edit = new QLineEdit(host);
      edit->setReadOnly(control.styles & kReadOnly);
      if (control.styles & kDigitsOnly) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
      } else if (control.styles & kUpperCase) {
        edit->setValidator(new UpperCaseValidator(edit));
      }
      QObject::connect(edit, &QLineEdit::textChanged, host, notify(Notification::kChange));
      return edit;
    }
    case ControlKind::kComboBox: {
      auto* combo = new QComboBox(host);
      combo->setPlaceholderText(QStringLiteral(" "));  // lets the selection be empty
      combo->setCurrentIndex(-1);
      combo->setProperty("sorted", (control.styles & kSorted) != 0);
      combo->setMaxVisibleItems(std::max(
          1, MapDialogRect(baseUnits_, 0, 0, 0, control.cy).height() / std::max(1, host->fontMetrics().height())));
      QObject::connect(combo, &QComboBox::activated, host, notify(Notification::kSelChange));
      return combo;
    }
    case ControlKind::kStatic: {
      auto* label = new QLabel(text, host);
      label->setTextFormat(Qt::PlainText);
      // Texts taller than a line wrap within their rectangle; one-line texts never break.
      label->setWordWrap(control.cy > 12);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::kIcon: {
      auto* label = new QLabel(host);
      label->setAlignment(Qt::AlignCenter);
      if (control.styles & kSunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      return label;
    }
    case ControlKind::kGroupBox:
      break;
  }
  return new QGroupBox(text, host);
}

}  // namespace zento::ui
