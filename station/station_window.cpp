#include "station/station_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "core/number_text.h"
#include "core/plot.h"
#include "report/station_text.h"
#include "station/band_choice.h"
#include "station/help.h"
#include "station/limited_text_edit.h"
#include "station/local_text.h"
#include "station/near_field_pane.h"
#include "station/near_field_service.h"
#include "station/places_pane.h"
#include "station/plot_view.h"
#include "station/recovery.h"
#include "station/results_models.h"
#include "station/station_document.h"
#include "station/station_form.h"
#include "station/transmitters_pane.h"

namespace zento::station {
namespace {

// `fit`: columns fit their contents when the table's shape changes.
QTableView* ResultTable(QAbstractItemModel* model, const char* name, QWidget* parent, bool fit) {
  auto* table = new QTableView(parent);
  table->setObjectName(QLatin1String(name));
  table->setModel(model);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setTabKeyNavigation(false);
  table->setWordWrap(false);
  table->verticalHeader()->hide();
  // Columns fit their contents when the table's shape changes, not at every edit: measuring
  // every cell again would cost the window its frame, and columns that jump while typing are
  // hard to read.
  if (!fit) return table;
  const auto resize = [table] { table->resizeColumnsToContents(); };
  QObject::connect(model, &QAbstractItemModel::modelReset, table, resize, Qt::QueuedConnection);
  QTimer::singleShot(0, table, resize);
  return table;
}

// The whole field with a little room around it where it fits, else the part that has the focus.
void ScrollIntoSight(QScrollArea* scroll, QWidget* field) {
  const QRect area(field->mapTo(scroll->widget(), QPoint(0, 0)), field->size());
  const QSize room = scroll->viewport()->size() - area.size();
  if (room.width() < 0 || room.height() < 0) {
    scroll->ensureWidgetVisible(field);
    return;
  }
  scroll->ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + std::min(room.width() / 2, 12),
                        area.height() / 2 + std::min(room.height() / 2, 12));
}

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

StationWindow::StationWindow(QWidget* parent)
    : QMainWindow(parent), document_(new StationDocument(this)), nearField_(new NearFieldService(document_, this)) {
  setObjectName(QStringLiteral("stationWindow"));
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(makeInputs());
  splitter->addWidget(makeOutputs());
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  // On a screen smaller than the window's least size (a laptop at twice the scale), the window
  // still fits the screen, and scrolls.
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(splitter);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  setCentralWidget(scroll);
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("problem"));
  problem_->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold"));
  // A long message must not widen the window.
  problem_->setMinimumWidth(1);
  problem_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(problem_, 1);
  makeActions();
  limitTexts();
  setAcceptDrops(true);

  connect(document_, &StationDocument::changed, this, &StationWindow::refresh);
  connect(document_, &StationDocument::pathChanged, this, &StationWindow::updateTitle);
  connect(document_->undoStack(), &QUndoStack::cleanChanged, this, &StationWindow::updateTitle);
  connect(stationForm_, &StationForm::problemChanged, this, &StationWindow::showProblem);
  connect(placesPane_, &PlacesPane::problem, this, &StationWindow::showProblem);
  connect(document_, &StationDocument::refused, this, &StationWindow::showProblem);
  connect(transmittersPane_, &TransmittersPane::problemChanged, this, &StationWindow::showProblem);
  // Said once in the status bar; the near field's own bar keeps saying it while it holds.
  connect(nearField_, &NearFieldService::newProblem, this, [this](const QString& problem) {
    statusBar()->showMessage(tr("No near field for %1. The far-field results stand.").arg(problem), 15000);
  });
  connect(plotBand_, &QComboBox::currentIndexChanged, this, &StationWindow::refreshPlot);
  connect(results_, &QTableView::activated, this, [this](const QModelIndex& index) {
    const auto band = resultsModel_->bandAt(index.row());
    const int at = plotBand_->findData(QPoint(static_cast<int>(band.first), static_cast<int>(band.second)));
    if (at >= 0) plotBand_->setCurrentIndex(at);
  });
  followRecovery();
  // Orderly ends that do not pass through closeEvent: the session's, and the application's.
  connect(qApp, &QGuiApplication::commitDataRequest, this, &StationWindow::keepForNextStart);
  connect(qApp, &QCoreApplication::aboutToQuit, this, &StationWindow::writeSettings);
  readSettings();
  refresh();
  updateTitle();
  stationForm_->firstField()->setFocus();
}

