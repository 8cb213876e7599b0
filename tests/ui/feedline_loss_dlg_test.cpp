#include "ui/feedline_loss_dlg.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>

#include "core/feedline.h"
#include "tests/ui/support/main_window.h"

namespace zento::ui {
namespace {

using test::MainWindowTest;

constexpr int kRg8 = 25;
constexpr int kRg8Foam = 24;

// The main window with its feedline dialog opened from the "Calculate..." button; `inside`
// acts in the dialog, then OK, Cancel or Escape ends it.
class FeedlineLossDlgTest : public MainWindowTest {
 protected:
  void SetUp() override { Open(); }
  void Calculate(std::function<void(QWidget*)> inside, test::ModalAnswers::Answer end = test::PressOk()) {
    RunFromButton(IDC_FEEDLINE_CALC, std::move(inside), std::move(end));
  }
  // The dialog's state at opening, as `Probe` records it.
  struct Probe {
    std::vector<std::string> items;
    int selected = -2, units = -2, focus = 0;
    std::string length, specific, total, frequency;
  };
  static Probe Read(QWidget* dialog) {
    Probe probe;
    auto* cables = qobject_cast<QComboBox*>(test::FindControl(dialog, IDC_CABLE_TYPE));
    for (int i = 0; i < cables->count(); ++i) probe.items.push_back(cables->itemText(i).toStdString());
    probe.selected = cables->currentIndex();
    probe.units = qobject_cast<QComboBox*>(test::FindControl(dialog, IDC_LENGTH_UNITS))->currentIndex();
    probe.length = Text(dialog, IDC_CABLE_LENGTH);
    probe.specific = Text(dialog, IDC_SPECIFIC_LOSS);
    probe.total = Text(dialog, IDC_TOTAL_LOSS);
    probe.frequency = Text(dialog, IDC_FL_FREQUENCY);
    probe.focus = test::FocusedControl(dialog);
    return probe;
  }
  static std::string Text(QWidget* dialog, int id) {
    return qobject_cast<QLineEdit*>(test::FindControl(dialog, id))->text().toStdString();
  }
  static void ChooseCable(QWidget* dialog, int row) { test::ChooseListItem(dialog, IDC_CABLE_TYPE, row); }
  static void ChooseUnits(QWidget* dialog, int code) { test::ChooseListItem(dialog, IDC_LENGTH_UNITS, code); }
  static void TypeLength(QWidget* dialog, const QString& text) { test::ReplaceText(dialog, IDC_CABLE_LENGTH, text); }
};

TEST_F(FeedlineLossDlgTest, TheFirstOpeningListsTheTableNamesWithNothingChosen) {
  Probe probe;
  Calculate([&probe](QWidget* dialog) {
    probe = Read(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Feedline Loss Calculator");
  });
  ASSERT_EQ(probe.items.size(), 27u);
  for (std::size_t row = 0; row < 27; ++row) EXPECT_EQ(probe.items[row], kCableTable[row].name) << row;
  EXPECT_EQ(probe.selected, -1);
  EXPECT_EQ(probe.length, "");
  EXPECT_EQ(probe.units, kLengthFeet);
  EXPECT_EQ(probe.specific, "");
  EXPECT_EQ(probe.total, "");
  EXPECT_EQ(probe.frequency, "30.00");
  EXPECT_EQ(probe.focus, IDOK);
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "0") << "OK without a cable hands back 0";
  EXPECT_EQ(T(IDC_FEEDLINE_TYPE), "Generic");
}

TEST_F(FeedlineLossDlgTest, TheWorkedExampleAndItsHandOver) {
  Probe feet, meters;
  Calculate([&](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "100");
    feet = Read(dialog);
    ChooseUnits(dialog, kLengthMeters);
    meters = Read(dialog);
  });
  EXPECT_EQ(feet.specific, "1.25");
  EXPECT_EQ(feet.total, "1.25");
  EXPECT_EQ(meters.specific, "1.25");
  EXPECT_EQ(meters.total, "4.11");
  // 4.1099 dB shows as 4.11 but is handed over cut to hundredths.
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "4.1");
  EXPECT_EQ(T(IDC_FEEDLINE_TYPE), "RG-8/8A Coaxial");
  EXPECT_EQ(T(IDC_EIRP), "38.90");
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "2.9 Feet") << "limits and distances follow the new loss";
}

