#pragma once
// Support for tests that drive real windows on Qt's offscreen platform as a user would.

#include <gtest/gtest.h>

#include "tests/support/modal_answers.h"

#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

class QFont;
class QWidget;

namespace zento::ui::test {

// A control of a window by its identifier.
QWidget* FindControl(QWidget* window, int id);

using ModalAnswers = zento::test::ModalAnswers;

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
// Whether every printable ASCII character of the font has the same advance: what a fixed-pitch
// report needs, whatever pitch flag the face declares.
bool EveryCharacterOneWidth(const QFont& font);

}  // namespace zento::ui::test