StationWindow::~StationWindow() {
  // An editor still open commits as the widgets go, while this window is whole; nothing may
  // follow that edit now.
  document_->blockSignals(true);
  document_->undoStack()->blockSignals(true);
  delete takeCentralWidget();
}

QWidget* StationWindow::makeInputs() {
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("inputs"));
  stationForm_ = new StationForm(document_, tabs_);
  auto* stationScroll = new QScrollArea(tabs_);
  stationScroll->setWidget(stationForm_);
  stationScroll->setWidgetResizable(true);
  stationScroll->setFrameShape(QFrame::NoFrame);
  stationScroll->setFocusPolicy(Qt::NoFocus);  // its fields are the stops, not the frame around them
  stationScroll->setMinimumWidth(stationForm_->minimumSizeHint().width() +
                                 stationScroll->verticalScrollBar()->sizeHint().width());
  placesPane_ = new PlacesPane(document_, tabs_);
  transmittersPane_ = new TransmittersPane(document_, nearField_, tabs_);
  tabs_->addTab(stationScroll, tr("&Station"));
  tabs_->addTab(placesPane_, tr("&Places"));
  tabs_->addTab(transmittersPane_, tr("&Transmitters"));
  // A field reached by Tab or its mnemonic is scrolled into sight.
  connect(qApp, &QApplication::focusChanged, tabs_, [this](QWidget*, QWidget* now) {
    if (now == nullptr || !tabs_->isAncestorOf(now)) return;
    for (QWidget* w = now->parentWidget(); w != nullptr && w != tabs_; w = w->parentWidget()) {
      if (auto* scroll = qobject_cast<QScrollArea*>(w); scroll != nullptr && scroll->widget()->isAncestorOf(now)) {
        ScrollIntoSight(scroll, now);
      }
    }
  });
  return tabs_;
}

