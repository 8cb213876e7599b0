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

TEST_F(ReportSaveTest, TheReportIsSavedByteForByteUnderTheNameChosen) {
  Open(test::TypeThenOk({{IDC_CALLSIGN, "w1aw"}}));
  fs::create_directories(dir_ / "my.logs");
  std::ofstream(dir_ / "old.txt") << std::string(10000, 'z');
  const struct {
    fs::path typed, saved;
    std::string text;  // the report box's text when saved; empty keeps it as it is
  } cases[] = {
      {"report", "report.txt", ""},  // ".txt" is added to a name without an extension
      {"report.log", "report.log", ""},
      {"notes.TXT", "notes.TXT", ""},
      {"my.logs/station", "my.logs/station.txt", ""},  // a dot in a folder's name does not count
      {"old.txt", "old.txt", "a shorter report, no final break"},
      {"big.txt", "big.txt", std::string(1100000, 'x') + "\r\n"},
  };
  for (const auto& c : cases) {
    if (!c.text.empty()) dlg_.SetText(IDC_REPORT, c.text);
    const std::string report = Report();
    Save(Choose(dir_ / c.typed));
    EXPECT_EQ(ReadAll(dir_ / c.saved), report) << c.typed;
    EXPECT_EQ(Report(), report);
  }
  EXPECT_FALSE(fs::exists(dir_ / "report"));
  EXPECT_FALSE(fs::exists(dir_ / "notes.TXT.txt"));

  test::ClickControl(W(), IDC_REPORT);
  test::PressKey(W(), Qt::Key_A, Qt::ControlModifier);
  test::PressKey(W(), Qt::Key_Delete);
  Save(Choose(dir_ / "empty.txt"));
  EXPECT_EQ(fs::file_size(dir_ / "empty.txt"), 0u) << "an emptied report gives an empty file";
}

TEST_F(ReportSaveTest, CancelOrAMissingFolderWritesNothing) {
  Open();
  Save(test::PressEscape());
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

TEST_F(ReportSaveTest, AFailureIsReportedAndTheReportKept) {
  Open();
  fs::create_directories(dir_ / "folder.txt");         // "folder" is saved as folder.txt: a folder
  fs::create_symlink("/dev/full", dir_ / "full.txt");  // a disk with no room left
  const struct {
    fs::path target;
    std::string message;  // its start
  } cases[] = {
      {dir_ / "folder", "Error Writing Report File."},
      {dir_ / "full.txt", "Error Writing Report File.\n\nThe report could not be written completely"},
  };
  for (const auto& c : cases) {
    Save(Choose(c.target), true);
    ASSERT_FALSE(answers_.Messages().empty());
    EXPECT_EQ(answers_.Messages().back().rfind(c.message, 0), 0u) << answers_.Messages().back();
    EXPECT_EQ(Report(), Banner());
  }
  EXPECT_NE(answers_.Messages().back().find(std::strerror(ENOSPC)), std::string::npos);
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.txt"));
}

}  // namespace
}  // namespace zento::ui
