#include "station/near_field_pane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSplitter>
#include <QVBoxLayout>
#include <cmath>

#include "core/near_field_cases.h"
#include "core/number_text.h"
#include "report/station_text.h"
#include "report/translation.h"
#include "station/band_choice.h"
#include "station/heat_map_view.h"
#include "station/local_text.h"
#include "station/near_field_service.h"
#include "station/station_document.h"

namespace zento::station {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr Environment kPictured = Environment::kUncontrolled;  // as the record's pictures

// What a readout is read from: the station as it was when the picture was made, and the fields.
struct ReadoutSource {
  Station station;
  StationResult farField;
  std::shared_ptr<const void> keep;  // the samples' owner
  std::unique_ptr<NearFieldCases> cases;
};

// "3.2 m" in the station's unit, without a sign.
QString Length(const Station& s, double meters) {
  return LocalNum(FormatFixed(FromMeters(std::abs(meters), s.units), 1)) +
         (s.units == LengthUnit::kFeet ? QObject::tr(" ft") : QObject::tr(" m"));
}

// Where a point of a picture is, in words: from above, east and north of the mast; upright,
// along the plane's bearing (or behind it) and up.
QString Where(const Station& s, const GridImage& g, int column, int row) {
  const double a = g.left + column * g.step, b = g.bottom + row * g.step;
  if (g.vertical) {
    const QString toward = LocalNum(FormatGeneral(std::fmod(g.bearingDegrees + (a < 0.0 ? 180.0 : 0.0), 360.0), 4));
    return QObject::tr("%1 toward %2\u00b0 from the mast, %3 up").arg(Length(s, a), toward, Length(s, b));
  }
  const double east = a - g.mast.x, north = b - g.mast.y;
  // TRANSLATORS: a point of the heat map from above: its distances east or west, north or south, its height
  const QString pattern = east < 0.0 ? (north < 0.0 ? QObject::tr("%1 west and %2 south of the mast, %3 up")
                                                    : QObject::tr("%1 west and %2 north of the mast, %3 up"))
                                     : (north < 0.0 ? QObject::tr("%1 east and %2 south of the mast, %3 up")
                                                    : QObject::tr("%1 east and %2 north of the mast, %3 up"));
  return pattern.arg(Length(s, east), Length(s, north), Length(s, g.heightMeters));
}

std::function<QString(int, int)> Readout(const std::shared_ptr<ReadoutSource>& source, const GridImage& plane,
                                         FieldChoice choice) {
  return [source, plane, choice](int column, int row) {
    const std::size_t point = plane.first + static_cast<std::size_t>(row * plane.columns + column);
    const NearFieldShare share = source->cases->Worst(point, kPictured, choice);
    const WindowNumbers numbers;
    return Where(source->station, plane, column, row) + QStringLiteral(": ") + LocalNum(NearFieldShareText(share));
  };
}

}  // namespace

NearFieldPane::NearFieldPane(StationDocument* document, NearFieldService* service, QWidget* parent)
    : QWidget(parent), document_(document), service_(service) {
  choice_ = new QComboBox(this);
  choice_->setObjectName(QStringLiteral("nearFieldBand"));
  choice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  field_ = new QComboBox(this);
  field_->setObjectName(QStringLiteral("nearFieldField"));
  field_->addItems({tr("Worst of E and H"), tr("E alone"), tr("H alone")});
  choosers_ = new QWidget(this);
  choosers_->setObjectName(QStringLiteral("nearFieldChoosers"));
  choice_->setParent(choosers_);
  field_->setParent(choosers_);
  auto* choose = new QLabel(tr("Show &band:"), choosers_);
  choose->setBuddy(choice_);
  auto* which = new QLabel(tr("Field:"), choosers_);
  which->setBuddy(field_);
  auto* row = new QHBoxLayout(choosers_);
  row->setContentsMargins(0, 4, 0, 0);
  row->addWidget(choose);
  row->addWidget(choice_);
  row->addSpacing(12);
  row->addWidget(which);
  row->addWidget(field_);
  row->addStretch();

  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("nearFieldProblem"));
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: #b00020"));
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("nearFieldStatus"));
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("nearFieldProgress"));
  progress_->setRange(0, 0);  // busy: the engine says nothing of how far it is
  progress_->setMaximumWidth(120);
  progress_->setMaximumHeight(status_->sizeHint().height());
  progress_->setTextVisible(false);
  auto* statusRow = new QHBoxLayout;
  statusRow->addWidget(status_);
  statusRow->addWidget(progress_);
  statusRow->addStretch();

  top_ = new HeatMapView(this);
  top_->setObjectName(QStringLiteral("heatMapTop"));
  top_->setAccessibleName(tr("Near field from above"));
  top_->setMovable(true);
  side_ = new HeatMapView(this);
  side_->setObjectName(QStringLiteral("heatMapSide"));
  side_->setAccessibleName(tr("Near field from the side"));
  auto* views = new QSplitter(Qt::Horizontal, this);
  views->addWidget(top_);
  views->addWidget(side_);
  views->setChildrenCollapsible(false);
  views->setStretchFactor(0, 5);
  views->setStretchFactor(1, 4);
  readout_ = new QLabel(this);
  readout_->setObjectName(QStringLiteral("heatMapReadout"));
  readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  readout_->setMinimumWidth(1);
  readout_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(choosers_);
  layout->addWidget(problem_);
  layout->addLayout(statusRow);
  layout->addWidget(views, 1);
  layout->addWidget(new HeatMapLegend(this));
  layout->addWidget(readout_);

  for (HeatMapView* view : {top_, side_}) connect(view, &HeatMapView::pointed, readout_, &QLabel::setText);
  connect(top_, &HeatMapView::placeMoved, this, &NearFieldPane::movePlace);
  connect(top_, &HeatMapView::mastMoved, this, &NearFieldPane::moveMast);
  connect(choice_, &QComboBox::currentIndexChanged, this, &NearFieldPane::refresh);
  connect(field_, &QComboBox::currentIndexChanged, this, &NearFieldPane::refresh);
  connect(document_, &StationDocument::changed, this, &NearFieldPane::refresh);
  connect(service_, &NearFieldService::changed, this, &NearFieldPane::refresh);
  refresh();
}

