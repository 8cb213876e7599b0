// A ham's own NEC-2 file as the antenna's model: what is taken is said, what is not is refused in
// words and changes nothing, its wires are drawn as the engine lays them out, and the station file
// finds it again wherever the station is saved.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QUndoStack>
#include <QtTest/QTest>

#include "report/station_file.h"
#include "station/antenna_drawing.h"
#include "station/near_field_service.h"
#include "station/station_document.h"
#include "tests/station/support/station_test.h"
#include "tests/support/files.h"

namespace zento::station::test {
namespace {

constexpr int kEngineWait = 180000;

void Write(const QString& path, const std::string& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.data(), static_cast<qint64>(text.size()));
}

class AntennaImport : public StationWindowTest {
 protected:
  const Station& station() const { return window_->document()->station(); }
  // Chooses "Imported NEC-2 file..." as the model and answers the file dialog with `path`.
  void import(const QString& path) {
    key(Qt::Key_T, Qt::AltModifier);
    Dialogs dialogs;
    dialogs.Expect("Import NEC-2 Model", ChooseFile(path));
    find<QWidget>("antennaModel")->setFocus();
    key(Qt::Key_End);
    // The dialog opens once the combo box is done with the key.
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.Pending() == 0 && QApplication::activeModalWidget() == nullptr; }));
    activate();
  }
};

TEST_F(AntennaImport, AGoodFileIsTakenAndABrokenOneRefusedInWords) {
  const std::string wire = "GW 1 21 0 -10 10 0 10 10 0.001\n";
  const struct {
    const char* name;
    std::string deck;
    const char* refused;  // none: taken
  } cases[] = {
      {"patches.nec", "CM a wire and a patch\n" + wire + "SP 0 0 0 0 1 0 0 0.01\nEX 0 1 11 0 1 0\n",
       "Not imported: patches.nec: SP: surface patches are not taken (line 3)"},
      {"nofeed.nec", wire + "FR 0 1 0 0 14.2 0\n", "Not imported: nofeed.nec: the file has no EX card: no segment is fed"},
      {"dipole.nec", "CM a dipole\n" + wire + "GE 1\nEX 0 1 11 0 1 0\nFR 0 1 0 0 14.2 0\nRP 0 1 1 1000 90 0 0 0\nEN\n",
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = temporary(QString::fromLatin1(c.name));
    Write(path, c.deck);
    const Station before = station();
    const int edits = window_->document()->undoStack()->count();
    import(path);
    const QString said = find<QLabel>("necSummary")->text();
    if (c.refused != nullptr) {
      EXPECT_EQ(find<QLabel>("problem")->text(), QString::fromLatin1(c.refused));
      EXPECT_EQ(said, QString::fromLatin1(c.refused));
      EXPECT_EQ(station(), before);
      EXPECT_EQ(window_->document()->undoStack()->count(), edits);
      continue;
    }
    const auto& model = station().transmitters[0].antenna.model;
    ASSERT_TRUE(model);
    EXPECT_EQ(model->kind, AntennaKind::kImported);
    EXPECT_EQ(QString::fromStdString(model->file), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(said, QStringLiteral("Taken: 1 structure card (GW), 1 voltage source. The station's ground, frequencies "
                                   "and output replace its GE, FR, RP."));
    EXPECT_TRUE(find<QLabel>("problem")->text().isEmpty());
  }
}

TEST_F(AntennaImport, TheWiresAreDrawnAsTheEngineLaysThemOut) {
  import(example("near-field-imported").replace(QStringLiteral("near-field-imported.zento.json"),
                                                 QStringLiteral("inverted-l-40m.nec")));
  EXPECT_TRUE(find<QLabel>("necSummary")->text().startsWith(QStringLiteral("Taken: 4 structure cards (GW, GR, GW, GW)")));
  ASSERT_TRUE(QTest::qWaitFor([this] { return window_->nearField()->idle(); }, kEngineWait));
  const AntennaDrawing* drawing = find<AntennaDrawing>("antennaDrawing");
  const auto& wires = drawing->wires();
  ASSERT_TRUE(wires) << drawing->message().toStdString();
  // GW 1 of 10 segments turned into 4 radials by GR, GW 5 of 16, GW 6 of 20.
  EXPECT_EQ(wires->wires.size(), 4u * 10 + 16 + 20);
}

TEST_F(AntennaImport, SavedInAnotherFolderTheStationStillFindsItsFile) {
  const QString first = temporary(QStringLiteral("a/station.zento.json"));
  Write(temporary(QStringLiteral("a/models/inverted-l.nec")),
        zento::test::ReadAll(QDir(QStringLiteral(ZENTO_SOURCE_DIR)).filePath(QStringLiteral("examples/inverted-l-40m.nec")).toStdString()));
  std::string text = zento::test::ReadAll(example("near-field-imported").toStdString());
  text.replace(text.find("inverted-l-40m.nec"), 18, "models/inverted-l.nec");
  Write(first, text);
  ASSERT_TRUE(window_->openFile(first));
  const AntennaModel opened = *station().transmitters[0].antenna.model;
  ASSERT_TRUE(opened.importProblem.empty()) << opened.importProblem;

  Dialogs dialogs;
  dialogs.Expect("Save As", ChooseFile(temporary(QStringLiteral("b/c/moved"))));
  QDir().mkpath(temporary(QStringLiteral("b/c")));
  key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  const QString moved = temporary(QStringLiteral("b/c/moved.zento.json"));
  const std::string saved = zento::test::ReadAll(moved.toStdString());
  EXPECT_NE(saved.find("\"file\": \"../../a/models/inverted-l.nec\""), std::string::npos) << saved;
  // And read by the same reader as zento-calc, with the same cards.
  std::string error;
  const auto again = ReadStationFile(moved.toStdString(), error);
  ASSERT_TRUE(again) << error;
  EXPECT_TRUE(again->transmitters[0].antenna.model->importProblem.empty());
  EXPECT_EQ(again->transmitters[0].antenna.model->imported, opened.imported);
}

}  // namespace
}  // namespace zento::station::test
