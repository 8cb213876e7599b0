#include "station/results_models.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "core/number_text.h"
#include "core/thresholds.h"
#include "report/station_text.h"
#include "report/translation.h"
#include "station/local_text.h"
#include "station/near_field_service.h"
#include "station/station_document.h"

namespace zento::station {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

const QColor kExceedsText(0xb0, 0x00, 0x20);
const QColor kExceedsBackground(0xff, 0xe4, 0xe4);
const QColor kCompliesText(0x1b, 0x5e, 0x20);
const QColor kComputingText(0x75, 0x75, 0x75);

// The share at each place comes right after the row's name, where it is seen without scrolling;
// the figures behind it follow.
enum ResultColumn { kTransmitter, kBand, kEnvironment, kFirstPlace };
enum FigureColumn { kMHz, kEirp, kLimit, kSafe, kHorizontal, kBoundary, kExemption, kThreshold };

// The window writes the unit as it is printed, whatever the plain-text outputs spell.
QString Superscript(QString text) { return text.replace(QLatin1String("W/m2"), QStringLiteral("W/m\u00b2")); }

}  // namespace

QString VerdictText(bool complies) { return complies ? QObject::tr("COMPLIES") : QObject::tr("EXCEEDS THE LIMIT"); }

QString ComputingText() { return QObject::tr("computing..."); }

// The reactive near field's sentence, as the other outputs give it.
QString ReactiveNote() {
  QString note = TrQ(kReactiveNearFieldNote);
  note[2] = note[2].toUpper();  // "* Within": a tooltip is a sentence of its own
  return note;
}

StationTableModel::StationTableModel(StationDocument* document, QObject* parent, NearFieldService* service)
    : QAbstractTableModel(parent), document_(document), service_(service) {
  connect(document_, &StationDocument::changed, this, &StationTableModel::refresh);
  if (service_ != nullptr) connect(service_, &NearFieldService::changed, this, &StationTableModel::refresh);
}

int StationTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int StationTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

void StationTableModel::refresh() {
  const auto shape = layout();
  if (shape.first != rows_ || shape.second != columns_) {
    beginResetModel();
    rows_ = shape.first;
    columns_ = shape.second;
    endResetModel();
  } else if (rows_ > 0 && columns_ > 0) {
    // The shape held: no reset, so the selection and scrolling stay.
    emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
  }
}

ResultsModel::ResultsModel(StationDocument* document, QObject* parent, NearFieldService* service)
    : StationTableModel(document, parent, service) {
  refresh();
}

std::pair<int, int> ResultsModel::layout() {
  const StationResult& r = document_->result();
  rows_.clear();
  for (std::size_t t = 0; t < r.transmitters.size(); ++t) {
    const auto& bands = r.transmitters[t].bands;
    for (std::size_t b = 0; b < bands.size(); ++b) {
      if (!bands[b].problem.empty()) {
        rows_.push_back({t, b, -1});
        continue;
      }
      for (const Environment env : kEnvironments) rows_.push_back({t, b, static_cast<int>(env)});
    }
  }
  const Station& s = document_->station();
  figures_ = {kMHz, kEirp, kLimit, kSafe, kHorizontal};
  if (service_ != nullptr && service_->anyModel()) figures_.push_back(kBoundary);
  if (s.rules == RuleSet::kFcc) figures_.push_back(kExemption);
  if (CheckThreshold(s.rules, 0.0)) figures_.push_back(kThreshold);
  const int columns = kFirstPlace + static_cast<int>(s.places.size() + figures_.size());
  return {static_cast<int>(rows_.size()), columns};
}

