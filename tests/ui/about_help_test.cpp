// The About box, the system menu, help and the window icon.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include "tests/ui/support/main_window.h"
#include "ui/about_dlg.h"
#include "ui/framework/help_viewer.h"
#include "ui/res/templates.h"

namespace zento::ui {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;

// The About box's texts, answered with OK.
struct AboutProbe {
  std::vector<std::string> texts;
  int focus = 0;
  bool opened = false;
};

test::ModalAnswers::Answer ReadAbout(AboutProbe& probe, test::ModalAnswers::Answer end = test::PressOk()) {
  return [&probe, end](QWidget* dialog) {
    probe.opened = dialog->windowTitle() == "About ZENTO Calculator";
    for (auto* label : dialog->findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) probe.texts.push_back(label->text().toStdString());
    }
    probe.focus = test::FocusedControl(dialog);
    end(dialog);
  };
}

using AboutHelpTest = MainWindowTest;

TEST_F(AboutHelpTest, TheAboutBoxHasItsTextsAndEndsWithOkEscapeOrTheCloseBox) {
  Open();
  for (const auto& end : {test::PressOk(), test::PressEscape(), test::CloseBox()}) {
    AboutProbe probe;
    answers_.Expect("about", ReadAbout(probe, end));
    test::ClickControl(W(), IDC_ABOUT);
    ASSERT_TRUE(probe.opened);
    EXPECT_EQ(probe.focus, IDOK);
    const auto has = [&probe](const std::string& text) {
      return std::find(probe.texts.begin(), probe.texts.end(), text) != probe.texts.end();
    };
    EXPECT_TRUE(has("ZENTO Calculator -- Version 1.0"));
    EXPECT_TRUE(
        has("This program is modelled on the FCC (USA) maximum permissible exposure limits for far-field "
            "(plane-wave) radiation.\n\nThe information is current as of June 11, 1998. It is the "
            "responsibility of the end user to verify the correctness of all results."));
  }
  EXPECT_TRUE(dlg_.IsOpen());
}

TEST_F(AboutHelpTest, EveryCommandFrom0x10To0x1FOpensTheAboutBox) {
  Open();
  for (unsigned id = 0x10; id <= 0x1F; ++id) {
    AboutProbe probe;
    answers_.Expect("about", ReadAbout(probe));
    dlg_.SendSysCommand(id);
    EXPECT_TRUE(probe.opened) << id;
  }
  dlg_.SendSysCommand(0x20);  // any other command is the platform's: nothing opens
  dlg_.SendSysCommand(SC_MINIMIZE);
  EXPECT_TRUE(dlg_.IsIconic());
  dlg_.SendSysCommand(SC_CLOSE + 3);
  EXPECT_FALSE(dlg_.IsOpen());
}

TEST_F(AboutHelpTest, ARightClickOnTheBackgroundShowsTheSystemMenu) {
  Open();
  AboutProbe probe;
  answers_.Expect("system menu", [](QWidget* popup) {
    auto* menu = qobject_cast<QMenu*>(popup);
    ASSERT_NE(menu, nullptr);
    const auto actions = menu->actions();
    ASSERT_FALSE(actions.isEmpty());
    EXPECT_EQ(actions.back()->text(), "&About ZENTO...");
    menu->setActiveAction(actions.back());
    QTest::keyClick(menu, Qt::Key_Return);
  });
  answers_.Expect("about", ReadAbout(probe));
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), W()->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(W(), &event);
  EXPECT_TRUE(probe.opened);
  const auto& items = dlg_.GetSystemMenu()->Items();
  ASSERT_GE(items.size(), 2u);
  EXPECT_EQ(items[items.size() - 2].id, 0u) << "a separator before the About item";
  EXPECT_EQ(items.back().id, IDM_ABOUTBOX);
  EXPECT_EQ(items.front().id, SC_MOVE) << "the platform's commands come first";
}