std::optional<std::pair<std::size_t, std::size_t>> NearFieldPane::shown() const {
  const QPoint chosen = choice_->currentData().toPoint();
  if (chosen.x() >= 0) return std::pair(static_cast<std::size_t>(chosen.x()), static_cast<std::size_t>(chosen.y()));
  // The station's worst: the band whose boundary reaches farthest, of the transmitters shown.
  const Station& s = document_->station();
  std::optional<std::pair<std::size_t, std::size_t>> worst;
  double farthest = -1.0;
  const auto& all = service_->transmitters();
  for (std::size_t t = 0; t < all.size(); ++t) {
    if (all[t].state == TransmitterNearField::State::kNoModel) continue;
    if (!all[t].shown()) {
      if (!worst) worst = std::pair(t, std::size_t{0});
      continue;
    }
    const FarthestBoundary f = FarthestBoundaryOf(*all[t].result, s.transmitters[t].antenna.headingDegrees);
    if (f.meters > farthest) farthest = f.meters, worst = std::pair(t, f.band);
  }
  return worst;
}

void NearFieldPane::refreshChoices() {
  const Station& s = document_->station();
  const StationResult& r = document_->result();
  QStringList labels;
  QList<QPoint> bands;
  labels << tr("Worst band");
  bands << QPoint(-1, -1);
  for (std::size_t t = 0; t < s.transmitters.size(); ++t) {
    if (!s.transmitters[t].antenna.model) continue;
    for (std::size_t b = 0; b < r.transmitters[t].bands.size(); ++b) {
      if (!r.transmitters[t].bands[b].problem.empty()) continue;
      labels << tr("%1 on %2").arg(Q(s.transmitters[t].name), TrQ(r.transmitters[t].bands[b].band));
      bands << QPoint(static_cast<int>(t), static_cast<int>(b));
    }
  }
  if (const auto worst = shown(); worst && choice_->currentIndex() <= 0 && worst->first < s.transmitters.size() &&
                                  worst->second < r.transmitters[worst->first].bands.size()) {
    labels[0] = tr("Worst: %1 on %2")
                    .arg(Q(s.transmitters[worst->first].name),
                         TrQ(r.transmitters[worst->first].bands[worst->second].band));
  }
  ShowBandChoices(choice_, labels, bands);
}

void NearFieldPane::refresh() {
  refreshChoices();
  const QStringList problems = service_->problems();
  problem_->setVisible(!problems.isEmpty());
  problem_->setText(problems.isEmpty() ? QString()
                                       : tr("No near field for %1. The far-field results stand.")
                                             .arg(problems.join(QStringLiteral("; "))));
  const bool busy = !service_->idle();
  progress_->setVisible(busy);
  status_->setText(busy ? tr("The engine is computing the near field...") : QString());
  const auto chosen = shown();
  if (!chosen) {
    const QString why = tr("No transmitter has an antenna model. Choose one under Transmitters, Antenna, "
                           "\"Near-field model\", to see the near field around it.");
    top_->showPicture(std::nullopt, why);
    side_->showPicture(std::nullopt, why);
    return;
  }
  showPictures(chosen->first, chosen->second);
}

