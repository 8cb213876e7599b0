// The window at its start: it fits the screen, and it offers the unsaved changes that a program
// ended from outside (a logout, a signal) kept for it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest/QTest>
#include <csignal>
#include <functional>

#include "station/recovery.h"
#include "station/signal_watcher.h"
#include "station/station_document.h"
#include "tests/station/support/station_test.h"
#include "tests/support/files.h"

namespace zento::station::test {
namespace {

class WindowStart : public StationWindowTest {
 protected:
  const Station& station() const { return window_->document()->station(); }
  QString copyOf(const char* name) {
    const QString path = temporary(QLatin1String(name));
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(example("contest-two-transmitters"), path));
    return path;
  }
  // Opens the file and changes its call sign, unsaved.
  void change(const QString& path, const char* callsign) {
    ASSERT_TRUE(window_->openFile(path));
    Station s = station();
    s.callsign = callsign;
    window_->document()->edit(s, QStringLiteral("Call Sign"));
  }
  // The program ends from outside, and starts again with `file` on its command line.
  void endAndStartAgain(const QString& file) {
    window_->keepForNextStart();
    window_ = std::make_unique<StationWindow>();
    window_->show();
    window_->start(file);
  }
  QStringList copies() const {
    return QDir(RecoveryFile::DefaultFolder()).entryList({QStringLiteral("*.recovery.json")}, QDir::Files);
  }
};

TEST_F(WindowStart, ChangesKeptAtTheEndAreOfferedAtTheNextStart) {
  const QString path = copyOf("k1abc.zento.json");
  const struct {
    QMessageBox::StandardButton answer;  // Restore, Discard, Later
    bool restored;
    int copiesLeft;
  } cases[] = {{QMessageBox::Yes, true, 1}, {QMessageBox::Discard, false, 0}, {QMessageBox::Cancel, false, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    change(path, "K1ABC");
    Dialogs dialogs;
    dialogs.Expect("restore?", Press(c.answer));
    endAndStartAgain({});
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find(QDir::toNativeSeparators(path).toStdString()), std::string::npos)
        << dialogs.Messages()[0];
    EXPECT_EQ(station().callsign, c.restored ? "K1ABC" : StarterStation().callsign);
    // Restored: the file's own name and unsaved, its copy now this window's.
    EXPECT_EQ(window_->document()->path(), c.restored ? path : QString());
    EXPECT_EQ(window_->isWindowModified(), c.restored);
    EXPECT_EQ(window_->recovery().exists(), c.restored);
    EXPECT_EQ(copies().size(), c.copiesLeft);
    window_->document()->undoStack()->setClean();
  }
  // Later left it for the next start.
  Dialogs dialogs;
  dialogs.Expect("restore?", Press(QMessageBox::Discard));
  endAndStartAgain({});
  EXPECT_TRUE(copies().isEmpty());
}

TEST_F(WindowStart, TheCopyFollowsTheChangesAndGoesWithThem) {
  const QString path = copyOf("k1abc.zento.json");
  const struct {
    const char* how;
    std::function<void()> end;
    const char* callsign;
  } cases[] = {
      {"saved", [this] { key(Qt::Key_S, Qt::ControlModifier); }, "K1AAA"},
      {"undone", [this] { window_->document()->undoStack()->undo(); }, "K1BBB"},
      {"dropped on closing",
       [this] {
         Dialogs dialogs;
         dialogs.Expect("unsaved changes", Press(QMessageBox::Discard));
         EXPECT_TRUE(window_->close());
       },
       "K1CCC"},
  };
  bool waited = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    window_->show();
    change(path, c.callsign);
    // Written a while after the edit; once is enough to wait for.
    if (!waited) {
      EXPECT_FALSE(window_->recovery().exists());
      ASSERT_TRUE(
          QTest::qWaitFor([this] { return window_->recovery().exists(); }, 5 * StationWindow::kRecoveryDelayMs));
      waited = true;
    } else {
      window_->keepForNextStart();
    }
    EXPECT_EQ(copies().size(), 1);
    c.end();
    EXPECT_FALSE(window_->recovery().exists());
    EXPECT_TRUE(copies().isEmpty());
  }
}

TEST_F(WindowStart, OnlyTheCopiesOfEndedProgramsAreOffered) {
  const QString mine = copyOf("mine.zento.json"), other = copyOf("other.zento.json");
  change(other, "K1OTH");
  window_->keepForNextStart();
  auto running = std::move(window_);  // another window, still open
  window_ = std::make_unique<StationWindow>();
  change(mine, "K1ABC");
  const QString named = temporary(QStringLiteral("named.zento.json"));
  QFile::copy(example("us-hf-and-2m"), named);

  // Started with another file: the copy of this one is not offered, nor the running one's.
  endAndStartAgain(named);
  EXPECT_EQ(window_->document()->path(), named);
  EXPECT_EQ(copies().size(), 2);

  // Started with the file of the copy: offered, and restored in place of opening the file.
  Dialogs dialogs;
  dialogs.Expect("restore?", Press(QMessageBox::Yes));
  window_->document()->undoStack()->setClean();
  endAndStartAgain(mine);
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(station().callsign, "K1ABC");
  EXPECT_EQ(window_->document()->path(), mine);
  running->document()->undoStack()->setClean();
}

TEST_F(WindowStart, TheSignalsThatEndAProgramComeThroughTheEventLoop) {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(signal);
    SignalWatcher watcher({SIGTERM, SIGHUP, SIGINT});
    QSignalSpy received(&watcher, &SignalWatcher::received);
    ASSERT_EQ(std::raise(signal), 0);  // caught: the test goes on
    ASSERT_TRUE(received.wait(5000));
    EXPECT_EQ(received.takeFirst().at(0).toInt(), signal);
  }
}

TEST_F(WindowStart, TheWindowFitsTheScreenAndRemembersWhereItWas) {
  const QRect room = window_->screen()->availableGeometry();
  EXPECT_TRUE(room.contains(window_->frameGeometry()))
      << window_->frameGeometry().width() << "x" << window_->frameGeometry().height();
  // Remembered when the program is ended from outside too.
  window_->resize(room.width() / 2, room.height() / 2);
  window_->move(room.topLeft() + QPoint(20, 20));
  window_->keepForNextStart();
  StationWindow again;
  EXPECT_EQ(again.size(), window_->size());

  // A place remembered from a larger screen.
  window_->setGeometry(room.right() + 200, room.bottom() + 200, room.width() * 3, room.height() * 3);
  QSettings().setValue(QStringLiteral("geometry"), window_->saveGeometry());
  StationWindow moved;
  moved.show();
  EXPECT_TRUE(room.contains(moved.frameGeometry()))
      << moved.frameGeometry().x() << "," << moved.frameGeometry().y() << " " << moved.frameGeometry().width() << "x"
      << moved.frameGeometry().height();
}

}  // namespace
}  // namespace zento::station::test
