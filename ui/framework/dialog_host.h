#pragma once
// The Qt window of a Dialog (framework-internal): routes keys, the close box, the focus and
// painting to it.

#include <QDialog>

namespace zento::ui {

class Dialog;

class DialogHost : public QDialog {
 public:
  DialogHost(Dialog& dialog, QWidget* owner, Qt::WindowFlags flags);

  Dialog& Owner() const { return dialog_; }

  // Watches the controls: arrow keys within a group, Enter in a multi-line edit, focus leaving.
  bool eventFilter(QObject* watched, QEvent* event) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Reaches only the window itself and the controls that have no menu of their own.
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Dialog& dialog_;
};

}  // namespace zento::ui
