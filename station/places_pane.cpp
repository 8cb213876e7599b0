#include "station/places_pane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "core/number_text.h"
#include "report/station_text.h"
#include "station/local_text.h"
#include "station/number_field.h"
#include "station/station_document.h"
#include "station/station_edits.h"

namespace zento::station {
namespace {

QString EnvironmentLabel(const Station& s, Environment e) { return QString::fromStdString(EnvironmentName(s, e)); }

// The environment is chosen from a list, whose names follow the rules.
class EnvironmentDelegate : public QStyledItemDelegate {
 public:
  EnvironmentDelegate(StationDocument* document, QObject* parent) : QStyledItemDelegate(parent), document_(document) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* combo = new QComboBox(parent);
    for (const Environment e : kEnvironments) combo->addItem(EnvironmentLabel(document_->station(), e));
    return combo;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    static_cast<QComboBox*>(editor)->setCurrentIndex(index.data(Qt::EditRole).toInt());
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    model->setData(index, static_cast<QComboBox*>(editor)->currentIndex(), Qt::EditRole);
  }

 private:
  StationDocument* document_;
};

}  // namespace

PlacesModel::PlacesModel(StationDocument* document, QObject* parent) : StationTableModel(document, parent) {
  refresh();
}

std::pair<int, int> PlacesModel::layout() { return {static_cast<int>(document_->station().places.size()), kColumns}; }

QVariant PlacesModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  const Station& s = document_->station();
  const Place& p = s.places[static_cast<std::size_t>(index.row())];
  const auto length = [&](const std::optional<double>& meters) -> QVariant {
    return meters ? NumberField::format(*meters, true, s.units) : QString();
  };
  switch (index.column()) {
    case kName:
      return QString::fromStdString(p.name);
    case kEnvironment:
      return role == Qt::EditRole ? QVariant(static_cast<int>(p.environment)) : EnvironmentLabel(s, p.environment);
    case kDistance:
      return length(p.distanceMeters);
    case kHorizontal:
      return length(p.horizontalMeters);
    case kEast:
    case kNorth:
      return length(p.positionMeters ? std::optional((*p.positionMeters)[index.column() == kEast ? 0 : 1])
                                     : std::nullopt);
    case kHeight:
      if (role == Qt::DisplayRole && (p.horizontalMeters || p.positionMeters) && !p.heightMeters) {
        return tr("%1 (people)").arg(NumberField::format(s.personHeightMeters, true, s.units));
      }
      return length(p.heightMeters);
  }
  return {};
}

QVariant PlacesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  const QString unit = document_->station().units == LengthUnit::kFeet ? tr("ft") : tr("m");
  switch (section) {
    case kName:
      return tr("Place");
    case kEnvironment:
      return tr("Environment");
    case kDistance:
      return tr("Distance (%1)").arg(unit);
    case kHorizontal:
      return tr("From the mast (%1)").arg(unit);
    case kEast:
      return tr("East (%1)").arg(unit);
    case kNorth:
      return tr("North (%1)").arg(unit);
    case kHeight:
      return tr("Height (%1)").arg(unit);
  }
  return {};
}

Qt::ItemFlags PlacesModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
  // A height belongs to a place given by its distance from the mast or its place on the site.
  const Place& p = document_->station().places[static_cast<std::size_t>(index.row())];
  if (index.column() == kHeight && !p.horizontalMeters && !p.positionMeters) {
    flags &= ~Qt::ItemIsEditable;
  }
  return flags;
}

