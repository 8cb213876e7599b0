// A dialog's controls: their text, selection, lists and check state.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "ui/framework/dialog.h"

namespace zento::ui {
namespace {

constexpr QChar kParagraphSeparator(0x2029);
constexpr QChar kLineSeparator(0x2028);

}  // namespace

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
