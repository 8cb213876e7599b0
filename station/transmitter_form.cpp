#include "station/transmitter_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/bands.h"
#include "core/feedline.h"
#include "core/number_text.h"
#include "core/operating.h"
#include "report/station_text.h"
#include "station/antenna_editor.h"
#include "station/local_text.h"
#include "station/number_field.h"
#include "station/station_document.h"
#include "station/station_edits.h"

namespace zento::station {
namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const int kDutyGiven = static_cast<int>(kOperatingModes.size());

// The rows of a checkable list: its labels, names and checks.
struct ListRows {
  QStringList labels, names, tips;
  std::vector<bool> checked;
};

// Rebuilds the list only when its rows change, so the current row and scrolling stay.
void ShowRows(QListWidget* list, const ListRows& rows) {
  const QSignalBlocker block(list);
  bool same = list->count() == rows.labels.size();
  for (int i = 0; same && i < list->count(); ++i) same = list->item(i)->text() == rows.labels[i];
  if (!same) {
    const int current = list->currentRow();
    list->clear();
    for (int i = 0; i < rows.labels.size(); ++i) {
      auto* item = new QListWidgetItem(rows.labels[i], list);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    if (list->count() > 0) list->setCurrentRow(std::clamp(current, 0, list->count() - 1));
  }
  for (int i = 0; i < list->count(); ++i) {
    list->item(i)->setData(Qt::UserRole, rows.names[i]);
    if (i < rows.tips.size()) list->item(i)->setToolTip(rows.tips[i]);
    list->item(i)->setCheckState(rows.checked[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
  }
}

QComboBox* Combo(QWidget* parent, const char* name) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QLatin1String(name));
  // Long cable and mode names must not widen the form; the open list shows them whole.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(12);
  return combo;
}

// The fields of all groups in one column: every label as wide as the widest.
void AlignLabels(QWidget* form) {
  QList<QWidget*> labels;
  int width = 0;
  for (QFormLayout* layout : form->findChildren<QFormLayout*>()) {
    for (int row = 0; row < layout->rowCount(); ++row) {
      if (QLayoutItem* item = layout->itemAt(row, QFormLayout::LabelRole); item != nullptr && item->widget()) {
        labels << item->widget();
        width = std::max(width, item->widget()->sizeHint().width());
      }
    }
  }
  for (QWidget* label : labels) label->setMinimumWidth(width);
}

}  // namespace

TransmitterForm::TransmitterForm(StationDocument* document, NearFieldService* service, QWidget* parent)
    : QWidget(parent), document_(document) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(makeTransmitterBox());
  layout->addWidget(makeBandsBox());
  layout->addWidget(makeFeedlineBox());
  antenna_ = new AntennaEditor(document_, service, this);
  connect(antenna_, &AntennaEditor::problemChanged, this, &TransmitterForm::showProblem);
  layout->addWidget(antenna_);
  layout->addStretch();
  AlignLabels(this);
  connectFields();
  connect(document_, &StationDocument::changed, this, &TransmitterForm::refresh);
  refresh();
}

NumberField* TransmitterForm::numberField(const char* name, const QString& what, Range range, bool optional) {
  auto* field = new NumberField(what, range, optional, this);
  field->setObjectName(QLatin1String(name));
  connect(field, &NumberField::problemChanged, this, &TransmitterForm::showProblem);
  return field;
}

