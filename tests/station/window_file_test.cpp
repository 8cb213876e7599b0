// The station's file and record from the window: nothing lost, nothing half-read, and a record
// that stands on its own.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QUndoStack>
#include <QtTest/QTest>
#include <functional>

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

TEST_F(WindowFile, SaveAsAsksBeforeReplacingTheFileItWillWrite) {
  // The name is typed without its suffix: the question is about the file that gets written.
  const QString existing = temporary(QStringLiteral("k1abc.zento.json"));
  const struct {
    QMessageBox::StandardButton answer;
    bool replaced;
  } cases[] = {{QMessageBox::No, false}, {QMessageBox::Yes, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Write(existing, "another station\n");
    editCallsign();
    Dialogs dialogs;
    dialogs.Expect("Save As", ChooseFile(temporary(QStringLiteral("k1abc"))));
    dialogs.Expect("replace it?", [c](QWidget* box) {
      Press(c.answer)(box);
      // No leaves the file dialog open for another name; this user gives up.
      if (!c.replaced) QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    });
    trigger("Save As");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("k1abc.zento.json already exists"), std::string::npos)
        << dialogs.Messages()[0];
    EXPECT_EQ(Read(existing).find("K1ABC") != std::string::npos, c.replaced);
    EXPECT_EQ(window_->isWindowModified(), !c.replaced);
  }
}

TEST_F(WindowFile, AnotherStationOverUnsavedChangesAsksOnce) {
  const QString other = temporary(QStringLiteral("other.zento.json"));
  Write(other, Read(example("us-hf-and-2m")));
  const auto recent = [this](const QString& path) {
    window_->findChild<QMenu*>(QStringLiteral("recentMenu"))->aboutToShow();
    for (QAction* a : window_->findChild<QMenu*>(QStringLiteral("recentMenu"))->actions()) {
      if (a->text().endsWith(QDir::toNativeSeparators(path))) return a->trigger();
    }
    ADD_FAILURE() << "not in Open Recent: " << path.toStdString();
  };
  const struct {
    const char* how;
    std::function<void(Dialogs&)> open;
    bool starter;  // the station then shown: the starter, or the other file's
  } cases[] = {
      {"Open",
       [&](Dialogs& dialogs) {
         dialogs.Expect("the file", ChooseFile(other));
         key(Qt::Key_O, Qt::ControlModifier);
       },
       false},
      {"Open Recent", [&](Dialogs&) { recent(other); }, false},
      {"New", [&](Dialogs&) { key(Qt::Key_N, Qt::ControlModifier); }, true},
      {"a file dropped on the window",
       [&](Dialogs&) {
         QMimeData mime;
         mime.setUrls({QUrl::fromLocalFile(other)});
         QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(window_.get(), &enter);
         ASSERT_TRUE(enter.isAccepted());
         QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(window_.get(), &drop);
         QApplication::processEvents();
       },
       false},
  };
  ASSERT_TRUE(window_->openFile(other));  // now a recent file
  const Station otherStation = station();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    window_->document()->undoStack()->setClean();  // whatever an earlier case left
    openCopy("contest-two-transmitters");
    editCallsign();
    Dialogs dialogs;
    dialogs.Expect("unsaved changes", Press(QMessageBox::Discard));  // and no second time
    c.open(dialogs);
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(station(), c.starter ? StarterStation() : otherStation);
    EXPECT_FALSE(window_->isWindowModified());
  }
}

TEST_F(WindowFile, OpenRecentOffersOnlyFilesThatAreThereAndDropsOneThatWent) {
  QMenu* menu = window_->findChild<QMenu*>(QStringLiteral("recentMenu"));
  const auto offered = [menu] {
    menu->aboutToShow();
    QStringList texts;
    for (QAction* a : menu->actions()) {
      if (!a->isSeparator()) texts << a->text();
    }
    return texts;
  };
  const QString kept = openCopy("us-hf-and-2m");
  const QString gone = temporary(QStringLiteral("gone.zento.json"));
  Write(gone, Read(example("contest-two-transmitters")));
  ASSERT_TRUE(window_->openFile(gone));
  ASSERT_EQ(offered().size(), 3);  // both, and Clear List

  // Picked after it went (the menu was built while it was there): said, and dropped.
  menu->aboutToShow();
  QAction* pick = menu->actions()[0];
  ASSERT_TRUE(pick->text().endsWith(QDir::toNativeSeparators(gone))) << pick->text().toStdString();
  ASSERT_TRUE(QFile::remove(gone));
  Dialogs dialogs;
  dialogs.Expect("no longer there", Press(QMessageBox::Ok));
  pick->trigger();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].find("gone.zento.json is no longer there"), std::string::npos)
      << dialogs.Messages()[0];
  EXPECT_EQ(window_->document()->path(), gone);  // the station shown stays
  const QStringList texts = offered();
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts[0].endsWith(QDir::toNativeSeparators(kept))) << texts[0].toStdString();

  // One that went while the program was not looking is not offered.
  ASSERT_TRUE(QFile::remove(kept));
  EXPECT_EQ(offered(), QStringList{QStringLiteral("&Clear List")});
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
