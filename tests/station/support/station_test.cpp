#include "tests/station/support/station_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTableView>
#include <QUndoStack>
#include <QtTest/QTest>

#include "station/recovery.h"
#include "station/station_document.h"

namespace zento::station::test {

Dialogs::Answer Press(int standardButton) {
  return [standardButton](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr) << dialog->windowTitle().toStdString();
    QAbstractButton* button = box->button(static_cast<QMessageBox::StandardButton>(standardButton));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  };
}

Dialogs::Answer ChooseFile(const QString& path) {
  return [path](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr) << dialog->windowTitle().toStdString();
    // As a user types a whole path into the name field and presses Enter.
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  };
}

Dialogs::Answer Reject() {
  return
      [](QWidget* dialog) { QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Escape); };
}

void StationWindowTest::SetUp() {
  ASSERT_TRUE(folder_.isValid());
  // Each test starts as a first start: no recent files, no geometry, no recovery copies.
  QSettings().clear();
  QDir(RecoveryFile::DefaultFolder()).removeRecursively();
  window_ = std::make_unique<StationWindow>();
  window_->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

void StationWindowTest::TearDown() {
  // Closing for real would ask about unsaved changes: the tests that want that close themselves.
  window_->document()->undoStack()->setClean();
  window_.reset();
}

QString StationWindowTest::example(const char* name) const {
  return QStringLiteral(ZENTO_SOURCE_DIR "/examples/%1.zento.json").arg(QLatin1String(name));
}

void StationWindowTest::openExample(const char* name) { ASSERT_TRUE(window_->openFile(example(name))); }

void StationWindowTest::activate() {
  // Nothing activates the window again after a dialog on the offscreen platform; a user's
  // window manager does.
  if (!window_->isActiveWindow() && window_->isVisible()) {
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
}

void StationWindowTest::typeOver(QWidget* control, const QString& text) {
  ASSERT_NE(control, nullptr);
  ASSERT_TRUE(control->isEnabled());
  activate();
  control->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(control->hasFocus()) << control->objectName().toStdString();
  QTest::keyClick(control, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) QTest::keyClick(control, Qt::Key_Delete);
  QTest::keyClicks(control, text);
}

void StationWindowTest::key(int key, Qt::KeyboardModifiers modifiers) {
  activate();
  QWidget* focus = QApplication::focusWidget();
  QTest::keyClick(focus != nullptr ? focus : window_.get(), static_cast<Qt::Key>(key), modifiers);
}

QString StationWindowTest::cell(QWidget* table, int row, int column) const {
  const auto* view = qobject_cast<QTableView*>(table);
  return view->model()->index(row, column).data().toString();
}

int StationWindowTest::column(QWidget* table, const char* header) const {
  const QAbstractItemModel* model = qobject_cast<QTableView*>(table)->model();
  for (int c = 0; c < model->columnCount(); ++c) {
    if (model->headerData(c, Qt::Horizontal).toString() == QLatin1String(header)) return c;
  }
  ADD_FAILURE() << "no column " << header;
  return -1;
}

}  // namespace zento::station::test