QWidget* TransmitterForm::makeTransmitterBox() {
  auto* box = new QGroupBox(tr("Transmitter"), this);
  name_ = new QLineEdit(box);
  name_->setObjectName(QStringLiteral("transmitterName"));
  power_ = numberField("power", tr("Power"), kPowerRange, false);
  mode_ = Combo(box, "mode");
  // A mode's name is its meaning: shown whole ("SSB, conversational, heavy speech processing").
  // (A minimum contents length would let the layout shrink it to that length.)
  mode_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  mode_->setMinimumContentsLength(0);
  for (const auto& mode : kOperatingModes) {
    // TRANSLATORS: an operating mode and its duty factor in percent ("SSB, conversational (20 %)")
    mode_->addItem(tr("%1 (%2 %)").arg(TrQ(mode.label), LocalNum(FormatGeneral(mode.dutyPercent, 6))));
  }
  mode_->addItem(tr("Duty factor given below"));
  duty_ = numberField("duty", tr("Duty factor"), kDutyRange, true);
  duty_->setPlaceholderText(QStringLiteral("100"));
  txMinutes_ = numberField("txMinutes", tr("TX time"), kTxMinutesRange, true);
  txMinutes_->setPlaceholderText(tr("transmitting throughout"));
  timeUnit_ = Combo(box, "timeUnit");  // before RX: Tab takes the row's order
  timeUnit_->addItems({tr("minutes"), tr("seconds")});
  timeUnit_->setAccessibleName(tr("TX and RX times in"));
  rxMinutes_ = numberField("rxMinutes", tr("RX time"), kMinutesRange, true);
  rxMinutes_->setPlaceholderText(QStringLiteral("0"));
  auto* txRow = new QHBoxLayout;
  txRow->addWidget(txMinutes_, 1);
  txRow->addWidget(timeUnit_);
  auto* form = new QFormLayout(box);
  form->addRow(tr("&Name:"), name_);
  form->addRow(tr("P&ower (W PEP):"), power_);
  form->addRow(tr("&Mode:"), mode_);
  form->addRow(tr("Dut&y factor (%):"), duty_);
  form->addRow(tr("T&X time per cycle:"), txRow);
  form->addRow(tr("RX time per cycle:"), rxMinutes_);
  qobject_cast<QLabel*>(form->labelForField(txRow))->setBuddy(txMinutes_);
  return box;
}

QWidget* TransmitterForm::makeBandsBox() {
  auto* box = new QGroupBox(tr("Bands"), this);
  bands_ = new QListWidget(box);
  bands_->setObjectName(QStringLiteral("bands"));
  bands_->setAccessibleName(tr("Bands"));
  // A grid of the band names, all in view.
  bands_->setFlow(QListView::LeftToRight);
  bands_->setWrapping(true);
  bands_->setResizeMode(QListView::Adjust);
  bands_->setGridSize(QSize(bands_->fontMetrics().horizontalAdvance(QStringLiteral("1.25m")) + 34,
                            bands_->fontMetrics().lineSpacing() + 6));
  bands_->setFixedHeight(bands_->gridSize().height() * 6 + 6);
  frequencies_ = new QLineEdit(box);
  frequencies_->setObjectName(QStringLiteral("frequencies"));
  frequencies_->setPlaceholderText(tr("e.g. 14.2, 146.52"));
  simultaneous_ = new QListWidget(box);
  simultaneous_->setObjectName(QStringLiteral("simultaneous"));
  simultaneous_->setAccessibleName(tr("At the same time as"));
  simultaneous_->setMaximumHeight(simultaneous_->fontMetrics().lineSpacing() * 4 + 8);
  auto* form = new QFormLayout(box);
  form->addRow(tr("Bands (chec&k with Space):"), bands_);
  form->addRow(tr("Other fre&quencies (MHz):"), frequencies_);
  form->addRow(tr("At the same time as:"), simultaneous_);
  return box;
}