QWidget* StationWindow::makeOutputs() {
  auto* outputs = new QSplitter(Qt::Vertical, this);
  outputs->setChildrenCollapsible(false);

  auto* top = new QWidget(outputs);
  verdictModel_ = new VerdictModel(document_, this, nearField_);
  verdicts_ = ResultTable(verdictModel_, "verdicts", top, false);
  verdicts_->setAccessibleName(tr("Verdict at each place"));
  // A few short rows: the place, verdict and share fit their words, the transmitters behind the
  // share take the rest (and scroll when the window is too narrow for all).
  const auto fitColumns = [this] {
    for (const int column : {VerdictModel::kPlace, VerdictModel::kVerdict, VerdictModel::kShare, VerdictModel::kNearField}) {
      if (column < verdictModel_->columnCount()) {
        verdicts_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
      }
    }
    verdicts_->horizontalHeader()->setSectionResizeMode(VerdictModel::kFrom, QHeaderView::Stretch);
  };
  fitColumns();
  connect(verdictModel_, &QAbstractItemModel::modelReset, verdicts_, fitColumns);
  verdicts_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(verdicts_->horizontalScrollBar(), &QScrollBar::rangeChanged, this, &StationWindow::fitVerdicts);
  views_ = new QTabWidget(top);
  views_->setObjectName(QStringLiteral("views"));
  views_->setDocumentMode(true);
  auto* plotPage = new QWidget(views_);
  plotBand_ = new QComboBox(plotPage);
  plotBand_->setObjectName(QStringLiteral("plotBand"));
  plotBand_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  plot_ = new PlotView(plotPage);
  // Room for the plot's texts when the window is at its smallest.
  plot_->setMinimumSize(400, 330);
  plot_->setAccessibleName(tr("Power density plot"));
  auto* plotLayout = new QVBoxLayout(plotPage);
  plotLayout->setContentsMargins(0, 4, 0, 0);  // the tab's frame is margin enough
  plotLayout->addWidget(plot_, 1);
  auto* key = new QLabel(tr("Solid: the power density. Dashed: each limit; a dot where it is met. Dotted: the places, "
                            "named with their share and verdict."),
                         plotPage);
  key->setWordWrap(true);
  plotLayout->addWidget(key);
  nearFieldPane_ = new NearFieldPane(document_, nearField_, views_);
  views_->addTab(plotPage, tr("Power density"));
  views_->addTab(nearFieldPane_, tr("Near field"));
  // The plot's band beside the tabs, where it takes no room from the plot.
  auto* choices = new QStackedWidget(views_);
  auto* bandRow = new QWidget(choices);
  auto* bandLayout = new QHBoxLayout(bandRow);
  bandLayout->setContentsMargins(0, 0, 0, 0);
  bandLayout->addWidget(Buddy(tr("Plot &band:"), plotBand_, bandRow));
  bandLayout->addWidget(plotBand_);
  choices->addWidget(bandRow);
  choices->addWidget(new QWidget(choices));
  views_->setCornerWidget(choices, Qt::TopRightCorner);
  connect(views_, &QTabWidget::currentChanged, choices, &QStackedWidget::setCurrentIndex);
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(0, 0, 0, 0);
  topLayout->addWidget(Buddy(tr("&Verdict at each place:"), verdicts_, top));
  topLayout->addWidget(verdicts_);
  areaNote_ = new QLabel(top);
  areaNote_->setObjectName(QStringLiteral("areaNote"));
  areaNote_->setWordWrap(true);
  topLayout->addWidget(areaNote_);
  topLayout->addWidget(views_, 1);

  auto* bottom = new QWidget(outputs);
  resultsModel_ = new ResultsModel(document_, this, nearField_);
  results_ = ResultTable(resultsModel_, "results", bottom, true);
  results_->setAccessibleName(tr("Results by transmitter and band"));
  auto* bottomLayout = new QVBoxLayout(bottom);
  bottomLayout->setContentsMargins(0, 0, 0, 0);
  bottomLayout->addWidget(Buddy(tr("Res&ults by transmitter and band (Enter plots a row's band):"), results_, bottom));
  bottomLayout->addWidget(results_);
  reactiveNote_ = new QLabel(TrQ(kReactiveNearFieldNote), bottom);
  reactiveNote_->setObjectName(QStringLiteral("reactiveNote"));
  reactiveNote_->setWordWrap(true);
  bottomLayout->addWidget(reactiveNote_);
  outputs->addWidget(top);
  outputs->addWidget(bottom);
  outputs->setStretchFactor(0, 3);
  outputs->setStretchFactor(1, 2);
  return outputs;
}

void StationWindow::refresh() {
  const Station& station = document_->station();
  QStringList areas;
  bool outside = false;
  const WindowNumbers numbers;
  for (const AreaCheck& a : CheckControllableArea(station, document_->result())) {
    areas << QString::fromStdString(ControllableAreaText(station, document_->result(), a));
    outside = outside || !a.check.inside;
  }
  areaNote_->setText(areas.join(QLatin1Char('\n')));
  areaNote_->setStyleSheet(outside ? QStringLiteral("color: #b00020; font-weight: bold") : QString());
  areaNote_->setVisible(!areas.isEmpty());
  const auto& transmitters = document_->result().transmitters;
  reactiveNote_->setVisible(std::any_of(transmitters.begin(), transmitters.end(), [](const TransmitterResult& t) {
    return std::any_of(t.bands.begin(), t.bands.end(), InReactiveNearField);
  }));
  refreshPlotChoices();
  refreshPlot();
  fitVerdicts();
}

void StationWindow::fitVerdicts() {
  // The verdicts take the room of their rows, up to six, and of the scroll bar when it shows.
  const int rows = std::clamp(verdictModel_->rowCount(), 1, 6);
  QScrollBar* bar = verdicts_->horizontalScrollBar();
  verdicts_->setFixedHeight(verdicts_->horizontalHeader()->sizeHint().height() +
                            rows * verdicts_->verticalHeader()->defaultSectionSize() + 2 * verdicts_->frameWidth() +
                            (bar->maximum() > 0 ? bar->sizeHint().height() : 0));
}

