// Every file the window writes is written whole or not at all, and a failure is said, never
// taken for success: the old file stays as it was and unsaved changes stay unsaved.
#include <sys/resource.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QUndoStack>
#include <csignal>
#include <functional>

#include "station/station_document.h"
#include "tests/station/support/station_test.h"
#include "tests/support/files.h"

namespace zento::station::test {
namespace {

std::string Read(const QString& path) { return zento::test::ReadAll(path.toStdString()); }

void Write(const QString& path, const std::string& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(text.data(), static_cast<qint64>(text.size())), static_cast<qint64>(text.size()));
}

// While it lives, no file can grow past `bytes`: writes fail as they do on a full disk, partly
// and then wholly, whatever the file system and user.
class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldSignal_);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit old_{};
  void (*oldSignal_)(int) = nullptr;
};

class WindowWrite : public StationWindowTest {
 protected:
  void trigger(const char* action) {
    QAction* a = window_->findChild<QAction*>(QLatin1String(action));
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
  }
  QStringList filesInFolder() const { return QDir(temporary({})).entryList(QDir::Files, QDir::Name); }
};

TEST_F(WindowWrite, AFullDiskLeavesEveryOldFileWholeAndSaysSo) {
  const QString station = temporary(QStringLiteral("station.zento.json"));
  const std::string original = Read(example("contest-two-transmitters"));
  Write(station, original);
  ASSERT_TRUE(window_->openFile(station));
  Station s = window_->document()->station();
  s.callsign = "K1ABC";
  window_->document()->edit(s, QStringLiteral("Call Sign"));

  const std::string oldRecord = "an earlier record\n";
  Write(temporary(QStringLiteral("record.html")), oldRecord);
  Write(temporary(QStringLiteral("record.pdf")), oldRecord);
  const QStringList before = filesInFolder();

  const struct {
    const char* action;
    const char* file;  // chosen in the file dialog; none for Save
    std::string old;
  } cases[] = {{"Save", nullptr, original},
               {"Export Record", "record.html", oldRecord},
               {"Export PDF", "record.pdf", oldRecord}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    Dialogs dialogs;
    if (c.file != nullptr) {
      dialogs.Expect("the file", ChooseFile(temporary(QLatin1String(c.file))));
      dialogs.Expect("replace it?", Press(QMessageBox::Yes));
    }
    dialogs.Expect("the failure", Press(QMessageBox::Ok));
    {
      const FullDisk full(100);
      trigger(c.action);
    }
    const auto& messages = dialogs.Messages();
    EXPECT_EQ(messages.size(), c.file != nullptr ? 2u : 1u);
    EXPECT_TRUE(!messages.empty() && messages.back().rfind("Cannot ", 0) == 0) << testing::PrintToString(messages);
    EXPECT_EQ(Read(temporary(QLatin1String(c.file != nullptr ? c.file : "station.zento.json"))), c.old);
    EXPECT_EQ(filesInFolder(), before);  // no half-written file left beside it
    EXPECT_TRUE(window_->isWindowModified());
  }

  // The changes are still unsaved: closing asks.
  Dialogs dialogs;
  dialogs.Expect("unsaved changes", Press(QMessageBox::Cancel));
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(window_->document()->station().callsign, "K1ABC");
}

TEST_F(WindowWrite, AFieldHoldingTextItDidNotTakeStopsSavingExportingAndPrinting) {
  const QString path = temporary(QStringLiteral("station.zento.json"));
  Write(path, Read(example("contest-two-transmitters")));
  ASSERT_TRUE(window_->openFile(path));
  window_->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));  // "2,5" is no number here
  const struct {
    const char* field;
    const char* typed;
    const char* name;      // the field, as the message names it
    const char* original;  // as the file has it
  } fields[] = {{"swr", "2,5", "SWR", "1.3"},
                {"transmitterName", "Mult", "Name", "Run"},
                {"frequencies", "14.2, lots", "Other frequencies (MHz)", ""}};
  const struct {
    const char* how;
    std::function<void()> act;
    const char* nothing;
  } actions[] = {
      {"Save", [this] { key(Qt::Key_S, Qt::ControlModifier); }, "Nothing was saved"},
      {"Export Record", [this] { trigger("Export Record"); }, "Nothing was exported"},
      {"Print", [this] { key(Qt::Key_P, Qt::ControlModifier); }, "Nothing was printed"},
  };
  for (const auto& f : fields) {
    SCOPED_TRACE(f.field);
    window_->tabs()->setCurrentIndex(2);
    typeOver(find<QLineEdit>(f.field), QString::fromLatin1(f.typed));
    ASSERT_TRUE(window_->isWindowModified());  // "2", "Mul", "14.2" were taken on the way
    for (const auto& a : actions) {
      SCOPED_TRACE(a.how);
      window_->tabs()->setCurrentIndex(0);
      Dialogs dialogs;
      dialogs.Expect("which field", Press(QMessageBox::Ok));
      a.act();
      ASSERT_EQ(dialogs.Messages().size(), 1u);
      const std::string& message = dialogs.Messages()[0];
      EXPECT_EQ(message.rfind(std::string(a.nothing) + ": the field " + f.name + " holds \"" + f.typed + "\"", 0), 0u)
          << message;
      EXPECT_EQ(Read(path), Read(example("contest-two-transmitters")));
      // The field is shown, with its text, to be put right.
      EXPECT_EQ(window_->tabs()->currentIndex(), 2);
      EXPECT_EQ(window_->focusWidget(), find<QLineEdit>(f.field));
      EXPECT_EQ(find<QLineEdit>(f.field)->text(), QString::fromLatin1(f.typed));
    }
    // Closing asks; Save saves nothing, and the window stays.
    Dialogs dialogs;
    dialogs.Expect("unsaved changes", Press(QMessageBox::Save));
    dialogs.Expect("which field", Press(QMessageBox::Ok));
    EXPECT_FALSE(window_->close());
    EXPECT_EQ(Read(path), Read(example("contest-two-transmitters")));
    typeOver(find<QLineEdit>(f.field), QString::fromLatin1(f.original));  // put right
    window_->document()->undoStack()->setClean();
  }
}

}  // namespace
}  // namespace zento::station::test
