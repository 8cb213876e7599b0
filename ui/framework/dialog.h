#pragma once
// A modal dialog built from a template, with its controls addressed by identifier, its
// notifications dispatched to handlers registered by identifier, and its data exchange.

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QPoint>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/framework/dialog_template.h"
#include "ui/framework/dialog_units.h"

class QDialog;
class QWidget;

namespace zento::ui {

class DataExchange;
class DialogHost;

// System commands of the window menu. The low four bits of a command are the platform's.
inline constexpr unsigned SC_MOVE = 0xF010;
inline constexpr unsigned SC_MINIMIZE = 0xF020;
inline constexpr unsigned SC_CLOSE = 0xF060;

// The window's system menu: the platform's window commands, then the program's items.
class SystemMenu {
 public:
  struct Item {
    unsigned id;  // 0 for a separator
    std::string text;
  };
  void AppendSeparator() { items_.push_back({0, {}}); }
  void AppendString(unsigned id, std::string_view text) { items_.push_back({id, std::string(text)}); }
  const std::vector<Item>& Items() const { return items_; }

 private:
  std::vector<Item> items_;
};

enum class Notification {
  kChange,     // an edit's text changed, by typing or by the program's own write
  kSelChange,  // a list's selection changed by the user
  kClicked,    // a button was clicked
  kKillFocus,  // a control lost the keyboard focus to another control of its window
};

class Dialog {
 public:
  // A dialog constructed without an owner is owned by the application's main window, or by
  // the modal window on top when it runs.
  explicit Dialog(const DialogTemplate& dialogTemplate, Dialog* owner = nullptr);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the window, runs it modally and destroys it; returns IDOK or IDCANCEL (or the
  // value given to EndDialog).
  int DoModal();
  // Creates the window and runs OnInitDialog, then shows it without a modal loop of its own.
  // DoModal's first half; also how tests drive a window.
  void Create();
  bool IsOpen() const;
  void EndDialog(int result);
  int Result() const { return result_; }

  // The window program's main dialog, the owner of dialogs constructed without one.
  static void SetMainWindow(Dialog* dialog);
  static Dialog* MainWindow();
  // The application's help file, which F1 opens at its contents in any dialog.
  static void SetHelpFile(std::string fileName);

  QDialog* Window() const;
  QWidget* Control(int id) const;
  const DialogTemplate& Template() const { return template_; }
  const DialogBaseUnits& BaseUnits() const { return baseUnits_; }

  // Control text and state. Multi-line edits speak CR LF; a write of the same text raises
  // no change notification.
  std::string GetText(int id) const;
  void SetText(int id, std::string_view text);
  bool HasFocus(int id) const;
  void SetFocus(int id);
  // Selects from start to end; -1 as end means the end of the text.
  void SetSel(int id, int start, int end);
  void SetCaretToEnd(int id);
  void ScrollCaret(int id);
  void SetControlFont(int id, const QFont& font);
  void SetTextLimit(int id, int maxChars);
  void SetIcon(int id, const QIcon& icon);

  void ResetContent(int id);
  int AddString(int id, std::string_view text);  // sorted lists insert in order; returns the position
  int GetCurSel(int id) const;                   // -1 when nothing is selected
  void SetCurSel(int id, int index);             // raises no selection-change notification
  void SetCheck(int id, bool checked);           // raises no click notification
  bool GetCheck(int id) const;

  // The window's system menu; none when its template has none. The desktop may not let a
  // program reach its own window menu, so a right click on the window's background and
  // Alt+Space show this one.
  SystemMenu* GetSystemMenu();
  void ShowSystemMenu(const QPoint& globalPosition);
  // Runs a system command as the menu does.
  void SendSysCommand(unsigned id) { OnSysCommand(id, 0); }

  // The window's icons; the platform shows one picture, the last one set.
  void SetWindowIcon(const QIcon& icon, bool big);
  const QIcon& WindowIcon(bool big) const { return big ? bigIcon_ : smallIcon_; }
  bool IsIconic() const;

  // Runs DoDataExchange, loading the controls (save false) or saving them into the members,
  // with the controls' notifications held back meanwhile. False when a value failed; the
  // user has been told and the focus is in that field.
  bool UpdateData(bool save);
  // The same exchange run directly: the controls' change notifications are raised as the
  // fields are written, and their handlers run nested.
  bool ExchangeData(bool save);

 protected:
  virtual bool OnInitDialog();  // true: the focus goes to the first tab stop
  virtual void DoDataExchange(DataExchange& dx);
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnClose();  // the close box and Alt+F4; cancels by default
  // A system-menu command: move, minimise and close by default.
  virtual void OnSysCommand(unsigned id, long lParam);
  // F1: the application's help file at its contents.
  virtual void OnHelp();
  // Called while the window paints, after its background.
  virtual void OnPaint() {}

  void On(Notification notification, int controlId, std::function<void()> handler);
  template <class D>
  void On(Notification notification, int controlId, void (D::*handler)()) {
    On(notification, controlId, [this, handler] { (static_cast<D*>(this)->*handler)(); });
  }

  QWidget* OwnerWindow() const;

 private:
  friend class DialogHost;
  void Dispatch(Notification notification, int controlId);
  void PressEnter();
  bool MoveToTabStop(bool forward);
  std::pair<int, int> GroupSpan(int index) const;  // template indexes of the group holding `index`
  bool IsGroupEntry(int index) const;
  bool MoveInGroup(QWidget* from, bool forward);
  int TemplateIndexOf(const QWidget* widget) const;  // -1 when it is none of the controls
  void CreateWindow(bool modal);
  void DestroyWindow();
  void BuildControls();
  QWidget* CreateControl(const ControlTemplate& control);
  void ReactivateOwner(QWidget* owner) const;

  const DialogTemplate& template_;
  Dialog* owner_;
  std::unique_ptr<DialogHost> host_;
  std::map<int, QWidget*> controls_;
  std::map<std::pair<Notification, int>, std::function<void()>> handlers_;
  DialogBaseUnits baseUnits_{};
  int defaultButtonId_ = 0;
  int result_ = IDCANCEL;
  bool ended_ = false;
  bool destroying_ = false;
  bool notificationsLocked_ = false;
  std::optional<SystemMenu> systemMenu_;
  QIcon bigIcon_;
  QIcon smallIcon_;
};

// Wraps a QString and std::string in UTF-8, the program's code page.
std::string ToUtf8(const QString& text);
QString FromUtf8(std::string_view text);

// Where an icon of `icon` pixels is drawn centred in a client area (integer arithmetic,
// truncating toward zero).
QPoint CenteredIconPosition(const QSize& client, const QSize& icon);
// The platform's standard icon size.
inline constexpr int kIconSize = 32;

// Shows an internal failure that a handler could not finish, instead of letting it unwind
// through Qt.
void ReportInternalError(QWidget* owner, const char* what);

}  // namespace zento::ui