void StationWindow::refreshPlotChoices() {
  const Station& s = document_->station();
  const StationResult& r = document_->result();
  QStringList labels;
  QList<QPoint> bands;
  const auto worst = WorstBand(r);
  labels << (worst ? tr("Worst: %1 on %2")
                         .arg(QString::fromStdString(s.transmitters[worst->first].name),
                              TrQ(r.transmitters[worst->first].bands[worst->second].band))
                   : tr("Worst band"));
  bands << QPoint(-1, -1);
  for (std::size_t t = 0; t < r.transmitters.size(); ++t) {
    for (std::size_t b = 0; b < r.transmitters[t].bands.size(); ++b) {
      if (!r.transmitters[t].bands[b].problem.empty()) continue;
      labels << tr("%1 on %2")
                    .arg(QString::fromStdString(s.transmitters[t].name), TrQ(r.transmitters[t].bands[b].band));
      bands << QPoint(static_cast<int>(t), static_cast<int>(b));
    }
  }
  ShowBandChoices(plotBand_, labels, bands);
}

void StationWindow::refreshPlot() {
  const Station& s = document_->station();
  const StationResult& r = document_->result();
  QPoint chosen = plotBand_->currentData().toPoint();
  if (chosen.x() < 0) {
    const auto worst = WorstBand(r);
    if (!worst) {
      plot_->showPlot(s, std::nullopt, tr("No band of the station can be evaluated under these rules"));
      return;
    }
    chosen = QPoint(static_cast<int>(worst->first), static_cast<int>(worst->second));
  }
  const auto t = static_cast<std::size_t>(chosen.x());
  const auto b = static_cast<std::size_t>(chosen.y());
  const auto plot = MakePlot(s, r, t, b);
  QString title;
  if (plot) {
    const BandResult& band = r.transmitters[t].bands[b];
    const QString name = QString::fromStdString(s.transmitters[t].name);
    title = band.lowMHz == band.highMHz
                ? tr("%1 on %2").arg(name, TrQ(band.band))
                // TRANSLATORS: the plot's title: a transmitter's name, its band, the band's edges in MHz
                : tr("%1 on %2 (%3-%4 MHz)")
                      .arg(name, TrQ(band.band), LocalNum(FormatGeneral(band.lowMHz, 10)),
                           LocalNum(FormatGeneral(band.highMHz, 10)));
  }
  plot_->showPlot(s, plot, title);
}

void StationWindow::showProblem(const QString& message) { problem_->setText(message); }

void StationWindow::limitTexts() {
  // As long as a station file may hold them; typing and pasting stop there, so that every text
  // the window takes stays quick to show and the file opens again.
  const struct {
    const char* name;
    std::size_t length;
  } fields[] = {{"callsign", kMaxCallsignLength}, {"transmitterName", kMaxNameLength}};
  for (const auto& field : fields) {
    findChild<QLineEdit*>(QLatin1String(field.name))->setMaxLength(static_cast<int>(field.length));
  }
  findChild<LimitedTextEdit*>(QStringLiteral("location"))->setMaxLength(static_cast<int>(kMaxLocationLength));
}

void StationWindow::fitScreen() {
  // Room for a title bar and borders, which are not known before the window is shown.
  constexpr int kFrameWidth = 16, kFrameHeight = 48;
  const QRect room = screen()->availableGeometry();
  const QSize most(room.width() - kFrameWidth, room.height() - kFrameHeight);
  if (width() > most.width() || height() > most.height()) resize(size().boundedTo(most));
  const QRect frame = frameGeometry().size().isEmpty() ? geometry() : frameGeometry();
  if (!room.contains(frame)) move(room.center() - QPoint(width() / 2, height() / 2));
}

void StationWindow::updateTitle() {
  const QString path = document_->path();
  const QString name = path.isEmpty() ? tr("Untitled station") : QFileInfo(path).fileName();
  setWindowTitle(tr("%1[*] - ZENTO Station").arg(name));
  setWindowModified(document_->modified());
}

}  // namespace zento::station