TEST_F(FeedlineLossDlgTest, AFrequencyChangeRecomputesTheCablesLoss) {
  Calculate([](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "30");
    ChooseUnits(dialog, kLengthMeters);
  });
  test::ReplaceText(W(), IDC_FREQUENCY, "146");
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "3.04");
  EXPECT_EQ(T(IDC_FEEDLINE_TYPE), "RG-8/8A Coaxial");
}

TEST_F(FeedlineLossDlgTest, AReopeningShowsTheListNamesTheRowAndTheLength) {
  Calculate([](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "100");
  });
  test::ReplaceText(W(), IDC_FREQUENCY, "146");
  Probe probe;
  std::string chosenName;
  Calculate(
      [&](QWidget* dialog) {
        probe = Read(dialog);
        ChooseCable(dialog, kRg8Foam);
      },
      test::PressCancel());
  ASSERT_EQ(probe.items.size(), 27u);
  EXPECT_EQ(probe.items[kRg8], "RG-8/8A");
  // Position i stands for row i with the upper-case names too.
  EXPECT_EQ(probe.items[0], "1/2\" 50 OHM HARDLINE");
  EXPECT_EQ(probe.items[8], "OPEN WIRE \"WINDOW\" LINE, 1/2\" AND 1\"");
  EXPECT_EQ(probe.items[14], "RG-174/174A");
  EXPECT_EQ(probe.items[kRg8Foam], "RG-8 FOAM DIELECTRIC");
  EXPECT_EQ(probe.selected, kRg8);
  EXPECT_EQ(probe.length, "100.0");
  EXPECT_EQ(probe.units, kLengthFeet);
  EXPECT_EQ(probe.frequency, "146.00");
  EXPECT_EQ(probe.specific, "3.09");
  EXPECT_EQ(probe.total, "3.09");
  EXPECT_EQ(dlg_.Feedline().selectedName, "RG-8 Coaxial, FOAM DIELECTRIC") << "the table's name of the row";
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "3.09") << "Cancel takes nothing";
}

TEST_F(FeedlineLossDlgTest, ChangesSurviveCancelAndDriveLaterFrequencyChanges) {
  Calculate(
      [](QWidget* dialog) {
        ChooseCable(dialog, kRg8);
        TypeLength(dialog, "100");
      },
      test::PressEscape());
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "0");
  EXPECT_EQ(T(IDC_FEEDLINE_TYPE), "RG-8/8A Coaxial") << "the label shows the cable that stays chosen";
  test::ReplaceText(W(), IDC_FREQUENCY, "146");
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "3.09") << "the cancelled dialog's cable is still chosen";
  Probe probe;
  Calculate([&](QWidget* dialog) { probe = Read(dialog); }, test::CloseBox());
  EXPECT_EQ(probe.selected, kRg8);
  EXPECT_EQ(probe.length, "100.0");
}

TEST_F(FeedlineLossDlgTest, ALossTypedByHandMakesTheFeedlineGeneric) {
  Calculate([](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "100");
  });
  test::ReplaceText(W(), IDC_FEEDLINE_LOSS, "2");
  EXPECT_EQ(T(IDC_FEEDLINE_TYPE), "Generic");
  test::ReplaceText(W(), IDC_FREQUENCY, "146");
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "2") << "frequency changes leave a typed loss alone";
  Probe probe;
  Calculate([&](QWidget* dialog) { probe = Read(dialog); });
  EXPECT_EQ(probe.items[kRg8], "RG-8/8A Coaxial");
  EXPECT_EQ(probe.selected, -1);
  EXPECT_EQ(probe.length, "");
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "1.25") << "OK hands back the last computed total, not 0";
}

TEST_F(FeedlineLossDlgTest, ANegativeFrequencyShowsNoLossAndHandsOverNone) {
  test::ReplaceText(W(), IDC_FREQUENCY, "-5");
  Probe probe;
  Calculate([&](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "100");
    probe = Read(dialog);
  });
  EXPECT_EQ(probe.specific, "nan");
  EXPECT_EQ(probe.total, "nan");
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "0");
}

}  // namespace
}  // namespace zento::ui
