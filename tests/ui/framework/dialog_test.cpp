#include "ui/framework/dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QtTest/QTest>
#include <clocale>
#include <cstdio>

#include "tests/ui/support/ui_test.h"
#include "ui/framework/data_exchange.h"
#include "ui/framework/dialog_units.h"

namespace zento::ui {
namespace {

using test::ModalAnswers;

enum : int {
  kName = 10,
  kCount = 11,
  kRatio = 12,
  kNotes = 13,
  kCaps = 19,
  kPlain = 20,
};

const DialogTemplate& TestTemplate() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      900,
      "Framework Test",
      200,
      160,
      "MS Sans Serif",
      8,
      kCaption | kSystemMenu | kModalFrame,
      {
          {kName, K::kEdit, "", 10, 10, 60, 12, kTabStop | kBorder | kGroup},
          {kCount, K::kEdit, "", 10, 26, 60, 12, kTabStop | kDigitsOnly | kBorder},
          {kRatio, K::kEdit, "", 10, 42, 60, 12, kTabStop | kBorder},
          {kNotes, K::kEdit, "", 10, 58, 100, 40, kTabStop | kMultiLine | kWantReturn | kAutoHScroll | kBorder},
          {IDOK, K::kPushButton, "OK", 140, 60, 50, 14, kTabStop | kDefaultButton},
          {IDCANCEL, K::kPushButton, "Cancel", 140, 78, 50, 14, kTabStop | kGroup},
          {kCaps, K::kEdit, "", 10, 120, 60, 12, kUpperCase | kBorder},
          {kPlain, K::kEdit, "", 80, 120, 100, 30, kMultiLine | kAutoHScroll | kBorder},
          {IDC_STATIC, K::kStatic, "Label", 80, 10, 30, 8},
      },
  };
  return kTemplate;
}

class TestDialog : public Dialog {
 public:
  TestDialog() : Dialog(TestTemplate()) {
    On(Notification::kChange, kName, [this] { events.push_back("change name " + GetText(kName)); });
    On(Notification::kChange, kNotes, [this] { events.push_back("change notes"); });
  }
  std::vector<std::string> events;
  std::string name = "start";
  std::uint32_t count = 5;
  double ratio = 2.15;
  std::string notes;
  int exchanges = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override {
    ++exchanges;
    DDX_Text(dx, kName, name);
    DDV_MaxChars(dx, name, 8);
    DDX_Text(dx, kCount, count);
    DDV_MinMaxUInt(dx, count, 1, 10);
    DDX_Text(dx, kRatio, ratio);
    DDV_MinMaxDouble(dx, ratio, -1, 3);
    DDX_Text(dx, kNotes, notes);
    DDV_MaxChars(dx, notes, 12);
  }
};

class FrameworkTest : public testing::Test {
 protected:
  void Open() {
    dialog_.Create();
    test::Activate(dialog_.Window());
  }
  QWidget* W() { return dialog_.Window(); }
  template <class T>
  T* C(int id) {
    return qobject_cast<T*>(dialog_.Control(id));
  }
  ModalAnswers answers_;
  TestDialog dialog_;
};

TEST(DialogUnits, MissingFacesFallBackToTheSamePitch) {
  // Judged by the glyphs' widths, not the face's pitch flag: some monospaced faces do not set it.
  EXPECT_FALSE(test::EveryCharacterOneWidth(ResolveFont("MS Sans Serif", 8)));
  EXPECT_FALSE(test::EveryCharacterOneWidth(ResolveFont("No Such Face At All", 8)));
  EXPECT_TRUE(test::EveryCharacterOneWidth(ResolveFont("Courier New", 8, true)));
  EXPECT_TRUE(test::EveryCharacterOneWidth(ResolveFont("No Such Face At All", 8, true)));
  EXPECT_TRUE(test::EveryCharacterOneWidth(ResolveFont("DejaVu Sans", 8, true))) << "a face of the wrong pitch";
}

TEST_F(FrameworkTest, ARangeFailureStoresTheValueTellsAndSelects) {
  Open();
  test::ReplaceText(W(), kCount, "11");
  test::ReplaceText(W(), kRatio, "1");
  answers_.Expect("range message", test::PressOk());
  EXPECT_FALSE(dialog_.UpdateData(true));
  ASSERT_EQ(answers_.Messages().size(), 1u);
  EXPECT_EQ(answers_.Messages()[0], "Please enter a whole number between 1 and 10.");
  EXPECT_EQ(dialog_.count, 11u);   // stored before the check
  EXPECT_EQ(dialog_.ratio, 2.15);  // the rest is not read
  EXPECT_EQ(test::FocusedControl(W()), kCount);
  EXPECT_EQ(C<QLineEdit>(kCount)->selectedText(), "11");
  EXPECT_TRUE(QTest::qWaitForWindowActive(W(), 1000)) << "the owner is active again";
}

