// Saving the report through the file chooser.
#include <gtest/gtest.h>

#include <unistd.h>
#include "tests/support/files.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QtTest/QTest>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/ui/support/main_window.h"
#include "ui/framework/file_chooser.h"

namespace zento::ui {
namespace {

namespace fs = std::filesystem;
using test::MainWindowTest;

using zento::test::ReadAll;

// Types a name into the chooser's name box and presses Enter, as a user would.
void TypeName(QWidget* dialog, const fs::path& path) {
  auto* nameBox = dialog->findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(nameBox, nullptr) << "the file chooser's name box";
  nameBox->setFocus();
  nameBox->setText(QString::fromStdString(path.string()));  // pasted: no completion list pops up
  QTest::keyClick(nameBox, Qt::Key_Return);
}

test::ModalAnswers::Answer Choose(const fs::path& path) {
  return [path](QWidget* dialog) { TypeName(dialog, path); };
}

class ReportSaveTest : public MainWindowTest {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zento-save-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  // Answers the chooser, then the message that follows it when one is expected.
  void Save(test::ModalAnswers::Answer answer, bool messageFollows = false) {
    answers_.Expect("file chooser", std::move(answer));
    if (messageFollows) answers_.Expect("message", test::PressOk());
    test::ClickControl(W(), IDC_SAVE_REPORT);
  }
  fs::path dir_;
};

TEST(FileChooser, SplitsTheFilterLiteralAtEachBar) {
  const auto filters = ParseFilterList("Text Files (*.txt) | *.txt | All Files (*.*) | *.* ||");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].display, "Text Files (*.txt) ");
  EXPECT_EQ(filters[0].pattern, " *.txt ");
  EXPECT_EQ(filters[1].display, " All Files (*.*) ");
  EXPECT_EQ(filters[1].pattern, " *.* ");
}

TEST_F(ReportSaveTest, TheChooserStartsWithTheTextFilterAndAStarName) {
  Open();
  std::string name, filter;
  QStringList filters;
  Save([&](QWidget* dialog) {
    auto* chooser = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(chooser, nullptr);
    filters = chooser->nameFilters();
    filter = chooser->selectedNameFilter().toStdString();
    auto* nameBox = chooser->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(nameBox, nullptr);
    name = nameBox->text().toStdString();
    chooser->reject();
  });
  EXPECT_EQ(name, "*.txt");
  EXPECT_EQ(filter, "Text Files (*.txt)");
  EXPECT_EQ(filters.size(), 2);
}

TEST_F(ReportSaveTest, TheStartUpReportIsSavedByteForByteWithTxtAppended) {
  Open();
  Save(Choose(dir_ / "report"));
  EXPECT_EQ(ReadAll(dir_ / "report.txt"), std::string(kBannerTitle) + "\r\n" + std::string(49, '-') + "\r\n");
  EXPECT_FALSE(fs::exists(dir_ / "report"));
}

TEST_F(ReportSaveTest, OtherExtensionsAreKeptAndDottedFoldersDoNotCount) {
  Open();
  fs::create_directories(dir_ / "my.logs");
  Save(Choose(dir_ / "report.log"));
  Save(Choose(dir_ / "notes.TXT"));
  Save(Choose(dir_ / "my.logs" / "station"));
  EXPECT_TRUE(fs::exists(dir_ / "report.log"));
  EXPECT_TRUE(fs::exists(dir_ / "notes.TXT"));
  EXPECT_FALSE(fs::exists(dir_ / "notes.TXT.txt"));
  EXPECT_TRUE(fs::exists(dir_ / "my.logs" / "station.txt"));
}

TEST_F(ReportSaveTest, ALongerOldFileIsReplacedWholeAndTheReportKeptAsIs) {
  Open(test::TypeThenOk({{IDC_CALLSIGN, "w1aw"}}));
  std::ofstream(dir_ / "old.txt") << std::string(10000, 'z');
  test::ClickControl(W(), IDC_ADD_TO_REPORT);
  test::TypeInto(W(), IDC_REPORT, "no final break");
  const std::string report = Report();
  Save(Choose(dir_ / "old.txt"));
  EXPECT_EQ(ReadAll(dir_ / "old.txt"), report);
  EXPECT_EQ(Report(), report);
}

