#pragma once
// Driving the station window offscreen as a user would: a window per test, dialogs answered
// in order (an unexpected one fails the test instead of hanging it), keys to the focus.

#include <gtest/gtest.h>

#include <QPointer>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "station/station_window.h"
#include "tests/support/modal_answers.h"

class QWidget;

namespace zento::station::test {

using Dialogs = zento::test::ModalAnswers;

Dialogs::Answer Press(int standardButton);        // a message box's button
Dialogs::Answer ChooseFile(const QString& path);  // a file dialog, answered with a path
Dialogs::Answer Reject();                         // Escape

class StationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Opens an example (without asking: the window is fresh) and waits until it is shown.
  void openExample(const char* name);
  QString example(const char* name) const;
  QString temporary(const QString& name) const { return folder_.filePath(name); }

  // Focuses the control and types `text` over what it holds.
  void typeOver(QWidget* control, const QString& text);
  void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);  // to the focus
  void activate();                                                      // the window, again, after a dialog
  template <typename W>
  W* find(const char* name) const {
    W* widget = window_->findChild<W*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QString cell(QWidget* table, int row, int column) const;
  int column(QWidget* table, const char* header) const;  // the column of that heading; -1 for none

  std::unique_ptr<StationWindow> window_;
  QTemporaryDir folder_;
};

}  // namespace zento::station::test
