#include "ui/exposure_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest/QTest>

#include "tests/ui/support/main_window.h"

namespace zento::ui {
namespace {

using test::MainWindowTest;
using testing::ElementsAre;
using testing::HasSubstr;

using ExposureDlgTest = MainWindowTest;

TEST_F(ExposureDlgTest, StartsWithTheStartUpValuesAndResults) {
  Open();
  EXPECT_EQ(Fields({IDC_POWER, IDC_DUTY_CYCLE, IDC_FREQUENCY, IDC_FEEDLINE_LOSS, IDC_ANTENNA_GAIN, IDC_EIRP,
                    IDC_FEEDLINE_TYPE, IDC_CONTROLLED_LIMIT, IDC_UNCONTROLLED_LIMIT, IDC_CONTROLLED_DISTANCE,
                    IDC_UNCONTROLLED_DISTANCE}),
            "100 | 100 | 30.00 | 0 | 0 | 100.00 | Generic | 1.00 | 0.20 | 4.7 Feet | 10.5 Feet");
  EXPECT_TRUE(dlg_.GetCheck(IDC_ENGLISH));
  EXPECT_EQ(test::FocusedControl(W()), IDOK);
  EXPECT_EQ(W()->windowTitle(), "ZENTO CALCULATOR V1.0");
  test::ClickControl(W(), IDC_METRIC);
  EXPECT_EQ(Fields({IDC_CONTROLLED_DISTANCE, IDC_UNCONTROLLED_DISTANCE}), "1.4 Meters | 3.2 Meters");
  EXPECT_FALSE(dlg_.GetCheck(IDC_ENGLISH));
  test::ClickControl(W(), IDC_ENGLISH);
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "4.7 Feet");
  test::ReplaceText(W(), IDC_POWER, "400");  // each keystroke recomputes
  EXPECT_EQ(Fields({IDC_EIRP, IDC_CONTROLLED_DISTANCE}), "400.00 | 9.4 Feet");
}

TEST_F(ExposureDlgTest, TheStationDialogsAnswerBecomesTheStationBlock) {
  const std::string rule = std::string(49, '-') + "\r\n";
  const struct {
    const char* how;
    test::ModalAnswers::Answer answer;
    std::string block;  // after the banner
  } cases[] = {
      {"Cancel", test::PressCancel(), ""},
      {"Escape", test::PressEscape(), ""},
      {"answers", test::TypeThenOk({{IDC_CALLSIGN, "w1aw"}, {IDC_LOCATION, "Newington"}}),
       "Callsign: W1AW\r\nStation Location:\r\nNewington\r\n" + rule},
      {"empty answers", test::PressOk(), "Callsign: \r\nStation Location:\r\n\r\n" + rule},
      {"two lines typed with Enter",
       [](QWidget* station) {
         test::TypeInto(station, IDC_LOCATION, "225 Main St");
         test::PressKey(station, Qt::Key_Return);
         QTest::keyClicks(station->focusWidget(), "Newington CT");
         test::PressKey(station, Qt::Key_Tab);
         test::PressKey(station, Qt::Key_Return);  // OK has the focus
       },
       "Callsign: \r\nStation Location:\r\n225 Main St\r\nNewington CT\r\n" + rule},
  };
  for (const auto& c : cases) {
    Open(c.answer);
    EXPECT_EQ(Report(), Banner() + c.block) << c.how;
    ASSERT_TRUE(dlg_.HasReportFont());
    EXPECT_TRUE(test::EveryCharacterOneWidth(dlg_.Control(IDC_REPORT)->font()));
    W()->close();
  }
}

TEST_F(ExposureDlgTest, TypingADistanceWorksBackToTheWholeWattPower) {
  Open();
  test::ReplaceText(W(), IDC_CONTROLLED_DISTANCE, "10");
  EXPECT_EQ(Fields({IDC_POWER, IDC_EIRP, IDC_UNCONTROLLED_DISTANCE}), "456 | 456.00 | 22.4 Feet");
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "10") << "the field being typed in keeps its text";
  test::PressKey(W(), Qt::Key_Tab);
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "10.0 Feet");
  EXPECT_EQ(dlg_.Station().powerWatts, 456);
}

