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
  // What the dialog shows, in one line: the chosen row, the length and its units, the specific
  // and total losses, the frequency and the focused control. `items` gets the list's names.
  static std::string Read(QWidget* dialog, std::vector<std::string>* items = nullptr) {
    auto* cables = qobject_cast<QComboBox*>(test::FindControl(dialog, IDC_CABLE_TYPE));
    for (int i = 0; items != nullptr && i < cables->count(); ++i) items->push_back(cables->itemText(i).toStdString());
    const auto text = [dialog](int id) {
      return qobject_cast<QLineEdit*>(test::FindControl(dialog, id))->text().toStdString();
    };
    const int units = qobject_cast<QComboBox*>(test::FindControl(dialog, IDC_LENGTH_UNITS))->currentIndex();
    return "row " + std::to_string(cables->currentIndex()) + ", length '" + text(IDC_CABLE_LENGTH) + "' " +
           (units == kLengthFeet ? "feet" : "meters") + ", specific '" + text(IDC_SPECIFIC_LOSS) + "', total '" +
           text(IDC_TOTAL_LOSS) + "', at " + text(IDC_FL_FREQUENCY) + ", focus " +
           std::to_string(test::FocusedControl(dialog));
  }
  static void ChooseCable(QWidget* dialog, int row) { test::ChooseListItem(dialog, IDC_CABLE_TYPE, row); }
  static void ChooseUnits(QWidget* dialog, int code) { test::ChooseListItem(dialog, IDC_LENGTH_UNITS, code); }
  static void TypeLength(QWidget* dialog, const QString& text) { test::ReplaceText(dialog, IDC_CABLE_LENGTH, text); }
};

TEST_F(FeedlineLossDlgTest, TheFirstOpeningListsTheTableNamesWithNothingChosen) {
  std::string state;
  std::vector<std::string> items;
  Calculate([&](QWidget* dialog) {
    state = Read(dialog, &items);
    EXPECT_EQ(dialog->windowTitle(), "Feedline Loss Calculator");
  });
  EXPECT_EQ(state, "row -1, length '' feet, specific '', total '', at 30.00, focus 1");
  ASSERT_EQ(items.size(), 27u);
  for (std::size_t row = 0; row < 27; ++row) EXPECT_EQ(items[row], kCableTable[row].name) << row;
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "0") << "OK without a cable hands back 0";
  EXPECT_EQ(T(IDC_FEEDLINE_TYPE), "Generic");
}

TEST_F(FeedlineLossDlgTest, TheWorkedExampleAndItsHandOver) {
  std::string feet, meters;
  Calculate([&](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "100");
    feet = Read(dialog);
    ChooseUnits(dialog, kLengthMeters);
    meters = Read(dialog);
  });
  EXPECT_EQ(feet, "row 25, length '100' feet, specific '1.25', total '1.25', at 30.00, focus 1030");
  EXPECT_EQ(meters, "row 25, length '100' meters, specific '1.25', total '4.11', at 30.00, focus 1031");
  // 4.1099 dB shows as 4.11 but is handed over cut to hundredths.
  EXPECT_EQ(Fields({IDC_FEEDLINE_LOSS, IDC_FEEDLINE_TYPE, IDC_EIRP}), "4.1 | RG-8/8A Coaxial | 38.90");
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "2.9 Feet") << "limits and distances follow the new loss";
}

TEST_F(FeedlineLossDlgTest, AReopeningShowsTheListNamesTheRowAndTheLength) {
  Calculate([](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "100");
  });
  test::ReplaceText(W(), IDC_FREQUENCY, "146");
  std::string state;
  std::vector<std::string> items;
  Calculate(
      [&](QWidget* dialog) {
        state = Read(dialog, &items);
        ChooseCable(dialog, kRg8Foam);
      },
      test::PressCancel());
  EXPECT_EQ(state, "row 25, length '100.0' feet, specific '3.09', total '3.09', at 146.00, focus 1");
  ASSERT_EQ(items.size(), 27u);
  // Position i stands for row i with the upper-case names too.
  EXPECT_EQ(items[0], "1/2\" 50 OHM HARDLINE");
  EXPECT_EQ(items[8], "OPEN WIRE \"WINDOW\" LINE, 1/2\" AND 1\"");
  EXPECT_EQ(items[14], "RG-174/174A");
  EXPECT_EQ(items[kRg8Foam], "RG-8 FOAM DIELECTRIC");
  EXPECT_EQ(items[kRg8], "RG-8/8A");
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
  std::string state;
  Calculate([&](QWidget* dialog) { state = Read(dialog); }, test::CloseBox());
  EXPECT_EQ(state, "row 25, length '100.0' feet, specific '3.09', total '3.09', at 146.00, focus 1");
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
  std::string state;
  std::vector<std::string> items;
  Calculate([&](QWidget* dialog) { state = Read(dialog, &items); });
  EXPECT_EQ(state, "row -1, length '' feet, specific '', total '', at 146.00, focus 1");
  EXPECT_EQ(items[kRg8], "RG-8/8A Coaxial");
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "1.25") << "OK hands back the last computed total, not 0";
}

TEST_F(FeedlineLossDlgTest, ANegativeFrequencyShowsNoLossAndHandsOverNone) {
  test::ReplaceText(W(), IDC_FREQUENCY, "-5");
  std::string state;
  Calculate([&](QWidget* dialog) {
    ChooseCable(dialog, kRg8);
    TypeLength(dialog, "100");
    state = Read(dialog);
  });
  EXPECT_EQ(state, "row 25, length '100' feet, specific 'nan', total 'nan', at -5.00, focus 1030");
  EXPECT_EQ(T(IDC_FEEDLINE_LOSS), "0");
}

}  // namespace
}  // namespace zento::ui