QWidget* TransmitterForm::makeFeedlineBox() {
  auto* box = new QGroupBox(tr("Feedline"), this);
  feedKind_ = Combo(box, "feedlineKind");
  feedKind_->addItems({tr("Cable from the table"), tr("Loss per 100 feet"), tr("Matched loss of the whole run")});
  cable_ = Combo(box, "cable");
  for (std::size_t row = 0; row < CountCables(kCableTable); ++row) cable_->addItem(TrQ(kCableTable[row].name));
  length_ = numberField("length", tr("Length"), kCableLengthRange, false);
  lengthUnit_ = Combo(box, "lengthUnit");
  lengthUnit_->addItems({tr("feet"), tr("meters")});
  lossPer100_ = numberField("lossPer100", tr("Loss per 100 feet"), kLossPer100FeetRange, false);
  totalLoss_ = numberField("matchedLoss", tr("Matched loss"), kLossRange, false);
  swr_ = numberField("swr", tr("SWR"), kSwrRange, false);
  otherLoss_ = numberField("otherLoss", tr("Other loss"), kLossRange, false);
  auto* lengthRow = new QHBoxLayout;
  lengthRow->addWidget(length_, 1);
  lengthRow->addWidget(lengthUnit_);
  auto* form = new QFormLayout(box);
  form->addRow(tr("Feedline kind:"), feedKind_);
  form->addRow(tr("Cable:"), cable_);
  form->addRow(tr("&Length:"), lengthRow);
  form->addRow(tr("Loss per &100 feet (dB):"), lossPer100_);
  form->addRow(tr("Matched loss (dB):"), totalLoss_);
  form->addRow(tr("S&WR at the antenna:"), swr_);
  form->addRow(tr("Other loss (dB):"), otherLoss_);
  qobject_cast<QLabel*>(form->labelForField(lengthRow))->setBuddy(length_);
  return box;
}

template <typename Change>
void TransmitterForm::editTransmitter(const QString& what, const QString& key, Change change) {
  if (index_ < 0) return;
  Station s = document_->station();
  change(s, s.transmitters[static_cast<std::size_t>(index_)]);
  document_->edit(s, what, key.isEmpty() ? key : QStringLiteral("tx%1.%2").arg(index_).arg(key));
}

