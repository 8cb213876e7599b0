// The station's file and record from the window: nothing lost, nothing half-read, and a record
// that stands on its own.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QUndoStack>
#include <QtTest/QTest>

#include "report/station_file.h"
#include "station/station_document.h"
#include "tests/station/support/station_test.h"
#include "tests/support/files.h"

namespace zento::station::test {
namespace {

std::string Read(const QString& path) { return zento::test::ReadAll(path.toStdString()); }

void Write(const QString& path, const std::string& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.data(), static_cast<qint64>(text.size()));
}

class WindowFile : public StationWindowTest {
 protected:
  const Station& station() const { return window_->document()->station(); }
  void trigger(const char* action) {
    QAction* a = window_->findChild<QAction*>(QLatin1String(action));
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
  }
  // A copy of an example in the test's folder, opened.
  QString openCopy(const char* name) {
    const QString path = temporary(QStringLiteral("copy.zento.json"));
    Write(path, Read(example(name)));
    EXPECT_TRUE(window_->openFile(path));
    return path;
  }
  void editCallsign() {
    Station s = station();
    s.callsign = "K1ABC";
    window_->document()->edit(s, QStringLiteral("Call Sign"));
  }
};

TEST_F(WindowFile, AFileThatCannotBeReadLeavesTheStationAndSaysWhere) {
  const QString path = openCopy("us-hf-and-2m");
  const Station before = station();
  std::string text = Read(example("contest-two-transmitters"));
  text.replace(text.find("1500.0"), 6, "\"lots\"");
  const QString broken = temporary(QStringLiteral("broken.zento.json"));
  Write(broken, text);

  Dialogs dialogs;
  dialogs.Expect("the reason", Press(QMessageBox::Ok));
  EXPECT_FALSE(window_->openFile(broken));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("transmitters[0].power_watts: expected a number from 0.001 to 100000, "
                                       "got \"lots\" (line 31)"),
            std::string::npos)
      << dialogs.Messages()[0];
  EXPECT_EQ(station(), before);
  EXPECT_EQ(window_->document()->path(), path);
}

TEST_F(WindowFile, ClosingWithChangesAsksAndDoesWhatTheAnswerSays) {
  const struct {
    QMessageBox::StandardButton answer;
    bool closes;
    bool saved;
  } cases[] = {
      {QMessageBox::Save, true, true}, {QMessageBox::Discard, true, false}, {QMessageBox::Cancel, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    window_->show();
    const QString path = openCopy("contest-two-transmitters");
    editCallsign();
    Dialogs dialogs;
    dialogs.Expect("unsaved changes", Press(c.answer));
    EXPECT_EQ(window_->close(), c.closes);
    EXPECT_EQ(window_->isVisible(), !c.closes);
    EXPECT_EQ(Read(path).find("K1ABC") != std::string::npos, c.saved);
    EXPECT_EQ(window_->isWindowModified(), !c.saved);
    window_->document()->undoStack()->setClean();
  }
}

TEST_F(WindowFile, SavedAsThenReopenedIsTheSameStation) {
  editCallsign();
  Dialogs dialogs;
  dialogs.Expect("Save As", ChooseFile(temporary(QStringLiteral("k1abc"))));
  key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  const QString path = temporary(QStringLiteral("k1abc.zento.json"));
  ASSERT_TRUE(QFile::exists(path));
  EXPECT_FALSE(window_->isWindowModified());
  EXPECT_TRUE(window_->windowTitle().startsWith(QStringLiteral("k1abc.zento.json")));

  StationWindow other;
  ASSERT_TRUE(other.openFile(path));
  EXPECT_EQ(other.document()->station(), station());
  const QList<QAction*> recent = other.findChild<QMenu*>(QStringLiteral("recentMenu"))->actions();
  ASSERT_FALSE(recent.isEmpty());
  EXPECT_TRUE(recent[0]->text().endsWith(path)) << recent[0]->text().toStdString();

  // Another station over unsaved changes asks first; Cancel keeps them and opens nothing.
  editCallsign();
  Station s = station();
  s.location = "Hilltop";
  window_->document()->edit(s, QStringLiteral("Location"));
  dialogs.Expect("unsaved changes", Press(QMessageBox::Cancel));
  key(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(station().location, "Hilltop");
}

TEST_F(WindowFile, ASaveThatFailsSaysSoAndKeepsTheChanges) {
  editCallsign();
  Dialogs dialogs;
  dialogs.Expect("Save As", ChooseFile(temporary(QStringLiteral("no-such-folder/k1abc"))));
  dialogs.Expect("the reason", Press(QMessageBox::Ok));
  key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("Cannot save"), std::string::npos) << dialogs.Messages()[0];
  EXPECT_TRUE(window_->isWindowModified());
  EXPECT_TRUE(window_->document()->path().isEmpty());
  EXPECT_EQ(station().callsign, "K1ABC");
}

TEST_F(WindowFile, TheRecordIsExportedWholeWithNothingFromOutside) {
  openCopy("contest-two-transmitters");
  Dialogs dialogs;
  dialogs.Expect("Export Record", ChooseFile(temporary(QStringLiteral("record"))));
  trigger("Export Record");
  // The record's own content and self-containment are report/record_test's; here, that it is whole.
  const std::string html = Read(temporary(QStringLiteral("record.html")));
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("<svg"), std::string::npos);
  EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");

  dialogs.Expect("Export PDF", ChooseFile(temporary(QStringLiteral("record"))));
  trigger("Export PDF");
  const std::string pdf = Read(temporary(QStringLiteral("record.pdf")));
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_GT(pdf.size(), 20000u);  // the text and the plot's picture

  dialogs.Expect("Print", Reject());
  key(Qt::Key_P, Qt::ControlModifier);
}

}  // namespace
}  // namespace zento::station::test