TEST_F(ExposureDlgTest, AFrequencyWithoutLimitsLeavesTheLastResults) {
  Open();
  test::TypeInto(W(), IDC_FREQUENCY, "");
  for (int i = 0; i < 4; ++i) test::PressKey(W(), Qt::Key_Backspace);  // 30.0, 30., 30, then 3: computed
  test::PressKey(W(), Qt::Key_Backspace);                              // empty: 0 MHz, no limits
  EXPECT_EQ(Fields({IDC_CONTROLLED_LIMIT, IDC_UNCONTROLLED_LIMIT}), "100.00 | 20.00");
  EXPECT_EQ(dlg_.Station().frequencyMHz, 0.0);
  test::ReplaceText(W(), IDC_FREQUENCY, "0.5");
  const auto block = AddAndReadBlock();
  ASSERT_EQ(block.size(), 11u);
  EXPECT_EQ(block[1], "Frequency: 0.50 MHz");
  EXPECT_EQ(block[8], "CONTROLLED Limit = 100.00 mw/cm-cm @ 0.5 Feet") << "the 3 MHz results stay";
}

TEST_F(ExposureDlgTest, QuitValidatesAndTheCloseBoxDoesNot) {
  Open();
  answers_.Expect("range message on typing", test::PressOk());
  test::ReplaceText(W(), IDC_POWER, "0");
  EXPECT_EQ(answers_.Messages().at(0), "Please enter a whole number between 1 and 100000.");
  EXPECT_EQ(dlg_.Station().powerWatts, 0);
  answers_.Expect("range message on QUIT", test::PressOk());
  test::ClickControl(W(), IDOK);
  EXPECT_TRUE(dlg_.IsOpen());
  W()->close();
  EXPECT_FALSE(dlg_.IsOpen());
  EXPECT_FALSE(dlg_.HasReportFont()) << "released at close";

  Open();
  test::ClickControl(W(), IDOK);
  EXPECT_FALSE(dlg_.IsOpen()) << "QUIT ends the program when every field is valid";
  EXPECT_EQ(dlg_.Result(), IDOK);
}

TEST_F(ExposureDlgTest, TheReportTakesTheUsersEditsAndEnter) {
  Open();
  test::TypeInto(W(), IDC_REPORT, "my notes");
  test::PressKey(W(), Qt::Key_Return);
  EXPECT_TRUE(dlg_.IsOpen()) << "Enter in the report makes a new line";
  QTest::keyClicks(W()->focusWidget(), "no break");
  const std::string edited = Report();
  EXPECT_EQ(edited, Banner() + "my notes\r\nno break");
  const auto block = AddAndReadBlock();
  EXPECT_EQ(Report().substr(0, edited.size() + 12), edited + "Description:") << "continues the last line";
  auto* report = qobject_cast<QPlainTextEdit*>(dlg_.Control(IDC_REPORT));
  EXPECT_TRUE(report->textCursor().atEnd());
  EXPECT_FALSE(report->textCursor().hasSelection());
  // Also past a selection in a long report.
  dlg_.SetText(IDC_REPORT, std::string(40000, 'x'));
  dlg_.SetSel(IDC_REPORT, 10, 20);
  test::ClickControl(W(), IDC_ADD_TO_REPORT);
  EXPECT_TRUE(report->textCursor().atEnd());
  EXPECT_GT(report->textCursor().position(), 40000);
}

TEST_F(ExposureDlgTest, AZeroDutyCycleKeepsPowerAndEirpWhenADistanceIsTyped) {
  Open();
  test::ReplaceText(W(), IDC_DUTY_CYCLE, "0");
  EXPECT_EQ(Fields({IDC_EIRP, IDC_CONTROLLED_DISTANCE}), "0.00 | 4.7 Feet");
  test::ReplaceText(W(), IDC_UNCONTROLLED_DISTANCE, "20");
  EXPECT_EQ(Fields({IDC_POWER, IDC_EIRP}), "100 | 0.00");
  EXPECT_EQ(T(IDC_CONTROLLED_DISTANCE), "8.9 Feet") << "follows the EIRP the distance gave";
}

}  // namespace
}  // namespace zento::ui