void TransmitterForm::connectFields() {
  using Field = std::optional<double>;
  const auto number = [this](NumberField* field, const QString& what, const char* key, auto set) {
    connect(field, &NumberField::valueEdited, this, [this, what, key, set](Field v) {
      editTransmitter(what, QLatin1String(key), [&](Station&, Transmitter& t) { set(t, v); });
    });
  };
  number(power_, tr("Power"), "power", [](Transmitter& t, Field v) { t.powerWatts = *v; });
  number(duty_, tr("Duty Factor"), "duty", [](Transmitter& t, Field v) { t.dutyPercent = v; });
  number(txMinutes_, tr("TX Minutes"), "tx", [](Transmitter& t, Field v) {
    t.txMinutes = v;
    if (!v) t.rxMinutes.reset();
  });
  number(rxMinutes_, tr("RX Minutes"), "rx", [](Transmitter& t, Field v) { t.rxMinutes = v; });
  number(length_, tr("Feedline Length"), "length", [](Transmitter& t, Field v) { t.feedline.length = *v; });
  number(lossPer100_, tr("Loss per 100 Feet"), "loss100",
         [](Transmitter& t, Field v) { t.feedline.lossDbPer100Feet = *v; });
  number(totalLoss_, tr("Matched Loss"), "loss", [](Transmitter& t, Field v) { t.feedline.totalLossDb = *v; });
  number(swr_, tr("SWR"), "swr", [](Transmitter& t, Field v) { t.feedline.swr = *v; });
  number(otherLoss_, tr("Other Loss"), "other", [](Transmitter& t, Field v) { t.feedline.otherLossDb = *v; });

  connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const std::string name = text.toStdString();
    nameProblem_ = TrQ(NameProblem(document_->station(), static_cast<std::size_t>(index_), name));
    const QString problem = nameProblem_.isEmpty() ? QString() : tr("Name: %1").arg(nameProblem_);
    SetRefusedText(name_, problem);
    showProblem(problem);
    if (!nameProblem_.isEmpty()) return;
    editTransmitter(tr("Transmitter Name"), QStringLiteral("name"),
                    [&](Station& s, Transmitter&) { RenameTransmitter(s, static_cast<std::size_t>(index_), name); });
  });
  connect(mode_, &QComboBox::activated, this, [this](int row) {
    const double duty = document_->result().transmitters[static_cast<std::size_t>(index_)].dutyPercent;
    editTransmitter(tr("Mode"), {}, [&](Station&, Transmitter& t) {
      if (row == kDutyGiven) {
        t.mode.clear();
        t.dutyPercent = duty;  // the figure stays until the user changes it
      } else {
        t.mode = std::string(kOperatingModes[static_cast<std::size_t>(row)].key);
        t.dutyPercent.reset();
      }
    });
  });
  connect(bands_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    const std::string name = item->data(Qt::UserRole).toString().toStdString();
    const bool on = item->checkState() == Qt::Checked;
    editTransmitter(on ? tr("Add Band") : tr("Remove Band"), {},
                    [&](Station& s, Transmitter& t) { SetBand(t, BandsFor(s.rules), name, on); });
  });
  connect(frequencies_, &QLineEdit::textEdited, this, [this](const QString& text) {
    std::string error;
    const auto frequencies = ParseFrequencies(text.toStdString(), error);
    frequencyProblem_ = frequencies ? QString() : tr("Other frequencies: %1").arg(TrQ(error));
    SetRefusedText(frequencies_, frequencyProblem_);
    showProblem(frequencyProblem_);
    if (!frequencies) return;
    editTransmitter(tr("Frequencies"), QStringLiteral("frequencies"),
                    [&](Station&, Transmitter& t) { SetFrequencies(t, *frequencies); });
  });
  connect(simultaneous_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    const std::size_t other = item->data(Qt::UserRole).toUInt();
    const bool on = item->checkState() == Qt::Checked;
    editTransmitter(tr("At the Same Time"), {},
                    [&](Station& s, Transmitter&) { SetSimultaneous(s, static_cast<std::size_t>(index_), other, on); });
  });
  connect(feedKind_, &QComboBox::activated, this, [this](int row) {
    editTransmitter(tr("Feedline"), {}, [&](Station&, Transmitter& t) {
      t.feedline.kind = static_cast<FeedlineKind>(row);
      if (t.feedline.kind == FeedlineKind::kCable && t.feedline.cableRow < 0) t.feedline.cableRow = 0;
    });
  });
  connect(cable_, &QComboBox::activated, this, [this](int row) {
    editTransmitter(tr("Cable"), {}, [&](Station&, Transmitter& t) { t.feedline.cableRow = row; });
  });
  connect(timeUnit_, &QComboBox::activated, this, [this](int row) {
    editTransmitter(tr("Time Unit"), {}, [&](Station&, Transmitter& t) { t.timesInSeconds = row == 1; });
  });
  connect(lengthUnit_, &QComboBox::activated, this, [this](int row) {
    editTransmitter(tr("Length Unit"), {}, [&](Station&, Transmitter& t) {
      t.feedline.lengthUnit = row == 0 ? LengthUnit::kFeet : LengthUnit::kMeters;
    });
  });
}

void TransmitterForm::showProblem(const QString& message) { emit problemChanged(message); }

void TransmitterForm::setTransmitter(int index) {
  if (index == index_) return;
  index_ = index;
  antenna_->setTransmitter(index);
  nameProblem_.clear();
  frequencyProblem_.clear();
  SetRefusedText(name_, {});
  SetRefusedText(frequencies_, {});
  refresh();
}