void NearFieldPane::showPictures(std::size_t t, std::size_t b) {
  const Station& s = document_->station();
  const StationResult& far = document_->result();
  const TransmitterNearField& nf = service_->transmitters()[t];
  const QString name = Q(s.transmitters[t].name);
  QString why;
  if (nf.state == TransmitterNearField::State::kFailed) {
    why = tr("No near field: %1").arg(nf.problem);
  } else if (!nf.shown()) {
    why = tr("The engine is computing the near field of %1...").arg(name);
  }
  const NearFieldBand* band = nf.shown() && b < nf.result->bands.size() ? &nf.result->bands[b] : nullptr;
  if (why.isEmpty() && (band == nullptr || band->boundary[0].empty())) {
    why = nf.outOfDate ? tr("The engine is computing the near field of %1...").arg(name)
                       : tr("No near field of %1 on this band.").arg(name);
  }
  if (!why.isEmpty() || !nf.data->horizontal) {
    top_->showPicture(std::nullopt, why);
    side_->showPicture(std::nullopt, why);
    return;
  }
  const auto choice = static_cast<FieldChoice>(std::max(0, field_->currentIndex()));
  const BandResult& farBand = far.transmitters[t].bands[b];
  const auto& farField = band->farFieldMeters[static_cast<std::size_t>(kPictured)];
  HeatMapPicture picture;
  picture.units = s.units;
  if (farField && *farField > 0.0) picture.farFieldMeters = *farField;
  picture.wires = nf.entry->wires;
  picture.outOfDate = nf.outOfDate;
  const auto source = std::make_shared<ReadoutSource>(ReadoutSource{s, far, nf.data, nullptr});
  source->cases = std::make_unique<NearFieldCases>(source->station, source->station.transmitters[t],
                                                   source->farField.transmitters[t], nf.data->samples,
                                                   source->farField.transmitters[t].bands[b]);

  HeatMapPicture above = picture;
  above.image = EvaluateGrid(s, t, b, far, *nf.data->horizontal, nf.data->samples, choice, kPictured);
  above.title = tr("%1 on %2, from above at %3").arg(name, TrQ(farBand.band), Length(s, nf.data->horizontal->heightMeters));
  above.boundary = band->boundary[static_cast<std::size_t>(kPictured)];
  for (std::size_t p = 0; p < s.places.size(); ++p) {
    const Place& place = s.places[p];
    const QString share = nf.placeKnown(p) ? LocalNum(PercentText(band->places[p].share)) : tr("...");
    const QString label = Q(place.name) + QLatin1Char(' ') + share;
    if (!place.positionMeters) {
      // Along the ground: that circle; a straight-line distance: where its sphere meets the picture's plane.
      double radius = place.horizontalMeters.value_or(0.0);
      if (place.distanceMeters) {
        const double dz = PlacementOf(s, s.transmitters[t]).heightMeters - nf.data->horizontal->heightMeters;
        radius = *place.distanceMeters > std::abs(dz) ? std::sqrt(*place.distanceMeters * *place.distanceMeters - dz * dz) : 0.0;
      }
      if (radius > 0.0) above.circles.push_back({label, radius, 0.0, static_cast<int>(p)});
      continue;
    }
    above.places.push_back({label, (*place.positionMeters)[0], (*place.positionMeters)[1], static_cast<int>(p)});
  }
  // The antennas' masts, this one's first: it is the one the picture is around.
  for (std::size_t i = 0; i < s.transmitters.size(); ++i) {
    const std::size_t m = i == 0 ? t : (i <= t ? i - 1 : i);
    const AntennaPlacement at = PlacementOf(s, s.transmitters[m]);
    above.masts.push_back({Q(s.transmitters[m].name), at.x, at.y, static_cast<int>(m)});
  }
  above.readout = Readout(source, above.image, choice);
  top_->showPicture(std::move(above));

  const auto upright = service_->upright(t, b);
  if (!upright) {
    const QString problem = service_->uprightProblem(t, b);
    side_->showPicture(std::nullopt, problem.isEmpty() ? tr("The engine is computing the view from the side...")
                                                       : tr("No view from the side: %1").arg(problem));
    return;
  }
  HeatMapPicture beside = picture;
  beside.image = EvaluateGrid(s, t, b, far, upright->plane, upright->samples, choice, kPictured);
  beside.title = tr("From the side, toward %1\u00b0").arg(LocalNum(FormatGeneral(upright->plane.bearingDegrees, 4)));
  const auto sideSource = std::make_shared<ReadoutSource>(ReadoutSource{s, far, upright, nullptr});
  sideSource->cases = std::make_unique<NearFieldCases>(sideSource->station, sideSource->station.transmitters[t],
                                                       sideSource->farField.transmitters[t], upright->samples,
                                                       sideSource->farField.transmitters[t].bands[b]);
  beside.readout = Readout(sideSource, beside.image, choice);
  side_->showPicture(std::move(beside));
}

void NearFieldPane::movePlace(int place, double x, double y, bool finished) {
  (void)finished;  // every step is one edit with the others of the drag: undone as one
  Station s = document_->station();
  if (place < 0 || place >= static_cast<int>(s.places.size())) return;
  Place& p = s.places[static_cast<std::size_t>(place)];
  if (!kSiteRange.Holds(x) || !kSiteRange.Holds(y)) return;
  p.positionMeters = std::array{x, y};
  document_->edit(s, tr("Move Place"), QStringLiteral("place%1.position").arg(place));
}

void NearFieldPane::moveMast(int transmitter, double x, double y) {
  Station s = document_->station();
  if (transmitter < 0 || transmitter >= static_cast<int>(s.transmitters.size())) return;
  if (!kSiteRange.Holds(x) || !kSiteRange.Holds(y)) return;
  s.transmitters[static_cast<std::size_t>(transmitter)].antenna.positionMeters = std::array{x, y};
  document_->edit(s, tr("Move Antenna"));
}

}  // namespace zento::station
