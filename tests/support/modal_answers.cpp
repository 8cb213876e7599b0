#include "tests/support/modal_answers.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>

namespace zento::test {

ModalAnswers::ModalAnswers() {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start(2);
}

ModalAnswers::~ModalAnswers() {
  timer_.stop();
  for (const auto& expected : answers_)
    ADD_FAILURE() << "expected modal dialog never appeared: " << expected.description;
}

void ModalAnswers::Expect(std::string description, Answer answer) {
  answers_.push_back({std::move(description), std::move(answer)});
}

void ModalAnswers::Poll() {
  // A popup menu is answered like a modal dialog; other popups (completion lists) are not.
  QWidget* modal = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (modal == nullptr) modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible()) return;
  for (const auto& seen : seen_) {
    if (seen != modal) continue;
    // An answered dialog that stays on top would hang the test: fail and close it.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (top_ != modal) {
      top_ = modal;
      topSince_ = now;
    } else if (now - topSince_ > 5000) {
      ADD_FAILURE() << "modal dialog still open after its answer: " << modal->windowTitle().toStdString();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      top_ = nullptr;
    }
    return;
  }
  seen_.emplace_back(modal);
  if (auto* box = qobject_cast<QMessageBox*>(modal)) messages_.push_back(box->text().toStdString());
  if (answers_.empty() && messageBoxAnswer_ && qobject_cast<QMessageBox*>(modal) != nullptr) {
    QTimer::singleShot(0, modal, [answer = messageBoxAnswer_, modal] { answer(modal); });
    return;
  }
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected modal dialog: " << modal->windowTitle().toStdString()
                  << (messages_.empty() ? "" : " / " + messages_.back());
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    return;
  }
  // Answered outside this timer's slot, so that dialogs the answer opens are polled too.
  QTimer::singleShot(0, modal, [answer = std::move(answers_.front().answer), modal] { answer(modal); });
  answers_.pop_front();
}

}  // namespace zento::test
