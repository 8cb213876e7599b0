// The keyboard in the main window and the feedline dialog: the tab chain in template order
// whatever got the focus by a click, the cable list by keyboard alone, and no stray key that
// presses a control or ends the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "tests/ui/support/main_window.h"
#include "ui/res/resource.h"

namespace zento::ui {
namespace {

using test::MainWindowTest;

// The units' radio buttons are reached as one stop, at the checked one.
constexpr int kCheckedUnit = -2;
// clang-format off
const std::vector<int> kMainChain = {
    IDOK, IDC_REPORT, IDC_POWER, IDC_DUTY_CYCLE, IDC_FREQUENCY, IDC_FEEDLINE_LOSS, IDC_ANTENNA_GAIN, IDC_EIRP,
    IDC_FEEDLINE_CALC, IDC_GAIN_CALC, IDC_CONTROLLED_LIMIT, IDC_CONTROLLED_DISTANCE, IDC_UNCONTROLLED_LIMIT,
    IDC_UNCONTROLLED_DISTANCE, IDC_ADD_TO_REPORT, IDC_SAVE_REPORT, kCheckedUnit, IDC_ABOUT, IDC_FEEDLINE_TYPE,
    IDC_HELP_BUTTON};
// clang-format on
const std::vector<int> kFeedlineChain = {IDOK,           IDCANCEL,         IDC_FL_FREQUENCY,
                                         IDC_CABLE_TYPE, IDC_CABLE_LENGTH, IDC_LENGTH_UNITS,
                                         IDC_TOTAL_LOSS, IDC_SPECIFIC_LOSS};

// How a row puts the focus where its walk starts: as the program does at opening, or as a
// user does with the mouse.
enum class Start { kProgram, kClick, kMouseChoice };

struct TabWalk {
  int control;  // where the focus is put
  Start how;
  bool forward;   // Tab, or Shift+Tab
  int firstStop;  // where the first key takes it
};

void Focus(QWidget* window, const TabWalk& walk) {
  if (walk.how == Start::kProgram) test::FindControl(window, walk.control)->setFocus();
  if (walk.how == Start::kClick) test::ClickControl(window, walk.control);
  if (walk.how == Start::kMouseChoice) test::ChooseListItem(window, walk.control, 1);
  ASSERT_EQ(test::FocusedControl(window), walk.control);
}

// From the row's start, one key reaches its first stop; as many more as the chain has stops
// go once round it, in order, and nothing else.
void CheckWalks(QWidget* window, std::vector<int> chain, const std::vector<TabWalk>& walks) {
  for (const TabWalk& walk : walks) {
    Focus(window, walk);
    const auto unit = std::find(chain.begin(), chain.end(), kCheckedUnit);
    if (unit != chain.end()) {
      const bool metric = qobject_cast<QAbstractButton*>(test::FindControl(window, IDC_METRIC))->isChecked();
      *unit = metric ? IDC_METRIC : IDC_ENGLISH;
    }
    const int key = walk.forward ? Qt::Key_Tab : Qt::Key_Backtab;
    const auto modifiers = walk.forward ? Qt::NoModifier : Qt::ShiftModifier;
    std::vector<int> visited, expected;
    const auto first = std::find(chain.begin(), chain.end(), walk.firstStop) - chain.begin();
    const auto n = static_cast<std::ptrdiff_t>(chain.size());
    for (std::ptrdiff_t i = 0; i <= n; ++i) {
      test::PressKey(window, key, modifiers);
      visited.push_back(test::FocusedControl(window));
      expected.push_back(chain[static_cast<std::size_t>(((first + (walk.forward ? i : -i)) % n + n) % n)]);
    }
    EXPECT_EQ(visited, expected) << "from " << walk.control << (walk.forward ? " by Tab" : " by Shift+Tab");
    if (unit != chain.end()) *unit = kCheckedUnit;
  }
}

// What a stray key could change: every control's text, choice and check, and the focus.
std::vector<std::string> Snapshot(QWidget* window) {
  std::vector<std::string> state{std::to_string(test::FocusedControl(window))};
  for (auto* control : window->findChildren<QWidget*>()) {
    if (!control->property("controlId").isValid()) continue;
    if (auto* edit = qobject_cast<QLineEdit*>(control)) state.push_back(edit->text().toStdString());
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control)) state.push_back(edit->toPlainText().toStdString());
    if (auto* list = qobject_cast<QComboBox*>(control)) state.push_back(std::to_string(list->currentIndex()));
    if (auto* button = qobject_cast<QAbstractButton*>(control)) state.push_back(button->isChecked() ? "x" : "-");
  }
  return state;
}

