#pragma once
// Support for tests that drive real windows on Qt's offscreen platform as a user would.

#include <gtest/gtest.h>

#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

class QWidget;

namespace zento::ui::test {

// A control of a window by its identifier.
QWidget* FindControl(QWidget* window, int id);

// Answers the modal dialogs a test expects, in order, as they appear; an unexpected one fails
// the test and is closed instead of hanging it. Each answer gets the dialog's window.
class ModalAnswers {
 public:
  using Answer = std::function<void(QWidget* dialog)>;
  ModalAnswers();
  ~ModalAnswers();
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  void Expect(std::string description, Answer answer);
  // Answers message boxes that no expectation is waiting for (validation messages that come
  // and go with random input), instead of failing on them.
  void AnswerMessageBoxes(Answer answer) { messageBoxAnswer_ = std::move(answer); }
  int Pending() const { return static_cast<int>(answers_.size()); }
  // Texts of the message boxes answered so far.
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  void Poll();
  struct Expected {
    std::string description;
    Answer answer;
  };
  std::deque<Expected> answers_;
  Answer messageBoxAnswer_;
  std::vector<QPointer<QWidget>> seen_;
  QPointer<QWidget> top_;  // the answered dialog still on top, and since when
  qint64 topSince_ = 0;
  std::vector<std::string> messages_;
  QTimer timer_;
};

// Answers.
ModalAnswers::Answer PressOk();      // the dialog's OK button, clicked
ModalAnswers::Answer PressCancel();  // the dialog's Cancel button, clicked
ModalAnswers::Answer PressEscape();
ModalAnswers::Answer CloseBox();  // the window's close box
// Types into controls, in order, each focused with a mouse click, then clicks OK.
ModalAnswers::Answer TypeThenOk(std::vector<std::pair<int, QString>> fields);

// User actions on a window's controls.
void ClickControl(QWidget* window, int id);
void TypeInto(QWidget* window, int id, const QString& text);                                // click, End, type
void ReplaceText(QWidget* window, int id, const QString& text);                             // click, select all, type
void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);  // to the focus
// Opens a drop-down list and clicks its item at `index`.
void ChooseListItem(QWidget* window, int id, int index);
// The control holding its window's focus.
int FocusedControl(QWidget* window);
// Waits until the window is active, re-activating it first.
void Activate(QWidget* window);

}  // namespace zento::ui::test
