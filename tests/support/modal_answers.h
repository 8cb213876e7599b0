#pragma once
// Window tests' answers to modal dialogs, on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace zento::test {

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

}  // namespace zento::test