TEST_F(AboutHelpTest, TheWindowIconIsSetBigAndSmall) {
  Open();
  EXPECT_FALSE(dlg_.WindowIcon(true).isNull());
  EXPECT_EQ(dlg_.WindowIcon(true).cacheKey(), dlg_.WindowIcon(false).cacheKey());
  EXPECT_EQ(dlg_.OnQueryDragIcon().cacheKey(), dlg_.WindowIcon(true).cacheKey());
  EXPECT_FALSE(W()->windowIcon().isNull());
  EXPECT_EQ(dlg_.WindowIcon(true).availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST(MinimisedPaint, CentresTheIconTruncatingTowardZero) {
  const struct {
    int client;
    int expected;
  } cases[] = {{36, 2}, {33, 1}, {32, 0}, {20, -5}, {0, -15}};
  for (const auto& c : cases) {
    EXPECT_EQ(CenteredIconPosition(QSize(c.client, c.client), QSize(32, 32)), QPoint(c.expected, c.expected))
        << c.client;
  }
}

class HelpTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zento-help-" + std::to_string(::getpid()));
    fs::create_directories(dir_ / "first");
    fs::create_directories(dir_ / "second");
  }
  void TearDown() override {
    if (HelpWindow() != nullptr) HelpWindow()->close();
    fs::remove_all(dir_);
  }
  QStringList Folders() const {
    return {QString::fromStdString((dir_ / "first").string()), QString::fromStdString((dir_ / "second").string())};
  }
  fs::path dir_;
  test::ModalAnswers answers_;
};

TEST_F(HelpTest, TheFileIsLookedForBesideTheProgramThenInTheDataFolder) {
  EXPECT_TRUE(FindHelpFile("zento.hlp", Folders()).isEmpty());
  std::ofstream(dir_ / "second" / "zento.hlp") << "<h1>second</h1>";
  EXPECT_TRUE(FindHelpFile("zento.hlp", Folders()).endsWith("second/zento.hlp"));
  std::ofstream(dir_ / "first" / "zento.hlp") << "<h1>first</h1>";
  EXPECT_TRUE(FindHelpFile("zento.hlp", Folders()).endsWith("first/zento.hlp"));
  const QStringList defaults = DefaultHelpFolders();
  ASSERT_EQ(defaults.size(), 2);
  EXPECT_EQ(defaults[0], QCoreApplication::applicationDirPath());
  EXPECT_TRUE(defaults[1].endsWith("/share/zento"));
}

TEST_F(HelpTest, AMissingFileGetsTheViewersOwnMessage) {
  answers_.Expect("the viewer's message", test::PressOk());
  EXPECT_FALSE(WinHelp(nullptr, "zento.hlp", HELP_CONTENTS, 0, Folders()));
  ASSERT_EQ(answers_.Messages().size(), 1u);
  EXPECT_EQ(answers_.Messages()[0].rfind("Cannot find the help file zento.hlp.", 0), 0u);
}

TEST_F(HelpTest, TheShippedHelpFileReads) {
  const QString shipped = FindHelpFile("zento.hlp", {QString::fromStdString(ZENTO_SOURCE_DIR "/ui/res")});
  ASSERT_FALSE(shipped.isEmpty());
  EXPECT_TRUE(WinHelp(nullptr, "zento.hlp", HELP_CONTENTS, 0, {QString::fromStdString(ZENTO_SOURCE_DIR "/ui/res")}));
  EXPECT_TRUE(HelpWindow()->isVisible());
  EXPECT_EQ(HelpWindow()->windowTitle(), "ZENTO Help");
  auto* browser = HelpWindow()->findChild<QTextBrowser*>();
  EXPECT_EQ(browser->textCursor().position(), 0) << "shown at its start";
  const QString text = browser->toPlainText();
  EXPECT_TRUE(text.startsWith("ZENTO Calculator"));
  for (const char* section : {"The exposure limits", "The formulas", "The feedline loss calculator",
                              "The antenna gain chooser", "The report", "Disclaimer"}) {
    EXPECT_TRUE(text.contains(section)) << section;
  }
}

}  // namespace
}  // namespace zento::ui