bool PlacesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  Station s = document_->station();
  Place& p = s.places[static_cast<std::size_t>(index.row())];
  const std::string text = value.toString().trimmed().toStdString();
  // A length is shown rounded; the editor hands back what it showed when nothing was typed, and
  // the place keeps its exact value.
  if (index.column() != kName && index.column() != kEnvironment &&
      value.toString().trimmed() == data(index, Qt::EditRole).toString()) {
    return true;
  }
  // Typed as the field beside it takes a number: with a point or the locale's decimal separator.
  const auto number = NumberField::read(value.toString(), QLocale());
  const std::optional<double> meters = number ? std::optional(ToMeters(*number, s.units)) : std::nullopt;
  const QString unit = s.units == LengthUnit::kFeet ? tr("feet") : tr("meters");
  const auto refuse = [&](const QString& what, const Range& range) {
    emit problem(tr("%1: expected a number from %2 to %3 %4")
                     .arg(what, LocalNum(FormatGeneral(FromMeters(range.min, s.units), 6)),
                          LocalNum(FormatGeneral(FromMeters(range.max, s.units), 6)), unit));
    return false;
  };
  QString what;
  switch (index.column()) {
    case kName:
      p.name = value.toString().toStdString();
      what = tr("Place Name");
      break;
    case kEnvironment:
      p.environment = value.toInt() == 0 ? Environment::kControlled : Environment::kUncontrolled;
      what = tr("Environment");
      break;
    case kDistance:
      if (text.empty() && !p.distanceMeters) return true;  // nothing to change: it has another one
      if (!meters || !kPlaceDistanceRange.Holds(*meters)) return refuse(tr("Distance"), kPlaceDistanceRange);
      p.distanceMeters = meters;
      p.horizontalMeters.reset();
      p.positionMeters.reset();
      p.heightMeters.reset();
      what = tr("Distance");
      break;
    case kHorizontal:
      if (text.empty() && !p.horizontalMeters) return true;
      if (!meters || !kDistanceRange.Holds(*meters)) return refuse(tr("From the mast"), kDistanceRange);
      p.horizontalMeters = meters;
      p.distanceMeters.reset();
      p.positionMeters.reset();
      what = tr("Distance From the Mast");
      break;
    case kEast:
    case kNorth: {
      if (text.empty() && !p.positionMeters) return true;
      if (!meters || !kSiteRange.Holds(*meters)) {
        return refuse(index.column() == kEast ? tr("East") : tr("North"), kSiteRange);
      }
      // The other coordinate stays; a place given another way starts at the origin.
      std::array<double, 2> at = p.positionMeters.value_or(std::array{0.0, 0.0});
      at[index.column() == kEast ? 0 : 1] = *meters;
      p.positionMeters = at;
      p.distanceMeters.reset();
      p.horizontalMeters.reset();
      what = tr("Place on the Site");
      break;
    }
    case kHeight:
      if (text.empty()) {
        p.heightMeters.reset();
      } else if (!meters || !kHeightRange.Holds(*meters)) {
        return refuse(tr("Height"), kHeightRange);
      } else {
        p.heightMeters = meters;
      }
      what = tr("Height");
      break;
  }
  emit problem({});
  document_->edit(s, what);
  return true;
}

PlacesPane::PlacesPane(StationDocument* document, QWidget* parent)
    : QWidget(parent), document_(document), model_(new PlacesModel(document, this)) {
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("places"));
  table_->setAccessibleName(tr("Where people are"));
  table_->setModel(model_);
  table_->setItemDelegateForColumn(PlacesModel::kEnvironment, new EnvironmentDelegate(document, table_));
  table_->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move within it
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
  table_->horizontalHeader()->setStretchLastSection(true);
  connect(
      model_, &QAbstractItemModel::modelReset, table_, [this] { table_->resizeColumnsToContents(); },
      Qt::QueuedConnection);
  QTimer::singleShot(0, table_, [this] { table_->resizeColumnsToContents(); });
  table_->verticalHeader()->hide();

  auto* label = new QLabel(tr("&Where people are (F2 edits a cell; give a distance, one from the mast, or the place "
                              "east and north of the site's origin, where the near field's view from above lets you "
                              "drag it):"),
                           this);
  label->setWordWrap(true);
  label->setBuddy(table_);
  auto* add = new QPushButton(tr("A&dd Place"), this);
  add->setObjectName(QStringLiteral("addPlace"));
  auto* remove = new QPushButton(tr("Re&move Place"), this);
  remove->setObjectName(QStringLiteral("removePlace"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(table_);
  layout->addLayout(buttons);

  connect(model_, &PlacesModel::problem, this, &PlacesPane::problem);
  connect(add, &QPushButton::clicked, this, [this] {
    Station s = document_->station();
    s.places.push_back(NewPlace(s));
    document_->edit(s, tr("Add Place"));
    const QModelIndex name = model_->index(model_->rowCount() - 1, PlacesModel::kName);
    table_->setCurrentIndex(name);
    table_->setFocus();
    table_->edit(name);
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    const int row = table_->currentIndex().row();
    Station s = document_->station();
    if (row < 0 || row >= static_cast<int>(s.places.size())) return;
    s.places.erase(s.places.begin() + row);
    document_->edit(s, tr("Remove Place"));
    if (model_->rowCount() > 0) table_->setCurrentIndex(model_->index(std::min(row, model_->rowCount() - 1), 0));
  });
}

}  // namespace zento::station