TEST_F(ReportSaveTest, AnEmptiedReportGivesAnEmptyFile) {
  Open();
  test::ClickControl(W(), IDC_REPORT);
  test::PressKey(W(), Qt::Key_A, Qt::ControlModifier);
  test::PressKey(W(), Qt::Key_Delete);
  Save(Choose(dir_ / "empty.txt"));
  EXPECT_TRUE(fs::exists(dir_ / "empty.txt"));
  EXPECT_EQ(fs::file_size(dir_ / "empty.txt"), 0u);
}

TEST_F(ReportSaveTest, CancelWritesNothing) {
  Open();
  Save(test::PressEscape());
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ReportSaveTest, AMissingFolderIsRefusedByTheChooser) {
  Open();
  Save([this](QWidget* dialog) {
    auto* chooser = qobject_cast<QFileDialog*>(dialog);
    answers_.Expect("the chooser's own message", test::PressOk());
    TypeName(dialog, dir_ / "no-such-folder" / "report.txt");
    EXPECT_TRUE(chooser->isVisible()) << "the chooser stays open";
    chooser->reject();
  });
  EXPECT_TRUE(fs::is_empty(dir_));
  EXPECT_EQ(Report(), Banner());
}

TEST_F(ReportSaveTest, AFileThatCannotBeOpenedGivesTheMessage) {
  Open();
  fs::path target = "/proc/self/report.txt";  // a folder where no one, root included, may create a file
  if (::geteuid() != 0) {
    target = dir_ / "read-only.txt";
    std::ofstream(target) << "old";
    fs::permissions(target, fs::perms::owner_read);
  }
  Save(Choose(target), true);
  ASSERT_FALSE(answers_.Messages().empty());
  EXPECT_EQ(answers_.Messages().back(), "Error Writing Report File.");
  EXPECT_EQ(Report(), Banner());
}

TEST_F(ReportSaveTest, AWriteFailureIsReportedNotPassedOverAsSuccess) {
  Open();
  fs::create_symlink("/dev/full", dir_ / "full.txt");  // a disk with no room left
  Save(Choose(dir_ / "full.txt"), true);
  ASSERT_FALSE(answers_.Messages().empty());
  EXPECT_EQ(
      answers_.Messages().back().rfind("Error Writing Report File.\n\nThe report could not be written completely", 0),
      0u);
  EXPECT_NE(answers_.Messages().back().find(std::strerror(ENOSPC)), std::string::npos);
  EXPECT_EQ(Report(), Banner());
}

TEST_F(ReportSaveTest, AFolderInPlaceOfTheFileGivesTheMessage) {
  Open();
  fs::create_directories(dir_ / "report.txt");  // "report" is saved as report.txt: a folder
  Save(Choose(dir_ / "report"), true);
  ASSERT_FALSE(answers_.Messages().empty());
  EXPECT_EQ(answers_.Messages().back(), "Error Writing Report File.");
  EXPECT_TRUE(fs::is_directory(dir_ / "report.txt"));
  EXPECT_EQ(Report(), Banner());
}

TEST_F(ReportSaveTest, AReportOverAMegabyteIsSavedWholeOrReportedWhenTheDiskIsFull) {
  Open();
  std::string big = Banner();
  while (big.size() < 1100000) big += "Description: a long session of notes, line after line.\r\n";
  dlg_.SetText(IDC_REPORT, big);
  Save(Choose(dir_ / "big.txt"));
  EXPECT_EQ(fs::file_size(dir_ / "big.txt"), big.size());
  EXPECT_EQ(ReadAll(dir_ / "big.txt"), big);

  fs::create_symlink("/dev/full", dir_ / "full.txt");
  Save(Choose(dir_ / "full.txt"), true);
  EXPECT_EQ(answers_.Messages().back().rfind("Error Writing Report File.\n", 0), 0u);
  EXPECT_EQ(Report(), big) << "nothing lost from the report";
}

}  // namespace
}  // namespace zento::ui