void TransmitterForm::refresh() {
  const Station& s = document_->station();
  if (index_ >= static_cast<int>(s.transmitters.size())) index_ = static_cast<int>(s.transmitters.size()) - 1;
  setEnabled(index_ >= 0);
  if (index_ < 0) return;
  const auto i = static_cast<std::size_t>(index_);
  const Transmitter& t = s.transmitters[i];
  if (nameProblem_.isEmpty() && name_->text().toStdString() != t.name) name_->setText(QString::fromStdString(t.name));
  power_->showValue(t.powerWatts);
  const bool dutyGiven = !FindMode(t.mode) || t.dutyPercent;
  int modeRow = kDutyGiven;
  for (std::size_t m = 0; m < kOperatingModes.size() && !dutyGiven; ++m) {
    if (kOperatingModes[m].key == t.mode) modeRow = static_cast<int>(m);
  }
  mode_->setCurrentIndex(modeRow);
  duty_->setEnabled(dutyGiven);
  duty_->showValue(dutyGiven ? t.dutyPercent : std::optional(document_->result().transmitters[i].dutyPercent));
  timeUnit_->setCurrentIndex(t.timesInSeconds ? 1 : 0);
  for (NumberField* field : {txMinutes_, rxMinutes_}) {
    field->setScale(t.timesInSeconds ? 60.0 : 1.0, t.timesInSeconds ? tr(" seconds") : tr(" minutes"));
  }
  txMinutes_->showValue(t.txMinutes);
  rxMinutes_->setEnabled(t.txMinutes.has_value());
  rxMinutes_->showValue(t.rxMinutes);

  const Feedline& f = t.feedline;
  feedKind_->setCurrentIndex(static_cast<int>(f.kind));
  cable_->setEnabled(f.kind == FeedlineKind::kCable);
  cable_->setCurrentIndex(f.cableRow);
  length_->setEnabled(f.kind != FeedlineKind::kTotalLoss);
  lengthUnit_->setEnabled(f.kind != FeedlineKind::kTotalLoss);
  length_->showValue(f.length);
  lengthUnit_->setCurrentIndex(f.lengthUnit == LengthUnit::kFeet ? 0 : 1);
  lossPer100_->setEnabled(f.kind == FeedlineKind::kLossPer100Feet);
  lossPer100_->showValue(f.lossDbPer100Feet);
  totalLoss_->setEnabled(f.kind == FeedlineKind::kTotalLoss);
  totalLoss_->showValue(f.totalLossDb);
  swr_->showValue(f.swr);
  otherLoss_->showValue(f.otherLossDb);

  if (frequencyProblem_.isEmpty()) {
    const QString text = QString::fromStdString(FrequenciesText(Frequencies(t)));
    if (text != frequencies_->text()) frequencies_->setText(text);
  }
  refreshLists();
}

void TransmitterForm::refreshLists() {
  const Station& s = document_->station();
  const auto i = static_cast<std::size_t>(index_);
  const Transmitter& t = s.transmitters[i];
  ListRows bands;
  for (const AmateurBand& band : BandsFor(s.rules)) {
    bands.labels << TrQ(band.name);
    // TRANSLATORS: a band's edges
    bands.tips << tr("%1-%2 MHz").arg(LocalNum(FrequencyText(band.lowMHz)), LocalNum(FrequencyText(band.highMHz)));
    bands.names << Text(band.name);
    bands.checked.push_back(HasBand(t, std::string(band.name)));
  }
  for (const std::string& name : UnallocatedBands(t, BandsFor(s.rules))) {
    bands.labels << tr("%1 (n/a)").arg(TrQ(name));
    bands.tips << tr("No such band under %1: it is not evaluated").arg(TrQ(Info(s.rules).name));
    bands.names << QString::fromStdString(name);
    bands.checked.push_back(true);
  }
  ShowRows(bands_, bands);

  ListRows others;
  for (std::size_t u = 0; u < s.transmitters.size(); ++u) {
    if (u == i) continue;
    others.labels << QString::fromStdString(s.transmitters[u].name);
    others.names << QString::number(u);
    others.checked.push_back(Simultaneous(s, i, u));
  }
  ShowRows(simultaneous_, others);
}

}  // namespace zento::station
