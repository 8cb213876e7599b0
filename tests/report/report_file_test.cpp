#include "report/report_file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include "tests/support/files.h"

#include <cerrno>
#include <fstream>

namespace zento {
namespace {

namespace fs = std::filesystem;

using test::ReadAll;

class ReportFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zento-report-" + std::to_string(::getpid()) + "-" +
                                        testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST(WithDefaultExtension, AppendsTxtOnlyWhenTheNameHasNoExtension) {
  const struct {
    const char* chosen;
    const char* saved;
  } cases[] = {
      {"/tmp/report", "/tmp/report.txt"},     {"/tmp/report.log", "/tmp/report.log"},
      {"/tmp/notes.TXT", "/tmp/notes.TXT"},   {"/tmp/my.folder/report", "/tmp/my.folder/report.txt"},
      {"/tmp/v1.2/a.b.c", "/tmp/v1.2/a.b.c"}, {"/tmp/name.", "/tmp/name.txt"},
      {"/tmp/.hidden", "/tmp/.hidden"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithDefaultExtension(c.chosen), fs::path(c.saved)) << c.chosen;
}

TEST_F(ReportFileTest, WritesExactlyTheTextAndReplacesALongerFile) {
  const auto path = dir_ / "report.txt";
  std::ofstream(path) << std::string(5000, 'x');
  const std::string text = "line one\r\nno final break";
  EXPECT_EQ(WriteReportFile(path, text).result, SaveResult::kSaved);
  EXPECT_EQ(ReadAll(path), text);
}

TEST_F(ReportFileTest, KeepsBytesOutsideAscii) {
  const auto path = dir_ / "utf8.txt";
  const std::string text = "Station Location:\r\nK\xC3\xB6ln\r\n";
  EXPECT_EQ(WriteReportFile(path, text).result, SaveResult::kSaved);
  EXPECT_EQ(ReadAll(path), text);
}

TEST_F(ReportFileTest, OpenFailuresAreReported) {
  EXPECT_EQ(WriteReportFile(dir_ / "missing" / "report.txt", "x").result, SaveResult::kOpenFailed);
  EXPECT_EQ(WriteReportFile(dir_, "x").result, SaveResult::kOpenFailed);  // a folder in place of the file
  EXPECT_EQ(WriteReportFile(dir_ / std::string(300, 'n'), "x").result, SaveResult::kOpenFailed);  // name too long
  if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
  const auto readOnly = dir_ / "read-only.txt";
  std::ofstream(readOnly) << "old";
  fs::permissions(readOnly, fs::perms::owner_read);
  EXPECT_EQ(WriteReportFile(readOnly, "x").result, SaveResult::kOpenFailed);
  EXPECT_EQ(ReadAll(readOnly), "old");
}

TEST_F(ReportFileTest, AFullDiskIsAFailureNotASuccess) {
  const auto outcome = WriteReportFile("/dev/full", std::string(100000, 'x'));
  EXPECT_EQ(outcome.result, SaveResult::kWriteFailed);
  EXPECT_EQ(outcome.error, ENOSPC);
}

}  // namespace
}  // namespace zento