// Alt+Space on each control: the window menu opens, and closes with Escape, and nothing else
// happens: no button is pressed, no space typed, no list opened.
void CheckAltSpace(test::ModalAnswers& answers, QWidget* window, const std::vector<int>& controls,
                   const std::string& lastMenuItem) {
  for (int id : controls) {
    QWidget* control = test::FindControl(window, id);
    control->setFocus();
    const auto before = Snapshot(window);
    auto last = std::make_shared<std::string>();  // outlives this row if no menu comes
    answers.Expect("window menu", [last](QWidget* popup) {
      auto* menu = qobject_cast<QMenu*>(popup);
      ASSERT_NE(menu, nullptr);
      *last = menu->actions().back()->text().toStdString();
      QTest::keyClick(menu, Qt::Key_Escape);
    });
    test::PressKey(window, Qt::Key_Space, Qt::AltModifier);
    EXPECT_EQ(answers.Pending(), 0) << "no window menu on " << id;
    EXPECT_EQ(*last, lastMenuItem) << id;
    ASSERT_TRUE(window->isVisible()) << id;
    EXPECT_EQ(Snapshot(window), before) << id;
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      EXPECT_FALSE(list->view()->isVisible()) << id;
    }
  }
}

class KeyboardTest : public MainWindowTest {
 protected:
  void SetUp() override { Open(); }
  // Opens the feedline dialog from its button, reached by Tab and pressed with Space.
  void OpenFeedlineByKeyboard(std::function<void(QWidget*)> inside) {
    answers_.Expect("feedline dialog", std::move(inside));
    while (test::FocusedControl(W()) != IDC_FEEDLINE_CALC && test::FocusedControl(W()) != IDC_HELP_BUTTON) {
      test::PressKey(W(), Qt::Key_Tab);
    }
    test::PressKey(W(), Qt::Key_Space);
    EXPECT_EQ(answers_.Pending(), 0);
  }
};

TEST_F(KeyboardTest, TheMainWindowsTabChainFollowsTheTemplateWhateverWasClicked) {
  CheckWalks(W(), kMainChain,
             {{IDOK, Start::kProgram, true, IDC_REPORT},
              {IDOK, Start::kProgram, false, IDC_HELP_BUTTON},
              {IDC_METRIC, Start::kClick, true, IDC_ABOUT},
              {IDC_METRIC, Start::kClick, false, IDC_SAVE_REPORT},
              {IDC_ENGLISH, Start::kClick, true, IDC_ABOUT},
              {IDC_ABOUT, Start::kProgram, false, IDC_ENGLISH},
              {IDC_CONTROLLED_LIMIT, Start::kClick, false, IDC_GAIN_CALC}});
}

TEST_F(KeyboardTest, AKeyboardOnlyUserSwitchesUnitsAndChoosesAnAntenna) {
  dlg_.SetFocus(IDC_SAVE_REPORT);
  test::PressKey(W(), Qt::Key_Tab);
  ASSERT_EQ(test::FocusedControl(W()), IDC_ENGLISH);
  test::PressKey(W(), Qt::Key_Down);
  EXPECT_EQ(test::FocusedControl(W()), IDC_METRIC);
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "1.4 Meters");
  test::PressKey(W(), Qt::Key_Tab);
  EXPECT_EQ(test::FocusedControl(W()), IDC_ABOUT);

  answers_.Expect("antenna gain dialog", [](QWidget* dialog) {
    ASSERT_EQ(test::FocusedControl(dialog), IDOK);
    test::PressKey(dialog, Qt::Key_Tab);  // none is chosen yet: the first preset
    ASSERT_EQ(test::FocusedControl(dialog), IDC_ANT_QUARTER_WAVE);
    test::PressKey(dialog, Qt::Key_Space);
    test::PressKey(dialog, Qt::Key_Down);
    EXPECT_TRUE(qobject_cast<QAbstractButton*>(test::FindControl(dialog, IDC_ANT_DIPOLE))->isChecked());
    test::PressKey(dialog, Qt::Key_Backtab);
    EXPECT_EQ(test::FocusedControl(dialog), IDOK);
    test::PressKey(dialog, Qt::Key_Tab);
    EXPECT_EQ(test::FocusedControl(dialog), IDC_ANT_DIPOLE) << "Tab comes back to the choice";
    test::PressKey(dialog, Qt::Key_Return);
  });
  dlg_.SetFocus(IDC_GAIN_CALC);
  test::PressKey(W(), Qt::Key_Space);
  EXPECT_EQ(answers_.Pending(), 0);
  EXPECT_EQ(T(IDC_ANTENNA_GAIN), "2.15");
}

