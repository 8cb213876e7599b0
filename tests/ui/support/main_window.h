#pragma once
// A fixture that opens the real main window, answering the station dialog at start-up.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <functional>
#include <string>

#include "report/report_text.h"
#include "tests/ui/support/ui_test.h"
#include "ui/exposure_dlg.h"
#include "ui/res/resource.h"

namespace zento::ui::test {

class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() { Dialog::SetMainWindow(&dlg_); }
  ~MainWindowTest() override { Dialog::SetMainWindow(nullptr); }

  void Open(ModalAnswers::Answer station = PressCancel()) {
    answers_.Expect("station identification", std::move(station));
    dlg_.Create();
    Activate(W());
  }
  QWidget* W() const { return dlg_.Window(); }
  std::string T(int id) const { return dlg_.GetText(id); }
  // The fields' texts joined by " | ", to compare a window's state in one line.
  std::string Fields(std::initializer_list<int> ids) const {
    std::string text;
    for (const int id : ids) text += (text.empty() ? "" : " | ") + T(id);
    return text;
  }
  std::string Report() const { return dlg_.GetText(IDC_REPORT); }
  static std::string Banner() { return AppendReportLines({}, BannerLines()); }
  // Opens the dialog behind a main-window button; `inside` acts in it, then `end` ends it.
  void RunFromButton(int buttonId, std::function<void(QWidget*)> inside, ModalAnswers::Answer end = PressOk()) {
    answers_.Expect("dialog", [inside, end](QWidget* dialog) {
      inside(dialog);
      end(dialog);
    });
    ClickControl(W(), buttonId);
  }
  // The block "Add to Report" writes, from its lines.
  std::vector<std::string> AddAndReadBlock() {
    const std::size_t before = Report().size();
    ClickControl(W(), IDC_ADD_TO_REPORT);
    std::vector<std::string> lines;
    const std::string added = Report().substr(before);
    std::size_t start = 0;
    for (std::size_t end; (end = added.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(added.substr(start, end - start));
    }
    return lines;
  }

  ModalAnswers answers_;
  CExposureDlg dlg_;
};

}  // namespace zento::ui::test
