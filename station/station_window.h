#pragma once
// ZENTO Station's window: one station, its inputs on the left, its verdicts, plot and results
// on the right, all following every edit; the station's file, the record, undo and help.

#include <QMainWindow>

#include "core/station_eval.h"

class QComboBox;
class QLabel;
class QMenu;
class QTableView;
class QTabWidget;

namespace zento::station {

class PlacesPane;
class PlotView;
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

  static constexpr int kMaxRecentFiles = 8;

 protected:
  void closeEvent(QCloseEvent* event) override;

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

  // station_window_files.cpp: the file, the record, settings.
  void newStation();
  void open();
  bool save();
  bool saveAs();
  bool saveTo(const QString& path);
  void exportRecord();
  void exportPdf();
  using RecordWriter = bool (*)(const QString&, const Station&, const StationResult&, QString&);
  void exportWith(const QString& title, const QString& filter, const QString& suffix, RecordWriter write);
  void print();
  void addRecentFile(const QString& path);
  void refreshRecentMenu();
  QString askSavePath(const QString& title, const QString& filter, const QString& suffix, const QString& name);
  void readSettings();
  void writeSettings();

  StationDocument* document_;
  QTabWidget* tabs_;
  StationForm* stationForm_;
  PlacesPane* placesPane_;
  TransmittersPane* transmittersPane_;
  QTableView* verdicts_;
  VerdictModel* verdictModel_;
  QComboBox* plotBand_;
  PlotView* plot_;
  QTableView* results_;
  ResultsModel* resultsModel_;
  QMenu* recentMenu_;
  QLabel* problem_;
};

}  // namespace zento::station
