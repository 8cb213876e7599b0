#include "station/limited_text_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>

namespace zento::station {

int LimitedTextEdit::room() const {
  // characterCount() counts a paragraph separator after the last paragraph too.
  const qint64 length = document()->characterCount() - 1;
  const qint64 free = qint64{maxLength_} - length + textCursor().selectedText().size();
  return static_cast<int>(std::clamp<qint64>(free, 0, std::numeric_limits<int>::max()));
}

QString LimitedTextEdit::fitted(const QString& text, int room) {
  if (text.size() <= room) return text;
  QString start = text.left(room);
  if (!start.isEmpty() && start.back().isHighSurrogate()) start.chop(1);
  return start;
}

bool LimitedTextEdit::canInsertFromMimeData(const QMimeData* source) const { return source->hasText() && room() > 0; }

void LimitedTextEdit::insertFromMimeData(const QMimeData* source) {
  // Pasting, dropping and the middle button all come here; only the plain text is taken.
  if (!source->hasText()) return;
  const QString text = source->text();
  const QString fits = fitted(text, room());
  if (fits.size() < text.size()) QApplication::beep();
  if (!fits.isEmpty()) insertPlainText(fits);
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* event) {
  const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool typed = newLine || (!event->text().isEmpty() && event->text().front().isPrint());
  const int length = newLine ? 1 : static_cast<int>(event->text().size());
  const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (typed && !shortcut && length > room()) {
    QApplication::beep();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  const int room = this->room() + event->replacementLength();
  if (commit.size() <= room) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent fitting(event->preeditString(), event->attributes());
  fitting.setCommitString(fitted(commit, room), event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&fitting);
}

}  // namespace zento::station
