#pragma once
// The Qt window of a Dialog (framework-internal): routes keys, the close box, the focus and
// painting to it.

#include <QDialog>

namespace zento::ui {

class Dialog;

class DialogHost : public QDialog {
 public:
  DialogHost(Dialog& dialog, QWidget* owner, Qt::WindowFlags flags);

  // The dialog's window menu, at the top left of its client area.
  void ShowWindowMenu();

  // Watches the controls: arrow keys within a group, Enter in a multi-line edit, focus leaving.
  bool eventFilter(QObject* watched, QEvent* event) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Reaches only the window itself and the controls that have no menu of their own.
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  // Tab and Shift+Tab from any control, and the focus leaving a control that is hidden.
  bool focusNextPrevChild(bool next) override;

 private:
  Dialog& dialog_;
};

}  // namespace zento::ui