TEST_F(KeyboardTest, AKeyboardOnlyUserChoosesACableAndItsLength) {
  OpenFeedlineByKeyboard([this](QWidget* dialog) {
    auto key = [dialog](int k, Qt::KeyboardModifiers m = Qt::NoModifier) { test::PressKey(dialog, k, m); };
    for (int i = 0; i < 3; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(test::FocusedControl(dialog), IDC_CABLE_TYPE);
    auto* list = qobject_cast<QComboBox*>(test::FindControl(dialog, IDC_CABLE_TYPE));
    const struct {
      const char* what;
      std::function<void()> keys;
      int row;
    } steps[] = {
        {"Down", [&] { key(Qt::Key_Down); }, 0},
        {"End", [&] { key(Qt::Key_End); }, 26},
        {"Home", [&] { key(Qt::Key_Home); }, 0},
        {"type-ahead", [&] { QTest::keyClicks(dialog->focusWidget(), "rg-8/"); }, 25},
        {"Up", [&] { key(Qt::Key_Up); }, 24},
        {"Alt+Down, then Down and Enter in the list",
         [&] {
           key(Qt::Key_Down, Qt::AltModifier);
           ASSERT_TRUE(list->view()->isVisible());
           QTest::keyClick(list->view(), Qt::Key_Down);
           QTest::keyClick(list->view(), Qt::Key_Return);
         },
         25},
    };
    for (const auto& step : steps) {
      step.keys();
      EXPECT_EQ(list->currentIndex(), step.row) << step.what;
      EXPECT_EQ(dlg_.Feedline().selection, step.row) << step.what << ": the choice is the user's";
    }
    key(Qt::Key_Tab);
    QTest::keyClicks(dialog->focusWidget(), "100");
    key(Qt::Key_Tab);
    key(Qt::Key_Home);  // Meters
    key(Qt::Key_Return);
  });
  EXPECT_EQ(Fields({IDC_FEEDLINE_LOSS, IDC_FEEDLINE_TYPE}), "4.1 | RG-8/8A Coaxial");
}

TEST_F(KeyboardTest, NoStrayKeyPressesAControlOrEndsTheProgram) {
  test::ClickControl(W(), IDC_METRIC);
  const std::vector<int> controls = {IDOK, IDC_ADD_TO_REPORT, IDC_REPORT, IDC_POWER, IDC_EIRP, IDC_METRIC, IDC_ABOUT};
  for (int id : controls) {
    dlg_.SetFocus(id);
    test::PressKey(W(), Qt::Key_Escape);
    EXPECT_TRUE(dlg_.IsOpen()) << "Escape on " << id;
  }
  const std::string report = Report();
  CheckAltSpace(answers_, W(), controls, "&About ZENTO...");
  EXPECT_EQ(Report(), report);
  dlg_.SetFocus(IDC_REPORT);
  test::PressKey(W(), Qt::Key_F4, Qt::AltModifier);
  EXPECT_FALSE(dlg_.IsOpen()) << "Alt+F4 is the close box";
  EXPECT_FALSE(dlg_.HasReportFont());
}

TEST_F(KeyboardTest, TheFeedlineDialogsTabChainAndItsWindowMenu) {
  OpenFeedlineByKeyboard([this](QWidget* dialog) {
    CheckWalks(dialog, kFeedlineChain,
               {{IDOK, Start::kProgram, true, IDCANCEL},
                {IDOK, Start::kProgram, false, IDC_SPECIFIC_LOSS},
                {IDC_CABLE_TYPE, Start::kMouseChoice, true, IDC_CABLE_LENGTH},
                {IDC_CABLE_TYPE, Start::kMouseChoice, false, IDC_FL_FREQUENCY},
                {IDC_LENGTH_UNITS, Start::kMouseChoice, false, IDC_CABLE_LENGTH}});
    CheckAltSpace(answers_, dialog, {IDOK, IDCANCEL, IDC_CABLE_TYPE, IDC_CABLE_LENGTH, IDC_LENGTH_UNITS},
                  "&Close\tAlt+F4");
    test::PressKey(dialog, Qt::Key_Escape);
  });
}

}  // namespace
}  // namespace zento::ui
