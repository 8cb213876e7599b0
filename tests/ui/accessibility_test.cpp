// What assistive technology is told of the classic windows: each control's role, its name
// (its label's text), and the radio buttons' checked state and group.
#include <gtest/gtest.h>

#include <QAccessible>

#include "tests/ui/support/main_window.h"

namespace zento::ui {
namespace {

using test::MainWindowTest;

struct Expected {
  int id;
  QAccessible::Role role;
  const char* name;
};

QAccessibleInterface* Accessible(QWidget* window, int id) {
  return QAccessible::queryAccessibleInterface(test::FindControl(window, id));
}

// The name a screen reader gives a control: its label when one is related to it, else its own
// name. (Qt on Linux names a list by its current item and relies on the relation.)
std::string SpokenName(QAccessibleInterface* control) {
  const auto labels = control->relations(QAccessible::Label);
  return (labels.isEmpty() ? control->text(QAccessible::Name) : labels.front().first->text(QAccessible::Name))
      .toStdString();
}

void CheckRolesAndNames(QWidget* window, const std::vector<Expected>& controls) {
  for (const auto& c : controls) {
    QAccessibleInterface* control = Accessible(window, c.id);
    ASSERT_NE(control, nullptr) << c.id;
    EXPECT_EQ(control->role(), c.role) << c.name;
    EXPECT_EQ(SpokenName(control), c.name) << c.id;
    if (c.role != QAccessible::ComboBox) {
      EXPECT_EQ(control->text(QAccessible::Name).toStdString(), c.name) << c.id;
    }
  }
}

// Radio buttons of one group share one grouping, named by its frame's title, and say which
// one is checked.
void CheckRadioGroup(QWidget* window, const std::vector<int>& ids, const char* groupName, int checked) {
  QAccessibleInterface* group = Accessible(window, ids.front())->parent();
  EXPECT_EQ(group->role(), QAccessible::Grouping);
  EXPECT_EQ(group->text(QAccessible::Name).toStdString(), groupName);
  for (int id : ids) {
    QAccessibleInterface* radio = Accessible(window, id);
    EXPECT_EQ(radio->parent()->object(), group->object()) << id;
    EXPECT_TRUE(radio->state().checkable) << id;
    EXPECT_EQ(radio->state().checked, id == checked) << id;
  }
}

class AccessibilityTest : public MainWindowTest {
 protected:
  void SetUp() override { Open(); }
};

TEST_F(AccessibilityTest, TheMainWindowsControlsHaveTheirRolesAndLabels) {
  using R = QAccessible::Role;
  CheckRolesAndNames(W(), {{IDOK, R::Button, "QUIT"},
                           {IDC_REPORT, R::EditableText, "Report Generation"},
                           {IDC_POWER, R::EditableText, "Power Level"},
                           {IDC_EIRP, R::EditableText, "Effective AVERAGE Radiated Power (EIRP)"},
                           {IDC_FEEDLINE_CALC, R::Button, "Calculate..."},
                           {IDC_CONTROLLED_LIMIT, R::EditableText, "Controlled"},
                           {IDC_CONTROLLED_DISTANCE, R::EditableText, "@ Distance of"},
                           {IDC_ENGLISH, R::RadioButton, "English"},
                           {IDC_METRIC, R::RadioButton, "Metric"},
                           {IDC_FEEDLINE_TYPE, R::EditableText, "Feedline Type"},
                           {IDC_HELP_BUTTON, R::Button, "Help..."}});
  CheckRadioGroup(W(), {IDC_ENGLISH, IDC_METRIC}, "", IDC_ENGLISH);
  test::ClickControl(W(), IDC_METRIC);
  CheckRadioGroup(W(), {IDC_ENGLISH, IDC_METRIC}, "", IDC_METRIC);
}

TEST_F(AccessibilityTest, TheFeedlineDialogsControlsHaveTheirRolesAndLabels) {
  RunFromButton(IDC_FEEDLINE_CALC, [](QWidget* dialog) {
    using R = QAccessible::Role;
    CheckRolesAndNames(dialog, {{IDOK, R::Button, "OK"},
                                {IDC_FL_FREQUENCY, R::EditableText, "Frequency"},
                                {IDC_CABLE_TYPE, R::ComboBox, "Feedline Type"},
                                {IDC_CABLE_LENGTH, R::EditableText, "Feedline Length"},
                                {IDC_LENGTH_UNITS, R::ComboBox, "Feedline Length"},
                                {IDC_TOTAL_LOSS, R::EditableText, "Computed TOTAL Feedline Loss"},
                                {IDC_SPECIFIC_LOSS, R::EditableText, "Specific Loss"}});
  });
}

TEST_F(AccessibilityTest, TheAntennaPresetsAreOneGroupOfRadioButtons) {
  RunFromButton(IDC_GAIN_CALC, [](QWidget* dialog) {
    std::vector<int> presets;
    for (int id = IDC_ANT_QUARTER_WAVE; id <= IDC_ANT_YAGI17; ++id) presets.push_back(id);
    for (int id : presets) EXPECT_EQ(Accessible(dialog, id)->role(), QAccessible::RadioButton) << id;
    CheckRadioGroup(dialog, presets, "Choose Antenna Type", 0);
    test::ClickControl(dialog, IDC_ANT_DIPOLE);
    CheckRadioGroup(dialog, presets, "Choose Antenna Type", IDC_ANT_DIPOLE);
  });
}

}  // namespace
}  // namespace zento::ui
