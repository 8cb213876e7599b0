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

TEST_F(AntennaGainDlgTest, ThePresetsStandInRisingGainWithNoneChosen) {
  Calculate([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Antenna Gain Estimation");
    std::vector<std::pair<int, std::string>> byPosition;
    for (int id = IDC_ANT_QUARTER_WAVE; id <= IDC_ANT_YAGI17; ++id) {
      auto* radio = qobject_cast<QRadioButton*>(test::FindControl(dialog, id));
      ASSERT_NE(radio, nullptr) << id;
      byPosition.emplace_back(radio->y(), radio->text().toStdString());
      EXPECT_FALSE(radio->focusPolicy() & Qt::TabFocus) << "not a tab stop";
    }
    std::sort(byPosition.begin(), byPosition.end());
    for (std::size_t i = 0; i < kAntennaPresets.size(); ++i) EXPECT_EQ(byPosition[i].second, kAntennaPresets[i].label);
    EXPECT_TRUE(Checked(dialog).empty());
    EXPECT_EQ(test::FocusedControl(dialog), IDOK);
    EXPECT_FALSE(qobject_cast<QPushButton*>(test::FindControl(dialog, IDOK))->isDefault());
    EXPECT_EQ(test::FindControl(dialog, IDCANCEL), nullptr);
  });
  EXPECT_EQ(T(IDC_ANTENNA_GAIN), "0");
}

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
  EXPECT_EQ(T(IDC_EIRP), "164.06");
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "6.0 Feet");
  EXPECT_EQ(T(IDC_UNCONTROLLED_DISTANCE), "13.4 Feet");
}

TEST_F(AntennaGainDlgTest, EveryPresetIsInsideTheMainWindowsRange) {
  for (int id = IDC_ANT_QUARTER_WAVE; id <= IDC_ANT_YAGI17; ++id) {
    Calculate([id](QWidget* dialog) { test::ClickControl(dialog, id); });
    EXPECT_GE(dlg_.Station().antennaGainDbi, kMinAntennaGainDbi);
    EXPECT_LE(dlg_.Station().antennaGainDbi, kMaxAntennaGainDbi);
  }
  EXPECT_TRUE(answers_.Messages().empty());
  EXPECT_EQ(T(IDC_ANTENNA_GAIN), "16.8");
}

}  // namespace
}  // namespace zento::ui