TEST_F(FrameworkTest, AParseFailureKeepsTheMember) {
  Open();
  const struct {
    const char* text;
    const char* message;
  } cases[] = {{"", "Please enter a number."},
               {"-", "Please enter a number."},
               {"2x", "Please enter a number."},
               {"nan", "Please enter a number."},
               {"4", "Please enter a number between -1 and 3."}};
  for (const auto& c : cases) {
    dialog_.ratio = 2.15;
    dialog_.SetText(kRatio, c.text);
    answers_.Expect(c.text, test::PressOk());
    EXPECT_FALSE(dialog_.UpdateData(true)) << c.text;
    EXPECT_EQ(answers_.Messages().back(), c.message) << c.text;
  }
  EXPECT_EQ(dialog_.ratio, 4.0);
}

TEST_F(FrameworkTest, EnterPressesTheDefaultButtonOrTheFocusedOne) {
  Open();
  test::ClickControl(W(), kNotes);
  test::PressKey(W(), Qt::Key_Return);
  EXPECT_TRUE(dialog_.IsOpen()) << "a multi-line box that wants Enter takes it";
  EXPECT_EQ(dialog_.GetText(kNotes), "\r\n");
  test::ClickControl(W(), kPlain);
  test::PressKey(W(), Qt::Key_Return);
  EXPECT_EQ(dialog_.GetText(kPlain), "") << "one that does not leaves it to the dialog";
  EXPECT_FALSE(dialog_.IsOpen());
  EXPECT_EQ(dialog_.Result(), IDOK);

  Open();
  dialog_.SetFocus(IDCANCEL);
  test::PressKey(W(), Qt::Key_Return);
  EXPECT_EQ(dialog_.Result(), IDCANCEL);
}

TEST_F(FrameworkTest, TabbingIntoAnEditSelectsItsText) {
  Open();
  test::PressKey(W(), Qt::Key_Tab);
  EXPECT_EQ(C<QLineEdit>(kCount)->selectedText(), "5");
}

TEST_F(FrameworkTest, ChangeNotificationsForTypingAndWritesButNotForTheSameText) {
  Open();
  test::TypeInto(W(), kName, "x");
  dialog_.SetText(kName, "other");
  dialog_.SetText(kName, "other");
  dialog_.SetText(kNotes, "a\r\nb");
  dialog_.SetText(kNotes, "a\r\nb");
  EXPECT_EQ(dialog_.events, (std::vector<std::string>{"change name startx", "change name other", "change notes"}));
}

TEST_F(FrameworkTest, FocusQueryHoldsForAnInactiveWindow) {
  Open();
  dialog_.SetFocus(kRatio);
  QWidget other;
  other.show();
  test::Activate(&other);
  EXPECT_FALSE(W()->isActiveWindow());
  EXPECT_TRUE(dialog_.HasFocus(kRatio));
  EXPECT_FALSE(dialog_.HasFocus(kName));
}

TEST_F(FrameworkTest, AMultiLineBoxWithoutScrollingTakesOnlyTheLinesItShows) {
  Open();
  test::ClickControl(W(), kPlain);
  for (int i = 0; i < 20; ++i) test::PressKey(W(), Qt::Key_Return);
  const int lines = C<QPlainTextEdit>(kPlain)->document()->blockCount();
  EXPECT_GE(lines, 1);
  EXPECT_LT(lines, 5);
  EXPECT_EQ(C<QPlainTextEdit>(kPlain)->verticalScrollBar()->maximum(), 0);
}

TEST_F(FrameworkTest, UpperCaseAndDigitsOnlyAndTextLimits) {
  Open();
  test::TypeInto(W(), kCaps, "w1aw/p");
  EXPECT_EQ(dialog_.GetText(kCaps), "W1AW/P");
  test::ReplaceText(W(), kCount, "1a2");
  EXPECT_EQ(dialog_.GetText(kCount), "12");
  test::ReplaceText(W(), kName, "abcdefghijk");
  EXPECT_EQ(dialog_.GetText(kName), "abcdefgh") << "the limit set when loading";
}

TEST_F(FrameworkTest, MaxCharsChecksASavedValueToo) {
  Open();
  C<QLineEdit>(kName)->setMaxLength(100);
  dialog_.SetText(kName, "far too long");
  answers_.Expect("too long", test::PressOk());
  EXPECT_FALSE(dialog_.UpdateData(true));
  EXPECT_EQ(answers_.Messages().back(), "Please enter no more than 8 characters.");
  EXPECT_EQ(test::FocusedControl(W()), kName);
}

TEST_F(FrameworkTest, TheMessageBoxIsCaptionedWithTheApplicationsName) {
  Open();
  std::string caption;
  answers_.Expect("message", [&caption](QWidget* box) {
    caption = box->windowTitle().toStdString();
    test::PressOk()(box);
  });
  dialog_.SetText(kCount, "");
  dialog_.UpdateData(true);
  EXPECT_EQ(caption, "ZENTO");
}

}  // namespace
}  // namespace zento::ui
