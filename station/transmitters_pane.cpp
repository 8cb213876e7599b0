#include "station/transmitters_pane.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "station/station_document.h"
#include "station/station_edits.h"
#include "station/transmitter_form.h"

namespace zento::station {

TransmittersModel::TransmittersModel(StationDocument* document, QObject* parent)
    : QAbstractListModel(parent),
      document_(document),
      rows_(static_cast<int>(document->station().transmitters.size())) {
  connect(document_, &StationDocument::changed, this, &TransmittersModel::refresh);
}

void TransmittersModel::refresh() {
  const int rows = static_cast<int>(document_->station().transmitters.size());
  if (rows != rows_) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  } else if (rows > 0) {
    emit dataChanged(index(0), index(rows - 1), {Qt::DisplayRole});
  }
}

int TransmittersModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant TransmittersModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return QString::fromStdString(document_->station().transmitters[static_cast<std::size_t>(index.row())].name);
}

TransmittersPane::TransmittersPane(StationDocument* document, NearFieldService* service, QWidget* parent)
    : QWidget(parent), document_(document), model_(new TransmittersModel(document, this)) {
  list_ = new QListView(this);
  list_->setObjectName(QStringLiteral("transmitters"));
  list_->setModel(model_);
  list_->setMaximumHeight(list_->fontMetrics().lineSpacing() * 4 + 8);
  list_->setAccessibleName(tr("Transmitters"));
  auto* add = new QPushButton(tr("A&dd"), this);
  add->setObjectName(QStringLiteral("addTransmitter"));
  add->setToolTip(tr("Add a transmitter (Insert in the list)"));
  auto* duplicate = new QPushButton(tr("Dupli&cate"), this);
  duplicate->setObjectName(QStringLiteral("duplicateTransmitter"));
  auto* remove = new QPushButton(tr("&Remove"), this);
  remove->setObjectName(QStringLiteral("removeTransmitter"));
  remove->setToolTip(tr("Remove the chosen transmitter (Delete in the list)"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(duplicate);
  buttons->addWidget(remove);
  buttons->addStretch();
  auto* label = new QLabel(tr("Transm&itters:"), this);
  label->setBuddy(list_);
  auto* top = new QGridLayout;
  top->addWidget(label, 0, 0);
  top->addWidget(list_, 1, 0);
  top->addLayout(buttons, 1, 1);
  top->setColumnStretch(0, 1);

  form_ = new TransmitterForm(document, service, this);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(form_);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  // Wide enough for every field whole (the Mode box's longest mode); it scrolls only up and down.
  scroll->setMinimumWidth(form_->minimumSizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(scroll, 1);

  connect(form_, &TransmitterForm::problemChanged, this, &TransmittersPane::problemChanged);
  connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { form_->setTransmitter(current.isValid() ? current.row() : -1); });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] { select(form_->transmitter()); });
  connect(add, &QPushButton::clicked, this, [this] {
    change(
        [](const Station& s, std::size_t& index) {
          Station after = s;
          index = AddTransmitter(after);
          return after;
        },
        tr("Add Transmitter"), false);
  });
  connect(duplicate, &QPushButton::clicked, this, [this] {
    change(
        [](const Station& s, std::size_t& index) {
          Station after = s;
          index = DuplicateTransmitter(after, index);
          return after;
        },
        tr("Duplicate Transmitter"), true);
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    change(
        [](const Station& s, std::size_t& index) {
          Station after = s;
          RemoveTransmitter(after, index);
          if (index >= after.transmitters.size() && index > 0) --index;
          return after;
        },
        tr("Remove Transmitter"), true);
  });
  // Insert and Delete in the list add and remove, as in a file manager.
  const auto key = [this](QKeySequence sequence, QPushButton* button) {
    auto* action = new QAction(list_);
    action->setShortcut(sequence);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, button, &QPushButton::click);
    list_->addAction(action);
  };
  key(QKeySequence(Qt::Key_Insert), add);
  key(QKeySequence::Delete, remove);
  select(document_->station().transmitters.empty() ? -1 : 0);
}

void TransmittersPane::change(Station (*edit)(const Station&, std::size_t&), const QString& what, bool needsChoice) {
  const Station& s = document_->station();
  const int current = form_->transmitter();
  if (needsChoice && current < 0) return;
  std::size_t index = current < 0 ? 0 : static_cast<std::size_t>(current);
  const Station after = edit(s, index);
  document_->edit(after, what);
  select(after.transmitters.empty() ? -1 : static_cast<int>(index));
}

void TransmittersPane::select(int index) {
  const int rows = model_->rowCount();
  if (index >= rows) index = rows - 1;
  if (index < 0 && rows > 0) index = 0;
  form_->setTransmitter(index);
  if (index >= 0) list_->setCurrentIndex(model_->index(index));
}

}  // namespace zento::station
