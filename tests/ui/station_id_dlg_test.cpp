#include "ui/station_id_dlg.h"

#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "tests/ui/support/ui_test.h"
#include "ui/res/resource.h"

namespace zento::ui {
namespace {

class StationIdDlgTest : public testing::Test {
 protected:
  void Open() {
    dlg_.Create();
    test::Activate(dlg_.Window());
  }
  QWidget* W() const { return dlg_.Window(); }
  test::ModalAnswers answers_;
  CStationIdDlg dlg_;
};

TEST_F(StationIdDlgTest, TheCallSignIsUpperCaseAndAtMostTenCharacters) {
  Open();
  EXPECT_EQ(W()->windowTitle(), "ZENTO Calculator : Station Identification");
  EXPECT_EQ(dlg_.GetText(IDC_LOCATION), "");
  ASSERT_EQ(test::FocusedControl(W()), IDC_CALLSIGN);
  QTest::keyClicks(W()->focusWidget(), "kd9abc/p-12");
  EXPECT_EQ(dlg_.GetText(IDC_CALLSIGN), "KD9ABC/P-1");
  test::PressKey(W(), Qt::Key_Return);  // OK, the default button
  EXPECT_EQ(dlg_.Result(), IDOK);
  EXPECT_EQ(dlg_.callsign, "KD9ABC/P-1");
}

TEST_F(StationIdDlgTest, TheLocationCountsEachLineBreakAsTwo) {
  Open();
  test::ClickControl(W(), IDC_LOCATION);
  QTest::keyClicks(W()->focusWidget(), QString(200, 'a'));
  test::PressKey(W(), Qt::Key_Return);
  QTest::keyClicks(W()->focusWidget(), QString(60, 'b'));
  EXPECT_EQ(dlg_.GetText(IDC_LOCATION), std::string(200, 'a') + "\r\n" + std::string(53, 'b'));
  test::ClickControl(W(), IDOK);
  EXPECT_EQ(dlg_.location.size(), 255u);
}

}  // namespace
}  // namespace zento::ui
