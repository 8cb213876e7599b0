#include "ui/antenna_gain_dlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "core/antennas.h"
#include "tests/ui/support/main_window.h"

namespace zento::ui {
namespace {

using test::MainWindowTest;

class AntennaGainDlgTest : public MainWindowTest {
 protected:
  void SetUp() override { Open(); }
  void Calculate(std::function<void(QWidget*)> inside, test::ModalAnswers::Answer end = test::PressOk()) {
    RunFromButton(IDC_GAIN_CALC, std::move(inside), std::move(end));
  }
  static std::vector<int> Checked(QWidget* dialog) {
    std::vector<int> ids;
    for (int id = IDC_ANT_QUARTER_WAVE; id <= IDC_ANT_YAGI17; ++id) {
      if (qobject_cast<QRadioButton*>(test::FindControl(dialog, id))->isChecked()) ids.push_back(id);
    }
    return ids;
  }
};

TEST_F(AntennaGainDlgTest, OkTakesTheLastClickOrZeroAndEscapeOrTheCloseBoxKeepTheGain) {
  test::ReplaceText(W(), IDC_ANTENNA_GAIN, "5");
  const auto click = [](std::vector<int> ids) {
    return [ids](QWidget* dialog) {
      for (int id : ids) test::ClickControl(dialog, id);
      EXPECT_EQ(Checked(dialog), std::vector<int>{ids.back()});
    };
  };
  const struct {
    std::function<void(QWidget*)> inside;
    test::ModalAnswers::Answer end;
    const char* gain;
  } cases[] = {
      {click({IDC_ANT_YAGI17}), test::PressEscape(), "5"},
      {click({IDC_ANT_YAGI17}), test::CloseBox(), "5"},
      {[](QWidget* dialog) { EXPECT_TRUE(Checked(dialog).empty()) << "each opening starts afresh"; }, test::PressOk(),
       "0"},
      {click({IDC_ANT_FIVE_EIGHTHS, IDC_ANT_YAGI3}), [](QWidget* d) { test::PressKey(d, Qt::Key_Return); }, "7.2"},
      {click({IDC_ANT_FIVE_EIGHTHS, IDC_ANT_DIPOLE}), test::PressOk(), "2.15"},
  };
  for (const auto& c : cases) {
    Calculate(c.inside, c.end);
    EXPECT_EQ(T(IDC_ANTENNA_GAIN), c.gain);
  }
  EXPECT_EQ(Fields({IDC_EIRP, IDC_CONTROLLED_DISTANCE, IDC_UNCONTROLLED_DISTANCE}), "164.06 | 6.0 Feet | 13.4 Feet");
}

}  // namespace
}  // namespace zento::ui