std::pair<std::size_t, std::size_t> ResultsModel::bandAt(int row) const {
  const Row& r = rows_[static_cast<std::size_t>(row)];
  return {r.transmitter, r.band};
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return StationTableModel::headerData(section, orientation, role);
  const Station& s = document_->station();
  static const char* const kTitles[] = {N_("Transmitter"), N_("Band"), N_("Environment")};
  static const char* const kFigures[] = {N_("MHz"),           N_("EIRP (W)"),           N_("Limit"),
                                         N_("Safe distance"), N_("From the mast"),      N_("Near-field boundary"),
                                         N_("Exemption")};
  if (section < kFirstPlace) return tr(kTitles[section]);
  const auto place = static_cast<std::size_t>(section - kFirstPlace);
  if (place < s.places.size()) return tr("At %1").arg(Q(s.places[place].name));
  const int figure = figures_[place - s.places.size()];
  if (figure == kThreshold) return s.rules == RuleSet::kGermanyBemfv ? tr("Notification") : tr("Assessment");
  return tr(kFigures[figure]);
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const WindowNumbers numbers;
  const Station& s = document_->station();
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  const BandResult& b = document_->result().transmitters[row.transmitter].bands[row.band];
  const auto place = static_cast<std::size_t>(index.column() - kFirstPlace);
  const bool placeColumn = index.column() >= kFirstPlace && place < s.places.size();
  // The leading columns as they are; the figures after the places as FigureColumn.
  const int column = index.column() < kFirstPlace || placeColumn
                         ? index.column()
                         : kFirstPlace + static_cast<int>(place - s.places.size());
  const bool figureColumn = index.column() >= kFirstPlace && !placeColumn;
  const auto figure =
      static_cast<FigureColumn>(figureColumn ? figures_[static_cast<std::size_t>(column - kFirstPlace)] : kMHz);
  const bool exceeds = placeColumn && row.environment >= 0 &&
                       s.places[place].environment == static_cast<Environment>(row.environment) &&
                       b.places[place].share > 1.0;
  const TransmitterNearField* near =
      figureColumn && figure == kBoundary ? &service_->transmitters()[row.transmitter] : nullptr;
  if (role == Qt::ForegroundRole && near != nullptr && !near->current()) return QBrush(kComputingText);
  if (role == Qt::ForegroundRole) return exceeds ? QBrush(kExceedsText) : QVariant();
  if (role == Qt::FontRole && exceeds) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (role == Qt::TextAlignmentRole && (placeColumn || (figureColumn && (figure == kMHz || figure == kEirp)))) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  if (column == kTransmitter) return Q(s.transmitters[row.transmitter].name);
  if (column == kBand) return TrQ(b.band);
  // A band that could not be evaluated says why in the first column it has.
  if (row.environment < 0) return column == kEnvironment ? Q(TrMarked(b.problemText, b.problem)) : QVariant();
  const auto env = static_cast<Environment>(row.environment);
  if (column == kEnvironment) return Q(EnvironmentName(s, env));
  if (placeColumn) {
    if (s.places[place].environment != env) return {};
    const PlaceShare& share = b.places[place];
    if (role == Qt::ToolTipRole) return share.reactiveNearField ? ReactiveNote() : QVariant();
    const QString text =
        LocalNum(PercentText(share.share)) + (share.reactiveNearField ? QStringLiteral(" *") : QString());
    return exceeds && !AtAntenna(share.share) ? tr("%1 exceeds").arg(text) : text;
  }
  const EnvironmentResult& e = b.In(env);
  switch (figure) {
    case kMHz:
      return LocalNum(FrequencyText(e.frequencyMHz));
    case kEirp:
      return LocalNum(FormatFixed(e.ComparedEirpWatts(), 2));
    case kLimit:
      return Superscript(Q(LimitText(e.limit)));
    case kSafe:
      if (role == Qt::ToolTipRole) return e.reactiveNearField ? ReactiveNote() : QVariant();
      return LocalNum(SafeDistanceText(s, e));
    case kHorizontal:
      return LocalNum(HorizontalText(s, e));
    case kBoundary:
      // The near field's compliance boundary: its farthest direction, as zento-calc gives it.
      if (near->state == TransmitterNearField::State::kNoModel) return QString();
      if (near->state == TransmitterNearField::State::kFailed) return role == Qt::ToolTipRole ? near->problem : tr("-");
      if (!near->current()) return ComputingText();
      if (row.band >= near->result->bands.size() || near->result->bands[row.band].boundary[0].empty()) return tr("-");
      return Q(BoundaryText(s, near->result->bands[row.band], env));
    case kExemption:
      if (env != Environment::kUncontrolled) return QString();
      return Superscript(TrQ(role == Qt::ToolTipRole ? ExemptionWithReason(b) : ExemptionText(b)));
    case kThreshold: {
      // Once a band: the threshold is of the transmitter's EIRP, not of an environment. The
      // statement, with its source, in the tooltip.
      const auto check = CheckThreshold(s.rules, b.peakEirpWatts);
      if (env != kEnvironments.front() || !check) return QString();
      if (role == Qt::ToolTipRole) return Q(ThresholdText(s, b));
      return check->required ? tr("required") : tr("not required");
    }
  }
  return {};
}

