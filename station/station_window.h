#pragma once
// ZENTO Station's window: one station, its inputs on the left, its verdicts, plot and results
// on the right, all following every edit; the station's file, the record, undo and help.

#include <QMainWindow>
#include <memory>

#include "core/near_field.h"
#include "core/station_eval.h"

class QComboBox;
class QLabel;
class QMenu;
class QTableView;
class QTabWidget;
class QTimer;

namespace zento::station {

class NearFieldPane;
class NearFieldService;
class PlacesPane;
class PlotView;
class RecoveryFile;
struct RecoveredStation;
class ResultsModel;
class StationDocument;
class StationForm;
class TransmittersPane;
class VerdictModel;

class StationWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit StationWindow(QWidget* parent = nullptr);
  ~StationWindow() override;

  StationDocument* document() const { return document_; }
  NearFieldService* nearField() const { return nearField_; }
  NearFieldPane* nearFieldPane() const { return nearFieldPane_; }
  QTabWidget* views() const { return views_; }  // the plot and the near field
  PlotView* plot() const { return plot_; }
  QComboBox* plotBand() const { return plotBand_; }
  QTableView* results() const { return results_; }
  QTableView* verdicts() const { return verdicts_; }
  QTabWidget* tabs() const { return tabs_; }
  TransmittersPane* transmitters() const { return transmittersPane_; }
  PlacesPane* places() const { return placesPane_; }

  // Opens a station file in place of the station shown, after asking about unsaved changes.
  // A file that cannot be read leaves the station as it was and says why.
  bool openFile(const QString& path);
  // Asks Save, Discard or Cancel when there are unsaved changes; true to go on.
  bool maybeSave();

  // At the program's start, with the file named on its command line, if any: offers the changes
  // a program that ended without saving left (to that file, or when none is named, the latest),
  // then opens the file unless they were restored.
  void start(const QString& path);
  // The program is ending without asking the user (a logout, a signal): unsaved changes are
  // kept in the recovery copy for the next start, and the window's geometry is remembered.
  void keepForNextStart();

  RecoveryFile& recovery() const { return *recovery_; }

  static constexpr int kMaxRecentFiles = 8;
  static constexpr int kRecoveryDelayMs = 2000;  // from an edit to its recovery copy

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // station_window.cpp: building and following the station.
  QWidget* makeInputs();
  QWidget* makeOutputs();
  void makeActions();
  void refresh();
  void fitVerdicts();
  void refreshPlotChoices();
  void refreshPlot();
  void showProblem(const QString& message);
  void updateTitle();
  void limitTexts();
  void fitScreen();

  // station_window_files.cpp: the file, the record, settings.
  void newStation();
  void open();
  bool load(const QString& path);
  bool save();
  bool saveAs();
  bool saveTo(const QString& path);
  void exportRecord();
  void exportPdf();
  using RecordWriter = bool (*)(const QString&, const Station&, const StationResult&, const StationNearField*,
                                QString&);
  void exportWith(const QString& title, const QString& filter, const QString& suffix, RecordWriter write);
  void print();
  // The near field for the record, once the engine has given all of it (waiting, with a way out,
  // while it works); none when the user gave up waiting. Without a model: an empty one.
  std::optional<StationNearField> recordNearField();
  // The station as the record names it: imported models' files relative to the station file.
  Station recordStation() const;
  bool fieldsShowTheStation(const QString& title, const QString& nothingDone);
  void openRecent(const QString& path);
  void addRecentFile(const QString& path);
  void refreshRecentMenu();
  QString askSavePath(const QString& title, const QString& filter, const QString& suffix, const QString& name);
  void readSettings();
  void writeSettings();

  // station_window_recovery.cpp: the recovery copy.
  void followRecovery();
  void writeRecoveryCopy();
  bool offerRecovery(const RecoveredStation& recovered);

  StationDocument* document_;
  NearFieldService* nearField_;  // made before every view: it follows each edit first
  QTabWidget* tabs_;
  StationForm* stationForm_;
  PlacesPane* placesPane_;
  TransmittersPane* transmittersPane_;
  QTableView* verdicts_;
  VerdictModel* verdictModel_;
  QTabWidget* views_;
  QComboBox* plotBand_;
  PlotView* plot_;
  NearFieldPane* nearFieldPane_;
  QTableView* results_;
  QLabel* reactiveNote_;  // what a * in the results means, while one is there
  QLabel* areaNote_;      // Germany's: whether each safety distance stays inside the controllable area
  ResultsModel* resultsModel_;
  QMenu* recentMenu_;
  QLabel* problem_;
  std::unique_ptr<RecoveryFile> recovery_;
  QTimer* recoveryTimer_;
  bool recoveryFailed_ = false;  // said once until a copy is written again
};

}  // namespace zento::station
