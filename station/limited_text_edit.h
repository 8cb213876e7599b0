#pragma once
// A plain text field that holds at most a number of characters however the text comes: typed,
// pasted, dropped or from an input method. A QPlainTextEdit has no maximum length, and laying out
// a long paragraph takes it time that grows with the square of the length (minutes for 1 MB):
// what does not fit is refused before it is laid out.

#include <QPlainTextEdit>
#include <limits>

namespace zento::station {

class LimitedTextEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit LimitedTextEdit(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}
  // Text already held is left as it is; only what comes in is limited.
  void setMaxLength(int length) { maxLength_ = length; }
  int maxLength() const { return maxLength_; }

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // How many characters may still go in place of the selection.
  int room() const;
  // The start of `text` that fits in `room` characters, not splitting a surrogate pair.
  static QString fitted(const QString& text, int room);

  int maxLength_ = std::numeric_limits<int>::max();
};

}  // namespace zento::station