VerdictModel::VerdictModel(StationDocument* document, QObject* parent, NearFieldService* service)
    : StationTableModel(document, parent, service) {
  refresh();
}

std::pair<int, int> VerdictModel::layout() {
  const bool near = service_ != nullptr && service_->anyModel();
  return {static_cast<int>(document_->station().places.size()), near ? kColumns : kNearField};
}

QVariant VerdictModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return StationTableModel::headerData(section, orientation, role);
  static const char* const kTitles[] = {N_("Place"), N_("Verdict"), N_("Share of the limit"), N_("From"),
                                        N_("With the near field")};
  return tr(kTitles[section]);
}

QVariant VerdictModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const WindowNumbers numbers;
  const Station& s = document_->station();
  const auto p = static_cast<std::size_t>(index.row());
  if (index.column() == kNearField) {
    // The verdict with each modelled antenna's near-field share, once it is known.
    const bool pending = service_->verdictPending(p);
    const PlaceVerdict& near = service_->verdicts()[p];
    // Read from the picture until the place's own run arrives: greyed, as not yet final.
    bool estimated = false;
    for (const TransmitterNearField& t : service_->transmitters()) {
      estimated = estimated || (t.data && p < t.data->placeEstimated.size() && t.data->placeEstimated[p]);
    }
    if (role == Qt::ForegroundRole) {
      return QBrush(pending || estimated ? kComputingText : near.complies ? kCompliesText : kExceedsText);
    }
    // A modelled antenna whose near field failed stands in with its far-field share: said so.
    std::vector<std::string> failed;
    for (std::size_t t = 0; t < service_->transmitters().size(); ++t) {
      if (service_->transmitters()[t].state == TransmitterNearField::State::kFailed) {
        failed.push_back(s.transmitters[t].name);
      }
    }
    if (role == Qt::ToolTipRole) {
      const QString tip = tr("The verdict with each modelled antenna's near-field share in place of its far-field one");
      return failed.empty() ? tip : tip + QStringLiteral(". ") + Q(FarFieldStandsInText(failed));
    }
    if (role != Qt::DisplayRole) return {};
    if (pending) return ComputingText();
    const QString verdict = tr("%1, %2").arg(VerdictText(near.complies), LocalNum(PercentText(near.share)));
    if (failed.empty()) return verdict;
    QStringList names;
    for (const std::string& name : failed) names << Q(name);
    return tr("%1 (far field for %2)").arg(verdict, names.join(QStringLiteral(", ")));
  }
  const PlaceVerdict& v = document_->result().places[p];
  if (role == Qt::ForegroundRole && index.column() != kPlace) return QBrush(v.complies ? kCompliesText : kExceedsText);
  if (role == Qt::BackgroundRole && !v.complies) return QBrush(kExceedsBackground);
  if (role == Qt::FontRole && index.column() == kVerdict) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (index.column()) {
    case kPlace:  // the name whole; where the place is and its environment on the Places tab and here
      return role == Qt::ToolTipRole ? Q(PlaceText(s, s.places[p])) : Q(s.places[p].name);
    case kShare:
      return LocalNum(PercentText(v.share));
    case kFrom:
      return Q(VerdictParts(s, document_->result(), p));
    case kVerdict:
      return VerdictText(v.complies);
  }
  return {};
}

}  // namespace zento::station
